// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QObject>
#include <array>

class QLabel;

namespace brelvox {

class BoardModel;
class PictureBox;

// The seat rows beside the names, drawn from the board model: each seat's score
// (label_score<n>), chalk mark (image_chalk<n>, the guess is in) and watching mark
// (image_eyes<n>), and the turn marker (image_Turn) over the seat whose turn it is.
class SeatRows : public QObject
{
    Q_OBJECT
public:
    // Puts the widgets on board; a watching mark keeps clear of board's label_playername<n>.
    SeatRows(QWidget *board, const BoardModel &model, QObject *parent = nullptr);

    QLabel *score(int seat) const;      // 1..5, else nullptr
    PictureBox *chalk(int seat) const;  // 1..5, else nullptr
    PictureBox *eyes(int seat) const;   // 1..5, else nullptr
    PictureBox *turnMarker() const { return m_turn; }

private:
    void drawSeat(int seat);
    void drawTurnMarker();

    const BoardModel &m_model;
    std::array<QLabel *, 5> m_scores{};
    std::array<PictureBox *, 5> m_chalks{};
    std::array<PictureBox *, 5> m_eyes{};
    PictureBox *m_turn = nullptr;
};

} // namespace brelvox
