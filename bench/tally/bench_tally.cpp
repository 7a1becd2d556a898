// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
//
// The tally's two methods beside zlib and a plain copy, on 1 MiB of text and of binary
// records. "ratio" is compressed size / original size.
#include "codec/samples.h"
#include "support/lzrw1strings.h"

#include <benchmark/benchmark.h>
#include <cstring>
#include <malloc.h>
#include <zlib.h>

using namespace brelvox;

namespace {
constexpr std::size_t kSize = 1 << 20;

// The tally rows build their strings afresh each iteration, zlib's reuse one buffer.
// Keeping freed memory in the process stops the kernel's zeroing of fresh pages from
// being timed as the tally's codec.
[[maybe_unused]] const bool kHeapKept = [] {
#ifdef __GLIBC__
    mallopt(M_MMAP_THRESHOLD, 64 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
#endif
    return true;
}();

const std::string &sample(int which)
{
    static const std::string text = samples::text(kSize);
    static const std::string binary = samples::binary(kSize);
    return which == 0 ? text : binary;
}

void finish(benchmark::State &state, std::size_t packedSize)
{
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(kSize));
    state.counters["ratio"] = double(packedSize) / double(kSize);
    state.SetLabel(state.range(0) == 0 ? "text" : "binary");
}

void tallyCompress(benchmark::State &state, TCompressMode mode)
{
    const std::string &plain = sample(int(state.range(0)));
    std::size_t size = 0;
    for (auto _ : state) {
        const std::string packed = support::lzrw1Compress(plain, mode);
        size = packed.size();
        benchmark::DoNotOptimize(packed.data());
    }
    finish(state, size);
}

void tallyDecompress(benchmark::State &state, TCompressMode mode)
{
    const std::string packed = support::lzrw1Compress(sample(int(state.range(0))), mode);
    for (auto _ : state) {
        const std::string plain = support::lzrw1Decompress(packed);
        benchmark::DoNotOptimize(plain.data());
    }
    finish(state, packed.size());
}

void zlibCompress(benchmark::State &state, int level)
{
    const std::string &plain = sample(int(state.range(0)));
    std::vector<Bytef> out(compressBound(uLong(plain.size())));
    uLongf size = 0;
    for (auto _ : state) {
        size = uLongf(out.size());
        compress2(out.data(), &size, reinterpret_cast<const Bytef *>(plain.data()), uLong(plain.size()), level);
        benchmark::DoNotOptimize(out.data());
    }
    finish(state, size);
}

void zlibDecompress(benchmark::State &state, int level)
{
    const std::string &plain = sample(int(state.range(0)));
    std::vector<Bytef> packed(compressBound(uLong(plain.size())));
    uLongf packedSize = uLongf(packed.size());
    compress2(packed.data(), &packedSize, reinterpret_cast<const Bytef *>(plain.data()), uLong(plain.size()), level);
    std::vector<Bytef> out(plain.size());
    for (auto _ : state) {
        uLongf size = uLongf(out.size());
        uncompress(out.data(), &size, packed.data(), packedSize);
        benchmark::DoNotOptimize(out.data());
    }
    finish(state, packedSize);
}

void copy(benchmark::State &state)
{
    const std::string &plain = sample(int(state.range(0)));
    std::vector<char> out(plain.size());
    for (auto _ : state) {
        std::memcpy(out.data(), plain.data(), plain.size());
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    finish(state, plain.size());
}
} // namespace

BENCHMARK_CAPTURE(tallyCompress, lzrw1kh, TCompressMode::Fast)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(tallyDecompress, lzrw1kh, TCompressMode::Fast)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(tallyCompress, lzh, TCompressMode::Good)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(tallyDecompress, lzh, TCompressMode::Good)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(zlibCompress, level1, 1)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(zlibDecompress, level1, 1)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(zlibCompress, level6, 6)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(zlibDecompress, level6, 6)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(copy)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
