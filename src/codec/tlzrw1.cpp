// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "codec/tlzrw1.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <istream>
#include <new>
#include <ostream>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace brelvox {

namespace {
constexpr std::uint8_t kMarkFast[4] = {'W', 'R', 'Z', 'L'};
constexpr std::uint8_t kMarkGood[4] = {'!', 'H', 'Z', 'L'};
constexpr std::uint64_t kAdviseMinimum = 98304;
constexpr const char *kFastTag = " (LZRW1/KH)";
constexpr const char *kGoodTag = " (LZH)";

void putLe32(std::uint8_t *p, std::uint32_t v)
{
    p[0] = std::uint8_t(v);
    p[1] = std::uint8_t(v >> 8);
    p[2] = std::uint8_t(v >> 16);
    p[3] = std::uint8_t(v >> 24);
}

std::uint32_t getLe32(const std::uint8_t *p)
{
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16
        | std::uint32_t(p[3]) << 24;
}

[[noreturn]] void fail(const std::string &message)
{
    throw ELzrw1Exception(message);
}

std::vector<std::uint8_t> ioBuffer(const char *message)
{
    try {
        return std::vector<std::uint8_t>(TLZR::kBlockBuffer);
    } catch (const std::bad_alloc &) {
        fail(message);
    }
}
} // namespace

// The input: a file opened here or the caller's stream.
class Tlzrw1::Source
{
public:
    Source(std::FILE *file, std::istream *stream, std::function<void()> pump)
        : m_file(file), m_stream(stream), m_pump(std::move(pump))
    {
    }
    ~Source()
    {
        if (m_file)
            std::fclose(m_file);
    }
    Source(const Source &) = delete;
    Source &operator=(const Source &) = delete;

    // Reads up to n bytes; fewer only at the end. Sets failed() on an I/O error.
    std::size_t read(std::uint8_t *buf, std::size_t n)
    {
        std::size_t got = 0;
        if (m_file) {
            got = std::fread(buf, 1, n, m_file);
            m_failed = m_failed || std::ferror(m_file);
        } else {
            m_stream->read(reinterpret_cast<char *>(buf), std::streamsize(n));
            got = std::size_t(m_stream->gcount());
            m_failed = m_failed || m_stream->bad();
        }
        if (m_pump)
            m_pump();
        return got;
    }
    bool failed() const { return m_failed; }

private:
    std::FILE *m_file;
    std::istream *m_stream;
    std::function<void()> m_pump;
    bool m_failed = false;
};

// The output: a scratch file beside the target, moved over it by commit(), or the
// caller's stream.
class Tlzrw1::Sink
{
public:
    Sink(std::string target, std::ostream *stream, std::function<void()> pump)
        : m_target(std::move(target)), m_stream(stream), m_pump(std::move(pump))
    {
    }
    ~Sink()
    {
        if (m_file) {
            std::fclose(m_file);
            std::remove(m_scratch.c_str());
        }
    }
    Sink(const Sink &) = delete;
    Sink &operator=(const Sink &) = delete;

    bool open()
    {
        if (m_stream)
            return true;
        std::vector<char> name(m_target.begin(), m_target.end());
        const char suffix[] = ".XXXXXX";
        name.insert(name.end(), suffix, suffix + sizeof suffix);
        const int fd = ::mkstemp(name.data());
        if (fd < 0)
            return false;
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
        m_file = ::fdopen(fd, "wb");
        m_scratch = name.data();
        if (!m_file) {
            ::close(fd);
            std::remove(m_scratch.c_str());
            return false;
        }
        return true;
    }

    bool write(const std::uint8_t *buf, std::size_t n)
    {
        bool ok;
        if (m_file) {
            ok = std::fwrite(buf, 1, n, m_file) == n;
        } else {
            m_stream->write(reinterpret_cast<const char *>(buf), std::streamsize(n));
            ok = bool(*m_stream);
        }
        if (m_pump)
            m_pump();
        return ok;
    }

    bool commit()
    {
        if (!m_file)
            return bool(m_stream->flush());
        const bool flushed = std::fflush(m_file) == 0 && ::fsync(::fileno(m_file)) == 0;
        const bool closed = std::fclose(m_file) == 0;
        m_file = nullptr;
        if (flushed && closed && std::rename(m_scratch.c_str(), m_target.c_str()) == 0)
            return true;
        std::remove(m_scratch.c_str());
        return false;
    }

private:
    std::string m_target;
    std::ostream *m_stream;
    std::function<void()> m_pump;
    std::FILE *m_file = nullptr;
    std::string m_scratch;
};

Tlzrw1::Tlzrw1() = default;

std::int64_t Tlzrw1::Compress()
{
    const TCompressMode mode = m_mode == TCompressMode::Auto ? Advise() : m_mode;
    auto buffers = ioBuffer("Lzrw1 (de)compression : Failed to get memory for I/O buffers !");

    std::uint64_t size = 0;
    std::FILE *file = nullptr;
    if (m_useStream) {
        if (!m_inStream)
            fail("Lzrw1 (de)compression : Failed to initialize input stream !");
        const auto start = m_inStream->tellg();
        m_inStream->seekg(0, std::ios::end);
        const auto end = m_inStream->tellg();
        m_inStream->seekg(start);
        if (start < 0 || end < start || !*m_inStream)
            fail("Lzrw1 compression : Failed to obtain the size of the input stream !");
        size = std::uint64_t(end - start);
        if (!m_outStream)
            fail("Lzrw1 (de)compression : Failed to initialize output stream !");
    } else {
        struct stat info;
        if (::stat(m_inputFile.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
            fail("Lzrw1 compression : Failed to obtain the size of : " + m_inputFile);
        size = std::uint64_t(info.st_size);
        file = std::fopen(m_inputFile.c_str(), "rb");
        if (!file)
            fail("Lzrw1 (de)compression : Failed to open input file : " + m_inputFile);
    }
    Source in(file, m_inStream, m_pump);
    if (size > 0xFFFFFFFFu)
        fail(m_useStream ? std::string("Lzrw1 compression : the input stream is too large !")
                         : "Lzrw1 compression : the input file is too large : " + m_inputFile);
    Sink out(m_outputFile, m_useStream ? m_outStream : nullptr, m_pump);
    if (!out.open())
        fail("Lzrw1 (de)compression : Failed to open output file : " + m_outputFile);

    const std::int64_t written = mode == TCompressMode::Fast ? compressFast(in, out, size)
                                                             : compressGood(in, out, size);
    if (!out.commit())
        fail(m_useStream ? std::string("Lzrw1 : Error writing to output stream !")
                         : "Lzrw1 : Error writing to output file : " + m_outputFile);
    return written;
}

std::int64_t Tlzrw1::compressFast(Source &in, Sink &out, std::uint64_t size)
{
    const std::string writeError = m_useStream ? std::string("Lzrw1 : Error writing to output stream !")
                                               : "Lzrw1 : Error writing to output file : " + m_outputFile;
    const std::string readError = (m_useStream ? std::string("Lzrw1 : Error reading from input stream !")
                                               : "Lzrw1 : Error reading from input file : " + m_inputFile)
        + kFastTag;
    std::vector<std::uint8_t> chunk(TLZR::kBlockBuffer);
    std::vector<std::uint8_t> block(TLZR::kBlockBuffer);

    std::uint8_t header[8];
    std::memcpy(header, kMarkFast, 4);
    putLe32(header + 4, std::uint32_t(size));
    if (!out.write(header, 4) || !out.write(header + 4, 4))
        fail(writeError);
    std::int64_t written = 8;
    std::uint64_t total = 0;
    std::size_t n = 0;
    do {
        n = in.read(chunk.data(), TLZR::kChunk);
        if (in.failed())
            fail(readError);
        total += n;
        const std::size_t length = m_lzr.compress(chunk.data(), n, block.data());
        const std::uint8_t prefix[2] = {std::uint8_t(length), std::uint8_t(length >> 8)};
        if (!out.write(prefix, 2) || !out.write(block.data(), length))
            fail(writeError);
        written += std::int64_t(2 + length);
    } while (n == TLZR::kChunk);
    // The header already promised this many bytes; an input that changed meanwhile
    // would make a container that can never be read back.
    if (total != size)
        fail(readError);
    return written;
}

std::int64_t Tlzrw1::compressGood(Source &in, Sink &out, std::uint64_t size)
{
    const std::string writeError = m_useStream ? std::string("Lzrw1 : Error writing to output stream !")
                                               : "Lzrw1 : Error writing to output file : " + m_outputFile;
    const std::string readError = (m_useStream ? std::string("Lzrw1 : Error reading from input stream !")
                                               : "Lzrw1 : Error reading from input file : " + m_inputFile)
        + kGoodTag;
    std::uint8_t header[8];
    std::memcpy(header, kMarkGood, 4);
    putLe32(header + 4, std::uint32_t(size));
    if (!out.write(header, 4) || !out.write(header + 4, 4))
        fail(writeError);
    std::uint64_t total = 0;
    const std::uint64_t body = m_lzh.encode(
        [&](std::uint8_t *buf, std::size_t max) {
            const std::size_t got = in.read(buf, max);
            if (in.failed())
                fail(readError);
            total += got;
            return got;
        },
        [&](const std::uint8_t *buf, std::size_t n) {
            if (!out.write(buf, n))
                fail(writeError);
        });
    if (total != size)
        fail(readError);
    return std::int64_t(8 + body);
}

std::int64_t Tlzrw1::Decompress()
{
    auto buffers = ioBuffer("Lzrw1 (de)compression : Failed to get memory for I/O buffers !");
    std::FILE *file = nullptr;
    if (m_useStream) {
        if (!m_inStream)
            fail("Lzrw1 (de)compression : Failed to initialize input stream !");
        if (!m_outStream)
            fail("Lzrw1 (de)compression : Failed to initialize output stream !");
    } else {
        file = std::fopen(m_inputFile.c_str(), "rb");
        if (!file)
            fail("Lzrw1 (de)compression : Failed to open input file : " + m_inputFile);
    }
    Source in(file, m_inStream, m_pump);
    Sink out(m_outputFile, m_useStream ? m_outStream : nullptr, m_pump);
    if (!out.open())
        fail("Lzrw1 (de)compression : Failed to open output file : " + m_outputFile);

    const std::string readError = m_useStream ? std::string("Lzrw1 : Error reading from input stream !")
                                              : "Lzrw1 : Error reading from input file : " + m_inputFile;
    std::uint8_t marker[4];
    if (in.read(marker, 4) != 4 || in.failed())
        fail(readError);
    std::int64_t written = 0;
    if (std::memcmp(marker, kMarkFast, 4) == 0)
        written = decompressFast(in, out);
    else if (std::memcmp(marker, kMarkGood, 4) == 0)
        written = decompressGood(in, out);
    else
        fail(m_useStream ? std::string("Lzrw1 decompression : input stream contains no valid header !")
                         : m_inputFile + " : Lzrw1 decompression : this file has no valid header !");
    if (!out.commit())
        fail(m_useStream ? std::string("Lzrw1 : Error writing to output stream !")
                         : "Lzrw1 : Error writing to output file : " + m_outputFile);
    return written;
}

std::int64_t Tlzrw1::decompressFast(Source &in, Sink &out)
{
    const std::string readError = m_useStream ? std::string("Lzrw1 : Error reading from input stream !")
                                              : "Lzrw1 : Error reading from input file : " + m_inputFile;
    const std::string writeError = m_useStream ? std::string("Lzrw1 : Error writing to output stream !")
                                               : "Lzrw1 : Error writing to output file : " + m_outputFile;
    const std::string mismatch = "Lzrw1 (decompression LZRW1/KH) : Original and compressed sizes do not match !";
    std::uint8_t field[4];
    if (in.read(field, 4) != 4 || in.failed())
        fail(readError);
    const std::uint64_t size = getLe32(field);

    std::vector<std::uint8_t> block(TLZR::kBlockBuffer);
    std::vector<std::uint8_t> chunk(TLZR::kBlockBuffer);
    std::uint64_t total = 0;
    std::size_t produced = 0;
    int index = 0;
    do {
        ++index;
        if (in.read(field, 2) != 2 || in.failed())
            fail(readError);
        const std::size_t length = std::size_t(field[0]) | std::size_t(field[1]) << 8;
        if (length > TLZR::kMaxBlock)
            fail("Lzrw1 (decompression LZRW1/KH) : block " + std::to_string(index)
                 + " is damaged (length " + std::to_string(length) + ") !");
        if (in.read(block.data(), length) != length || in.failed())
            fail(readError);
        if (TLZR::decompress(block.data(), length, chunk.data(), &produced) != TLZR::Status::Ok)
            fail("Lzrw1 (decompression LZRW1/KH) : block " + std::to_string(index) + " is damaged !");
        if (total + produced > size)
            fail(mismatch);
        if (produced && !out.write(chunk.data(), produced))
            fail(writeError);
        total += produced;
    } while (produced == TLZR::kChunk);
    if (total != size)
        fail(mismatch);
    return std::int64_t(total);
}

std::int64_t Tlzrw1::decompressGood(Source &in, Sink &out)
{
    const std::string readError = m_useStream ? std::string("Lzrw1 : Error reading from input stream !")
                                              : "Lzrw1 : Error reading from input file : " + m_inputFile;
    const std::string writeError = m_useStream ? std::string("Lzrw1 : Error writing to output stream !")
                                               : "Lzrw1 : Error writing to output file : " + m_outputFile;
    std::uint8_t field[4];
    if (in.read(field, 4) != 4 || in.failed())
        fail(readError);
    const std::uint64_t size = getLe32(field);
    const std::uint64_t total = m_lzh.decode(
        size,
        [&](std::uint8_t *buf, std::size_t max) {
            const std::size_t got = in.read(buf, max);
            if (in.failed())
                fail(readError + kGoodTag);
            return got;
        },
        [&](const std::uint8_t *buf, std::size_t n) {
            if (!out.write(buf, n))
                fail(writeError);
        });
    if (total != size)
        fail("Lzrw1 (LZH decompression) : Original and compressed sizes do not match !");
    return std::int64_t(total);
}

TCompressMode Tlzrw1::Advise()
{
    auto buffers = ioBuffer("Lzrw1 advise : Error getting I/O buffers");
    std::uint64_t size = 0;
    std::istream::pos_type start = 0;
    std::FILE *file = nullptr;
    if (m_useStream) {
        if (!m_inStream)
            fail("Lzrw1 edvise : can not initialize the input stream!");
        start = m_inStream->tellg();
        m_inStream->seekg(0, std::ios::end);
        const auto end = m_inStream->tellg();
        m_inStream->seekg(start);
        if (start < 0 || end < start || !*m_inStream)
            fail("Lzrw1 advise : can not get size of inputstream !");
        size = std::uint64_t(end - start);
    } else {
        struct stat info;
        if (::stat(m_inputFile.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
            fail("Lzrw1 advise : can not get the size of : " + m_inputFile);
        size = std::uint64_t(info.st_size);
    }
    if (size < kAdviseMinimum)
        return TCompressMode::Good;
    if (!m_useStream) {
        file = std::fopen(m_inputFile.c_str(), "rb");
        if (!file)
            fail("Lzrw1 advise : can open input file : " + m_inputFile);
    }
    Source in(file, m_inStream, m_pump);
    const std::string readError = m_useStream ? std::string("Lzrw1 advise : input stream read error !")
                                              : "Lzrw1 advise : read error on input file : " + m_inputFile;
    std::vector<std::uint8_t> block(TLZR::kBlockBuffer);
    std::uint64_t sampled = 0;
    std::uint64_t coded = 0;
    for (const std::uint64_t third : {size / 3, 2 * size / 3}) {
        const std::uint64_t offset = third & ~std::uint64_t(TLZR::kChunk - 1);
        bool placed;
        if (file) {
            placed = ::fseeko(file, off_t(offset), SEEK_SET) == 0;
        } else {
            m_inStream->seekg(start + std::streamoff(offset));
            placed = bool(*m_inStream);
        }
        if (!placed)
            fail(readError);
        const std::size_t got = in.read(buffers.data(), TLZR::kChunk);
        if (got != TLZR::kChunk || in.failed())
            fail(readError);
        sampled += got;
        coded += m_lzr.compress(buffers.data(), got, block.data());
    }
    if (m_useStream) {
        m_inStream->clear();
        m_inStream->seekg(start);
    }
    return coded < sampled * std::uint64_t(m_threshold) / 100 ? TCompressMode::Fast : TCompressMode::Good;
}

} // namespace brelvox
