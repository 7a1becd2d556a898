// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "core/signalwatcher.h"
#include "shell/appwindows.h"
#include "shell/instanceguard.h"
#include "shell/presencemarker.h"
#include "shell/tchat.h"
#include "tally/ttallylist.h"
#include "widgets/dialogs.h"

#include <QApplication>
#include <QSessionManager>
#include <QTimer>

#include <csignal>

int main(int argc, char *argv[])
{
    // The command line is the player's: Qt sees only the program's name, so "-reverse",
    // "-style" or "-name" reach processparams as they were typed.
    QStringList params;
    for (int i = 1; i < argc; ++i)
        params << QString::fromLocal8Bit(argv[i]);
    int qtArgc = 1;
    char *qtArgv[] = {argv[0], nullptr};
    QApplication app(qtArgc, qtArgv);
    QApplication::setApplicationName(QStringLiteral("Brelvox"));

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
    QObject::connect(&stops, &brelvox::SignalWatcher::caught, chat, &brelvox::Tchat::Exit1Click);
    QObject::connect(&app, &QCoreApplication::aboutToQuit, chat, &brelvox::Tchat::closing);
    // A logout may still be cancelled: save now, end only when told to.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, chat, [&windows, chat](QSessionManager &) {
        brelvox::dialogs::guarded([chat] { chat->FormClose(); });
        windows.tallyList()->saveTallyFile();
    });

    chat->show();
    // Start-up measurements stop here: the window is up and the command line was read.
    if (qEnvironmentVariableIsSet("BRELVOX_QUIT_AFTER_SHOW"))
        QTimer::singleShot(0, &app, &QCoreApplication::quit);
    return app.exec();
}
