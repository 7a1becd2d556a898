// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

namespace brelvox {

// LZHUF: LZSS over a 4096-byte ring (4036 spaces first, look-ahead 60, threshold 2)
// with an adaptive Huffman code over 314 symbols (bytes, then match lengths 3..60) and
// a fixed code for the upper 6 bits of a match position. Bits are packed most
// significant first; the last byte is padded with zeros.
class TLZH
{
public:
    // Fills buf with up to max bytes and returns how many; 0 at the end. Throws on failure.
    using Reader = std::function<std::size_t(std::uint8_t *buf, std::size_t max)>;
    // Takes all n bytes or throws.
    using Writer = std::function<void(const std::uint8_t *buf, std::size_t n)>;

    static constexpr std::size_t kPiece = 32768;

    // Codes everything read; returns the number of code bytes written.
    std::uint64_t encode(const Reader &read, const Writer &write);

    // Produces at most size bytes and returns how many. Past the end of the input the
    // stream reads as zero bits for the padding only: a stream that runs out long before
    // size is cut short, so a forged size cannot make a few bytes decode into gigabytes.
    std::uint64_t decode(std::uint64_t size, const Reader &read, const Writer &write);
};

} // namespace brelvox
