// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QString>
#include <array>

namespace brelvox {

// The host's game beside the player table: filled by the round and judging code, read
// when a newcomer joins a running game.
struct HostGameState
{
    enum class Type { None, Nine, Most, High, Race };

    Type type = Type::None;
    bool running = false;
    int round = 0;         // the ball played for, 1..9; 0 before the first word
    int row = 0;           // open row of the word, 1..5; 0 before the first word
    int currentPlayer = 0; // Nine Ball: the seat holding the turn
    int nextStartSeat = 0;
    bool wordOpen = false;
    QString word;          // upper case
    std::array<int, 10> ballOwners{}; // [1..9]: seat that pocketed the ball, 0 for none
    int turnCountdown = 0;

    // "nine", "most", "high", "race"; empty for None.
    static QString typeKey(Type type);
    // The type of a key, None for any other text.
    static Type typeFromKey(const QString &key);
};

} // namespace brelvox
