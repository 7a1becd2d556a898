// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QColor>
#include <QPixmap>
#include <QWidget>

class QPainter;
class QRect;

namespace brelvox {

// What the help and about windows share: their colour under the main window's tile,
// and their place over the main window. The tan is darker than the main window's, so
// yellow, white and black captions all read on it.
inline const QColor kAuxBackground(0x8A, 0x6C, 0x40);

void paintAuxBackground(QPainter &painter, const QRect &rect, const QPixmap &tile);
// Centres window on anchor's frame, or on the desktop without an anchor.
void centreWindow(QWidget *window, QWidget *anchor);

// A top-level window shown over the main window and painted in its tile.
class AuxWindow : public QWidget
{
    Q_OBJECT
public:
    AuxWindow(QWidget *parent, Qt::WindowFlags flags);

    // Shows the window centred on anchor (the main window), or on the desktop without one.
    void showOver(QWidget *anchor);
    // The main window's tiled background, drawn over the window's own colour.
    void setTile(const QPixmap &tile);

protected:
    // The anchor of the last showOver.
    QWidget *anchor() const { return m_anchor; }
    void paintEvent(QPaintEvent *event) override;

private:
    QWidget *m_anchor = nullptr;
    QPixmap m_tile;
};

} // namespace brelvox
