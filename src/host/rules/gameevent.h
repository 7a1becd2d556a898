// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

namespace brelvox {

// One decision of the game engine, in the order it must reach the seats.
// Message kinds become one message per connected seat (messageFor); timer kinds
// tell TServer what to do with its turntimer and computertimer.
struct GameEvent
{
    enum Kind {
        GameStarted,     // text = starter's name, text2 = type key
        BallLoaded,      // text = first letter, ballFor[seat] = the ball each seat is told
        NextPlayer,      // seat = who guesses (Nine Ball) or 0 = each receiver its own seat; row
        TimeUp,          // row; seats = who is told
        Submitted,       // seat
        NotValid,        // seat, text = guess (upper case), row; onlookers = Nine Ball
        Letters,         // seat, row, text = pattern, text2 = first five letters; onlookers
        WordList,        // seat, guesses = rows 1..5
        Guessed,         // seat, text = word, ball, score (1000 = none)
        NoOneGuessed,    // text = word
        Winner,          // seat
        Tie,             // text = names
        Impossible,
        WatchSwitched,   // seat, row = 1 watching / 2 playing
        TurnTimerStart,  // turntimer on (1 s period, restarted)
        TurnTimerStop,   // turntimer off
        ComputerTimerRestart, // computertimer off, then on with the bot delay, once
    };

    explicit GameEvent(Kind k, int s = 0) : kind(k), seat(s) {}

    Kind kind;
    int seat = 0;
    int row = 0;
    int ball = 0;
    int score = 0;
    bool onlookers = false;
    QString text;
    QString text2;
    QList<int> seats;
    QStringList guesses;
    std::array<int, 10> ballFor{};

    bool isTimer() const { return kind == TurnTimerStart || kind == TurnTimerStop || kind == ComputerTimerRestart; }

    // The message text (without the closing 0xFF) that a connected seat receives,
    // or an empty text when this seat is told nothing.
    QString messageFor(int receiver) const;
};

using GameEvents = QList<GameEvent>;

} // namespace brelvox
