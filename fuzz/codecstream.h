// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include "fuzzcheck.h"
#include "support/lzrw1strings.h"

#include <algorithm>
#include <optional>
#include <string>

namespace brelvox::fuzz {

// A refused input gives nothing; a wrong byte count aborts inside the helper.
inline std::optional<std::string> decompress(const std::string &packed)
{
    try {
        return support::lzrw1Decompress(packed);
    } catch (const ELzrw1Exception &) {
        return std::nullopt;
    }
}

inline std::string compress(const std::string &plain, TCompressMode mode)
{
    return support::lzrw1Compress(plain, mode);
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
