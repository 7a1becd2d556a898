// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include "boardmodel/boardmodel.h"
#include "boardmodel/clientstate.h"

#include <QObject>
#include <QPointer>

namespace brelvox {

class Announcer;
class LetterBoard;
class PoolTable;

// What the board tells a screen reader, read from the board model: names for the pieces
// a sighted player reads (grid cells with their marks, entry cells, scores and racks with
// their seats, the chalk, eyes and turn marker), decoration left out of the tree, and
// announcements of what a sighted player notices: the status line's news, the clock
// running low on the player's own turn, the winner banner. The clock itself is read when
// asked, never announced each second.
class BoardSpeech : public QObject
{
    Q_OBJECT
public:
    // Seconds left at which the player's own turn is announced as running out.
    static constexpr int Warnings[2] = {10, 5};

    // board is the panel holding the seat rows (panel_board); table may be null.
    BoardSpeech(QWidget *board, LetterBoard *letters, PoolTable *table, const ClientState &state,
                Announcer *announcer, QObject *parent = nullptr);

    // "Row 2, letter 3: R, right place", as a reader hears a grid cell.
    static QString cellName(const BoardModel &model, int row, int column);
    // "right place", "elsewhere in the word", "not in the word"; empty for no verdict.
    static QString verdictWords(BoardModel::Verdict verdict);

private:
    void nameGrid();
    void nameSeats();
    void announce(const QString &text);
    void clockChanged();

    QWidget *m_board;
    LetterBoard *m_letters;
    const BoardModel &m_model;
    PoolTable *m_table;
    const ClientState &m_state;
    QPointer<Announcer> m_announcer;
};

} // namespace brelvox
