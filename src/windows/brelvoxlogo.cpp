// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "windows/brelvoxlogo.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace brelvox {

QPixmap brelvoxLogo(const QSize &size, qreal ratio)
{
    if (ratio <= 0)
        ratio = qobject_cast<QGuiApplication *>(QCoreApplication::instance()) ? qGuiApp->devicePixelRatio() : 1.0;
    QPixmap logo(qRound(size.width() * ratio), qRound(size.height() * ratio));
    logo.setDevicePixelRatio(ratio);
    logo.fill(Qt::transparent);
    QPainter p(&logo);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(size.width() / 231.0, size.height() / 56.0);

    QLinearGradient cloth(0, 0, 0, 56);
    cloth.setColorAt(0, QColor(0x1F, 0x80, 0x3E));
    cloth.setColorAt(1, QColor(0x0B, 0x3D, 0x1C));
    p.setPen(QPen(QColor(0x5A, 0x3A, 0x1A), 3));
    p.setBrush(cloth);
    p.drawRoundedRect(QRectF(1.5, 1.5, 228, 53), 10, 10);

    // The nine ball: yellow stripe on white, a white spot with the number.
    const QRectF ball(10, 6, 44, 44);
    QRadialGradient shine(ball.center() - QPointF(8, 8), 30);
    shine.setColorAt(0, Qt::white);
    shine.setColorAt(1, QColor(0xD8, 0xD8, 0xD8));
    p.setPen(Qt::NoPen);
    p.setBrush(shine);
    p.drawEllipse(ball);
    p.save();
    QPainterPath clip;
    clip.addEllipse(ball);
    p.setClipPath(clip);
    p.setBrush(QColor(0xF2, 0xC8, 0x1B));
    p.drawRect(QRectF(ball.left(), ball.top() + 11, ball.width(), 22));
    p.restore();
    p.setBrush(Qt::white);
    p.drawEllipse(ball.center(), 9, 9);
    QFont small(QStringLiteral("DejaVu Sans"));
    small.setPixelSize(12);
    small.setBold(true);
    p.setFont(small);
    p.setPen(Qt::black);
    p.drawText(QRectF(ball.center() - QPointF(9, 9), QSizeF(18, 18)), Qt::AlignCenter, QStringLiteral("9"));

    QFont big(QStringLiteral("DejaVu Sans"));
    big.setPixelSize(28);
    big.setBold(true);
    big.setLetterSpacing(QFont::AbsoluteSpacing, 1);
    p.setFont(big);
    p.setPen(QColor(0x10, 0x20, 0x10));
    p.drawText(QRectF(63, 3, 166, 52), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("BRELVOX"));
    p.setPen(QColor(0xF7, 0xE0, 0x4A));
    p.drawText(QRectF(61, 1, 166, 52), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("BRELVOX"));
    return logo;
}

} // namespace brelvox
