// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

// The LZRW1/KH block coder written plainly, one byte and one check at a time: the
// word-wise coder must give the same blocks, and its decoder the same verdicts and bytes.

#include <array>
#include <cstddef>
#include <cstdint>

namespace brelvox::fuzz::plain {

constexpr std::size_t kChunk = 32768;

inline std::size_t compress(const std::uint8_t *src, std::size_t n, std::uint8_t *dst)
{
    std::array<int, 4096> table;
    table.fill(-1);
    auto at = [&](std::size_t i) -> std::uint32_t { return i < n ? src[i] : 0; };
    dst[0] = 0x40;
    std::size_t x = 0, y = 3, z = 1;
    unsigned bits = 0, control = 0;
    while (x < n && y <= n) {
        if (bits > 15) {
            dst[z] = std::uint8_t(control >> 8);
            dst[z + 1] = std::uint8_t(control);
            z = y;
            y += 2;
            bits = 0;
        }
        std::size_t run = 1;
        while (run < n - x && run < 4095 && src[x + run] == src[x])
            ++run;
        std::size_t m = 0;
        std::size_t distance = 0;
        if (run < 16) {
            const std::uint32_t v = (((at(x) << 4) ^ at(x + 1)) << 4) ^ at(x + 2);
            const std::size_t h = ((v * 40543u) >> 4) & 0xFFF;
            const int p = table[h];
            table[h] = int(x);
            if (p != -1 && x - std::size_t(p) < 4096) {
                distance = x - std::size_t(p);
                while (m < 18 && x + m < n && src[x + m] == src[std::size_t(p) + m])
                    ++m;
            }
        }
        if (run >= 16) {
            dst[y] = 0;
            dst[y + 1] = std::uint8_t((run - 16) >> 8);
            dst[y + 2] = std::uint8_t(run - 16);
            dst[y + 3] = src[x];
            y += 4;
            x += run;
            control = (control << 1) | 1;
        } else if (m >= 3) {
            dst[y] = std::uint8_t((distance << 4 | (m - 3)) >> 8);
            dst[y + 1] = std::uint8_t(distance << 4 | (m - 3));
            y += 2;
            x += m;
            control = (control << 1) | 1;
        } else {
            dst[y++] = src[x++];
            control <<= 1;
        }
        ++bits;
    }
    control = bits == 0 ? 0 : control << (16 - bits);
    dst[z] = std::uint8_t(control >> 8);
    dst[z + 1] = std::uint8_t(control);
    if (y > n) {
        dst[0] = 0x80;
        for (std::size_t i = 0; i < n; ++i)
            dst[1 + i] = src[i];
        return n + 1;
    }
    return y;
}

// False for a damaged block; *produced is then 0.
inline bool decompress(const std::uint8_t *src, std::size_t length, std::uint8_t *dst, std::size_t *produced)
{
    *produced = 0;
    if (length <= 1)
        return true;
    if (length > kChunk + 1)
        return false;
    if (src[0] == 0x80) {
        for (std::size_t i = 1; i < length; ++i)
            dst[i - 1] = src[i];
        *produced = length - 1;
        return true;
    }
    if (length < 3)
        return false;
    unsigned control = unsigned(src[1]) << 8 | src[2];
    std::size_t pos = 3, out = 0;
    unsigned bits = 16;
    while (pos < length) {
        if (bits == 0) {
            if (pos + 2 > length)
                return false;
            control = unsigned(src[pos]) << 8 | src[pos + 1];
            pos += 2;
            bits = 16;
            if (pos >= length)
                break;
        }
        if (control & 0x8000) {
            if (pos + 2 > length)
                return false;
            const std::size_t distance = std::size_t(src[pos]) << 4 | src[pos + 1] >> 4;
            if (distance == 0) {
                if (pos + 4 > length)
                    return false;
                const std::size_t count = (std::size_t(src[pos + 1]) << 8 | src[pos + 2]) + 16;
                if (count > kChunk - out)
                    return false;
                for (std::size_t i = 0; i < count; ++i)
                    dst[out++] = src[pos + 3];
                pos += 4;
            } else {
                const std::size_t count = (src[pos + 1] & 0x0F) + 3u;
                if (distance > out || count > kChunk - out)
                    return false;
                for (std::size_t i = 0; i < count; ++i, ++out)
                    dst[out] = dst[out - distance];
                pos += 2;
            }
        } else {
            if (out >= kChunk)
                return false;
            dst[out++] = src[pos++];
        }
        control <<= 1;
        --bits;
    }
    *produced = out;
    return true;
}

} // namespace brelvox::fuzz::plain
