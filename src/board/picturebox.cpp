// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "board/picturebox.h"

#include <QPainter>

namespace brelvox {

PictureBox::PictureBox(QWidget *parent)
    : QWidget(parent)
{
}

void PictureBox::setPixmap(const QPixmap &pixmap)
{
    m_pixmap = pixmap;
    update();
}

void PictureBox::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    if (!m_pixmap.isNull())
        p.drawPixmap(0, 0, m_pixmap);
    // Only pictures that act as controls take the focus; they show where it is.
    if (hasFocus()) {
        p.setPen(QPen(palette().color(QPalette::Highlight), 2, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect().adjusted(1, 1, -1, -1));
    }
}

} // namespace brelvox
