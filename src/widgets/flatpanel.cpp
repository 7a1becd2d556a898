// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "widgets/flatpanel.h"

#include <QPainter>

namespace brelvox {

FlatPanel::FlatPanel(QWidget *parent)
    : QFrame(parent)
{
}

void FlatPanel::setColor(const QColor &color)
{
    m_color = color;
    update();
}

void FlatPanel::setBorderColor(const QColor &color)
{
    m_border = color;
    update();
}

void FlatPanel::setTile(const QPixmap &tile)
{
    m_tile = tile;
    update();
}

void FlatPanel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    if (!m_tile.isNull())
        p.drawTiledPixmap(rect(), m_tile);
    else
        p.fillRect(rect(), m_color);
    if (m_border.isValid()) {
        p.setPen(m_border);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

} // namespace brelvox
