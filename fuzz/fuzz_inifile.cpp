// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
// Any file content as the shared settings file: keys read, one key written, and the write
// must keep every other line byte for byte and every other key's value.
#include "core/inifile.h"
#include "fuzzcheck.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <array>

using namespace brelvox;

namespace {

const std::array<QString, 3> kSections = {QStringLiteral("Options"), QStringLiteral("players"),
                                          QStringLiteral("Lobby")};
const std::array<QString, 3> kKeys = {QStringLiteral("Name"), QStringLiteral("port"), QStringLiteral("Sound")};
// No Windows-1252 byte decodes to this, so it only comes back for a missing key.
const QString kMissing = QString(QChar(0x4E00));

QByteArray fileContent(const QString &path)
{
    QFile f(path);
    FUZZ_CHECK(f.open(QIODevice::ReadOnly));
    return f.readAll();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // Every write ends in an fsync: in memory that costs nothing, on a disk it costs
    // most of the run.
    static QTemporaryDir dir(QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                                 ? QStringLiteral("/dev/shm/brelvox-fuzz-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/brelvox-fuzz-XXXXXX"));
    FUZZ_CHECK(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("shared.ini"));
    const QByteArray before(reinterpret_cast<const char *>(data), qsizetype(size));
    {
        QFile f(path);
        FUZZ_CHECK(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(f.write(before) == before.size());
    }

    IniFile ini(path);
    QString values[3][3];
    for (int s = 0; s < 3; ++s)
        for (int k = 0; k < 3; ++k) {
            values[s][k] = ini.readString(kSections[s], kKeys[k], kMissing);
            ini.readInteger(kSections[s], kKeys[k], -1);
        }

    const int ws = int(size % 3);
    const int wk = int(size / 3 % 3);
    const QString value = QStringLiteral("fuzzed value");
    FUZZ_CHECK(ini.writeString(kSections[ws], kKeys[wk], value));
    const QByteArray after = fileContent(path);

    FUZZ_CHECK(ini.readString(kSections[ws], kKeys[wk], kMissing) == value);
    for (int s = 0; s < 3; ++s)
        for (int k = 0; k < 3; ++k)
            if (s != ws || k != wk)
                FUZZ_CHECK(ini.readString(kSections[s], kKeys[k], kMissing) == values[s][k]);

    // A file with a byte order mark is read as Unicode and written back 8-bit whole.
    if (before.startsWith("\xEF\xBB\xBF") || before.startsWith("\xFF\xFE") || before.startsWith("\xFE\xFF"))
        return 0;
    // What the write took away is at most the text of one line.
    qsizetype prefix = 0;
    while (prefix < before.size() && prefix < after.size() && before[prefix] == after[prefix])
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < before.size() - prefix && suffix < after.size() - prefix
           && before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
        ++suffix;
    const QByteArray removed = before.mid(prefix, before.size() - prefix - suffix);
    FUZZ_CHECK(!removed.contains('\n'));
    if (values[ws][wk] == kMissing)
        FUZZ_CHECK(removed.isEmpty()); // a new key only adds
    return 0;
}
