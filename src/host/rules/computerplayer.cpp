// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "host/rules/computerplayer.h"

#include "core/randomsource.h"
#include "host/rules/wordlists.h"

#include <algorithm>
#include <vector>

namespace brelvox {

const QStringList &ComputerPlayer::headStarts()
{
    static const QStringList patterns{QStringLiteral("sssxx"), QStringLiteral("sxxsx"), QStringLiteral("sxsxs")};
    return patterns;
}

bool ComputerPlayer::fits(const QString &candidate, const QString &word, const QString &pattern)
{
    for (int i = 1; i < 5 && i < pattern.size(); ++i) {
        if (pattern.at(i) != QLatin1Char('s'))
            continue;
        if (i >= candidate.size() || i >= word.size() || candidate.at(i) != word.at(i))
            return false;
    }
    return true;
}

ComputerGuess ComputerPlayer::computerfindword(const WordLists &lists, const QString &word, const QString &pattern,
                                               const QStringList &earlierGuesses, int countdown)
{
    ComputerGuess result;
    result.pattern = pattern.isEmpty() ? headStarts().at(randomBelow(int(headStarts().size()))) : pattern;
    if (word.isEmpty())
        return result;

    // Drawing among the words with the right first letter that were not guessed yet
    // is the same as drawing from the whole list and skipping the others uncounted,
    // without thousands of wasted draws on a rare letter.
    const QStringList &sameLetter = lists.startingWith(word.at(0));
    std::vector<const QString *> pool;
    pool.reserve(sameLetter.size());
    bool anyFits = false;
    for (const QString &candidate : sameLetter) {
        if (earlierGuesses.contains(candidate))
            continue;
        pool.push_back(&candidate);
        anyFits = anyFits || fits(candidate, word, result.pattern);
    }
    if (!anyFits)
        return result;

    const int poolSize = int(pool.size());
    do {
        ++result.searches;
        for (int tries = 0; tries < kTriesPerSearch; ++tries) {
            const QString &pick = *pool[randomBelow(poolSize)];
            ++result.tries;
            if (fits(pick, word, result.pattern)) {
                result.guess = pick;
                return result;
            }
        }
    } while (countdown > kCountdownThreshold && result.searches < kMaxSearches);
    return result;
}

} // namespace brelvox
