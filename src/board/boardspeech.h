// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include "client/clientstate.h"

#include <QObject>
#include <QPointer>

namespace brelvox {

class Announcer;
class LetterBoard;
class PoolTable;

// What the board tells a screen reader: names for the pieces a sighted player reads (grid
// cells with their marks, entry cells, scores and racks with their seats, the chalk, eyes
// and turn marker), decoration left out of the tree, and announcements of what a sighted
// player notices: the status line's news, the clock running low on the player's own turn,
// the winner banner. The clock itself is read when asked, never announced each second.
class BoardSpeech : public QObject
{
    Q_OBJECT
public:
    // Seconds left at which the player's own turn is announced as running out.
    static constexpr int Warnings[2] = {10, 5};

    // board is the panel holding the seat rows and the winner banner (panel_board).
    BoardSpeech(QWidget *board, LetterBoard *letters, PoolTable *table, const ClientState &state,
                Announcer *announcer, QObject *parent = nullptr);

    // The winner banner (panel_winner): its caption is announced when it appears.
    void watchBanner(QWidget *banner);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void nameBoard();
    void nameSeats();
    void clockTicked();
    int turnMarkerSeat() const;

    QWidget *m_board;
    LetterBoard *m_letters;
    PoolTable *m_table;
    const ClientState &m_state;
    QPointer<Announcer> m_announcer;
    QWidget *m_banner = nullptr;
};

} // namespace brelvox
