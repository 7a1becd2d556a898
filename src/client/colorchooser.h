// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include "widgets/colortext.h"

#include <functional>

class QWidget;

namespace brelvox {

// The colour dialog, opened on *color; true with *color set when the player chose one,
// false (and *color untouched) when cancelled.
bool chooseColor(ColorRef *color, QWidget *parent = nullptr);

// Tests answer in place of the real dialog; an empty chooser restores it.
using ColorChooser = std::function<bool(ColorRef *color)>;
void setColorChooser(ColorChooser chooser);

} // namespace brelvox
