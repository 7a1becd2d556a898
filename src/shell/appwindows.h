// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QIcon>
#include <QList>
#include <QObject>
#include <memory>

class QWidget;

namespace brelvox {

// The program's icon in every size the desktop files ship, for the title bars.
QIcon applicationIcon();

class MenuHostOptions;
class Tabout;
class TallyRecorder;
class Tgamestart;
class Tchat;
class Tdownload;
class Thelp;
class Tphrases;
class TServer;
class Tspylist;
class Ttallylist;

// Every window of the program, created at start-up in a fixed order (the main window first)
// and kept until the process ends; the secondary ones are shown and hidden.
class AppWindows : public QObject
{
    Q_OBJECT
public:
    AppWindows();
    ~AppWindows() override;

    Tchat *chat() const { return m_chat.get(); }
    Ttallylist *tallyList() const { return m_tally; }
    Tabout *about() const { return m_about; }
    Tgamestart *gameStart() const { return m_gameStart; }
    Thelp *help() const { return m_help; }
    Tphrases *phrases() const { return m_phrases; }
    TServer *server() const { return m_server.get(); }
    Tspylist *spyList() const { return m_spyList; }
    Tdownload *download() const { return m_download; }
    // Every window but the main one.
    QList<QWidget *> secondaryWindows() const;

    // The port hosting listens on; the game's own unless a test says otherwise.
    void setHostPort(quint16 port) { m_hostPort = port; }

private:
    void wire();

    std::unique_ptr<Tchat> m_chat;
    Ttallylist *m_tally = nullptr;
    Tabout *m_about = nullptr;
    Tgamestart *m_gameStart = nullptr;
    std::unique_ptr<TallyRecorder> m_tallyBridge;
    Thelp *m_help = nullptr;
    Tphrases *m_phrases = nullptr;
    std::unique_ptr<MenuHostOptions> m_hostOptions;
    std::unique_ptr<TServer> m_server;
    Tspylist *m_spyList = nullptr;
    Tdownload *m_download = nullptr;
    quint16 m_hostPort;
};

} // namespace brelvox
