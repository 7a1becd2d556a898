// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include "windows/auxwindow.h"

class QLabel;
class QStackedLayout;
class QTextBrowser;

namespace brelvox {

class FlatButton;
class Tabout;

// Six pages of help. A section button brings the page "memo" + its tag to the front
// and puts its own caption into the caption line.
class Thelp : public AuxWindow
{
    Q_OBJECT
public:
    explicit Thelp(QWidget *parent = nullptr);

    // The window the "About" button shows, centred where the help window was shown.
    void setAboutWindow(Tabout *about) { m_about = about; }

    void SelButtonClick(FlatButton *button);
    void button_aboutClick();
    void button_doneClick();

    QTextBrowser *currentPage() const;
    QString caption() const;

private:
    void selectButton(FlatButton *button);

    QStackedLayout *m_pages = nullptr;
    QLabel *m_caption = nullptr;
    QList<FlatButton *> m_sections;
    Tabout *m_about = nullptr;
};

} // namespace brelvox
