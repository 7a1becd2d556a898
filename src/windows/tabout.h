// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QPixmap>
#include <QWidget>

class QLabel;

namespace brelvox {

class TURL;

// Names the program, its maker and its version. The `version` label's text is the
// protocol version clients and host compare at login.
class Tabout : public QWidget
{
    Q_OBJECT
public:
    explicit Tabout(QWidget *parent = nullptr);

    // Shows the window centred on anchor (the main window), or on the desktop without one.
    void showOver(QWidget *anchor);
    // The main window's tiled background, drawn over the window's own colour.
    void setTile(const QPixmap &tile);

    // The maker's web site; the main window's logo click executes it too.
    TURL *url1() const { return m_url; }
    QString version() const;

    void Label7Click();
    void SelButton8Click();

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    TURL *m_url = nullptr;
    QLabel *m_link = nullptr;
    QLabel *m_version = nullptr;
    QPixmap m_tile;
};

} // namespace brelvox
