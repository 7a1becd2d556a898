// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "shell/appwindows.h"

#include "board/tallyrecorder.h"
#include "board/tgamestart.h"
#include "client/chatview.h"
#include "client/clientsession.h"
#include "client/tphrases.h"
#include "client/tspylist.h"
#include "core/inifile.h"
#include "core/version.h"
#include "host/tserver.h"
#include "shell/menuhostoptions.h"
#include "shell/preferences.h"
#include "shell/tchat.h"
#include "tally/ttallylist.h"
#include "widgets/dialogs.h"
#include "windows/tabout.h"
#include "windows/tdownload.h"
#include "windows/thelp.h"
#include "windows/turl.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QWidget>
#include <QTimer>
#include <QWindow>
#include <functional>
#include <utility>
#include "protocol/message.h"

namespace brelvox {

QIcon applicationIcon()
{
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/shell/brelvox-%1.png").arg(size), QSize(size, size));
    return icon;
}

namespace {
// The board counts a finished game through this; the tally list keeps it.
class TallyBridge : public TallyRecorder
{
public:
    explicit TallyBridge(Ttallylist *tally)
        : m_tally(tally)
    {
    }
    void addgame(const QString &winner) override { m_tally->addgame(winner); }

private:
    Ttallylist *m_tally;
};

template <typename W>
W *secondary(W *window)
{
    window->setAttribute(Qt::WA_QuitOnClose, false);
    window->hide();
    return window;
}

// A secondary window stays a top-level window of its own but belongs to the main one, so
// the window manager or compositor places and stacks it over the main window. Set as it
// shows, before it is mapped: no native window is made for a window never shown.
class BelongsToMain : public QObject
{
public:
    BelongsToMain(QWidget *main, QObject *parent)
        : QObject(parent)
        , m_main(main)
    {
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show) {
            if (QWindow *handle = static_cast<QWidget *>(watched)->windowHandle()) {
                m_main->winId();
                handle->setTransientParent(m_main->windowHandle());
            }
        } else if (event->type() == QEvent::Hide && QApplication::activeWindow() == watched && m_main->isVisible()) {
            // Closed while it had the keyboard: the keyboard goes back to the game, not to
            // wherever the window manager's and Qt's ideas of focus happen to settle.
            m_main->activateWindow();
        }
        return false;
    }

private:
    QWidget *m_main;
};

// Runs then once window is on screen. A window shown before the compositor knows its
// transient parent belongs to nothing (Wayland places it anywhere), so the solo game's
// download window waits for the main window; a window never exposed still gets it soon.
class WhenExposed : public QObject
{
public:
    static void run(QWindow *window, std::function<void()> then)
    {
        if (!window || window->isExposed()) {
            then();
            return;
        }
        auto *waiter = new WhenExposed(window, std::move(then));
        window->installEventFilter(waiter);
        QTimer::singleShot(kLongestWaitMs, waiter, &WhenExposed::fire);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose && static_cast<QWindow *>(watched)->isExposed())
            fire();
        return false;
    }

private:
    static constexpr int kLongestWaitMs = 2000;

    WhenExposed(QWindow *window, std::function<void()> then)
        : QObject(window)
        , m_then(std::move(then))
    {
    }

    void fire()
    {
        if (!m_then)
            return;
        // Later, not from inside the window's own expose handling.
        QTimer::singleShot(0, parent(), std::exchange(m_then, nullptr));
        deleteLater();
    }

    std::function<void()> m_then;
};
} // namespace

AppWindows::AppWindows()
    : m_hostPort(kGamePort)
{
    m_chat = std::make_unique<Tchat>();
    m_tally = secondary(new Ttallylist);
    m_about = secondary(new Tabout);
    Tchat *c = m_chat.get();
    m_gameStart = secondary(new Tgamestart(c->state()));
    connect(m_gameStart, &Tgamestart::sendRequested, c->session(), &ClientSession::send);
    connect(m_gameStart, &Tgamestart::chosen, c, [c](int option) {
        c->setChosenGameType(option);
        c->saveinifile();
    });
    m_help = secondary(new Thelp);
    m_phrases = secondary(new Tphrases(m_chat->chat(), [this](const QString &key, const QString &value) {
        IniFile ini(m_chat->settingsPath());
        return ini.writeString(settingsfile::kSection, key, value);
    }));
    m_hostOptions = std::make_unique<MenuHostOptions>(*m_chat->preferences());
    m_server = std::make_unique<TServer>(*m_hostOptions);
    m_spyList = secondary(new Tspylist(c->session()->spies()));
    m_download = secondary(new Tdownload);
    auto *belongs = new BelongsToMain(m_chat.get(), this);
    for (QWidget *w : secondaryWindows())
        w->installEventFilter(belongs);
    wire();
}

AppWindows::~AppWindows()
{
    m_server.reset();
    // The tally list saves the tally on its way out.
    for (QWidget *w : secondaryWindows())
        delete w;
}

QList<QWidget *> AppWindows::secondaryWindows() const
{
    return {m_tally, m_about, m_gameStart, m_help, m_phrases, m_spyList, m_download};
}

void AppWindows::wire()
{
    Tchat *c = m_chat.get();
    m_tallyBridge = std::make_unique<TallyBridge>(m_tally);
    c->attachGameOptions(m_gameStart, m_tallyBridge.get());
    ClientSession *session = c->session();

    m_help->setAboutWindow(m_about);
    c->setLogoClick([this] { m_about->url1()->execute(); });
    connect(c->action("Help2"), &QAction::triggered, c, [this, c] { m_help->showOver(c); });
    connect(c->action("About1"), &QAction::triggered, c, [this, c] { m_about->showOver(c); });
    connect(c->action("SpyList1"), &QAction::triggered, c, [this] {
        m_spyList->show();
        m_spyList->raise();
    });
    connect(c->action("PrhaseList1"), &QAction::triggered, c, [this, c] { m_phrases->open(c); });
    connect(m_phrases, &Tphrases::writeFailed, c, [c] {
        dialogs::error(QStringLiteral("Unable to write to %1").arg(c->settingsPath()), c);
    });
    connect(m_download, &Tdownload::exitRequested, c, &Tchat::Exit1Click);

    m_tally->setSeatedNames([c] {
        QStringList names;
        for (int seat = 1; seat <= 5; ++seat) {
            const QString name = c->state().seatName(seat);
            if (seat != c->state().ownSeat && name != ClientState::kWaiting)
                names << name;
        }
        return names;
    });
    connect(c->action("ViewTally1"), &QAction::triggered, c, [this, c] {
        dialogs::guarded([&] {
            m_tally->loadchecklist();
            m_tally->showOver(c);
        });
    });

    m_spyList->setKick([c](int seat) { c->kicking(seat); });

    connect(c, &Tchat::hostingRequested, session, [this, session] {
        m_server->listen(m_hostPort);
        session->setPort(m_server->port());
    });
    connect(c, &Tchat::connectRequested, session, [session](const QString &host, quint16 port) {
        if (port != 0)
            session->setPort(port);
        session->open(host);
    });
    connect(c, &Tchat::downloadRequested, m_download, [this, c] {
        WhenExposed::run(c->windowHandle(), [this] { m_download->showOnDesktop(); });
    });
    connect(c, &Tchat::hostingStarted, m_spyList, &Tspylist::enableRemoval);
}

} // namespace brelvox
