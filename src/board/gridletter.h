// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QLabel>

namespace brelvox {

// One letter of the grid (label_<r><c>), 40 x 42, over its tile and its 24 x 24 ball slot.
// A dark letter carries a light halo, so it reads on any ball behind it; a cell with a
// ball gets a rim round the ball, in the ball's colour or dark felt for the cue ball, so
// the mark shows round the letter and the cream cue ball stands off the cream tile; a
// silver letter (a rejected word) sits on a dark ground of its own.
class GridLetter : public QLabel
{
    Q_OBJECT
public:
    // Where the ball slot lies in the letter's own pixels.
    static constexpr int SlotLeft = 8;
    static constexpr int SlotTop = 9;
    static constexpr int Width = 40;
    static constexpr int Height = 42;

    explicit GridLetter(QWidget *parent = nullptr);

    // The ball (0 the cue ball, 1..9) whose picture lies behind the letter; -1 none.
    void setMark(int ball);
    int mark() const { return m_mark; }

    // The light tile a letter stands on, in the letter's pixels.
    static QRectF tileRect();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_mark = -1;
};

} // namespace brelvox
