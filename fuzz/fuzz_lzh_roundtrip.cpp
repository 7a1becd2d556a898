// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
// Any bytes through the Good mode of the container tool and back unchanged. Long
// inputs go up to two of the coder's 32768-byte reads: this coder is the slow one.
#include "codecstream.h"

using namespace brelvox;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string plain = fuzz::plainFrom(data, size, 2);
    const std::string packed = fuzz::compress(plain, TCompressMode::Good);
    FUZZ_CHECK(fuzz::promisedSize(packed) == plain.size());
    const auto back = fuzz::decompress(packed);
    FUZZ_CHECK(back.has_value());
    FUZZ_CHECK(*back == plain);
    return 0;
}
