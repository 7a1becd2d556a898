// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include "codec/tlzrw1.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

// The container tool in stream mode over strings, for the tests, benchmarks and fuzzers.
// A refused input throws ELzrw1Exception; a byte count that differs from what the tool
// wrote aborts, since every caller relies on it.
namespace brelvox::support {

namespace detail {
inline std::string runLzrw1(const std::string &input, bool packing, TCompressMode mode)
{
    Tlzrw1 lz;
    lz.setUseStream(true);
    if (packing)
        lz.setCompressMode(mode);
    std::istringstream in(input);
    std::ostringstream out;
    lz.setInputStream(&in);
    lz.setOutputStream(&out);
    const std::int64_t written = packing ? lz.Compress() : lz.Decompress();
    std::string result = out.str();
    if (written != std::int64_t(result.size())) {
        std::fprintf(stderr, "%s returned %lld for %lld bytes\n", packing ? "Compress" : "Decompress",
                     static_cast<long long>(written), static_cast<long long>(result.size()));
        std::abort();
    }
    return result;
}
} // namespace detail

inline std::string lzrw1Compress(const std::string &plain, TCompressMode mode)
{
    return detail::runLzrw1(plain, true, mode);
}

inline std::string lzrw1Decompress(const std::string &packed)
{
    return detail::runLzrw1(packed, false, TCompressMode::Fast);
}

} // namespace brelvox::support
