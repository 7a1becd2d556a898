// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QPixmap>
#include <QString>
#include <QWidget>

namespace brelvox {

// A picture widget that also carries a number (Tag) and a text (Hint), the way the board
// keeps small bits of state with its pictures. Transparent where the picture is.
class PictureBox : public QWidget
{
    Q_OBJECT
public:
    explicit PictureBox(QWidget *parent = nullptr);

    // A null pixmap clears the picture.
    void setPixmap(const QPixmap &pixmap);
    QPixmap pixmap() const { return m_pixmap; }

    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }
    QString hint() const { return m_hint; }
    void setHint(const QString &hint) { m_hint = hint; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap m_pixmap;
    int m_tag = 0;
    QString m_hint;
};

} // namespace brelvox
