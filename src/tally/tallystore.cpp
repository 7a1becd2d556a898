// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "tally/tallystore.h"

#include "codec/strgrid.h"
#include "codec/tlzrw1.h"
#include "core/cp1252.h"

#include <QFile>
#include <QSaveFile>
#include <sstream>

namespace brelvox::tallystore {

namespace {
constexpr int kColumns = 9;
} // namespace

std::string toCell(const QString &text)
{
    QByteArray bytes = toCp1252(text);
    // A line break inside a name would split the cell in the file.
    bytes.replace('\r', ' ').replace('\n', ' ');
    return bytes.toStdString();
}

QString fromCell(const std::string &cell)
{
    return fromCp1252(QByteArrayView(cell.data(), qsizetype(cell.size())));
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
