// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QObject>
#include <memory>

class QWidget;

namespace brelvox {

class Tchat;
class Tphrases;
class Tspylist;

// Every window of the program, created at start-up in a fixed order (the main window first)
// and kept until the process ends; the secondary ones are shown and hidden.
class AppWindows : public QObject
{
    Q_OBJECT
public:
    AppWindows();
    ~AppWindows() override;

    Tchat *chat() const { return m_chat.get(); }
    QWidget *tallyList() const { return m_tally; }
    QWidget *about() const { return m_about; }
    QWidget *gameStart() const { return m_gameStart; }
    QWidget *help() const { return m_help; }
    Tphrases *phrases() const { return m_phrases; }
    Tspylist *spyList() const { return m_spyList; }
    QWidget *download() const { return m_download; }

private:
    template <typename W = QWidget>
    W *secondary(const QString &caption, W *window = nullptr);
    void wire();

    std::unique_ptr<Tchat> m_chat;
    QWidget *m_tally = nullptr;
    QWidget *m_about = nullptr;
    QWidget *m_gameStart = nullptr;
    QWidget *m_help = nullptr;
    Tphrases *m_phrases = nullptr;
    Tspylist *m_spyList = nullptr;
    QWidget *m_download = nullptr;
};

} // namespace brelvox
