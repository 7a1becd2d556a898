// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QColor>
#include <QString>
#include <cstdint>

namespace brelvox {

// Colours travel and are stored as 0x00BBGGRR values written as colour text:
// a standard name ("clBlack") when one fits, else "$" and eight upper-case hex digits.
using ColorRef = std::uint32_t;

inline constexpr ColorRef kSystemColor = 0x5E00;

QString colorToText(ColorRef color);
// Names in any case, "$"/"0x" hex, decimal, and the desktop's system colour names.
bool textToColor(const QString &text, ColorRef *color);

QColor toQColor(ColorRef color);
ColorRef fromQColor(const QColor &color);

} // namespace brelvox
