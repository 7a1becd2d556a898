// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "core/randomsource.h"
#include "host/defaulthostoptions.h"
#include "host/tserver.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

using namespace brelvox;

namespace {

// A solo Most Balls game of Dira's with nobody connected, through TServer's handlers
// and dispatch: engine events, timer starts and stops, the computer's searches.
void serverGame(benchmark::State &state)
{
    DefaultHostOptions options;
    TServer server(options);
    RandomSource::instance().seed(99);
    std::int64_t steps = 0;
    for (auto _ : state) {
        server.startgame(QStringLiteral("Bench+most+"));
        for (int guard = 0; server.game().running && guard < 100000; ++guard, ++steps) {
            if (server.computertimer().isActive())
                server.computertimerTimer();
            else
                server.turntimerTimer();
        }
    }
    state.counters["steps/game"] = benchmark::Counter(double(steps) / double(state.iterations()));
}
BENCHMARK(serverGame)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv); // the timers need an event dispatcher
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
