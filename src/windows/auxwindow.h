// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QColor>
#include <QPixmap>

class QPainter;
class QRect;
class QWidget;

namespace brelvox {

// What the help and about windows share: their colour under the main window's tile,
// and their place over the main window.
inline const QColor kAuxBackground(0xA7, 0x87, 0x58);

void paintAuxBackground(QPainter &painter, const QRect &rect, const QPixmap &tile);
// Centres window on anchor's frame, or on the desktop without an anchor.
void centreWindow(QWidget *window, QWidget *anchor);

} // namespace brelvox
