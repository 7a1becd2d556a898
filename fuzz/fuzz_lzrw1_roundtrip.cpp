// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
// Any bytes through the Fast mode of the container tool and back unchanged, up
// to four 32768-byte chunks; every chunk's block equal to the plain coder's.
#include "codecstream.h"
#include "lzrw1plain.h"
#include "codec/tlzr.h"

#include <memory>
#include <vector>

using namespace brelvox;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string plain = fuzz::plainFrom(data, size, 4);
    const std::string packed = fuzz::compress(plain, TCompressMode::Fast);
    FUZZ_CHECK(fuzz::promisedSize(packed) == plain.size());
    const auto back = fuzz::decompress(packed);
    FUZZ_CHECK(back.has_value());
    FUZZ_CHECK(*back == plain);

    TLZR lzr;
    std::vector<std::uint8_t> fast(TLZR::kBlockBuffer);
    std::vector<std::uint8_t> slow(TLZR::kBlockBuffer);
    for (std::size_t at = 0; at < plain.size(); at += TLZR::kChunk) {
        // The chunk alone on the heap: the coder must not read past it.
        const std::size_t length = std::min(plain.size() - at, TLZR::kChunk);
        auto chunk = std::make_unique<std::uint8_t[]>(length);
        std::copy_n(plain.data() + at, length, chunk.get());
        const std::size_t n = lzr.compress(chunk.get(), length, fast.data());
        FUZZ_CHECK(n == fuzz::plain::compress(chunk.get(), length, slow.data()));
        FUZZ_CHECK(std::equal(fast.begin(), fast.begin() + std::ptrdiff_t(n), slow.begin()));
    }
    return 0;
}
