// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QString>

#include <array>

namespace brelvox {

// What the rules know of one seat. The connection itself stays with TServer.
struct SeatState
{
    QString name;          // from the login; emptied when the seat is left
    QString alternateName; // shown when name is empty: "Dira" for seat 2
    bool connected = false;
    bool watching = false;  // takes no turns and is not waited for
    bool submitted = false; // handed in a guess (or timed out) in the open row
    bool lateForRow = false; // sat down while the row ran: it cannot type until the next one
    int score = 0;          // High Score Game: sum of ball numbers; else words found
    int raceCount = 1;      // Race to 9: number of the seat's next ball
    QString currentGuess;   // last guess, upper case
    std::array<QString, 6> guesses; // [1..5]: first five letters of the guess in that row
    QString pattern;        // feedback of the last guess, or the computer's head start

    QString displayName() const { return name.isEmpty() ? alternateName : name; }
    bool playing() const { return connected && !watching; }
    // The open row waits for this seat's guess.
    bool owesGuess() const { return playing() && !submitted && !lateForRow; }
};

} // namespace brelvox
