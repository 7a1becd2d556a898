// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include "core/gametype.h"
#include "host/rules/seatstate.h"

#include <QString>

#include <array>

namespace brelvox {

// Everything the host knows of the game, as plain data. GameEngine changes it;
// TServer reads it (for a newcomer's catch-up messages, for example).
struct GameState
{
    static constexpr int kMaxSeat = 9;     // seats 1..9; 6..9 only watch
    static constexpr int kPlayerSeats = 5; // seats 1..5 score and own balls
    static constexpr int kComputerSeat = 2;
    static constexpr int kRows = 5;
    static constexpr int kBalls = 9;
    static constexpr int kRowSeconds = 22;
    static constexpr int kNoScore = 1000;  // "no score to show" on the wire

    enum TimerMode { TimerIdle = 0, TimerRow = 1, TimerNextBall = 2, TimerNewWord = 3 };

    GameType type = GameType::None;
    bool running = false;
    int round = 0;         // the ball played for; passes 9 in Race to 9
    int row = 0;
    int currentPlayer = 0; // Nine Ball: who holds the turn
    int nextStart = 0;     // where the next turn search starts
    bool wordOpen = false;
    QString word;          // upper case
    std::array<int, kBalls + 1> ballOwners{}; // [1..9], 0 for nobody
    int countdown = 0;
    int timerMode = TimerIdle;
    bool timerOn = false;
    std::array<SeatState, kMaxSeat + 1> seats; // [1..9]

    GameState();

    static bool isSeat(int seat) { return seat >= 1 && seat <= kMaxSeat; }
    static bool isPlayerSeat(int seat) { return seat >= 1 && seat <= kPlayerSeats; }

    // Out-of-range seats read as a free seat, never as an index.
    const SeatState &seat(int seat) const;
    SeatState *seatOrNull(int seat);

    // Ball number a seat is told: its own in Race to 9 (1 for watchers' seats 6..9).
    int ballFor(int seat) const;
    // Score shown for a seat: the real one only in the High Score Game.
    int scoreFieldFor(int seat) const;
    QString firstLetter() const { return word.left(1); }
};

} // namespace brelvox
