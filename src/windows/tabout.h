// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include "windows/auxwindow.h"

class QLabel;

namespace brelvox {

class TURL;

// Names the program, its maker and its version. The `version` label's text is the
// protocol version clients and host compare at login.
class Tabout : public AuxWindow
{
    Q_OBJECT
public:
    explicit Tabout(QWidget *parent = nullptr);

    // The maker's web site; the main window's logo click executes it too.
    TURL *url1() const { return m_url; }
    QString version() const;

    void Label7Click();
    void SelButton8Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    TURL *m_url = nullptr;
    QLabel *m_link = nullptr;
    QLabel *m_version = nullptr;
};

} // namespace brelvox
