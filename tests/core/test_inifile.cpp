// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "core/inifile.h"
#include "support/filesizelimit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace brelvox;

namespace {
QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}
} // namespace

class TestIniFile : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QString file(const char *name) const { return m_dir.filePath(QString::fromLatin1(name)); }

private Q_SLOTS:
    void reading_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        const QByteArray basic = "[Brelvox]\nTextsize=10\nPhrase1 =  Way To Go!  \n";
        QTest::newRow("plain") << basic << "Brelvox" << "Textsize" << "10";
        QTest::newRow("case of section and key") << basic << "BRELVOX" << "textSIZE" << "10";
        QTest::newRow("value and key trimmed") << basic << "Brelvox" << "Phrase1" << "Way To Go!";
        QTest::newRow("missing key") << basic << "Brelvox" << "Top" << "<none>";
        QTest::newRow("other section") << QByteArray("[Lobby]\nTop=9\n[Brelvox]\nLeft=4\n") << "Brelvox" << "Top" << "<none>";
        QTest::newRow("crlf") << QByteArray("[Brelvox]\r\nTop=7\r\n") << "Brelvox" << "Top" << "7";
        QTest::newRow("no final newline") << QByteArray("[Brelvox]\nTop=8") << "Brelvox" << "Top" << "8";
        QTest::newRow("first of repeated key") << QByteArray("[Brelvox]\nTop=1\nTop=2\n") << "Brelvox" << "Top" << "1";
        QTest::newRow("first of repeated section") << QByteArray("[Brelvox]\nTop=1\n[Brelvox]\nLeft=2\n") << "Brelvox" << "Left" << "<none>";
        QTest::newRow("quoted") << QByteArray("[Brelvox]\nPhrase2=\" hi \"\n") << "Brelvox" << "Phrase2" << " hi ";
        QTest::newRow("comment") << QByteArray("[Brelvox]\n;Top=5\n") << "Brelvox" << "Top" << "<none>";
        QTest::newRow("binary junk") << QByteArray("\x00\xff[Bre\x01\n[Brelvox]\nTop=\x00z\n", 25) << "Brelvox" << "Top" << QString(QChar(0)) + "z";
        QTest::newRow("cp1252 euro") << QByteArray("[Brelvox]\nPhrase3=\x80 5\n") << "Brelvox" << "Phrase3" << QString::fromUtf8("\u20ac 5");
        QTest::newRow("long value cut to 2047") << QByteArray("[Brelvox]\nPhrase4=" + QByteArray(5000, 'a') + "\n") << "Brelvox" << "Phrase4" << QString(2047, QLatin1Char('a'));
        QTest::newRow("unclosed section") << QByteArray("[Brelvox\nTop=3\n") << "Brelvox" << "Top" << "3";
    }
    void reading()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        writeAll(file("r.ini"), content);
        QCOMPARE(IniFile(file("r.ini")).readString(section, key, QStringLiteral("<none>")), value);
    }

    void integers_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<int>("result");
        QTest::newRow("decimal") << QByteArray("12") << 12;
        QTest::newRow("dollar") << QByteArray("$10") << 16;
        QTest::newRow("0x") << QByteArray("0x1f") << 31;
        QTest::newRow("text") << QByteArray("big") << -1;
        QTest::newRow("empty") << QByteArray("") << -1;
    }
    void integers()
    {
        QFETCH(QByteArray, value);
        QFETCH(int, result);
        writeAll(file("i.ini"), "[Brelvox]\nTop=" + value + "\n");
        QCOMPARE(IniFile(file("i.ini")).readInteger(QStringLiteral("Brelvox"), QStringLiteral("Top"), -1), result);
    }

    void writing_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("new file") << QByteArray() << "Top" << "3" << QByteArray("[Brelvox]\nTop=3\n");
        QTest::newRow("replace keeps neighbours")
            << QByteArray("; lobby\n[Lobby]\nName=Zed\n\n[brelvox]\nTOP=1\nLeft=2\n")
            << "Top" << "9" << QByteArray("; lobby\n[Lobby]\nName=Zed\n\n[brelvox]\nTop=9\nLeft=2\n");
        QTest::newRow("append to section before next")
            << QByteArray("[Brelvox]\nLeft=2\n\n[Lobby]\nX=1\n") << "Top" << "5"
            << QByteArray("[Brelvox]\nLeft=2\nTop=5\n\n[Lobby]\nX=1\n");
        QTest::newRow("crlf kept") << QByteArray("[Lobby]\r\nX=1\r\n") << "Top" << "5"
                                   << QByteArray("[Lobby]\r\nX=1\r\n[Brelvox]\r\nTop=5\r\n");
        QTest::newRow("no final newline") << QByteArray("[Brelvox]\nLeft=2") << "Top" << "5"
                                          << QByteArray("[Brelvox]\nLeft=2\nTop=5\n");
        QTest::newRow("repeated key: first replaced") << QByteArray("[Brelvox]\nTop=1\nTop=2\n") << "Top" << "7"
                                                      << QByteArray("[Brelvox]\nTop=7\nTop=2\n");
        QTest::newRow("newline in value folded") << QByteArray() << "Phrase1" << "a\nb"
                                                 << QByteArray("[Brelvox]\nPhrase1=a b\n");
        QTest::newRow("binary lines kept")
            << QByteArray("\x00\x01\xfe\n[Brelvox]\nTop=1\n", 20) << "Top" << "2"
            << QByteArray("\x00\x01\xfe\n[Brelvox]\nTop=2\n", 20);
        // Found by the fuzzer: the last line ends in a CR with no LF, and the new key was
        // glued after the CR into that line.
        QTest::newRow("dangling CR, fuzzer input, new section")
            << QByteArray("[Options]\r\nName=Ann\r\nport=4000\r\n\r\n[Lobby]\r\nSo[ Options ]\n  name = sund = on\r")
            << "port" << "fuzzed value"
            << QByteArray("[Options]\r\nName=Ann\r\nport=4000\r\n\r\n[Lobby]\r\nSo[ Options ]\n  name = sund = on\r\n"
                          "[Brelvox]\r\nport=fuzzed value\r\n");
        QTest::newRow("dangling CR, same section") << QByteArray("[Brelvox]\nname=on\r") << "port" << "fuzzed value"
                                                   << QByteArray("[Brelvox]\nname=on\r\nport=fuzzed value\n");
        QTest::newRow("dangling CR, section line last") << QByteArray("[Brelvox]\r") << "port" << "fuzzed value"
                                                        << QByteArray("[Brelvox]\r\nport=fuzzed value\n");
        const QString other = QString::fromUtf8("[Lobby]\r\nName=Zo\u00eb\r\n[Brelvox]\r\nTop=1\r\n");
        const QByteArray written("[Lobby]\r\nName=Zo\xeb\r\n[Brelvox]\r\nTop=4\r\n");
        QTest::newRow("UTF-8 with a byte order mark") << "\xEF\xBB\xBF" + other.toUtf8() << "Top" << "4" << written;
        QByteArray le("\xFF\xFE"), be("\xFE\xFF");
        for (const QChar ch : other) {
            le.append(char(ch.unicode() & 0xFF)).append(char(ch.unicode() >> 8));
            be.append(char(ch.unicode() >> 8)).append(char(ch.unicode() & 0xFF));
        }
        QTest::newRow("UTF-16, little end first") << le << "Top" << "4" << written;
        QTest::newRow("UTF-16, big end first") << be << "Top" << "4" << written;
        QTest::newRow("dangling CR, lone line end kept") << QByteArray("[Brelvox]\nname=on") << "port" << "fuzzed value"
                                                         << QByteArray("[Brelvox]\nname=on\nport=fuzzed value\n");
    }
    void writing()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QByteArray, after);
        QFile::remove(file("w.ini"));
        if (!before.isNull())
            writeAll(file("w.ini"), before);
        IniFile ini(file("w.ini"));
        QVERIFY(ini.writeString(QStringLiteral("Brelvox"), key, value));
        QCOMPARE(readAll(file("w.ini")), after);
    }

    void unwritableFolderFailsAndKeepsFile_data()
    {
        QTest::addColumn<bool>("fileAsFolder");
        // No rights make room for a new file under a regular file, so this row runs as root too.
        QTest::newRow("regular file in the folder's place") << true;
        QTest::newRow("read-only folder") << false;
    }
    void unwritableFolderFailsAndKeepsFile()
    {
        QFETCH(bool, fileAsFolder);
        QTemporaryDir dir;
        const QString existing = dir.filePath(QStringLiteral("x.ini"));
        writeAll(existing, "[Brelvox]\nTop=1\n");
        const QString path = fileAsFolder ? existing + QStringLiteral("/y.ini") : existing;
        if (!fileAsFolder)
            QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
        IniFile ini(path);
        const bool wrote = ini.writeString(QStringLiteral("Brelvox"), QStringLiteral("Top"), QStringLiteral("2"));
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (wrote && !fileAsFolder)
            QSKIP("running with rights that ignore folder permissions");
        QVERIFY(!wrote);
        QCOMPARE(readAll(existing), QByteArray("[Brelvox]\nTop=1\n"));
    }

    void fullDiskKeepsTheFile_data()
    {
        QTest::addColumn<int>("limit");
        QTest::addColumn<bool>("fits");
        QTest::newRow("no room at all") << 0 << false;
        QTest::newRow("a few bytes") << 10 << false;
        QTest::newRow("all but the new key") << 300 << false;
        QTest::newRow("room enough") << 4096 << true;
    }
    void fullDiskKeepsTheFile()
    {
        QFETCH(int, limit);
        QFETCH(bool, fits);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("x.ini"));
        QByteArray before = "[Lobby]\nServer=example.invalid\n[Brelvox]\nTop=1\n";
        before += QByteArray(300 - before.size() - 1, ';') + '\n';
        writeAll(path, before);
        const int status = support::runWithFileSizeLimit(rlim_t(limit), [&] {
            return IniFile(path).writeString(QStringLiteral("Brelvox"), QStringLiteral("Left"), QStringLiteral("7")) ? 0 : 1;
        });
        QCOMPARE(status, fits ? 0 : 1);
        QCOMPARE(readAll(path), fits ? before + "Left=7\n" : before);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"x.ini"});
    }

    void hugeFileIsReadButNeverTruncated()
    {
        const QString path = file("huge.ini");
        QByteArray big = "[Brelvox]\nTop=4\n[Lobby]\n";
        big += QByteArray(IniFile::kMaxFileSize, 'z');
        writeAll(path, big);
        IniFile ini(path);
        QCOMPARE(ini.readInteger(QStringLiteral("Brelvox"), QStringLiteral("Top"), 0), 4);
        QVERIFY(!ini.writeString(QStringLiteral("Brelvox"), QStringLiteral("Top"), QStringLiteral("5")));
        QCOMPARE(QFileInfo(path).size(), big.size());
    }
};

QTEST_GUILESS_MAIN(TestIniFile)
#include "test_inifile.moc"
