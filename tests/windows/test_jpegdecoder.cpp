// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "windows/jpegdecoder.h"

#include <QFile>
#include <QTest>

using namespace brelvox;

namespace {
QByteArray advert()
{
    QFile f(QStringLiteral(":/windows/lobby_ad.jpg"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The frame header's height and width, set to a size nobody should allocate.
QByteArray withSize(QByteArray jpeg, int width, int height)
{
    const qsizetype sof = jpeg.indexOf(QByteArray("\xFF\xC0", 2));
    if (sof < 0 || sof + 9 > jpeg.size())
        return QByteArray();
    jpeg[sof + 5] = char(height >> 8);
    jpeg[sof + 6] = char(height & 0xFF);
    jpeg[sof + 7] = char(width >> 8);
    jpeg[sof + 8] = char(width & 0xFF);
    return jpeg;
}
} // namespace

class TestJpegDecoder : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void decodesTheAdvert();
    void hostileBytesGiveNullImage_data();
    void hostileBytesGiveNullImage();
    void truncatedDataDoesNotCrash();
};

void TestJpegDecoder::decodesTheAdvert()
{
    const QImage image = decodeJpeg(advert());
    QCOMPARE(image.size(), QSize(400, 339));
    // Felt in the middle, a wooden rail at the top, a black pocket in the corner.
    const QColor felt = image.pixelColor(200, 150);
    QVERIFY(felt.green() > felt.red() + 40 && felt.green() > felt.blue() + 40);
    const QColor rail = image.pixelColor(200, 8);
    QVERIFY(rail.red() > rail.blue() + 30);
    const QColor pocket = image.pixelColor(16, 16);
    QVERIFY(pocket.lightness() < 40);
}

void TestJpegDecoder::hostileBytesGiveNullImage_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("not a JPEG") << QByteArray("GIF89a and some more bytes");
    QTest::newRow("start marker only") << QByteArray("\xFF\xD8", 2);
    QTest::newRow("header cut") << advert().left(100);
    QTest::newRow("huge frame") << withSize(advert(), 60000, 60000);
    QTest::newRow("zero width") << withSize(advert(), 0, 339);
}

void TestJpegDecoder::hostileBytesGiveNullImage()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(decodeJpeg(bytes).isNull());
}

void TestJpegDecoder::truncatedDataDoesNotCrash()
{
    // libjpeg fills a cut-off picture; it must not read past the end or fail hard.
    const QByteArray data = advert();
    for (qsizetype cut : {data.size() / 2, data.size() - 10}) {
        const QImage image = decodeJpeg(data.left(cut));
        QVERIFY(image.isNull() || image.size() == QSize(400, 339));
    }
    QByteArray flipped = data;
    for (qsizetype i = 600; i < flipped.size(); i += 97)
        flipped[i] = char(flipped[i] ^ 0x5A);
    const QImage image = decodeJpeg(flipped);
    QVERIFY(image.isNull() || image.size() == QSize(400, 339));
}

QTEST_GUILESS_MAIN(TestJpegDecoder)
#include "test_jpegdecoder.moc"
