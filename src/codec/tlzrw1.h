// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include "codec/elzrw1exception.h"
#include "codec/tlzh.h"
#include "codec/tlzr.h"

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <string>

namespace brelvox {

enum class TCompressMode { Good = 0, Fast = 1, Auto = 2 };

// The compression component: turns a plain file (or stream) into a container and back.
//
// Container: 4 bytes marker "WRZL" (LZRW1/KH) or "!HZL" (LZH), 4 bytes uncompressed size
// (little-endian), then the body. A "WRZL" body is blocks of [L: 2 bytes LE][L bytes],
// one per 32768-byte chunk; the sequence ends with the first block that decodes to less
// than 32768 bytes, so a size that is a multiple of 32768 ends with the block 01 00 80.
// A "!HZL" body is one LZHUF stream.
//
// Every failure throws ELzrw1Exception. In file mode the output is written beside the
// target and moved over it only when the whole operation succeeded, so a failure leaves
// any previous output file as it was and never a partial one.
class Tlzrw1
{
public:
    Tlzrw1();

    bool UseStream() const { return m_useStream; }
    void setUseStream(bool on) { m_useStream = on; }
    const std::string &InputFile() const { return m_inputFile; }
    void setInputFile(const std::string &name) { m_inputFile = name; }
    const std::string &OutputFile() const { return m_outputFile; }
    void setOutputFile(const std::string &name) { m_outputFile = name; }
    TCompressMode CompressMode() const { return m_mode; }
    void setCompressMode(TCompressMode mode) { m_mode = mode; }
    int Threshold() const { return m_threshold; }
    void setThreshold(int percent) { m_threshold = percent; }

    // Stream mode reads from the input stream's current position to its end.
    void setInputStream(std::istream *in) { m_inStream = in; }
    void setOutputStream(std::ostream *out) { m_outStream = out; }

    // Called after every checked read and write, so a caller can keep its windows alive.
    void setEventPump(std::function<void()> pump) { m_pump = std::move(pump); }

    // Returns the number of bytes written, header included.
    std::int64_t Compress();
    // Returns the number of bytes written, which equals the size in the header.
    std::int64_t Decompress();
    // Fast when two LZRW1/KH samples shrink below Threshold percent, otherwise Good.
    TCompressMode Advise();

private:
    class Source;
    class Sink;

    std::int64_t compressFast(Source &in, Sink &out, std::uint64_t size);
    std::int64_t compressGood(Source &in, Sink &out, std::uint64_t size);
    std::int64_t decompressFast(Source &in, Sink &out);
    std::int64_t decompressGood(Source &in, Sink &out);

    bool m_useStream = false;
    std::string m_inputFile;
    std::string m_outputFile;
    TCompressMode m_mode = TCompressMode::Good;
    int m_threshold = 40;
    std::istream *m_inStream = nullptr;
    std::ostream *m_outStream = nullptr;
    std::function<void()> m_pump;
    TLZR m_lzr;
    TLZH m_lzh;
};

} // namespace brelvox
