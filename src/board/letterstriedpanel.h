// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include "boardmodel/boardmodel.h"
#include "widgets/flatpanel.h"

#include <QPoint>
#include <array>

namespace brelvox {

class FlatButton;
class GridLetter;
class PictureBox;

// The letters A to Z, each with the best mark it earned in the grid of the current word:
// the object ball for the right place, the cue ball for elsewhere in the word, a faded
// letter for one not in it. Read from the board model alone, so it empties with the grid
// when a new word comes. Hidden at rest; dragged like the word list, closed with its "X".
class LettersTriedPanel : public FlatPanel
{
    Q_OBJECT
public:
    static constexpr int Columns = 9;
    static constexpr int Width = 360;
    static constexpr int Height = 169;
    // Over the chat's older lines, clear of the grid, the table, the logo and the phrases.
    static constexpr QPoint OpeningPlace{348, 300};

    LettersTriedPanel(QWidget *board, const BoardModel &model);

    // The best verdict of letter (A..Z) in the grid; None for any other character.
    BoardModel::Verdict best(QChar letter) const;
    GridLetter *letter(QChar letter) const;
    // "Letter R: right place", "Letter Q: not tried".
    static QString spokenName(QChar letter, BoardModel::Verdict verdict);

Q_SIGNALS:
    void closeRequested();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void refresh();
    void drawLetter(int index, int ball);
    void dragTo(const QPoint &pos);

    const BoardModel &m_model;
    std::array<BoardModel::Verdict, 26> m_best{};
    std::array<GridLetter *, 26> m_letters{};
    std::array<PictureBox *, 26> m_slots{};
    std::array<int, 26> m_balls{};
    FlatButton *m_close = nullptr;
    bool m_dragging = false;
    QPoint m_grab;
};

} // namespace brelvox
