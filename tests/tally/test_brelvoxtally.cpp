// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QByteArray kDiraFile = QByteArray::fromHex("57525A4C3F000000280040000039"
                                                 "0D0A320D0A300D0A446972610D0A33DFC00032012031015200900"
                                                 "1B0003301B00090018C");

struct Result {
    int code;
    QString out;
    QString err;
};

Result tool(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral(BRELVOX_TALLY_TOOL), args);
    p.waitForFinished(20000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}
} // namespace

class TestBrelvoxTally : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void showsATally()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath("t.tld"), kDiraFile);
        const Result r = tool({"show", dir.filePath("t.tld")});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, QString("Opponent  Games  Their wins  Your wins  Neither won\n"
                                "Dira          3           1          2            0\n"
                                "In all: 3 games tallied, 2 won, 1 opponents\n"));
    }

    void packAndUnpack_data()
    {
        QTest::addColumn<QStringList>("mode");
        QTest::addColumn<QByteArray>("marker");
        QTest::newRow("default") << QStringList{} << QByteArray("WRZL");
        QTest::newRow("fast") << QStringList{"--mode", "fast"} << QByteArray("WRZL");
        QTest::newRow("good") << QStringList{"--mode", "good"} << QByteArray("!HZL");
        QTest::newRow("auto small") << QStringList{"--mode", "auto"} << QByteArray("!HZL");
    }
    void packAndUnpack()
    {
        QFETCH(QStringList, mode);
        QFETCH(QByteArray, marker);
        QTemporaryDir dir;
        const QByteArray plain = QByteArray("the cue ball rolls ").repeated(3000);
        writeFile(dir.filePath("plain"), plain);
        QCOMPARE(tool(QStringList{"pack", dir.filePath("plain"), dir.filePath("packed")} + mode).code, 0);
        QCOMPARE(readFile(dir.filePath("packed")).left(4), marker);
        QCOMPARE(tool({"unpack", dir.filePath("packed"), dir.filePath("back")}).code, 0);
        QCOMPARE(readFile(dir.filePath("back")), plain);
    }

    void failures_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        QTest::newRow("no command") << QStringList{} << 2 << "usage: brelvox-tally show FILE";
        QTest::newRow("bad mode") << QStringList{"pack", "a", "b", "--mode", "best"} << 2 << "unknown option --mode best";
        QTest::newRow("missing input") << QStringList{"pack", "%1/none", "%1/out"} << 1
                                       << "brelvox-tally: Lzrw1 compression : Failed to obtain the size of : %1/none";
        QTest::newRow("not a container") << QStringList{"unpack", "%1/plain", "%1/out"} << 1
                                         << "brelvox-tally: %1/plain : Lzrw1 decompression : this file has no valid header !";
        QTest::newRow("show not a container") << QStringList{"show", "%1/plain"} << 1
                                              << "brelvox-tally: Lzrw1 decompression : input stream contains no valid header !";
        QTest::newRow("show missing") << QStringList{"show", "%1/none"} << 1 << "brelvox-tally: cannot open %1/none";
    }
    void failures()
    {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QString, message);
        QTemporaryDir dir;
        writeFile(dir.filePath("plain"), "just text");
        for (QString &a : args)
            a = a.arg(dir.path());
        const Result r = tool(args);
        QCOMPARE(r.code, code);
        QVERIFY2(r.err.contains(message.arg(dir.path())), qPrintable(r.err));
        QVERIFY(!QFile::exists(dir.filePath("out")));
    }
};

QTEST_GUILESS_MAIN(TestBrelvoxTally)
#include "test_brelvoxtally.moc"
