// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

class QWidget;

namespace brelvox {

// Windows laid out in fixed pixels for the usual desktop font. With a larger font the
// whole window grows, its hand-placed widgets with it, by the least factor that lets every
// caption fit its widget; at the usual font nothing moves.
namespace textfit {

// How far the widget's own caption overflows it: its needed width and height over its
// actual ones, the larger of the two; 0 for a widget without a caption.
double overflow(const QWidget *widget);

// The factor by which the window must grow (1 when everything fits).
double factor(const QWidget *window);

// Grows the window by factor(); call it once the window is built.
void fitWindow(QWidget *window);

} // namespace textfit

} // namespace brelvox
