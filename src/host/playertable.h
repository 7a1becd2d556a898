// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QList>
#include <QString>
#include <array>

namespace brelvox {

class TSock;

// One seat of the host's player table.
struct SeatRecord
{
    QString name;              // from the login; emptied when the seat is left
    bool connected = false;    // a logged-in or freshly accepted connection holds it
    TSock *connection = nullptr;
    int score = 0;             // High Score Game: sum of balls; else words found
    bool watching = false;     // takes no turns, is not waited for
    bool submitted = false;    // handed in a guess (or timed out) in this row
    QString currentGuess;
    std::array<QString, 6> guesses; // [1..5] by row, this word
    int raceCount = 0;         // Race to 9: number of the seat's next ball
    QString pattern;           // feedback of the last guess, or the computer's hint
    QString alternateName;     // shown while name is empty ("Dira" on seat 2)
};

// Seats 1..5 play, 6..9 watch; seat 10 only ever names a refused connection.
class PlayerTable
{
public:
    static constexpr int kPlayerSeats = 5;
    static constexpr int kMaxSeats = 9;
    static constexpr int kRefusedSeat = 10;

    static bool isSeat(int seat) { return seat >= 1 && seat <= kMaxSeats; }
    static bool isPlayerSeat(int seat) { return seat >= 1 && seat <= kPlayerSeats; }

    /* 1 <= seat <= 10 */
    SeatRecord &seat(int seat);
    const SeatRecord &seat(int seat) const;

    // The highest seat ever handed out, 0..9; it never goes down.
    int seatCount() const { return m_seatCount; }
    // Puts connection on the lowest free seat, growing the seat count only when every
    // seat up to it is taken, and marks the seat connected. kRefusedSeat, with nothing
    // changed, when all nine are taken.
    int takeSeat(TSock *connection);
    // The seat is free again: not connected, no name, no connection. Score, race count,
    // guesses and balls stay for whoever takes it next.
    void leave(int seat);
    // Connected seats from 1 to the seat count, in order.
    QList<int> connectedSeats() const;
    // The seat connection holds, 0 for none.
    int seatOf(const TSock *connection) const;

private:
    std::array<SeatRecord, kRefusedSeat + 1> m_seats; // [0] unused
    int m_seatCount = 0;
};

} // namespace brelvox
