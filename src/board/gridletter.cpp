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
        // Just outside the ball's edge, so the ball itself stays as it is.
        const qreal half = BoardPictures::BallSize / 2.0;
        const QPointF centre(SlotLeft + half, SlotTop + half);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0x0c, 0x30, 0x1a), 6));
        p.drawEllipse(centre, half + 2.5, half + 2.5);
        if (m_mark > 0) {
            p.setPen(QPen(BoardPictures::ballColor(m_mark), 3.5));
            p.drawEllipse(centre, half + 2.5, half + 2.5);
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
