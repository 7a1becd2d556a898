// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include "widgets/colortext.h"

#include <QObject>
#include <array>

class QLabel;
class QLineEdit;

namespace brelvox {

class BoardModel;
class FlatPanel;
class GridLetter;
class PictureBox;

// The word panel (panel_word) drawn from the board model: the game-type header, the
// letters with their ball marks, the entry cells, the object ball and the turn clock; and
// the board's status line. Keys and entering a cell are passed on, not acted on.
class GridView : public QObject
{
    Q_OBJECT
public:
    // Colours of the letters by shade and of the entry cells by the row's lock.
    static constexpr ColorRef clBlack = 0x000000;
    static constexpr ColorRef clSilver = 0xC0C0C0;
    static constexpr ColorRef clGray = 0x808080;
    static constexpr ColorRef clYellow = 0x00FFFF;
    static constexpr ColorRef clRed = 0x0000FF;

    // Puts the panel on board; uses board's label_status, making one when it has none.
    GridView(QWidget *board, const BoardModel &model, QObject *parent = nullptr);

    FlatPanel *panel() const { return m_panel; }
    GridLetter *letter(int row, int column) const; // label_<r><c>, 1..5, else nullptr
    PictureBox *slot(int row, int column) const;   // image_<r><c>, 1..5, else nullptr
    QLineEdit *cell(int column) const;             // edit_<c>, 1..5, else nullptr
    QLabel *status() const { return m_status; }
    QLabel *header() const { return m_header; }

    // The entry cell with the keyboard focus, 0 for none.
    int focusedColumn() const;
    void focusCell(int column);

Q_SIGNALS:
    // A key on an entry cell: 8 Backspace, 13 Enter, a typed character, or a null
    // character for anything else. No key reaches a cell by itself.
    void keyPressed(int column, QChar key);
    // An entry cell got the focus other than by the window coming back.
    void cellEntered(int column);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void drawCell(int row, int column);
    void drawEntry();
    void drawHeader();
    void drawStatus();
    void drawObjectBall();
    void drawClock();

    const BoardModel &m_model;
    FlatPanel *m_panel = nullptr;
    std::array<std::array<GridLetter *, 5>, 5> m_letters{};
    std::array<std::array<PictureBox *, 5>, 5> m_slots{};
    std::array<QLineEdit *, 5> m_cells{};
    PictureBox *m_ball = nullptr;
    QLabel *m_ballName = nullptr;
    QLabel *m_time = nullptr;
    QLabel *m_status = nullptr;
    QLabel *m_header = nullptr;
};

} // namespace brelvox
