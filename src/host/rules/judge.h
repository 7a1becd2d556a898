// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include "core/gametype.h"

#include <QString>

#include <array>

namespace brelvox::judge {

// Scores and names of seats 1..5, seat 1 first.
using SeatScores = std::array<int, 5>;
using SeatNames = std::array<QString, 5>;

// "s" right place, "c" elsewhere in the word at a place not matched exactly,
// "x" neither; letters are not counted. Case is ignored; always five characters,
// positions missing from either text are "x".
QString feedbackPattern(const QString &guess, const QString &word);

// Points still to play for once ball `round` has been scored: High Score Game the
// ball numbers round..9, Most Balls Pocketed 9 - round; 0 for the other types.
int pointsLeft(GameType type, int round);

// After ball `round` was scored: true when no seat but the leader (the lowest seat
// with the best score) can still reach the leader's score. Always false in Nine
// Ball and Race to 9.
bool checkforcantwin(GameType type, int round, const SeatScores &scores);

struct Outcome
{
    int winner = 0;  // the winning seat, 0 for a tie or no result
    QString tieText; // names of the tied seats, the last such seat first
    bool isTie() const { return winner == 0 && !tieText.isEmpty(); }
};

// The game's result. Nine Ball and Race to 9: `pocketingSeat` wins (no result for
// a seat outside 1..5). Most Balls and High Score: the best score wins; a shared
// best gives the tie text, built seat by seat with each name put in front.
Outcome findwinner(GameType type, int pocketingSeat, const SeatScores &scores, const SeatNames &names);

} // namespace brelvox::judge
