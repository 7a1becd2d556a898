// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "board/boardpictures.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace brelvox {

namespace {

void antialiased(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
}

QFont boldFont(int pixelSize)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixelSize);
    font.setBold(true);
    return font;
}

// Paints ball 0..9 into the 24 x 24 square at the painter's origin, with or without the
// number on its spot.
void paintBall(QPainter &p, int number, bool numbered = true)
{
    constexpr int BallSize = BoardPictures::BallSize;
    p.save();
    antialiased(p);
    const QRectF body(0.75, 0.75, BallSize - 1.5, BallSize - 1.5);
    QPainterPath round;
    round.addEllipse(body);

    // The body: a stripe ball is white with a coloured band.
    const bool striped = number == 9;
    p.fillPath(round, striped || number == 0 ? BoardPictures::ballColor(0) : BoardPictures::ballColor(number));
    if (striped) {
        p.save();
        p.setClipPath(round);
        p.fillRect(QRectF(0, 6.5, BallSize, 11), BoardPictures::ballColor(9));
        p.restore();
    }

    // The number on its white spot.
    if (number > 0 && numbered) {
        const QRectF spot(6.5, 6.5, 11, 11);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xfb, 0xfb, 0xf6));
        p.drawEllipse(spot);
        p.setFont(boldFont(9));
        p.setPen(Qt::black);
        p.drawText(spot.adjusted(0, 0.5, 0, 0.5), Qt::AlignCenter, QString::number(number));
    }

    // Light from the upper left, shade towards the lower right edge.
    QRadialGradient light(QPointF(8, 7), 6);
    light.setColorAt(0, QColor(255, 255, 255, 200));
    light.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillPath(round, light);
    QRadialGradient shade(QPointF(10, 9), 15);
    shade.setColorAt(0.6, QColor(0, 0, 0, 0));
    shade.setColorAt(1, QColor(0, 0, 0, 110));
    p.fillPath(round, shade);

    p.setPen(QPen(QColor(0, 0, 0, 120), 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(body);
    p.restore();
}

} // namespace

qreal BoardPictures::defaultRatio()
{
    return qobject_cast<QGuiApplication *>(QCoreApplication::instance())
        ? qGuiApp->devicePixelRatio()
        : 1.0;
}

QColor BoardPictures::ballColor(int number)
{
    switch (number) {
    case 0: return QColor(0xf4, 0xf1, 0xe6);
    case 1: return QColor(0xf2, 0xc2, 0x00);
    case 2: return QColor(0x12, 0x3f, 0xc4);
    case 3: return QColor(0xd3, 0x16, 0x16);
    case 4: return QColor(0x6c, 0x1f, 0x9e);
    case 5: return QColor(0xf2, 0x6d, 0x0c);
    case 6: return QColor(0x0f, 0x8a, 0x3c);
    case 7: return QColor(0x7b, 0x12, 0x22);
    case 8: return QColor(0x14, 0x14, 0x14);
    case 9: return QColor(0xf2, 0xc2, 0x00);
    default: return QColor();
    }
}

QPixmap BoardPictures::canvas(int width, int height, qreal ratio)
{
    if (ratio <= 0)
        ratio = 1;
    QPixmap pixmap(qRound(width * ratio), qRound(height * ratio));
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QPixmap BoardPictures::ball(int number, qreal ratio)
{
    if (number < 0 || number > 9)
        return QPixmap();
    QPixmap pixmap = canvas(BallSize, BallSize, ratio);
    QPainter p(&pixmap);
    paintBall(p, number);
    return pixmap;
}

QPixmap BoardPictures::markBall(int number, qreal ratio)
{
    if (number < 0 || number > 9)
        return QPixmap();
    QPixmap pixmap = canvas(BallSize, BallSize, ratio);
    QPainter p(&pixmap);
    paintBall(p, number, false);
    return pixmap;
}

QList<QPixmap> BoardPictures::balls(qreal ratio)
{
    QList<QPixmap> list;
    for (int n = 0; n <= 9; ++n)
        list.append(ball(n, ratio));
    return list;
}

QList<QPointF> BoardPictures::pocketCentres()
{
    // Placed where the scripts send the pocketed balls (a ball's centre is 11 pixels
    // right of and below its corner in table pixels, the table sitting at (1, 1)).
    return {QPointF(19, 19), QPointF(451, 19), QPointF(19, 235), QPointF(451, 235),
            QPointF(235, 14), QPointF(235, 241)};
}

QPixmap BoardPictures::table(qreal ratio)
{
    QPixmap pixmap = canvas(TableWidth, TableHeight, ratio);
    QPainter p(&pixmap);
    antialiased(p);

    // Wooden rail.
    const QRectF outer(0, 0, TableWidth, TableHeight);
    QLinearGradient wood(0, 0, 0, TableHeight);
    wood.setColorAt(0, QColor(0x7a, 0x45, 0x22));
    wood.setColorAt(0.5, QColor(0x5c, 0x30, 0x16));
    wood.setColorAt(1, QColor(0x45, 0x22, 0x0e));
    p.setPen(QPen(QColor(0x2b, 0x14, 0x08), 1));
    p.setBrush(wood);
    p.drawRoundedRect(outer.adjusted(0.5, 0.5, -0.5, -0.5), 9, 9);

    // Sights on the rail, three between each pair of pockets.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xee, 0xe3, 0xc4));
    for (int k = 1; k <= 3; ++k) {
        const qreal xLeft = 19 + (235 - 19) * k / 4.0;
        const qreal xRight = 235 + (451 - 235) * k / 4.0;
        for (qreal x : {xLeft, xRight}) {
            p.drawEllipse(QPointF(x, 5), 1.6, 1.6);
            p.drawEllipse(QPointF(x, TableHeight - 5), 1.6, 1.6);
        }
        const qreal y = 19 + (235 - 19) * k / 4.0;
        p.drawEllipse(QPointF(5, y), 1.6, 1.6);
        p.drawEllipse(QPointF(TableWidth - 5, y), 1.6, 1.6);
    }

    // Cushions, then the felt inside them.
    const QRectF cushion(10, 10, TableWidth - 20, TableHeight - 20);
    p.setBrush(QColor(0x0c, 0x5e, 0x2f));
    p.drawRect(cushion);
    const QRectF felt(22, 22, TableWidth - 44, TableHeight - 44);
    p.setPen(QPen(QColor(0x3b, 0xa8, 0x63), 1));
    p.drawLine(felt.topLeft() + QPointF(0, -0.5), felt.topRight() + QPointF(0, -0.5));
    p.drawLine(felt.topLeft() + QPointF(-0.5, 0), felt.bottomLeft() + QPointF(-0.5, 0));
    QRadialGradient cloth(felt.center(), felt.width() * 0.6);
    cloth.setColorAt(0, QColor(0x22, 0x9c, 0x52));
    cloth.setColorAt(1, QColor(0x16, 0x7d, 0x40));
    p.setPen(Qt::NoPen);
    p.setBrush(cloth);
    p.drawRect(felt);

    // Head string through the cue ball's spot, foot spot under the rack's apex ball.
    p.setPen(QPen(QColor(255, 255, 255, 40), 1));
    p.drawLine(QPointF(348.5, felt.top()), QPointF(348.5, felt.bottom()));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 90));
    p.drawEllipse(QPointF(148, 121), 2, 2);

    // Pockets: a dark mouth with a leather rim.
    for (const QPointF &centre : pocketCentres()) {
        p.setBrush(QColor(0x2a, 0x18, 0x0c));
        p.drawEllipse(centre, PocketRadius + 1.5, PocketRadius + 1.5);
        QRadialGradient hole(centre, PocketRadius);
        hole.setColorAt(0, QColor(0, 0, 0));
        hole.setColorAt(0.8, QColor(0x08, 0x08, 0x08));
        hole.setColorAt(1, QColor(0x22, 0x22, 0x22));
        p.setBrush(hole);
        p.drawEllipse(centre, PocketRadius, PocketRadius);
    }
    return pixmap;
}

QPixmap BoardPictures::chalk(qreal ratio)
{
    QPixmap pixmap = canvas(14, 15, ratio);
    QPainter p(&pixmap);
    antialiased(p);
    // A cube of chalk: top face, front face, side face, a worn hollow on top.
    const QPolygonF top({QPointF(1, 4), QPointF(5, 1), QPointF(13, 1), QPointF(9, 4)});
    const QPolygonF front({QPointF(1, 4), QPointF(9, 4), QPointF(9, 14), QPointF(1, 14)});
    const QPolygonF side({QPointF(9, 4), QPointF(13, 1), QPointF(13, 11), QPointF(9, 14)});
    p.setPen(QPen(QColor(0x0b, 0x2a, 0x5c), 0.8));
    p.setBrush(QColor(0x6f, 0xa8, 0xf0));
    p.drawPolygon(top);
    p.setBrush(QColor(0x2f, 0x6f, 0xd0));
    p.drawPolygon(front);
    p.setBrush(QColor(0x1d, 0x4c, 0x9a));
    p.drawPolygon(side);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x3c, 0x7e, 0xd8));
    p.drawEllipse(QPointF(7, 2.5), 2.5, 1);
    return pixmap;
}

QPixmap BoardPictures::eyes(qreal ratio)
{
    QPixmap pixmap = canvas(27, 14, ratio);
    QPainter p(&pixmap);
    antialiased(p);
    for (qreal x : {7.0, 20.0}) {
        p.setPen(QPen(QColor(0x20, 0x20, 0x20), 1));
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(x, 7), 6, 5.5);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x2a, 0x5d, 0xa8));
        p.drawEllipse(QPointF(x + 1.5, 7.5), 3, 3);
        p.setBrush(Qt::black);
        p.drawEllipse(QPointF(x + 1.5, 7.5), 1.5, 1.5);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(x + 0.5, 6.3), 0.8, 0.8);
    }
    return pixmap;
}

QPixmap BoardPictures::turnMarker(qreal ratio)
{
    QPixmap pixmap = canvas(119, 11, ratio);
    QPainter p(&pixmap);
    antialiased(p);
    // A cue stick pointing right: dark butt, light shaft, white ferrule, blue tip.
    const qreal mid = 5.5;
    QPainterPath stick;
    stick.moveTo(1, mid - 4.5);
    stick.lineTo(108, mid - 2);
    stick.lineTo(108, mid + 2);
    stick.lineTo(1, mid + 4.5);
    stick.closeSubpath();
    QLinearGradient wood(0, 0, 108, 0);
    wood.setColorAt(0, QColor(0x3a, 0x1d, 0x0b));
    wood.setColorAt(0.35, QColor(0x3a, 0x1d, 0x0b));
    wood.setColorAt(0.36, QColor(0xd9, 0xb0, 0x6a));
    wood.setColorAt(1, QColor(0xf0, 0xd6, 0x9c));
    p.setPen(QPen(QColor(0x1e, 0x10, 0x06), 0.8));
    p.setBrush(wood);
    p.drawPath(stick);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xf6, 0xf6, 0xf0));
    p.drawRect(QRectF(108, mid - 2, 6, 4));
    p.setBrush(QColor(0x2f, 0x6f, 0xd0));
    p.drawRoundedRect(QRectF(114, mid - 2, 4, 4), 1.2, 1.2);
    p.setBrush(QColor(0xd0, 0xa0, 0x30));
    p.drawRect(QRectF(38, mid - 3.6, 2, 7.2));
    return pixmap;
}

QPixmap BoardPictures::optionBox(bool ticked, qreal ratio)
{
    QPixmap pixmap = canvas(28, 22, ratio);
    QPainter p(&pixmap);
    antialiased(p);
    const QRectF box(5.5, 2.5, 17, 17);
    p.setPen(QPen(QColor(0x33, 0x33, 0x33), 1.2));
    p.setBrush(Qt::white);
    p.drawRoundedRect(box, 2.5, 2.5);
    if (ticked) {
        QPainterPath tick;
        tick.moveTo(8.5, 11);
        tick.lineTo(12.5, 15.5);
        tick.lineTo(20, 5.5);
        p.setPen(QPen(QColor(0x0f, 0x8a, 0x3c), 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(tick);
    }
    return pixmap;
}

QList<QPixmap> BoardPictures::optionBoxes(qreal ratio)
{
    return {optionBox(false, ratio), optionBox(true, ratio)};
}

QPixmap BoardPictures::slate(int width, int height, qreal ratio)
{
    QPixmap pixmap = canvas(width, height, ratio);
    QPainter p(&pixmap);
    antialiased(p);
    QLinearGradient wood(0, 0, width, height);
    wood.setColorAt(0, QColor(0x8a, 0x5a, 0x2b));
    wood.setColorAt(1, QColor(0x4e, 0x2e, 0x12));
    p.setPen(Qt::NoPen);
    p.setBrush(wood);
    p.drawRoundedRect(QRectF(0, 0, width, height), 6, 6);
    QLinearGradient board(0, 0, 0, height);
    board.setColorAt(0, QColor(0x2c, 0x36, 0x30));
    board.setColorAt(1, QColor(0x1a, 0x22, 0x1d));
    p.setBrush(board);
    p.drawRoundedRect(QRectF(5, 5, width - 10, height - 10), 3, 3);
    p.setPen(QPen(QColor(255, 255, 255, 60), 1));
    p.drawLine(QPointF(12, 30.5), QPointF(width - 12, 30.5));
    return pixmap;
}

void BoardPictures::paintTile(QPainter &p, const QRectF &tile)
{
    QLinearGradient face(tile.topLeft(), tile.bottomLeft());
    face.setColorAt(0, QColor(0xfb, 0xf8, 0xec));
    face.setColorAt(1, QColor(0xdc, 0xd6, 0xbf));
    p.setPen(QPen(QColor(0x8c, 0x86, 0x70), 1));
    p.setBrush(face);
    p.drawRoundedRect(tile, 4, 4);
}

QPixmap BoardPictures::startButton(qreal ratio)
{
    QPixmap pixmap = canvas(146, 34, ratio);
    QPainter p(&pixmap);
    antialiased(p);
    const QRectF face(1, 1, 144, 32);
    QLinearGradient felt(0, 0, 0, 34);
    felt.setColorAt(0, QColor(0x2c, 0xb0, 0x60));
    felt.setColorAt(1, QColor(0x0c, 0x5e, 0x2f));
    p.setPen(QPen(QColor(0xe0, 0xb0, 0x30), 2));
    p.setBrush(felt);
    p.drawRoundedRect(face, 15, 15);
    // A cue ball and the eight ball on either side of the caption.
    for (auto [x, number] : {std::pair{7.0, 0}, std::pair{119.0, 8}}) {
        p.save();
        p.translate(x, 7);
        p.scale(20.0 / BallSize, 20.0 / BallSize);
        paintBall(p, number);
        p.restore();
    }
    p.setFont(boldFont(15));
    p.setPen(QColor(0, 0, 0, 120));
    p.drawText(face.translated(1, 1), Qt::AlignCenter, QStringLiteral("Start Game"));
    p.setPen(QColor(0xff, 0xee, 0x55));
    p.drawText(face, Qt::AlignCenter, QStringLiteral("Start Game"));
    return pixmap;
}

} // namespace brelvox
