// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "core/signalwatcher.h"
#include "core/userfiles.h"
#include "core/version.h"
#include "shell/appwindows.h"
#include "shell/instanceguard.h"
#include "shell/presencemarker.h"
#include "shell/tchat.h"
#include "tally/ttallylist.h"
#include "widgets/accessible.h"
#include "widgets/dialogs.h"
#include "widgets/fonts.h"

#include <QApplication>
#include <QSessionManager>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <cstring>

namespace {

// The lobby starts the game with three parameters and a lone parameter only names the
// player, so --help and --version count only as the sole argument: a player called
// "--help" still joins. Answered before any display is opened.
bool answeredSoleOption(int argc, char *argv[])
{
    if (argc != 2)
        return false;
    if (std::strcmp(argv[1], "--version") == 0) {
        std::printf("brelvox %s%s\n", brelvox::kProtocolVersion, brelvox::kBuildSuffix);
        return true;
    }
    if (std::strcmp(argv[1], "--help") != 0 && std::strcmp(argv[1], "-h") != 0)
        return false;
    std::fputs("Usage: brelvox                    a solo game as \"You\" against Dira\n"
               "       brelvox NAME HOST true     host a game under NAME (HOST is not used)\n"
               "       brelvox NAME HOST false    join the game hosted at HOST[:PORT]\n"
               "       brelvox --help | --version\n"
               "Brelvox, a word-guessing game with a pool-billiards theme. Games meet on TCP\n"
               "port 7772. See brelvox(6).\n",
               stdout);
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    if (answeredSoleOption(argc, argv))
        return 0;
    // The command line is the player's: Qt sees only the program's name, so "-reverse",
    // "-style" or "-name" reach processparams as they were typed.
    QStringList params;
    for (int i = 1; i < argc; ++i)
        params << QString::fromLocal8Bit(argv[i]);
    int qtArgc = 1;
    char *qtArgv[] = {argv[0], nullptr};
    QApplication app(qtArgc, qtArgv);
    brelvox::useArialMetrics();
    QApplication::setApplicationName(QStringLiteral("Brelvox"));
    QGuiApplication::setDesktopFileName(QStringLiteral("example.ostrel.Brelvox"));
    QApplication::setWindowIcon(brelvox::applicationIcon());
    brelvox::accessible::install();

    brelvox::InstanceGuard guard(QStringLiteral("vrenik"));
    if (guard.anotherIsRunning(true))
        return 0;
    brelvox::PresenceMarker presence(brelvox::InstanceGuard::runtimeFolder(), QStringLiteral("brelvox"));

    brelvox::AppWindows windows;
    brelvox::Tchat *chat = windows.chat();
    chat->setCommandLine(params);
    QObject::connect(&guard, &brelvox::InstanceGuard::restoreRequested, chat, [chat] {
        if (chat->isMinimized())
            chat->showNormal();
        chat->raise();
        chat->activateWindow();
    });

    // Asked to end by a signal or by the session: the same road as File > Exit, so the
    // window's place and the tally are kept.
    brelvox::SignalWatcher stops;
    stops.watch({SIGTERM, SIGHUP, SIGINT});
    QObject::connect(&stops, &brelvox::SignalWatcher::caught, chat, [chat] {
        // A window moved just before the request is kept at its new place, even when the
        // window system's word of the move is still queued behind the signal.
        QGuiApplication::sync();
        brelvox::dialogs::setEndingUnattended(true);
        chat->Exit1Click();
    });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, chat, &brelvox::Tchat::closing);
    // A logout may still be cancelled: save now, end only when told to.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, chat, [&windows, chat](QSessionManager &) {
        brelvox::dialogs::setEndingUnattended(true);
        brelvox::dialogs::guarded([chat] { chat->FormClose(); });
        windows.tallyList()->saveTallyFile();
        brelvox::dialogs::setEndingUnattended(false);
    });

    chat->show();
    const QString moved = brelvox::takeUserFileNotice();
    if (!moved.isEmpty())
        QTimer::singleShot(0, chat, [chat, moved] { brelvox::dialogs::information(moved, chat); });
    // Start-up measurements stop here: the window is up and the command line was read.
    if (qEnvironmentVariableIsSet("BRELVOX_QUIT_AFTER_SHOW"))
        QTimer::singleShot(0, &app, &QCoreApplication::quit);
    return app.exec();
}
