// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <cstdint>
#include <random>
#include <string>

namespace brelvox::samples {

// English-like text: words from a small vocabulary with punctuation and line breaks.
inline std::string text(std::size_t size, unsigned seed = 7)
{
    static const char *words[] = {"the", "cue", "ball", "pocket", "guess", "word", "letter", "table",
                                  "player", "tally", "wins", "game", "nine", "race", "score", "rack",
                                  "shot", "corner", "side", "break", "and", "of", "to", "a"};
    std::mt19937 rng(seed);
    std::string out;
    while (out.size() < size) {
        out += words[rng() % (sizeof words / sizeof *words)];
        const unsigned r = rng() % 12;
        out += r == 0 ? ".\r\n" : r == 1 ? ", " : " ";
    }
    out.resize(size);
    return out;
}

// Bytes with no structure at all.
inline std::string random(std::size_t size, unsigned seed = 11)
{
    std::mt19937 rng(seed);
    std::string out(size, '\0');
    for (auto &c : out)
        c = char(rng());
    return out;
}

// Binary-like records: small integers, repeated headers, zero padding and some noise.
inline std::string binary(std::size_t size, unsigned seed = 13)
{
    std::mt19937 rng(seed);
    std::string out;
    std::uint32_t counter = 0;
    while (out.size() < size) {
        out += "REC\x01";
        for (int i = 0; i < 4; ++i)
            out += char((counter >> (8 * i)) & 0xFF);
        ++counter;
        const unsigned noise = rng() % 24;
        for (unsigned i = 0; i < noise; ++i)
            out += char(rng() % 64);
        out.append(rng() % 20, '\0');
    }
    out.resize(size);
    return out;
}

// Long runs of one byte value broken by short mixed stretches.
inline std::string runs(std::size_t size, unsigned seed = 17)
{
    std::mt19937 rng(seed);
    std::string out;
    while (out.size() < size) {
        out.append(16 + rng() % 6000, char(rng() % 4));
        out += random(rng() % 40, rng());
    }
    out.resize(size);
    return out;
}

} // namespace brelvox::samples
