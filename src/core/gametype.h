// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QString>
#include <span>

namespace brelvox {

// None until a game start names one of the keys in the table.
enum class GameType { None, Nine, Race, Most, High };

// How a game is won.
enum class Scoring {
    LastBall, // whoever pockets the nine ball
    Race,     // the first seat to pocket nine balls of its own
    Balls,    // the most balls pocketed, one a word
    Points,   // the most points, a word scoring its round's number
};

// One game type as the host rules and the client both know it.
struct GameTypeInfo {
    GameType type;
    const char *key;        // on the wire: "most", "high", "nine", "race"
    int option;             // the game-options box and the settings file's Gametype, 1..4
    const char *caption;    // beside the game-options box
    const char *header;     // over the grid after a game start
    const char *lateHeader; // over the grid after joining a running game
    bool sharedRow;         // everybody guesses each row at once; else turns round the table
    Scoring scoring;
};

// Every game type, in the order of their options.
std::span<const GameTypeInfo> gameTypes();
// The type with this key (case matters), option or type; nullptr for none.
const GameTypeInfo *gameTypeByKey(const QString &key);
const GameTypeInfo *gameTypeByOption(int option);
const GameTypeInfo *gameTypeInfo(GameType type);

// The type of a key; None for anything not in the table.
GameType gameTypeFromKey(const QString &key);
// The wire key; empty for None.
QString gameTypeKey(GameType type);
// Everybody guesses each row at once (false for None).
bool isSharedRow(GameType type);
// The seats guess in turns round the table (false for None).
bool takesTurns(GameType type);
// How type is won; LastBall for None.
Scoring scoringOf(GameType type);

} // namespace brelvox
