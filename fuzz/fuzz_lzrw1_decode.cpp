// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
// Any bytes as the body of a "WRZL" container: refused with an error or decoded to
// exactly the size its header promises, never more. The same bytes as one block, into
// an output of exactly 32768 bytes: the same verdict and bytes as the plain decoder.
#include "codecstream.h"
#include "lzrw1plain.h"
#include "codec/tlzr.h"

#include <memory>

using namespace brelvox;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string packed = std::string("WRZL") + std::string(reinterpret_cast<const char *>(data), size);
    const auto plain = fuzz::decompress(packed);
    if (plain)
        FUZZ_CHECK(plain->size() == fuzz::promisedSize(packed));

    // Heap blocks of exact size, so a read or write one byte outside is a finding.
    const std::size_t length = std::min(size, TLZR::kMaxBlock);
    auto block = std::make_unique<std::uint8_t[]>(length);
    std::copy(data, data + length, block.get());
    auto fast = std::make_unique<std::uint8_t[]>(TLZR::kChunk);
    auto slow = std::make_unique<std::uint8_t[]>(TLZR::kChunk);
    std::size_t fastProduced = 0;
    std::size_t slowProduced = 0;
    const bool fastOk = TLZR::decompress(block.get(), length, fast.get(), &fastProduced) == TLZR::Status::Ok;
    const bool slowOk = fuzz::plain::decompress(block.get(), length, slow.get(), &slowProduced);
    FUZZ_CHECK(fastOk == slowOk);
    FUZZ_CHECK(fastProduced == slowProduced);
    FUZZ_CHECK(std::equal(fast.get(), fast.get() + fastProduced, slow.get()));
    return 0;
}
