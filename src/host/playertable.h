// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QList>
#include <array>

namespace brelvox {

class TSock;

// Which connection holds a seat. Everything else about a seat (name, watching, score,
// guesses) is the game engine's, so there is one record of it.
struct SeatRecord
{
    bool connected = false;    // a logged-in or freshly accepted connection holds it
    TSock *connection = nullptr;
    bool held = false;         // kept for a player whose link dropped, until they return
};

// The host's seats and their connections: seats 1..5 play, 6..9 watch; seat 10 only
// ever names a refused connection.
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
    // seat up to it is taken, and marks the seat connected. A held seat is given only
    // when nothing else is left. kRefusedSeat, with nothing changed, when all nine are
    // connected.
    int takeSeat(TSock *connection);
    // The seat is free again: not connected, no connection.
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
