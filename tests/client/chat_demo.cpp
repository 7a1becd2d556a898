// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
//
// chat_demo: the main window with a few lines of chat, an action, a phrase, a chatter
// sound and a link, as a seated player sees them. Prints READY and stays open.

#include "client/chatview.h"
#include "client/clientsession.h"
#include "sound/recordingsoundsink.h"
#include "sound/soundplayer.h"
#include "shell/tchat.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <cstdio>

using namespace brelvox;

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    Tchat w;
    w.sounds()->setSink(std::make_unique<RecordingSoundSink>());
    w.show();
    w.state().ownSeat = 1;
    w.state().loggedIn = true;
    w.setSeatName(1, QStringLiteral("You"));
    w.setSeatName(2, QStringLiteral("Rook"));
    w.setSeatName(3, QStringLiteral("Ann"));
    const char *lines[] = {
        "CMD_newplayerinfo+2+Rook",
        "CMD_newplayerinfo+3+Ann",
        "CMD_chat+Rook chats: hi all, ready for a game?|clBlue",
        "CMD_chat+Ann chats: rules at www.example.com/brelvox. have a look|clGreen",
        "CMD_action+Rook waves|clPurple",
        "CMD_action+Ann says: Good One!|clMaroon",
        "CMD_playasound+2+wave11+",
        "CMD_chat+You chats: a|b stays whole|$00FF8000",
        "CMD_justwatching+3+1",
    };
    for (const char *line : lines) {
        w.session()->receivedlist().push(QString::fromLatin1(line));
        w.session()->processsocktimer();
    }
    w.chat()->mychat()->setText(QStringLiteral("<Enter Chat Here>"));
    QTimer::singleShot(300, [] {
        std::puts("READY");
        std::fflush(stdout);
    });
    return app.exec();
}
