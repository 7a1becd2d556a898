// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "core/randomsource.h"

#include <chrono>

namespace brelvox {

RandomSource::RandomSource()
{
    seedFromClock();
}

RandomSource &RandomSource::instance()
{
    static RandomSource source;
    return source;
}

void RandomSource::seedFromClock()
{
    m_engine.seed(std::uint32_t(std::chrono::steady_clock::now().time_since_epoch().count()));
}

int RandomSource::below(int n)
{
    if (n <= 0)
        return 0;
    return std::uniform_int_distribution<int>(0, n - 1)(m_engine);
}

} // namespace brelvox
