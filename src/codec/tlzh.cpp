// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "codec/tlzh.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <memory>
#include <vector>

namespace brelvox {

namespace {

constexpr int N = 4096;
constexpr int F = 60;
constexpr int THRESHOLD = 2;
constexpr int NIL = N;
constexpr int N_CHAR = 256 - THRESHOLD + F;
constexpr int T = N_CHAR * 2 - 1;
constexpr int R = T - 1;
constexpr unsigned MAX_FREQ = 0x8000;

// How many zero bits past the end a decoder may take: a whole stream never needs any
// beyond its padded last byte, so this only tolerates a slightly cut tail.
constexpr int kSlackBytes = 2;

// The fixed code for the upper 6 bits of a position: one code of 3 bits, three of 4,
// eight of 5, twelve of 6, twenty-four of 7 and sixteen of 8, assigned in order.
struct PositionTables {
    std::array<std::uint8_t, 64> pLen{};
    std::array<std::uint8_t, 64> pCode{};
    std::array<std::uint8_t, 256> dCode{};
    std::array<std::uint8_t, 256> dLen{};
};

constexpr PositionTables makePositionTables()
{
    PositionTables t;
    constexpr int counts[] = {1, 3, 8, 12, 24, 16};
    int index = 0;
    unsigned code = 0;
    for (int len = 3; len <= 8; ++len) {
        for (int i = 0; i < counts[len - 3]; ++i, ++index, ++code) {
            t.pLen[index] = std::uint8_t(len);
            t.pCode[index] = std::uint8_t(code << (8 - len));
            const int span = 1 << (8 - len);
            for (int k = 0; k < span; ++k) {
                t.dCode[t.pCode[index] + k] = std::uint8_t(index);
                t.dLen[t.pCode[index] + k] = std::uint8_t(len);
            }
        }
        code <<= 1;
    }
    return t;
}

constexpr PositionTables kPos = makePositionTables();
static_assert(kPos.pCode[0] == 0x00 && kPos.pCode[1] == 0x20 && kPos.pCode[4] == 0x50);
static_assert(kPos.pCode[12] == 0x90 && kPos.pCode[24] == 0xC0 && kPos.pCode[48] == 0xF0);
static_assert(kPos.pCode[63] == 0xFF && kPos.dCode[0x1F] == 0 && kPos.dCode[0x20] == 1);
static_assert(kPos.dLen[0xEF] == 7 && kPos.dCode[0xEF] == 47);

// The adaptive Huffman tree: leaves are T + symbol, node R the root; son[] holds the
// even child of a pair, freq[T] a sentinel.
class Huffman
{
public:
    Huffman()
    {
        for (int i = 0; i < N_CHAR; ++i) {
            freq[i] = 1;
            son[i] = i + T;
            prnt[i + T] = i;
        }
        int i = 0;
        for (int j = N_CHAR; j <= R; ++j, i += 2) {
            freq[j] = freq[i] + freq[i + 1];
            son[j] = i;
            prnt[i] = prnt[i + 1] = j;
        }
        freq[T] = 0xFFFF;
        prnt[R] = 0;
    }

    void update(int c)
    {
        if (freq[R] == MAX_FREQ)
            reconst();
        c = prnt[c + T];
        do {
            const unsigned k = ++freq[c];
            int l = c + 1;
            if (k > freq[l]) {
                while (k > freq[++l]) {
                }
                --l;
                freq[c] = freq[l];
                freq[l] = k;
                const int i = son[c];
                prnt[i] = l;
                if (i < T)
                    prnt[i + 1] = l;
                const int j = son[l];
                son[l] = i;
                prnt[j] = c;
                if (j < T)
                    prnt[j + 1] = c;
                son[c] = j;
                c = l;
            }
        } while ((c = prnt[c]) != 0);
    }

    std::array<unsigned, T + 1> freq{};
    std::array<int, T + N_CHAR> prnt{};
    std::array<int, T> son{};

private:
    // Halves every leaf's frequency and builds the tree again.
    void reconst()
    {
        int j = 0;
        for (int i = 0; i < T; ++i) {
            if (son[i] >= T) {
                freq[j] = (freq[i] + 1) / 2;
                son[j] = son[i];
                ++j;
            }
        }
        for (int i = 0, jj = N_CHAR; jj < T; i += 2, ++jj) {
            const unsigned f = freq[jj] = freq[i] + freq[i + 1];
            int k = jj - 1;
            while (f < freq[k])
                --k;
            ++k;
            std::copy_backward(freq.begin() + k, freq.begin() + jj, freq.begin() + jj + 1);
            freq[k] = f;
            std::copy_backward(son.begin() + k, son.begin() + jj, son.begin() + jj + 1);
            son[k] = i;
        }
        for (int i = 0; i < T; ++i) {
            const int k = son[i];
            if (k >= T)
                prnt[k] = i;
            else
                prnt[k] = prnt[k + 1] = i;
        }
    }
};

// How many of the first F bytes of a and b are equal, counting from index 1: byte 0
// already chose the tree. Eight bytes a step; both stay inside the ring and its copy of
// the first F - 1 bytes.
int commonLength(const std::uint8_t *a, const std::uint8_t *b)
{
    int i = 1;
    for (; i + 8 <= F; i += 8) {
        std::uint64_t x;
        std::uint64_t y;
        std::memcpy(&x, a + i, 8);
        std::memcpy(&y, b + i, 8);
        if (x != y) {
            const std::uint64_t diff = x ^ y;
            if constexpr (std::endian::native == std::endian::little)
                return i + std::countr_zero(diff) / 8;
            else
                return i + std::countl_zero(diff) / 8;
        }
    }
    while (i < F && a[i] == b[i])
        ++i;
    return i;
}

class Encoder
{
public:
    Encoder(const TLZH::Reader &read, const TLZH::Writer &write)
        : m_read(read), m_write(write), m_in(TLZH::kPiece), m_out(TLZH::kPiece)
    {
    }

    std::uint64_t run()
    {
        int c = getByte();
        if (c < 0)
            return 0;
        initTree();
        int s = 0;
        int r = N - F;
        std::fill(text.begin(), text.begin() + r, std::uint8_t(' '));
        int len = 0;
        for (; len < F && c >= 0; ++len) {
            text[r + len] = std::uint8_t(c);
            if (len + 1 < F)
                c = getByte();
        }
        for (int i = 1; i <= F; ++i)
            insertNode(r - i);
        insertNode(r);
        do {
            if (matchLength > len)
                matchLength = len;
            if (matchLength <= THRESHOLD) {
                matchLength = 1;
                encodeChar(text[r]);
            } else {
                encodeChar(255 - THRESHOLD + matchLength);
                encodePosition(unsigned(matchPosition));
            }
            const int lastMatchLength = matchLength;
            int i = 0;
            for (; i < lastMatchLength && (c = getByte()) >= 0; ++i) {
                deleteNode(s);
                text[s] = std::uint8_t(c);
                if (s < F - 1)
                    text[s + N] = std::uint8_t(c);
                s = (s + 1) & (N - 1);
                r = (r + 1) & (N - 1);
                insertNode(r);
            }
            while (i++ < lastMatchLength) {
                deleteNode(s);
                s = (s + 1) & (N - 1);
                r = (r + 1) & (N - 1);
                if (--len)
                    insertNode(r);
            }
        } while (len > 0);
        if (m_bitCount > 0)
            putByte(std::uint8_t(m_bits << (8 - m_bitCount)));
        flush();
        return m_written;
    }

private:
    int getByte()
    {
        if (m_inPos == m_inLen) {
            if (m_inEnd)
                return -1;
            m_inLen = m_read(m_in.data(), m_in.size());
            m_inPos = 0;
            if (m_inLen == 0) {
                m_inEnd = true;
                return -1;
            }
        }
        return m_in[m_inPos++];
    }

    void putByte(std::uint8_t b)
    {
        m_out[m_outLen++] = b;
        if (m_outLen == m_out.size())
            flush();
    }

    void flush()
    {
        if (m_outLen) {
            m_write(m_out.data(), m_outLen);
            m_written += m_outLen;
            m_outLen = 0;
        }
    }

    // count <= 24 bits, taken from the low end of code, most significant first.
    void putBits(int count, std::uint32_t code)
    {
        m_bits = (m_bits << count) | (code & ((1u << count) - 1));
        m_bitCount += count;
        while (m_bitCount >= 8) {
            m_bitCount -= 8;
            putByte(std::uint8_t(m_bits >> m_bitCount));
        }
        m_bits &= (1u << m_bitCount) - 1;
    }

    void encodeChar(int c)
    {
        // Walk leaf to root; an odd node is the second son, bit 1. Kept in 64 bits so a
        // deep leaf is never cut off.
        std::uint64_t path = 0;
        int depth = 0;
        int k = huff.prnt[c + T];
        do {
            path |= std::uint64_t(k & 1) << depth;
            ++depth;
        } while ((k = huff.prnt[k]) != R);
        while (depth > 0) {
            const int take = std::min(depth, 16);
            depth -= take;
            putBits(take, std::uint32_t(path >> depth));
        }
        huff.update(c);
    }

    void encodePosition(unsigned c)
    {
        const unsigned upper = c >> 6;
        putBits(kPos.pLen[upper], kPos.pCode[upper] >> (8 - kPos.pLen[upper]));
        putBits(6, c & 0x3F);
    }

    void initTree()
    {
        std::fill(rson.begin() + N + 1, rson.end(), NIL);
        std::fill(dad.begin(), dad.begin() + N, NIL);
    }

    void insertNode(int r)
    {
        int cmp = 1;
        const std::uint8_t *key = &text[r];
        int p = N + 1 + key[0];
        rson[r] = lson[r] = NIL;
        matchLength = 0;
        for (;;) {
            if (cmp >= 0) {
                if (rson[p] != NIL) {
                    p = rson[p];
                } else {
                    rson[p] = r;
                    dad[r] = p;
                    return;
                }
            } else {
                if (lson[p] != NIL) {
                    p = lson[p];
                } else {
                    lson[p] = r;
                    dad[r] = p;
                    return;
                }
            }
            const int i = commonLength(key, &text[p]);
            cmp = i < F ? int(key[i]) - int(text[p + i]) : 0;
            if (i > THRESHOLD) {
                const int distance = ((r - p) & (N - 1)) - 1;
                if (i > matchLength) {
                    matchPosition = distance;
                    if ((matchLength = i) >= F)
                        break;
                }
                if (i == matchLength && distance < matchPosition)
                    matchPosition = distance;
            }
        }
        dad[r] = dad[p];
        lson[r] = lson[p];
        rson[r] = rson[p];
        dad[lson[p]] = r;
        dad[rson[p]] = r;
        if (rson[dad[p]] == p)
            rson[dad[p]] = r;
        else
            lson[dad[p]] = r;
        dad[p] = NIL;
    }

    void deleteNode(int p)
    {
        if (dad[p] == NIL)
            return;
        int q;
        if (rson[p] == NIL) {
            q = lson[p];
        } else if (lson[p] == NIL) {
            q = rson[p];
        } else {
            q = lson[p];
            if (rson[q] != NIL) {
                do {
                    q = rson[q];
                } while (rson[q] != NIL);
                rson[dad[q]] = lson[q];
                dad[lson[q]] = dad[q];
                lson[q] = lson[p];
                dad[lson[p]] = q;
            }
            rson[q] = rson[p];
            dad[rson[p]] = q;
        }
        dad[q] = dad[p];
        if (rson[dad[p]] == p)
            rson[dad[p]] = q;
        else
            lson[dad[p]] = q;
        dad[p] = NIL;
    }

    const TLZH::Reader &m_read;
    const TLZH::Writer &m_write;
    std::vector<std::uint8_t> m_in;
    std::size_t m_inPos = 0;
    std::size_t m_inLen = 0;
    bool m_inEnd = false;
    std::vector<std::uint8_t> m_out;
    std::size_t m_outLen = 0;
    std::uint64_t m_written = 0;
    std::uint32_t m_bits = 0;
    int m_bitCount = 0;

    Huffman huff;
    std::array<std::uint8_t, N + F - 1> text{};
    std::array<int, N + 1> lson{};
    std::array<int, N + 257> rson{};
    std::array<int, N + 1> dad{};
    int matchPosition = 0;
    int matchLength = 0;
};

class Decoder
{
public:
    Decoder(const TLZH::Reader &read, const TLZH::Writer &write)
        : m_read(read), m_write(write), m_in(TLZH::kPiece), m_out(TLZH::kPiece)
    {
    }

    std::uint64_t run(std::uint64_t size)
    {
        if (size == 0)
            return 0;
        std::fill(text.begin(), text.begin() + (N - F), std::uint8_t(' '));
        int r = N - F;
        std::uint64_t count = 0;
        while (count < size && !m_exhausted) {
            const int c = decodeChar();
            if (c < 256) {
                put(std::uint8_t(c));
                text[r] = std::uint8_t(c);
                r = (r + 1) & (N - 1);
                ++count;
            } else {
                const int from = (r - int(decodePosition()) - 1) & (N - 1);
                const int length = c - 255 + THRESHOLD;
                for (int k = 0; k < length && count < size; ++k) {
                    const std::uint8_t b = text[(from + k) & (N - 1)];
                    put(b);
                    text[r] = b;
                    r = (r + 1) & (N - 1);
                    ++count;
                }
            }
        }
        if (m_outLen)
            m_write(m_out.data(), m_outLen);
        return count;
    }

private:
    int nextByte()
    {
        if (m_inPos == m_inLen) {
            m_inLen = m_inEnd ? 0 : m_read(m_in.data(), m_in.size());
            m_inPos = 0;
            if (m_inLen == 0) {
                m_inEnd = true;
                if (++m_pastEnd > kSlackBytes)
                    m_exhausted = true;
                return 0;
            }
        }
        return m_in[m_inPos++];
    }

    int getBit()
    {
        if (m_bitCount == 0) {
            m_bits = unsigned(nextByte());
            m_bitCount = 8;
        }
        --m_bitCount;
        return (m_bits >> m_bitCount) & 1;
    }

    unsigned getByte()
    {
        unsigned v = 0;
        for (int i = 0; i < 8; ++i)
            v = (v << 1) | unsigned(getBit());
        return v;
    }

    int decodeChar()
    {
        int c = huff.son[R];
        while (c < T)
            c = huff.son[c + getBit()];
        c -= T;
        huff.update(c);
        return c;
    }

    unsigned decodePosition()
    {
        unsigned i = getByte();
        const unsigned upper = unsigned(kPos.dCode[i]) << 6;
        int j = kPos.dLen[i] - 2;
        while (j--)
            i = (i << 1) + unsigned(getBit());
        return upper | (i & 0x3F);
    }

    void put(std::uint8_t b)
    {
        m_out[m_outLen++] = b;
        if (m_outLen == m_out.size()) {
            m_write(m_out.data(), m_outLen);
            m_outLen = 0;
        }
    }

    const TLZH::Reader &m_read;
    const TLZH::Writer &m_write;
    std::vector<std::uint8_t> m_in;
    std::size_t m_inPos = 0;
    std::size_t m_inLen = 0;
    bool m_inEnd = false;
    int m_pastEnd = 0;
    bool m_exhausted = false;
    std::vector<std::uint8_t> m_out;
    std::size_t m_outLen = 0;
    unsigned m_bits = 0;
    int m_bitCount = 0;
    Huffman huff;
    std::array<std::uint8_t, N> text{};
};

} // namespace

std::uint64_t TLZH::encode(const Reader &read, const Writer &write)
{
    auto encoder = std::make_unique<Encoder>(read, write);
    return encoder->run();
}

std::uint64_t TLZH::decode(std::uint64_t size, const Reader &read, const Writer &write)
{
    auto decoder = std::make_unique<Decoder>(read, write);
    return decoder->run(size);
}

} // namespace brelvox
