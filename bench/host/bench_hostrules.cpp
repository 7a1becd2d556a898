// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "core/randomsource.h"
#include "host/rules/computerplayer.h"
#include "host/rules/gameengine.h"
#include "host/rules/judge.h"
#include "host/rules/wordlists.h"

#include <benchmark/benchmark.h>

using namespace brelvox;

namespace {

const WordLists &lists()
{
    static const WordLists shipped = WordLists::shipped();
    return shipped;
}

void feedbackPattern(benchmark::State &state)
{
    const QStringList &answers = lists().answers();
    const QString word = QStringLiteral("SPEED");
    qsizetype i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(judge::feedbackPattern(answers[i], word));
        i = (i + 1) % answers.size();
    }
}
BENCHMARK(feedbackPattern);

void spellingLookup(benchmark::State &state)
{
    const QStringList guesses{"crane", "QZXVJ", "Zowie", "about"};
    qsizetype i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(lists().isWord(guesses[i]));
        i = (i + 1) & 3;
    }
}
BENCHMARK(spellingLookup);

// "S" has the most spelling words, "X" the fewest; a first guess with a head start.
void computerFindWord(benchmark::State &state)
{
    const QString word = state.range(0) == 0 ? QStringLiteral("SHEEP") : QStringLiteral("XEROX");
    RandomSource::instance().seed(7);
    for (auto _ : state)
        benchmark::DoNotOptimize(ComputerPlayer::computerfindword(lists(), word, QString(), {}, 22));
    state.SetLabel(word.toStdString());
}
BENCHMARK(computerFindWord)->Arg(0)->Arg(1);

// A Most Balls Pocketed game with two persons and Dira, every row played out,
// the pauses ticked through.
void simulatedGame(benchmark::State &state)
{
    WordLists words = WordLists::shipped();
    RandomSource::instance().seed(99);
    const QString miss = QStringLiteral("QQQQQ");
    for (auto _ : state) {
        GameEngine engine(words);
        engine.seatTaken(1);
        engine.seatNamed(1, QStringLiteral("Alice"));
        engine.seatTaken(3);
        engine.seatNamed(3, QStringLiteral("Carol"));
        engine.startgame(QStringLiteral("Alice"), QStringLiteral("most"));
        int events = 0;
        while (engine.state().running) {
            if (!engine.state().wordOpen) {
                events += int(engine.turntimerTimer().size());
                continue;
            }
            events += int(engine.computertimerTimer().size());
            if (!engine.state().wordOpen)
                continue;
            events += int(engine.myword(1, lists().randomCandidate()).size());
            const QString guess = engine.state().row == 3 ? engine.state().word : miss;
            events += int(engine.myword(3, guess).size());
        }
        benchmark::DoNotOptimize(events);
    }
}
BENCHMARK(simulatedGame)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
