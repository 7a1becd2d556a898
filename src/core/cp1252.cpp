// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "core/cp1252.h"

#include "core/cp1252table.h"

#include <array>
#include <cstring>

namespace brelvox {

namespace {

// The five codes Windows leaves unassigned stay as C1 controls.
constexpr const std::array<char16_t, 32> &kHigh = kCp1252High;

char encodeOne(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return char(c);
    for (int i = 0; i < 32; ++i) {
        const char32_t mapped = kHigh[i] ? kHigh[i] : char32_t(0x80 + i);
        if (mapped == c)
            return char(0x80 + i);
    }
    return '?';
}

// Whether any byte is 0x80..0x9F (100xxxxx), eight bytes at a time.
bool hasC1(const char *bytes, qsizetype size)
{
    constexpr quint64 kOnes = 0x0101010101010101ULL;
    constexpr quint64 kHighBits = 0x8080808080808080ULL;
    qsizetype i = 0;
    for (; i + 8 <= size; i += 8) {
        quint64 word;
        std::memcpy(&word, bytes + i, 8);
        const quint64 zeroWhereC1 = (word & 0xE0E0E0E0E0E0E0E0ULL) ^ kHighBits;
        if ((zeroWhereC1 - kOnes) & ~zeroWhereC1 & kHighBits)
            return true;
    }
    for (; i < size; ++i) {
        if ((uchar(bytes[i]) & 0xE0) == 0x80)
            return true;
    }
    return false;
}

} // namespace

QString fromCp1252(QByteArrayView bytes)
{
    // Latin-1 is right for every byte but 0x80..0x9F, which are rare in play: convert
    // at memory speed and mend those afterwards, only when there are any.
    QString out = QString::fromLatin1(bytes.data(), bytes.size());
    if (!hasC1(bytes.data(), bytes.size()))
        return out;
    for (QChar &c : out) {
        const char16_t u = c.unicode();
        if (u >= 0x80 && u < 0xA0 && kHigh[u - 0x80])
            c = QChar(kHigh[u - 0x80]);
    }
    return out;
}

QByteArray toCp1252(QStringView text)
{
    QByteArray out(text.size(), Qt::Uninitialized);
    char *d = out.data();
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        char32_t c = text[i].unicode();
        // A pair is one character, so it becomes one "?", never two.
        if (QChar::isHighSurrogate(c) && i + 1 < n && text[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        }
        *d++ = encodeOne(c);
    }
    out.truncate(d - out.data());
    return out;
}

} // namespace brelvox
