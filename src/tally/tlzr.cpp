// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "tally/tlzr.h"

#include <algorithm>

namespace brelvox {

namespace {
constexpr std::uint8_t kFlagCompressed = 0x40;
constexpr std::uint8_t kFlagStored = 0x80;
constexpr std::size_t kMaxRun = 4095;
constexpr std::size_t kMaxMatch = 18;
} // namespace

TLZR::TLZR()
{
    m_hash.fill(-1);
}

std::size_t TLZR::compress(const std::uint8_t *src, std::size_t n, std::uint8_t *dst)
{
    m_hash.fill(-1);
    dst[0] = kFlagCompressed;
    std::size_t x = 0;
    std::size_t y = 3;
    std::size_t z = 1;
    unsigned bits = 0;
    std::uint16_t control = 0;

    // The hash of the last two positions may look past the chunk; no match starts
    // there, so those bytes only need to be readable, not meaningful.
    auto at = [&](std::size_t i) -> std::uint8_t { return i < n ? src[i] : 0; };

    while (x < n && y <= n) {
        if (bits > 15) {
            dst[z] = std::uint8_t(control >> 8);
            dst[z + 1] = std::uint8_t(control);
            z = y;
            y += 2;
            bits = 0;
        }
        std::size_t run = 1;
        const std::size_t runLimit = std::min(n - x, kMaxRun);
        while (run < runLimit && src[x + run] == src[x])
            ++run;
        if (run >= 16) {
            const std::size_t k = run - 16;
            dst[y] = 0;
            dst[y + 1] = std::uint8_t(k >> 8);
            dst[y + 2] = std::uint8_t(k);
            dst[y + 3] = src[x];
            y += 4;
            x += run;
            control = std::uint16_t((control << 1) | 1);
        } else {
            std::uint32_t v = (std::uint32_t(src[x]) << 4) ^ at(x + 1);
            v = (v << 4) ^ at(x + 2);
            const std::size_t h = ((v * 40543u) >> 4) & 0xFFF;
            const std::int16_t p = m_hash[h];
            m_hash[h] = std::int16_t(x);
            std::size_t m = 0;
            if (p != -1 && x - std::size_t(p) < 4096) {
                const std::size_t limit = std::min(n - x, kMaxMatch);
                while (m < limit && src[x + m] == src[std::size_t(p) + m])
                    ++m;
            }
            if (m >= 3) {
                const std::size_t item = ((x - std::size_t(p)) << 4) + (m - 3);
                dst[y] = std::uint8_t(item >> 8);
                dst[y + 1] = std::uint8_t(item);
                y += 2;
                x += m;
                control = std::uint16_t((control << 1) | 1);
            } else {
                dst[y] = src[x];
                y += 1;
                x += 1;
                control = std::uint16_t(control << 1);
            }
        }
        ++bits;
    }
    control = bits == 0 ? 0 : std::uint16_t(control << (16 - bits));
    dst[z] = std::uint8_t(control >> 8);
    dst[z + 1] = std::uint8_t(control);
    if (y > n) {
        dst[0] = kFlagStored;
        std::copy(src, src + n, dst + 1);
        return n + 1;
    }
    return y;
}

TLZR::Status TLZR::decompress(const std::uint8_t *src, std::size_t length, std::uint8_t *dst,
                              std::size_t *produced)
{
    *produced = 0;
    if (length <= 1)
        return Status::Ok;
    if (length > kMaxBlock)
        return Status::Damaged;
    if (src[0] == kFlagStored) {
        std::copy(src + 1, src + length, dst);
        *produced = length - 1;
        return Status::Ok;
    }
    if (length < 3)
        return Status::Damaged;

    std::uint16_t control = std::uint16_t((src[1] << 8) | src[2]);
    std::size_t pos = 3;
    std::size_t out = 0;
    unsigned bits = 16;
    while (pos < length) {
        if (bits == 0) {
            if (pos + 2 > length)
                return Status::Damaged;
            control = std::uint16_t((src[pos] << 8) | src[pos + 1]);
            pos += 2;
            bits = 16;
            if (pos >= length)
                break;
        }
        if (control & 0x8000) {
            if (pos + 2 > length)
                return Status::Damaged;
            const std::size_t distance = (std::size_t(src[pos]) << 4) | (src[pos + 1] >> 4);
            if (distance == 0) {
                if (pos + 4 > length)
                    return Status::Damaged;
                const std::size_t count = ((std::size_t(src[pos + 1]) << 8) | src[pos + 2]) + 16;
                if (count > kChunk - out)
                    return Status::Damaged;
                std::fill_n(dst + out, count, src[pos + 3]);
                out += count;
                pos += 4;
            } else {
                const std::size_t count = (src[pos + 1] & 0x0F) + 3;
                if (distance > out || count > kChunk - out)
                    return Status::Damaged;
                // One byte at a time: an overlapping copy repeats a pattern.
                for (std::size_t i = 0; i < count; ++i, ++out)
                    dst[out] = dst[out - distance];
                pos += 2;
            }
        } else {
            if (out >= kChunk)
                return Status::Damaged;
            dst[out++] = src[pos++];
        }
        control = std::uint16_t(control << 1);
        --bits;
    }
    *produced = out;
    return Status::Ok;
}

} // namespace brelvox
