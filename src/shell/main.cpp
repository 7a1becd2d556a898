// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "shell/appwindows.h"
#include "shell/instanceguard.h"
#include "shell/presencemarker.h"
#include "shell/tchat.h"
#include "widgets/fonts.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    brelvox::useArialMetrics();
    QApplication::setApplicationName(QStringLiteral("Brelvox"));

    brelvox::InstanceGuard guard(QStringLiteral("vrenik"));
    if (guard.anotherIsRunning(true))
        return 0;
    brelvox::PresenceMarker presence(brelvox::InstanceGuard::runtimeFolder(), QStringLiteral("brelvox"));

    QApplication::setApplicationDisplayName(QStringLiteral("Brelvox"));
    brelvox::AppWindows windows;
    brelvox::Tchat *chat = windows.chat();
    QObject::connect(&guard, &brelvox::InstanceGuard::restoreRequested, chat, [chat] {
        if (chat->isMinimized())
            chat->showNormal();
        chat->raise();
        chat->activateWindow();
    });
    chat->show();
    // Start-up measurements stop here: the window is up and the command line was read.
    if (qEnvironmentVariableIsSet("BRELVOX_QUIT_AFTER_SHOW"))
        QTimer::singleShot(0, &app, &QCoreApplication::quit);
    return app.exec();
}
