// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include "core/colorref.h"

#include <QColor>
#include <QString>

namespace brelvox {

// Colour text: a standard name ("clBlack") when one fits, else "$" and eight upper-case
// hex digits.
QString colorToText(ColorRef color);
// Names in any case, "$"/"0x" hex, decimal, and the desktop's system colour names.
bool textToColor(const QString &text, ColorRef *color);

QColor toQColor(ColorRef color);
ColorRef fromQColor(const QColor &color);

} // namespace brelvox
