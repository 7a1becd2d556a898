// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QFrame>
#include <QPixmap>

namespace brelvox {

// A flat panel: one background colour, a thin border, or a tiled picture behind its children.
class FlatPanel : public QFrame
{
    Q_OBJECT
public:
    explicit FlatPanel(QWidget *parent = nullptr);

    void setColor(const QColor &color);
    QColor color() const { return m_color; }
    void setBorderColor(const QColor &color);
    void setTile(const QPixmap &tile);

    // A number kept with the widget, as handlers shared by several widgets read it.
    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_color{Qt::white};
    QColor m_border;
    QPixmap m_tile;
    int m_tag = 0;
};

} // namespace brelvox
