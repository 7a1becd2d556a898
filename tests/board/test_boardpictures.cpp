// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "board/boardpictures.h"
#include "board/movescriptline.h"

#include <QFile>
#include <QTest>

using namespace brelvox;

namespace {

QColor pixelAt(const QPixmap &pixmap, QPointF logical)
{
    const qreal ratio = pixmap.devicePixelRatio();
    return pixmap.toImage().pixelColor((logical * ratio).toPoint());
}

QStringList shippedScript(int tag)
{
    QFile file(QStringLiteral(":/board/listbox_moves%1.txt").arg(tag));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

} // namespace

class TestBoardPictures : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void ballColours_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("hue");   // -1: no hue (white or black)
        QTest::newRow("cue") << 0 << -1;
        QTest::newRow("1 yellow") << 1 << 46;
        QTest::newRow("2 blue") << 2 << 224;
        QTest::newRow("3 red") << 3 << 0;
        QTest::newRow("4 purple") << 4 << 276;
        QTest::newRow("5 orange") << 5 << 25;
        QTest::newRow("6 green") << 6 << 141;
        QTest::newRow("7 maroon") << 7 << 351;
        QTest::newRow("8 black") << 8 << -1;
        QTest::newRow("9 yellow stripe") << 9 << 46;
    }
    void ballColours()
    {
        QFETCH(int, number);
        QFETCH(int, hue);
        for (qreal ratio : {1.0, 2.0}) {
            const QPixmap ball = BoardPictures::ball(number, ratio);
            QCOMPARE(ball.deviceIndependentSize(), QSizeF(24, 24));
            QCOMPARE(ball.size(), QSize(24, 24) * ratio);
            QCOMPARE(pixelAt(ball, {0, 0}).alpha(), 0);
            // The side of the ball, clear of the number and the highlight.
            const QColor side = pixelAt(ball, {19, 12});
            if (hue >= 0) {
                const int diff = std::abs(side.hsvHue() - hue);
                QVERIFY2(std::min(diff, 360 - diff) < 15, qPrintable(side.name()));
                QVERIFY(side.hsvSaturation() > 120);
            } else if (number == 8) {
                QVERIFY(side.value() < 60);
            } else {
                QVERIFY(side.value() > 180 && side.hsvSaturation() < 40);
            }
            // Numbered balls carry a white spot; the stripe ball is white above its band.
            if (number > 0)
                QVERIFY(pixelAt(ball, {12, 8}).value() > 200);
            const QColor top = pixelAt(ball, {16, 3});
            if (number == 9 || number == 0)
                QVERIFY(top.hsvSaturation() < 60);
            else if (number != 8)
                QVERIFY(top.hsvSaturation() > 100);
        }
        QCOMPARE(BoardPictures::balls().size(), 10);
    }

    void numbersDiffer()
    {
        // Same colour, different number: ball 1 and the stripe must still differ in the middle.
        const QImage one = BoardPictures::ball(1, 1).toImage();
        const QImage three = BoardPictures::ball(3, 1).toImage();
        const QImage six = BoardPictures::ball(6, 1).toImage();
        QCOMPARE(BoardPictures::ball(10, 1).isNull(), true);
        QCOMPARE(BoardPictures::ball(-1, 1).isNull(), true);
        auto spot = [](const QImage &image) { return image.copy(7, 7, 10, 10); };
        QVERIFY(spot(one) != spot(three));
        QVERIFY(spot(three) != spot(six));
    }

    void pocketsUnderScriptTargets()
    {
        const QPixmap table = BoardPictures::table(1);
        QCOMPARE(table.size(), QSize(470, 255));
        int pockets = 0;
        for (int tag : {1, 2}) {
            const QStringList lines = shippedScript(tag);
            QCOMPARE(lines.size(), 27);
            for (const QString &text : lines) {
                const std::optional<MoveScriptLine> line = parseMoveScriptLine(text);
                QVERIFY(line);
                if (line->state != u'p')
                    continue;
                ++pockets;
                // The ball's centre in table pixels: the table sits at (1, 1) in the panel.
                const QPointF centre(line->targetLeft + 11, line->targetTop + 11);
                bool inPocket = false;
                for (const QPointF &pocket : BoardPictures::pocketCentres()) {
                    const QPointF d = centre - pocket;
                    inPocket |= std::hypot(d.x(), d.y()) < BoardPictures::PocketRadius;
                }
                QVERIFY2(inPocket, qPrintable(text));
                QVERIFY2(pixelAt(table, centre).value() < 40, qPrintable(text));
            }
        }
        QCOMPARE(pockets, 18);
        // Felt where the rack stands, wood at the rim.
        const QColor felt = pixelAt(table, {111, 123});
        QVERIFY(felt.green() > felt.red() + 50 && felt.green() > felt.blue() + 30);
        const QColor rail = pixelAt(table, {100, 4});
        QVERIFY(rail.red() > rail.green() && rail.red() > rail.blue());
    }

    void sizes_data()
    {
        QTest::addColumn<QPixmap>("picture");
        QTest::addColumn<QSize>("size");
        QTest::newRow("chalk") << BoardPictures::chalk(2) << QSize(14, 15);
        QTest::newRow("eyes") << BoardPictures::eyes(2) << QSize(27, 14);
        QTest::newRow("turn marker") << BoardPictures::turnMarker(2) << QSize(119, 11);
        QTest::newRow("empty box") << BoardPictures::optionBox(false, 2) << QSize(28, 22);
        QTest::newRow("ticked box") << BoardPictures::optionBox(true, 2) << QSize(28, 22);
        QTest::newRow("start button") << BoardPictures::startButton(2) << QSize(146, 34);
        QTest::newRow("table") << BoardPictures::table(2) << QSize(470, 255);
    }
    void sizes()
    {
        QFETCH(QPixmap, picture);
        QFETCH(QSize, size);
        QCOMPARE(picture.deviceIndependentSize(), QSizeF(size));
        QCOMPARE(picture.size(), size * 2);
        // Something is painted.
        const QImage image = picture.toImage();
        int opaque = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                opaque += qAlpha(image.pixel(x, y)) > 200;
        QVERIFY(opaque > image.width() * image.height() / 5);
    }

    void boxes()
    {
        const QList<QPixmap> boxes = BoardPictures::optionBoxes(1);
        QCOMPARE(boxes.size(), 2);
        QVERIFY(boxes.at(0).toImage() != boxes.at(1).toImage());
        // The empty box is white inside, the ticked one has its green tick.
        QCOMPARE(pixelAt(boxes.at(0), {12.5, 15.5}), QColor(Qt::white));
        const QColor tick = pixelAt(boxes.at(1), {12.5, 15});
        QVERIFY(tick.green() > tick.red() + 40);
    }
};

QTEST_MAIN(TestBoardPictures)
#include "test_boardpictures.moc"
