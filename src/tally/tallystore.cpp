// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "tally/tallystore.h"

#include "codec/strgrid.h"
#include "codec/tlzrw1.h"

#include <QFile>
#include <QSaveFile>
#include <sstream>

namespace brelvox::tallystore {

namespace {
// 0x80..0x9F of Windows-1252; 0 marks the five unused bytes.
constexpr char16_t kHigh[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
constexpr int kColumns = 9;

// The five bytes Windows-1252 leaves undefined come in as the same code points.
bool undefinedHigh(char16_t u)
{
    return u >= 0x80 && u < 0xA0 && kHigh[u - 0x80] == 0;
}
} // namespace

std::string toCell(const QString &text)
{
    std::string out;
    out.reserve(std::size_t(text.size()));
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        char byte = '?';
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF) || undefinedHigh(u)) {
            byte = char(u);
        } else {
            for (int i = 0; i < 32; ++i)
                if (kHigh[i] == u && u != 0)
                    byte = char(0x80 + i);
        }
        // A line break inside a name would split the cell in the file.
        if (byte == '\r' || byte == '\n')
            byte = ' ';
        out += byte;
    }
    return out;
}

QString fromCell(const std::string &cell)
{
    QString out;
    out.reserve(qsizetype(cell.size()));
    for (const char c : cell) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x80 && b < 0xA0 && kHigh[b - 0x80])
            out += QChar(kHigh[b - 0x80]);
        else
            out += QChar(b);
    }
    return out;
}

TextGrid load(const QString &path, Tlzrw1 &doit)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw TallyFileError(QStringLiteral("Cannot open the tally file %1: %2").arg(path, file.errorString()));
    const QByteArray packed = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw TallyFileError(QStringLiteral("Cannot read the tally file %1: %2").arg(path, file.errorString()));
    file.close();

    // The header's size is what the decoder will produce; refuse a claim no tally needs
    // before any of it is made.
    if (packed.size() >= 8 && (packed.startsWith("WRZL") || packed.startsWith("!HZL"))) {
        const auto *h = reinterpret_cast<const unsigned char *>(packed.constData()) + 4;
        const std::uint64_t claimed = std::uint64_t(h[0]) | std::uint64_t(h[1]) << 8 | std::uint64_t(h[2]) << 16
                                      | std::uint64_t(h[3]) << 24;
        if (claimed > kMaxTallyBytes)
            throw TallyFileError(QStringLiteral("The tally file claims %1 bytes, more than a tally can hold").arg(claimed));
    }

    std::istringstream in(packed.toStdString());
    std::ostringstream out;
    doit.setUseStream(true);
    doit.setInputStream(&in);
    doit.setOutputStream(&out);
    doit.Decompress();

    TextGrid grid;
    LoadGridText(grid, out.str());
    if (grid.colCount() != kColumns || grid.rowCount() < 1)
        throw TallyFileError(QStringLiteral("The tally file %1 holds a table of %2 columns and %3 rows, not a tally")
                                 .arg(path)
                                 .arg(grid.colCount())
                                 .arg(grid.rowCount()));
    return grid;
}

void save(const TextGrid &grid, const QString &path, Tlzrw1 &doit)
{
    std::istringstream in(SaveGridText(grid));
    std::ostringstream out;
    doit.setUseStream(true);
    doit.setInputStream(&in);
    doit.setOutputStream(&out);
    doit.Compress();

    const std::string packed = out.str();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw TallyFileError(QStringLiteral("Cannot write the tally file %1: %2").arg(path, file.errorString()));
    if (file.write(packed.data(), qint64(packed.size())) != qint64(packed.size()) || !file.commit())
        throw TallyFileError(QStringLiteral("Cannot write the tally file %1: %2").arg(path, file.errorString()));
}

} // namespace brelvox::tallystore
