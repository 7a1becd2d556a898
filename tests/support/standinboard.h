// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QLabel>
#include <QPixmap>
#include <QStringList>
#include <QWidget>

namespace brelvox::support {

// Both pictures are set and have the same pixels.
inline bool samePicture(const QPixmap &a, const QPixmap &b)
{
    return !a.isNull() && !b.isNull() && a.toImage() == b.toImage();
}

// The main window's board as the board parts look it up: its size and the five seat labels
// "label_playername1".."5" at their places, holding names. The caller owns it.
inline QWidget *standInBoard(const QStringList &names)
{
    constexpr int seatTops[5] = {330, 372, 411, 452, 490};
    auto *board = new QWidget;
    board->resize(732, 511);
    for (int seat = 1; seat <= 5; ++seat) {
        auto *label = new QLabel(names.value(seat - 1), board);
        label->setObjectName(QStringLiteral("label_playername%1").arg(seat));
        label->setGeometry(245, seatTops[seat - 1], 105, 20);
    }
    return board;
}

} // namespace brelvox::support
