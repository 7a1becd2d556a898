// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "host/rules/judge.h"

#include <algorithm>

namespace brelvox::judge {

QString feedbackPattern(const QString &guess, const QString &word)
{
    constexpr int kLength = 5;
    const QString g = guess.left(kLength).toUpper();
    const QString w = word.left(kLength).toUpper();
    QString pattern(kLength, QLatin1Char('x'));
    std::array<bool, kLength> exact{};
    for (int i = 0; i < kLength; ++i) {
        exact[i] = i < g.size() && i < w.size() && g.at(i) == w.at(i);
        if (exact[i])
            pattern[i] = QLatin1Char('s');
    }
    for (int i = 0; i < kLength && i < g.size(); ++i) {
        if (exact[i])
            continue;
        for (int j = 0; j < w.size(); ++j) {
            if (j != i && !exact[j] && w.at(j) == g.at(i)) {
                pattern[i] = QLatin1Char('c');
                break;
            }
        }
    }
    return pattern;
}

int pointsLeft(GameType type, int round)
{
    switch (scoringOf(type)) {
    case Scoring::Points: {
        int sum = 0;
        for (int ball = std::max(round, 1); ball <= 9; ++ball)
            sum += ball;
        return sum;
    }
    case Scoring::Balls:
        return std::max(9 - round, 0);
    case Scoring::LastBall:
    case Scoring::Race:
        break;
    }
    return 0;
}

bool checkforcantwin(GameType type, int round, const SeatScores &scores)
{
    if (scoringOf(type) != Scoring::Points && scoringOf(type) != Scoring::Balls)
        return false;
    const int left = pointsLeft(type, round);
    const auto best = std::max_element(scores.begin(), scores.end());
    for (auto it = scores.begin(); it != scores.end(); ++it) {
        if (it != best && *it + left >= *best)
            return false;
    }
    return true;
}

Outcome findwinner(GameType type, int pocketingSeat, const SeatScores &scores, const SeatNames &names)
{
    Outcome outcome;
    if (type == GameType::None)
        return outcome;
    if (scoringOf(type) == Scoring::LastBall || scoringOf(type) == Scoring::Race) {
        if (pocketingSeat >= 1 && pocketingSeat <= int(scores.size()))
            outcome.winner = pocketingSeat;
        return outcome;
    }
    const int best = *std::max_element(scores.begin(), scores.end());
    const auto tied = std::count(scores.begin(), scores.end(), best);
    if (tied == 1) {
        outcome.winner = int(std::find(scores.begin(), scores.end(), best) - scores.begin()) + 1;
        return outcome;
    }
    for (size_t i = 0; i < scores.size(); ++i) {
        if (scores[i] != best)
            continue;
        // A seat whose player left has no name; a bare " and " would hide who tied.
        const QString name = names[i].isEmpty() ? QStringLiteral("Player %1").arg(i + 1) : names[i];
        outcome.tieText = outcome.tieText.isEmpty() ? name : name + QLatin1String(" and ") + outcome.tieText;
    }
    return outcome;
}

} // namespace brelvox::judge
