// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "tally/tallystore.h"

#include "codec/strgrid.h"
#include "codec/tlzrw1.h"
#include "core/atomicfile.h"
#include "core/cp1252.h"
#include "core/folderlock.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <limits>
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
    QString error;
    if (!replaceFile(path, QByteArray(packed.data(), qsizetype(packed.size())), &error))
        throw TallyFileError(error);
}

namespace {
bool number(const std::string &cell, long long *value)
{
    bool ok = false;
    *value = fromCell(cell).toLongLong(&ok);
    return ok;
}

// The cell moved by what this run changed in it: a count by the difference, any other
// change taken as this run left it, an unchanged cell as the file has it.
std::string moved(const std::string &disk, const std::string &base, const std::string &ours)
{
    if (ours == base)
        return disk;
    long long d = 0, b = 0, o = 0;
    if (!number(disk, &d) || !number(base, &b) || !number(ours, &o))
        return ours;
    return std::to_string(std::clamp<long long>(d + o - b, 0, std::numeric_limits<int>::max()));
}

int rowOf(const TextGrid &grid, const std::string &name)
{
    const QString wanted = fromCell(name);
    for (int r = 1; r < grid.rowCount(); ++r)
        if (fromCell(grid.cell(0, r)).compare(wanted, Qt::CaseInsensitive) == 0)
            return r;
    return -1;
}

void removeRow(TextGrid &grid, int row)
{
    for (int r = row; r + 1 < grid.rowCount(); ++r)
        for (int c = 0; c < grid.colCount(); ++c)
            grid.setCell(c, r, grid.cell(c, r + 1));
    grid.setRowCount(grid.rowCount() - 1);
}
} // namespace

TextGrid merge(const TextGrid &disk, const TextGrid &base, const TextGrid &ours)
{
    TextGrid out = disk;
    for (const int c : {1, 2})
        out.setCell(c, 0, moved(disk.cell(c, 0), base.cell(c, 0), ours.cell(c, 0)));
    for (int r = 1; r < base.rowCount(); ++r) {
        const int there = rowOf(out, base.cell(0, r));
        if (there >= 0 && rowOf(ours, base.cell(0, r)) < 0)
            removeRow(out, there);
    }
    for (int r = 1; r < ours.rowCount(); ++r) {
        const int was = rowOf(base, ours.cell(0, r));
        const auto baseCell = [&](int c) { return was < 0 ? std::string("0") : base.cell(c, was); };
        int row = rowOf(out, ours.cell(0, r));
        if (row < 0) {
            bool changed = was < 0;
            for (int c = 1; c <= 4; ++c)
                changed = changed || ours.cell(c, r) != baseCell(c);
            if (!changed)
                continue; // another copy took this opponent off and this run added nothing
            row = out.rowCount();
            out.setRowCount(row + 1);
            out.setCell(0, row, ours.cell(0, r));
            for (int c = 1; c < kColumns; ++c)
                out.setCell(c, row, "0");
        }
        for (int c = 1; c <= 4; ++c)
            out.setCell(c, row, moved(out.cell(c, row), baseCell(c), ours.cell(c, r)));
        for (int c = 5; c < kColumns; ++c)
            out.setCell(c, row, ours.cell(c, r));
    }
    return out;
}

TextGrid saveMerged(const TextGrid &ours, const TextGrid &base, const QString &path, Tlzrw1 &doit)
{
    const FolderLock lock(QFileInfo(path).absolutePath());
    TextGrid merged = ours;
    if (QFileInfo::exists(path)) {
        try {
            merged = merge(load(path, doit), base, ours);
        } catch (const std::exception &) {
            // Unreadable now: it was kept aside at the start, or it is the damaged file
            // this run was told about; this run's table is the tally.
        }
    }
    save(merged, path, doit);
    return merged;
}

} // namespace brelvox::tallystore
