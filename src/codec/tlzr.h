// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace brelvox {

// LZRW1/KH block coder: one chunk of at most 32768 bytes per block, coded on its own.
//
// Block layout: byte 0 is a flag, 0x80 stored (the chunk follows unchanged) or 0x40
// compressed. A compressed block is groups of a 16-bit control word (high byte first)
// and up to 16 items, one per bit from the top: 0 a literal byte; 1 a two-byte copy
// (distance * 16 + length - 3, distance 1..4095, length 3..18) or, with distance 0, a
// four-byte run (0x00, count - 16 high byte first, the byte).
class TLZR
{
public:
    static constexpr std::size_t kChunk = 32768;
    // The coder may run up to 6 bytes past the chunk before it gives up and stores.
    static constexpr std::size_t kBlockBuffer = kChunk + 16;
    static constexpr std::size_t kMaxBlock = kChunk + 1;

    enum class Status { Ok, Damaged };

    TLZR();

    // Codes src[0..n) (n <= kChunk) into dst (room for kBlockBuffer bytes); returns L.
    std::size_t compress(const std::uint8_t *src, std::size_t n, std::uint8_t *dst);

    // Decodes a block of L bytes into dst (room for kChunk bytes). Items are checked
    // against the block and the output before they are taken (a whole group at once when
    // it fits), so a damaged block reads and writes nothing outside them.
    static Status decompress(const std::uint8_t *src, std::size_t length, std::uint8_t *dst,
                             std::size_t *produced);

private:
    std::array<std::int16_t, 4096> m_hash;
};

} // namespace brelvox
