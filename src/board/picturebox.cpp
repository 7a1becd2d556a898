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
    if (m_pixmap.isNull())
        return;
    QPainter p(this);
    p.drawPixmap(0, 0, m_pixmap);
}

} // namespace brelvox
