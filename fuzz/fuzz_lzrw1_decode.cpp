// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
// Any bytes as the body of a "WRZL" container: refused with an error or decoded to
// exactly the size its header promises, never more.
#include "codecstream.h"

using namespace brelvox;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string packed = std::string("WRZL") + std::string(reinterpret_cast<const char *>(data), size);
    const auto plain = fuzz::decompress(packed);
    if (plain)
        FUZZ_CHECK(plain->size() == fuzz::promisedSize(packed));
    return 0;
}
