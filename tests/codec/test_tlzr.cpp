// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "codec/tlzr.h"
#include "samples.h"

#include <QByteArray>
#include <QTest>

using namespace brelvox;

namespace {
QByteArray compressBlock(const QByteArray &chunk)
{
    TLZR lzr;
    QByteArray out(int(TLZR::kBlockBuffer), '\0');
    const std::size_t n = lzr.compress(reinterpret_cast<const std::uint8_t *>(chunk.constData()),
                                       std::size_t(chunk.size()), reinterpret_cast<std::uint8_t *>(out.data()));
    out.truncate(int(n));
    return out;
}

// Decodes into an output with a guard zone behind it, which must stay untouched.
TLZR::Status decodeBlock(const QByteArray &block, QByteArray *decoded)
{
    QByteArray out(int(TLZR::kChunk) + 64, '\x5A');
    std::size_t produced = 0;
    const auto status = TLZR::decompress(reinterpret_cast<const std::uint8_t *>(block.constData()),
                                         std::size_t(block.size()), reinterpret_cast<std::uint8_t *>(out.data()),
                                         &produced);
    if (out.right(64) != QByteArray(64, '\x5A'))
        qFatal("block decoder wrote past its output");
    *decoded = out.left(int(produced));
    return status;
}
} // namespace

class TestTlzr : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void knownBlocks_data()
    {
        QTest::addColumn<QByteArray>("chunk");
        QTest::addColumn<QByteArray>("block");
        QTest::newRow("empty") << QByteArray() << QByteArray::fromHex("80");
        QTest::newRow("abc") << QByteArray("abc") << QByteArray::fromHex("80616263");
        QTest::newRow("twenty a") << QByteArray(20, 'a') << QByteArray::fromHex("40800000000461");
        QTest::newRow("abcabcabcabc") << QByteArray("abcabcabcabc") << QByteArray::fromHex("4010006162630036");
        QTest::newRow("32768 equal") << QByteArray(32768, '\x07')
                                     << QByteArray::fromHex("40ff40" "000fef07" "000fef07" "000fef07" "000fef07"
                                                            "000fef07" "000fef07" "000fef07" "000fef07" "07" "0014");
        QTest::newRow("dira tally")
            << QByteArray("9\r\n2\r\n0\r\nDira\r\n3\r\n3\r\n2\r\n1\r\n0\r\n2\r\n0\r\n0\r\n0\r\n3\r\n0\r\n1\r\n0\r\n2\r\n0\r\n0\r\n")
            << QByteArray::fromHex("400000390D0A320D0A300D0A446972610D0A33DFC00032012031015200900"
                                   "1B0003301B00090018C");
    }
    void knownBlocks()
    {
        QFETCH(QByteArray, chunk);
        QFETCH(QByteArray, block);
        QCOMPARE(compressBlock(chunk).toHex(' '), block.toHex(' '));
        QByteArray decoded;
        QCOMPARE(decodeBlock(block, &decoded), TLZR::Status::Ok);
        QCOMPARE(decoded, chunk);
    }

    // A chunk that does not shrink is stored with one byte of overhead.
    void storedWhenNotShorter_data()
    {
        QTest::addColumn<QByteArray>("chunk");
        QTest::newRow("one byte") << QByteArray("x");
        QTest::newRow("three bytes") << QByteArray("aaa");
        QTest::newRow("random 32768") << QByteArray::fromStdString(samples::random(32768));
        QTest::newRow("random 1000") << QByteArray::fromStdString(samples::random(1000, 3));
    }
    void storedWhenNotShorter()
    {
        QFETCH(QByteArray, chunk);
        const QByteArray block = compressBlock(chunk);
        QCOMPARE(block.size(), chunk.size() + 1);
        QCOMPARE(quint8(block[0]), quint8(0x80));
        QCOMPARE(block.mid(1), chunk);
    }

    void roundTrip_data()
    {
        QTest::addColumn<QByteArray>("chunk");
        QTest::newRow("text") << QByteArray::fromStdString(samples::text(32768));
        QTest::newRow("binary") << QByteArray::fromStdString(samples::binary(32768));
        QTest::newRow("runs") << QByteArray::fromStdString(samples::runs(32768));
        QTest::newRow("run of 4095 then 4096") << QByteArray(4095, 'q') + QByteArray(4096, 'r');
        QTest::newRow("distance 4095") << QByteArray::fromStdString(samples::random(4095, 5)).repeated(3);
        QTest::newRow("short text") << QByteArray("to be or not to be, that is the question");
    }
    void roundTrip()
    {
        QFETCH(QByteArray, chunk);
        const QByteArray block = compressBlock(chunk);
        QVERIFY(block.size() <= int(TLZR::kMaxBlock));
        QByteArray decoded;
        QCOMPARE(decodeBlock(block, &decoded), TLZR::Status::Ok);
        QCOMPARE(decoded, chunk);
    }

    void damagedBlocks_data()
    {
        QTest::addColumn<QByteArray>("block");
        QTest::newRow("copy before output") << QByteArray::fromHex("40400061" "0030");
        QTest::newRow("copy at first item") << QByteArray::fromHex("408000" "0010");
        QTest::newRow("copy cut short") << QByteArray::fromHex("40400061" "00");
        QTest::newRow("run cut short") << QByteArray::fromHex("40800000" "0001");
        QTest::newRow("compressed too short") << QByteArray::fromHex("4000");
        QTest::newRow("control word cut") << QByteArray::fromHex("400000") + QByteArray(16, 'a') + "b";
        QTest::newRow("stored too long") << QByteArray(1, '\x80') + QByteArray(32769, 'a');
        // Eight full runs and a run of 16 more: 32776 bytes from a well-formed looking block.
        QByteArray past = QByteArray::fromHex("40ff80");
        for (int i = 0; i < 8; ++i)
            past += QByteArray::fromHex("000fef07");
        past += QByteArray::fromHex("00000007");
        QTest::newRow("items past 32768") << past;
        QByteArray literals = QByteArray::fromHex("40ff00");
        for (int i = 0; i < 8; ++i)
            literals += QByteArray::fromHex("000fef07");
        literals += QByteArray(8, 'z') + QByteArray::fromHex("0000") + "!";
        QTest::newRow("literal past 32768") << literals;
    }
    void damagedBlocks()
    {
        QFETCH(QByteArray, block);
        QByteArray decoded;
        QCOMPARE(decodeBlock(block, &decoded), TLZR::Status::Damaged);
    }

    void emptyBlocks_data()
    {
        QTest::addColumn<QByteArray>("block");
        QTest::newRow("length 0") << QByteArray();
        QTest::newRow("stored empty") << QByteArray::fromHex("80");
        QTest::newRow("compressed flag alone") << QByteArray::fromHex("40");
    }
    void emptyBlocks()
    {
        QFETCH(QByteArray, block);
        QByteArray decoded;
        QCOMPARE(decodeBlock(block, &decoded), TLZR::Status::Ok);
        QVERIFY(decoded.isEmpty());
    }

    // Random damage never reads or writes outside the block and its output.
    void hostileBlocks()
    {
        std::mt19937 rng(99);
        const QByteArray good = compressBlock(QByteArray::fromStdString(samples::text(32768)));
        for (int round = 0; round < 300; ++round) {
            QByteArray block = good.left(int(rng() % good.size()) + 1);
            for (int flips = 0; flips < 8; ++flips)
                block[int(rng() % block.size())] = char(rng());
            block[0] = '\x40';
            QByteArray decoded;
            decodeBlock(block, &decoded);
            QVERIFY(decoded.size() <= int(TLZR::kChunk));
        }
    }
};

QTEST_GUILESS_MAIN(TestTlzr)
#include "test_tlzr.moc"
