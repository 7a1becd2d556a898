// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "codec/tlzrw1.h"
#include "samples.h"
#include "support/lzrw1strings.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QtEndian>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <random>
#include <sstream>

using namespace brelvox;

Q_DECLARE_METATYPE(brelvox::TCompressMode)

namespace {
QByteArray streamCompress(const QByteArray &plain, TCompressMode mode)
{
    return QByteArray::fromStdString(support::lzrw1Compress(plain.toStdString(), mode));
}

QByteArray streamDecompress(const QByteArray &packed)
{
    return QByteArray::fromStdString(support::lzrw1Decompress(packed.toStdString()));
}

QString failureOf(const std::function<void()> &f)
{
    try {
        f();
    } catch (const ELzrw1Exception &e) {
        return QString::fromStdString(e.what());
    }
    return QStringLiteral("<no failure>");
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

const QByteArray kDiraText("9\r\n2\r\n0\r\nDira\r\n3\r\n3\r\n2\r\n1\r\n0\r\n2\r\n0\r\n0\r\n0\r\n3\r\n0\r\n1\r\n0\r\n2\r\n0\r\n0\r\n");
} // namespace

class TestTlzrw1 : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void knownContainers_data()
    {
        QTest::addColumn<QByteArray>("plain");
        QTest::addColumn<QByteArray>("packed");
        QTest::newRow("abc") << QByteArray("abc") << QByteArray::fromHex("57525A4C03000000040080616263");
        QTest::newRow("twenty a") << QByteArray(20, 'a') << QByteArray::fromHex("57525A4C14000000070040800000000461");
        QTest::newRow("empty") << QByteArray() << QByteArray::fromHex("57525A4C00000000010080");
        QTest::newRow("dira") << kDiraText
                              << QByteArray::fromHex("57525A4C3F000000280040000039"
                                                     "0D0A320D0A300D0A446972610D0A33DFC00032012031015200900"
                                                     "1B0003301B00090018C");
        QByteArray equal = QByteArray::fromHex("57525A4C00800000" "2600" "40ff40");
        for (int i = 0; i < 8; ++i)
            equal += QByteArray::fromHex("000fef07");
        equal += QByteArray::fromHex("070014" "010080");
        QTest::newRow("32768 equal") << QByteArray(32768, '\x07') << equal;
    }
    void knownContainers()
    {
        QFETCH(QByteArray, plain);
        QFETCH(QByteArray, packed);
        QCOMPARE(streamCompress(plain, TCompressMode::Fast).toHex(' '), packed.toHex(' '));
        QCOMPARE(streamDecompress(packed), plain);
    }

    void diraIsSixtyThreeAndFifty()
    {
        QCOMPARE(kDiraText.size(), 63);
        QCOMPARE(streamCompress(kDiraText, TCompressMode::Fast).size(), 50);
    }

    void roundTrip_data()
    {
        QTest::addColumn<QByteArray>("plain");
        QTest::addColumn<TCompressMode>("mode");
        const struct {
            const char *name;
            std::string bytes;
        } inputs[] = {
            {"empty", std::string()},
            {"one byte", std::string("Z")},
            {"32767", samples::text(32767)},
            {"32768", samples::text(32768)},
            {"32769", samples::text(32769)},
            {"65536 runs", samples::runs(65536)},
            {"random", samples::random(100000)},
            {"text", samples::text(200000)},
            {"long runs", std::string(300000, 'x') + std::string(70000, '\0')},
            {"binary", samples::binary(150000)},
            {"1 MiB", samples::text(1 << 19) + samples::binary(1 << 19)},
        };
        for (const auto &input : inputs) {
            QTest::addRow("fast %s", input.name) << QByteArray::fromStdString(input.bytes) << TCompressMode::Fast;
            QTest::addRow("good %s", input.name) << QByteArray::fromStdString(input.bytes) << TCompressMode::Good;
        }
    }
    void roundTrip()
    {
        QFETCH(QByteArray, plain);
        QFETCH(TCompressMode, mode);
        const QByteArray packed = streamCompress(plain, mode);
        QCOMPARE(packed.left(4), mode == TCompressMode::Fast ? QByteArray("WRZL") : QByteArray("!HZL"));
        QCOMPARE(qFromLittleEndian<quint32>(packed.constData() + 4), quint32(plain.size()));
        QCOMPARE(streamDecompress(packed), plain);
    }

    // LZH decoding stops once the header's size is out, even inside a match.
    void lzhStopsAtHeaderSize_data()
    {
        QTest::addColumn<QByteArray>("plain");
        QTest::addColumn<int>("size");
        QTest::newRow("run cut inside a match") << QByteArray(1000, 'x') << 100;
        QTest::newRow("text cut short") << QByteArray::fromStdString(samples::text(5000)) << 4000;
    }
    void lzhStopsAtHeaderSize()
    {
        QFETCH(QByteArray, plain);
        QFETCH(int, size);
        QByteArray packed = streamCompress(plain, TCompressMode::Good);
        qToLittleEndian(quint32(size), packed.data() + 4);
        QCOMPARE(streamDecompress(packed), plain.left(size));
    }

    // Texts and runs shrink; LZH beats LZRW1/KH on text.
    void ratios()
    {
        const QByteArray text = QByteArray::fromStdString(samples::text(200000));
        const int fast = streamCompress(text, TCompressMode::Fast).size();
        const int good = streamCompress(text, TCompressMode::Good).size();
        QVERIFY2(fast < text.size() * 6 / 10, qPrintable(QString::number(fast)));
        QVERIFY2(good < fast, qPrintable(QStringLiteral("%1 %2").arg(good).arg(fast)));
        QVERIFY(streamCompress(QByteArray(1 << 20, 'x'), TCompressMode::Good).size() < (1 << 20) / 40);
    }

    void fileModeRoundTrip_data()
    {
        QTest::addColumn<TCompressMode>("mode");
        QTest::newRow("fast") << TCompressMode::Fast;
        QTest::newRow("good") << TCompressMode::Good;
    }
    void fileModeRoundTrip()
    {
        QFETCH(TCompressMode, mode);
        QTemporaryDir dir;
        const QByteArray plain = QByteArray::fromStdString(samples::binary(70000));
        writeFile(dir.filePath("plain"), plain);
        writeFile(dir.filePath("packed"), "old contents");
        Tlzrw1 lz;
        lz.setCompressMode(mode);
        lz.setInputFile(dir.filePath("plain").toStdString());
        lz.setOutputFile(dir.filePath("packed").toStdString());
        const std::int64_t written = lz.Compress();
        QCOMPARE(qint64(written), QFileInfo(dir.filePath("packed")).size());
        lz.setInputFile(dir.filePath("packed").toStdString());
        lz.setOutputFile(dir.filePath("back").toStdString());
        QCOMPARE(qint64(lz.Decompress()), qint64(plain.size()));
        QCOMPARE(readFile(dir.filePath("back")), plain);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 3);
    }

    // Every failed decompression names its cause and leaves no output file.
    void decompressFailures_data()
    {
        QTest::addColumn<QByteArray>("packed");
        QTest::addColumn<QString>("message");
        const QString read = QStringLiteral("Lzrw1 : Error reading from input file : %1");
        const QByteArray abc = QByteArray::fromHex("57525A4C03000000040080616263");
        QTest::newRow("no header") << QByteArray("PK\x03\x04 zip file") << "%1 : Lzrw1 decompression : this file has no valid header !";
        QTest::newRow("short marker") << QByteArray("WR") << read;
        QTest::newRow("short size") << QByteArray("WRZL\x03") << read;
        QTest::newRow("cut inside block") << abc.left(12) << read;
        QTest::newRow("cut in block length") << abc.left(9) << read;
        QTest::newRow("no blocks") << abc.left(8) << read;
        QByteArray longer = abc;
        longer[4] = 4;
        QTest::newRow("size too large") << longer << "Lzrw1 (decompression LZRW1/KH) : Original and compressed sizes do not match !";
        QByteArray shorter = abc;
        shorter[4] = 2;
        QTest::newRow("size too small") << shorter << "Lzrw1 (decompression LZRW1/KH) : Original and compressed sizes do not match !";
        QTest::newRow("block length above 32769")
            << QByteArray::fromHex("57525A4C03000000" "0280") + QByteArray(32770, 'a')
            << "Lzrw1 (decompression LZRW1/KH) : block 1 is damaged (length 32770) !";
        QTest::newRow("copy before output") << QByteArray::fromHex("57525A4C03000000" "0600" "404000610030")
                                            << "Lzrw1 (decompression LZRW1/KH) : block 1 is damaged !";
        const QByteArray lzh = streamCompress(QByteArray::fromStdString(samples::text(5000)), TCompressMode::Good);
        QByteArray lzhLonger = lzh;
        lzhLonger[5] = char(lzhLonger[5] + 1);
        QTest::newRow("lzh size too large") << lzhLonger << "Lzrw1 (LZH decompression) : Original and compressed sizes do not match !";
        QByteArray forged = QByteArray("!HZL") + QByteArray::fromHex("ffffffff") + QByteArray(10, 'q');
        QTest::newRow("lzh forged size") << forged << "Lzrw1 (LZH decompression) : Original and compressed sizes do not match !";
    }
    void decompressFailures()
    {
        QFETCH(QByteArray, packed);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString input = dir.filePath("in.tld");
        writeFile(input, packed);
        Tlzrw1 lz;
        lz.setInputFile(input.toStdString());
        lz.setOutputFile(dir.filePath("out").toStdString());
        QCOMPARE(failureOf([&] { lz.Decompress(); }), message.contains(QLatin1String("%1")) ? message.arg(input) : message);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"in.tld"});
    }

    // The same damage in stream mode names the stream.
    void streamFailures_data()
    {
        QTest::addColumn<QByteArray>("packed");
        QTest::addColumn<QString>("message");
        QTest::newRow("no header") << QByteArray("XXXX\0\0\0\0", 8) << "Lzrw1 decompression : input stream contains no valid header !";
        QTest::newRow("cut") << QByteArray::fromHex("57525A4C0300000004008061") << "Lzrw1 : Error reading from input stream !";
    }
    void streamFailures()
    {
        QFETCH(QByteArray, packed);
        QFETCH(QString, message);
        QCOMPARE(failureOf([&] { streamDecompress(packed); }), message);
    }

    void missingStreams()
    {
        Tlzrw1 lz;
        lz.setUseStream(true);
        QCOMPARE(failureOf([&] { lz.Compress(); }), "Lzrw1 (de)compression : Failed to initialize input stream !");
        QCOMPARE(failureOf([&] { lz.Decompress(); }), "Lzrw1 (de)compression : Failed to initialize input stream !");
        QCOMPARE(failureOf([&] { lz.Advise(); }), "Lzrw1 edvise : can not initialize the input stream!");
        std::istringstream in("abc");
        lz.setInputStream(&in);
        QCOMPARE(failureOf([&] { lz.Compress(); }), "Lzrw1 (de)compression : Failed to initialize output stream !");
    }

    void fileFailures()
    {
        QTemporaryDir dir;
        const std::string missing = dir.filePath("missing.txt").toStdString();
        const QString output = dir.filePath("keep.tld");
        writeFile(output, "previous tally");
        writeFile(dir.filePath("plain"), "abc");
        Tlzrw1 lz;
        lz.setCompressMode(TCompressMode::Fast);
        lz.setInputFile(missing);
        lz.setOutputFile(output.toStdString());
        QCOMPARE(failureOf([&] { lz.Compress(); }),
                 QString::fromStdString("Lzrw1 compression : Failed to obtain the size of : " + missing));
        QCOMPARE(readFile(output), QByteArray("previous tally"));
        QCOMPARE(failureOf([&] { lz.Decompress(); }),
                 QString::fromStdString("Lzrw1 (de)compression : Failed to open input file : " + missing));
        QCOMPARE(failureOf([&] { lz.Advise(); }),
                 QString::fromStdString("Lzrw1 advise : can not get the size of : " + missing));

        // A failed decompression keeps the file it would have replaced.
        writeFile(dir.filePath("bad.tld"), "garbage!");
        lz.setInputFile(dir.filePath("bad.tld").toStdString());
        QVERIFY(failureOf([&] { lz.Decompress(); }).endsWith("this file has no valid header !"));
        QCOMPARE(readFile(output), QByteArray("previous tally"));

        const std::string nowhere = dir.filePath("no/such/folder/out").toStdString();
        lz.setInputFile(dir.filePath("plain").toStdString());
        lz.setOutputFile(nowhere);
        QCOMPARE(failureOf([&] { lz.Compress(); }),
                 QString::fromStdString("Lzrw1 (de)compression : Failed to open output file : " + nowhere));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 3);
    }

    void advise_data()
    {
        QTest::addColumn<QByteArray>("plain");
        QTest::addColumn<int>("threshold");
        QTest::addColumn<TCompressMode>("advice");
        QTest::newRow("small text") << QByteArray::fromStdString(samples::text(98303)) << 40 << TCompressMode::Good;
        QTest::newRow("small runs") << QByteArray(50000, 'a') << 40 << TCompressMode::Good;
        QTest::newRow("large runs") << QByteArray(98304, 'a') << 40 << TCompressMode::Fast;
        QTest::newRow("large random") << QByteArray::fromStdString(samples::random(400000)) << 40 << TCompressMode::Good;
        QTest::newRow("large text, 40%") << QByteArray::fromStdString(samples::text(400000)) << 40 << TCompressMode::Good;
        QTest::newRow("large text, 90%") << QByteArray::fromStdString(samples::text(400000)) << 90 << TCompressMode::Fast;
    }
    void advise()
    {
        QFETCH(QByteArray, plain);
        QFETCH(int, threshold);
        QFETCH(TCompressMode, advice);
        QTemporaryDir dir;
        writeFile(dir.filePath("plain"), plain);
        Tlzrw1 lz;
        lz.setCompressMode(TCompressMode::Auto);
        lz.setThreshold(threshold);
        lz.setInputFile(dir.filePath("plain").toStdString());
        QCOMPARE(lz.Advise(), advice);
        QCOMPARE(lz.CompressMode(), TCompressMode::Auto);

        // Stream mode advises the same and puts the stream back.
        std::istringstream in(plain.toStdString());
        in.seekg(0);
        lz.setUseStream(true);
        lz.setInputStream(&in);
        QCOMPARE(lz.Advise(), advice);
        QCOMPARE(qint64(in.tellg()), qint64(0));

        // Auto compresses with the advised method.
        std::ostringstream out;
        lz.setOutputStream(&out);
        lz.Compress();
        QCOMPARE(QByteArray::fromStdString(out.str().substr(0, 4)),
                 advice == TCompressMode::Fast ? QByteArray("WRZL") : QByteArray("!HZL"));
    }

    // Mangled containers of both methods fail cleanly or decode to the header's size.
    void hostileContainers()
    {
        std::mt19937 rng(4242);
        const QByteArray plain = QByteArray::fromStdString(samples::text(40000));
        const QByteArray sources[] = {streamCompress(plain, TCompressMode::Fast),
                                      streamCompress(plain, TCompressMode::Good)};
        int rejected = 0;
        for (int round = 0; round < 200; ++round) {
            QByteArray packed = sources[round % 2];
            packed.truncate(8 + int(rng() % (packed.size() - 8)) + 1);
            for (int flips = 0; flips < 4; ++flips)
                packed[8 + int(rng() % (packed.size() - 8))] = char(rng());
            try {
                QCOMPARE(streamDecompress(packed).size(), plain.size());
            } catch (const ELzrw1Exception &) {
                ++rejected;
            }
        }
        QVERIFY(rejected > 0);
    }
};

QTEST_GUILESS_MAIN(TestTlzrw1)
#include "test_tlzrw1.moc"
