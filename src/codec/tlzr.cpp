// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "codec/tlzr.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace brelvox {

namespace {
constexpr std::uint8_t kFlagCompressed = 0x40;
constexpr std::uint8_t kFlagStored = 0x80;
constexpr std::size_t kMaxRun = 4095;
constexpr std::size_t kMaxMatch = 18;
constexpr std::size_t kMinRun = 16;
constexpr std::size_t kWindow = 4096;

// An empty hash slot names a position a whole window back, so the distance test alone
// rejects it.
constexpr std::int16_t kEmpty = -std::int16_t(kWindow);

// The bytes of an 8-byte load that hold its first three bytes.
constexpr std::uint64_t kFirstThree =
    std::endian::native == std::endian::little ? 0xFFFFFFull : 0xFFFFFFull << 40;

// The coder reads whole words while at least this much of the chunk lies ahead: a run
// test of 16 bytes and a match of 18 taken 8 bytes at a time.
constexpr std::size_t kWordTail = 24;

// The decoder takes a group without per-item bounds checks while this much block and
// output remain: 16 items of at most 4 bytes plus one 16-byte literal load, and 16 items
// of at most 18 bytes, the last of which may store 24 bytes from its start.
constexpr std::ptrdiff_t kGroupIn = 16 * 4 + 16;
constexpr std::ptrdiff_t kGroupOut = 16 * kMaxMatch + 16;

// The control word sits in the top 16 bits with a marker bit under it, so the group is
// done when only the marker is left and a run of literals is its leading zero count.
constexpr std::uint32_t kGroupDone = 0x80000000u;

std::uint64_t load64(const std::uint8_t *p)
{
    std::uint64_t v;
    std::memcpy(&v, p, 8);
    return v;
}

// Index of the first unequal byte of two unequal 8-byte loads.
std::size_t firstDifference(std::uint64_t diff)
{
    if constexpr (std::endian::native == std::endian::little)
        return std::size_t(std::countr_zero(diff)) >> 3;
    else
        return std::size_t(std::countl_zero(diff)) >> 3;
}

// Length of the run of src[x] from x on, at most limit; word-wise only with kWordTail
// bytes ahead. Below kMinRun the exact length does not matter, only that it is short.
std::size_t runAt(const std::uint8_t *src, std::size_t x, std::size_t n)
{
    const std::size_t limit = std::min(n - x, kMaxRun);
    if (limit < kMinRun || src[x + 1] != src[x])
        return 1;
    std::size_t run = 1;
    if (n - x >= kWordTail) {
        const std::uint64_t pattern = src[x] * 0x0101010101010101ull;
        if (load64(src + x) != pattern || load64(src + x + 8) != pattern)
            return 1;
        run = kMinRun;
        while (run + 8 <= limit) {
            const std::uint64_t diff = load64(src + x + run) ^ pattern;
            if (diff)
                return run + firstDifference(diff);
            run += 8;
        }
    }
    while (run < limit && src[x + run] == src[x])
        ++run;
    return run;
}

std::size_t hashAt(std::uint32_t a, std::uint32_t b, std::uint32_t c)
{
    const std::uint32_t v = (a << 8) ^ (b << 4) ^ c;
    return ((v * 40543u) >> 4) & 0xFFF;
}

// Equal bytes at x and p (p < x), at most 18 and never past the chunk.
std::size_t matchAt(const std::uint8_t *src, std::size_t x, std::size_t p, std::size_t n)
{
    std::size_t m = 0;
    if (n - x >= kWordTail) {
        std::uint64_t diff = load64(src + x) ^ load64(src + p);
        if (diff)
            return firstDifference(diff);
        diff = load64(src + x + 8) ^ load64(src + p + 8);
        if (diff)
            return 8 + firstDifference(diff);
        m = 16;
    }
    const std::size_t limit = std::min(n - x, kMaxMatch);
    while (m < limit && src[x + m] == src[p + m])
        ++m;
    return m;
}
} // namespace

TLZR::TLZR()
{
    m_hash.fill(kEmpty);
}

std::size_t TLZR::compress(const std::uint8_t *src, std::size_t n, std::uint8_t *dst)
{
    m_hash.fill(kEmpty);
    dst[0] = kFlagCompressed;
    std::size_t x = 0;
    std::size_t y = 3;
    std::size_t z = 1;
    unsigned bits = 0;
    std::uint16_t control = 0;

    while (x < n && y <= n) {
        if (bits > 15) {
            dst[z] = std::uint8_t(control >> 8);
            dst[z + 1] = std::uint8_t(control);
            z = y;
            y += 2;
            bits = 0;
        }
        std::size_t run = 1;
        std::size_t m = 0;
        std::size_t distance = 0;
        if (n - x >= kWordTail) {
            // One well-predicted test each for a run and for a match of at least 3.
            const std::uint64_t head = load64(src + x);
            const std::uint64_t pattern = src[x] * 0x0101010101010101ull;
            if (((head ^ pattern) | (load64(src + x + 8) ^ pattern)) == 0) {
                run = runAt(src, x, n);
            } else {
                const std::size_t h = hashAt(src[x], src[x + 1], src[x + 2]);
                distance = x - std::size_t(std::ptrdiff_t(m_hash[h]));
                m_hash[h] = std::int16_t(x);
                const bool near = distance < kWindow;
                const std::uint8_t *from = src + (near ? x - distance : x);
                const std::uint64_t diff = head ^ load64(from);
                if (near & ((diff & kFirstThree) == 0)) {
                    if (diff) {
                        m = firstDifference(diff);
                    } else {
                        const std::uint64_t more = load64(src + x + 8) ^ load64(from + 8);
                        if (more)
                            m = 8 + firstDifference(more);
                        else
                            m = 16 + (src[x + 16] == from[16] ? 1 + (src[x + 17] == from[17]) : 0);
                    }
                }
            }
        } else {
            run = runAt(src, x, n);
            if (run < kMinRun) {
                // The hash of the last two positions may look past the chunk; no match
                // starts there, so those bytes only need to be readable, not meaningful.
                const std::size_t h = hashAt(src[x], x + 1 < n ? src[x + 1] : 0, x + 2 < n ? src[x + 2] : 0);
                distance = x - std::size_t(std::ptrdiff_t(m_hash[h]));
                m_hash[h] = std::int16_t(x);
                if (distance < kWindow)
                    m = matchAt(src, x, x - distance, n);
            }
        }
        if (run >= kMinRun) {
            const std::size_t k = run - kMinRun;
            dst[y] = 0;
            dst[y + 1] = std::uint8_t(k >> 8);
            dst[y + 2] = std::uint8_t(k);
            dst[y + 3] = src[x];
            y += 4;
            x += run;
            control = std::uint16_t((control << 1) | 1);
        } else if (m >= 3) {
            const std::size_t item = (distance << 4) + (m - 3);
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

    const std::uint8_t *in = src + 1;
    const std::uint8_t *const inEnd = src + length;
    std::uint8_t *out = dst;
    std::uint8_t *const outEnd = dst + kChunk;
    std::uint32_t control = kGroupDone;
    for (;;) {
        if (control == kGroupDone) {
            if (in == inEnd)
                break;
            if (inEnd - in < 2)
                return Status::Damaged;
            control = std::uint32_t(in[0]) << 24 | std::uint32_t(in[1]) << 16 | 0x8000u;
            in += 2;
        }
        if (inEnd - in >= kGroupIn && outEnd - out >= kGroupOut) {
            // Room for the rest of the group: only a copy's distance and a run's count
            // need checking, and copies may move whole words.
            do {
                if (!(control & 0x80000000u)) {
                    const int literals = std::countl_zero(control);
                    std::memcpy(out, in, 16);
                    out += literals;
                    in += literals;
                    control <<= literals;
                    continue;
                }
                control <<= 1;
                const std::size_t distance = (std::size_t(in[0]) << 4) | (in[1] >> 4);
                if (distance != 0) {
                    const std::size_t count = (in[1] & 0x0F) + 3;
                    if (distance > std::size_t(out - dst))
                        return Status::Damaged;
                    const std::uint8_t *from = out - distance;
                    if (distance >= 8) {
                        // Each word's source lies wholly before its destination.
                        std::memcpy(out, from, 8);
                        std::memcpy(out + 8, from + 8, 8);
                        if (count > 16)
                            std::memcpy(out + 16, from + 16, 8);
                    } else {
                        // An overlapping copy repeats a pattern, so byte by byte.
                        for (std::size_t i = 0; i < count; ++i)
                            out[i] = from[i];
                    }
                    out += count;
                    in += 2;
                } else {
                    const std::size_t count = ((std::size_t(in[1]) << 8) | in[2]) + kMinRun;
                    if (count > std::size_t(outEnd - out))
                        return Status::Damaged;
                    std::memset(out, in[3], count);
                    out += count;
                    in += 4;
                    if (outEnd - out < kGroupOut)
                        break;
                }
            } while (control != kGroupDone);
            continue;
        }
        // Near the end of the block or the output: one item, every bound checked. A block
        // may end inside a group.
        if (in == inEnd)
            break;
        if (control & 0x80000000u) {
            if (inEnd - in < 2)
                return Status::Damaged;
            const std::size_t distance = (std::size_t(in[0]) << 4) | (in[1] >> 4);
            if (distance == 0) {
                if (inEnd - in < 4)
                    return Status::Damaged;
                const std::size_t count = ((std::size_t(in[1]) << 8) | in[2]) + kMinRun;
                if (count > std::size_t(outEnd - out))
                    return Status::Damaged;
                std::memset(out, in[3], count);
                out += count;
                in += 4;
            } else {
                const std::size_t count = (in[1] & 0x0F) + 3;
                if (distance > std::size_t(out - dst) || count > std::size_t(outEnd - out))
                    return Status::Damaged;
                const std::uint8_t *from = out - distance;
                for (std::size_t i = 0; i < count; ++i)
                    out[i] = from[i];
                out += count;
                in += 2;
            }
        } else {
            if (out == outEnd)
                return Status::Damaged;
            *out++ = *in++;
        }
        control <<= 1;
    }
    *produced = std::size_t(out - dst);
    return Status::Ok;
}

} // namespace brelvox
