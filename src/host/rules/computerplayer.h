// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QString>
#include <QStringList>

namespace brelvox {

class WordLists;

// What one search of the computer player came to.
struct ComputerGuess
{
    QString pattern; // the pattern searched with; the head start on a first guess
    QString guess;   // upper case; empty when it gave up
    int tries = 0;   // counted tries over all searches
    int searches = 0;
    bool found() const { return !guess.isEmpty(); }
};

// Dira: draws random spelling words with the word's first letter that agree with
// the word wherever its pattern says "s"; it does not reason over "c" or "x".
class ComputerPlayer
{
public:
    static constexpr int kTriesPerSearch = 1000;
    static constexpr int kCountdownThreshold = 4; // fresh searches only above it
    static constexpr int kMaxSearches = 64;       // a search loop always ends

    // "sssxx", "sxxsx", "sxsxs": two or three letters known for the first guess.
    static const QStringList &headStarts();

    // One guess for `word` (upper case). `pattern` is the seat's feedback pattern,
    // empty before its first guess of the word; `earlierGuesses` are its guesses of
    // this word, never repeated. Gives up at once when no unguessed word fits.
    static ComputerGuess computerfindword(const WordLists &lists, const QString &word, const QString &pattern,
                                          const QStringList &earlierGuesses, int countdown);

    // The candidate agrees with the word at positions 2..5 that the pattern marks "s".
    static bool fits(const QString &candidate, const QString &word, const QString &pattern);
};

} // namespace brelvox
