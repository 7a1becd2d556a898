// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <cstdint>
#include <random>

namespace brelvox {

// The one source of chance in the program: seeded from the clock at start, tests seed it.
class RandomSource
{
public:
    static RandomSource &instance();
    void seed(std::uint32_t value) { m_engine.seed(value); }
    void seedFromClock();
    // 0 <= result < n; 0 when n <= 0.
    int below(int n);

private:
    RandomSource();
    std::mt19937 m_engine;
};

inline int randomBelow(int n) { return RandomSource::instance().below(n); }

} // namespace brelvox
