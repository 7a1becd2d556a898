// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include "fuzzcheck.h"
#include "tally/tlzrw1.h"

#include <algorithm>
#include <optional>
#include <sstream>
#include <string>

namespace brelvox::fuzz {

// The container tool in stream mode over strings; a refused input gives nothing.
inline std::optional<std::string> decompress(const std::string &packed)
{
    Tlzrw1 lz;
    lz.setUseStream(true);
    std::istringstream in(packed);
    std::ostringstream out;
    lz.setInputStream(&in);
    lz.setOutputStream(&out);
    try {
        const std::int64_t written = lz.Decompress();
        FUZZ_CHECK(written == std::int64_t(out.str().size()));
    } catch (const ELzrw1Exception &) {
        return std::nullopt;
    }
    return out.str();
}

inline std::string compress(const std::string &plain, TCompressMode mode)
{
    Tlzrw1 lz;
    lz.setUseStream(true);
    lz.setCompressMode(mode);
    std::istringstream in(plain);
    std::ostringstream out;
    lz.setInputStream(&in);
    lz.setOutputStream(&out);
    const std::int64_t written = lz.Compress();
    FUZZ_CHECK(written == std::int64_t(out.str().size()));
    return out.str();
}

// The size a container's header promises.
inline std::uint32_t promisedSize(const std::string &packed)
{
    FUZZ_CHECK(packed.size() >= 8);
    std::uint32_t v = 0;
    for (int i = 7; i >= 4; --i)
        v = v << 8 | std::uint8_t(packed[std::size_t(i)]);
    return v;
}

// The plain text of a round trip. An input whose first byte has the top bit set stands for
// its rest repeated to ((byte0 & 0x7F) << 8 | byte1) * scale bytes, so short inputs
// reach the several chunks and the exact chunk multiples a long file has.
inline std::string plainFrom(const std::uint8_t *data, std::size_t size, std::size_t scale)
{
    if (size < 3 || !(data[0] & 0x80))
        return std::string(reinterpret_cast<const char *>(data), size);
    const std::size_t length = (std::size_t(data[0] & 0x7F) << 8 | data[1]) * scale;
    std::string plain;
    plain.reserve(length);
    while (plain.size() < length)
        plain.append(reinterpret_cast<const char *>(data + 2), std::min(size - 2, length - plain.size()));
    return plain;
}

} // namespace brelvox::fuzz
