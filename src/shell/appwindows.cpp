// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "shell/appwindows.h"

#include "client/chatview.h"
#include "client/tphrases.h"
#include "client/tspylist.h"
#include "core/inifile.h"
#include "shell/preferences.h"
#include "shell/tchat.h"
#include "widgets/dialogs.h"

#include <QAction>
#include <QWidget>

namespace brelvox {

AppWindows::AppWindows()
{
    m_chat = std::make_unique<Tchat>();
    m_tally = secondary(QStringLiteral("Brelvox - Tally List"));
    m_about = secondary(QStringLiteral("Brelvox - About"));
    m_gameStart = secondary(QStringLiteral("Brelvox - Game Start"));
    m_help = secondary(QStringLiteral("Brelvox - Help File"));
    m_phrases = secondary(QStringLiteral("Brelvox - Phrase Buttons"), new Tphrases(m_chat->chat(), [this](const QString &key, const QString &value) {
                              IniFile ini(m_chat->settingsPath());
                              return ini.writeString(settingsfile::kSection, key, value);
                          }));
    m_spyList = secondary(QStringLiteral("Brelvox -Spys"), new Tspylist);
    m_download = secondary(QStringLiteral("Download The Ostrel Lobby"));
    wire();
}

AppWindows::~AppWindows()
{
    for (QWidget *w : std::initializer_list<QWidget *>{m_tally, m_about, m_gameStart, m_help, m_phrases, m_spyList, m_download})
        delete w;
}

template <typename W>
W *AppWindows::secondary(const QString &caption, W *window)
{
    if constexpr (std::is_same_v<W, QWidget>) {
        if (!window)
            window = new QWidget(nullptr, Qt::Window);
    }
    window->setWindowTitle(caption);
    window->setAttribute(Qt::WA_QuitOnClose, false);
    window->hide();
    return window;
}

void AppWindows::wire()
{
    Tchat *c = m_chat.get();
    auto show = [](QWidget *w) {
        w->show();
        w->raise();
        w->activateWindow();
    };
    connect(c->action("Help2"), &QAction::triggered, c, [this, show] { show(m_help); });
    connect(c->action("About1"), &QAction::triggered, c, [this, show] { show(m_about); });
    connect(c->action("SpyList1"), &QAction::triggered, c, [this, show] { show(m_spyList); });
    connect(c->action("ViewTally1"), &QAction::triggered, c, [this, show] { show(m_tally); });
    Tphrases *phrases = m_phrases;
    connect(c->action("PrhaseList1"), &QAction::triggered, c, [this, phrases] { phrases->open(m_chat.get()); });
    connect(phrases, &Tphrases::writeFailed, c, [c] {
        dialogs::error(QStringLiteral("Unable to write to %1").arg(c->settingsPath()), c);
    });

    Tchat::Hooks hooks;
    hooks.showDownload = [this] { m_download->show(); };
    hooks.hostingStarted = [this] { m_spyList->enableRemoval(); };
    c->setHooks(std::move(hooks));
}

} // namespace brelvox
