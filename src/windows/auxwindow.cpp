// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "windows/auxwindow.h"

#include "widgets/escapekey.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QWidget>

namespace brelvox {

void paintAuxBackground(QPainter &painter, const QRect &rect, const QPixmap &tile)
{
    painter.fillRect(rect, kAuxBackground);
    if (!tile.isNull())
        painter.drawTiledPixmap(rect, tile);
}

void centreWindow(QWidget *window, QWidget *anchor)
{
    QPoint centre;
    if (anchor && anchor->isVisible())
        centre = anchor->frameGeometry().center();
    else if (QScreen *screen = QGuiApplication::primaryScreen())
        centre = screen->availableGeometry().center();
    else
        return;
    QRect r(QPoint(), window->frameGeometry().size());
    r.moveCenter(centre);
    window->move(r.topLeft());
}

AuxWindow::AuxWindow(QWidget *parent, Qt::WindowFlags flags)
    : QWidget(parent, flags)
{
    closeOnEscape(this);
}

void AuxWindow::showOver(QWidget *anchor)
{
    m_anchor = anchor;
    centreWindow(this, anchor);
    show();
    raise();
    activateWindow();
}

void AuxWindow::setTile(const QPixmap &tile)
{
    m_tile = tile;
    update();
}

void AuxWindow::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    paintAuxBackground(p, rect(), m_tile);
}

} // namespace brelvox
