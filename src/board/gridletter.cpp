// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "board/gridletter.h"

#include "board/boardpictures.h"

#include <QPainter>
#include <QPainterPath>

namespace brelvox {

namespace {

// Silver is kept for a rejected word; it reads only on a dark ground.
bool isSilver(const QColor &color)
{
    return color.rgb() == qRgb(0xC0, 0xC0, 0xC0);
}

} // namespace

GridLetter::GridLetter(QWidget *parent)
    : QLabel(parent)
{
    setAlignment(Qt::AlignCenter);
}

QRectF GridLetter::tileRect()
{
    return QRectF(1.5, 1.5, Width - 3, Height - 3);
}

void GridLetter::setMark(int ball)
{
    if (ball < 0 || ball > 9)
        ball = -1;
    if (m_mark == ball)
        return;
    m_mark = ball;
    update();
}

void GridLetter::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor color = palette().color(QPalette::WindowText);
    const bool silver = isSilver(color);

    if (silver) {
        p.setPen(QPen(QColor(0x14, 0x17, 0x1b), 1));
        p.setBrush(QColor(0x2e, 0x34, 0x3b));
        p.drawRoundedRect(tileRect(), 4, 4);
    }
    if (m_mark >= 0) {
        // The tile round the ball tells the marks apart by lightness alone, whatever the
        // ball's colour and however the eye sees colour: the object ball lies in a dark
        // pocket, the cue ball on bright felt.
        const qreal half = BoardPictures::BallSize / 2.0;
        const QPointF centre(SlotLeft + half, SlotTop + half);
        QPainterPath tile;
        tile.addRoundedRect(tileRect(), 4, 4);
        QPainterPath ball;
        ball.addEllipse(centre, half - 0.5, half - 0.5);
        p.setPen(Qt::NoPen);
        p.fillPath(tile.subtracted(ball), m_mark > 0 ? QColor(0x20, 0x15, 0x10) : QColor(0x2e, 0x9e, 0x5a));
        if (m_mark > 0) {
            // A light rim keeps a dark ball's outline on the dark ground.
            p.setPen(QPen(QColor(0xfb, 0xf8, 0xec), 1.2));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(centre, half, half);
        }
    }

    const QString letters = text();
    if (letters.isEmpty())
        return;
    const QFontMetricsF metrics(font());
    const qreal x = (width() - metrics.horizontalAdvance(letters)) / 2;
    const qreal baseline = (height() - metrics.height()) / 2 + metrics.ascent();
    QPainterPath path;
    path.addText(QPointF(x, baseline), font(), letters);
    if (!silver) {
        p.setPen(QPen(QColor(0xfb, 0xf8, 0xec), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawPath(path);
}

} // namespace brelvox
