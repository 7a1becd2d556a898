// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
// Shows one of the windows on its own, for looking at it:
//   windows_demo download|progress|help [button]|about
// "progress" runs a download from a loopback server that stalls half-way.
#include "localhttpserver.h"

#include "core/userfiles.h"
#include "windows/httpclient.h"
#include "windows/lobbyconfig.h"
#include "windows/tabout.h"
#include "windows/tdownload.h"
#include "windows/thelp.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>

using namespace brelvox;

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString which = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("download");
    Tabout about;
    Thelp help;
    help.setAboutWindow(&about);
    Tdownload download;
    if (which == QLatin1String("help")) {
        help.showOver(nullptr);
        if (argc > 2)
            if (auto *b = help.findChild<QWidget *>(QString::fromLocal8Bit(argv[2])))
                QTimer::singleShot(100, b, [b] { QMetaObject::invokeMethod(b, "click"); });
    } else if (which == QLatin1String("about")) {
        about.showOver(nullptr);
    } else {
        download.showOnDesktop();
    }
    LocalHttpServer server;
    QTemporaryDir dir;
    if (which == QLatin1String("progress")) {
        setUserFileDir(dir.path());
        server.stall(1 << 20, QByteArray(300000, 'x'));
        lobbyconfig::setLobbyUrl(server.url(QStringLiteral("/lobby/OstrelLobbySetup.exe")));
        download.httpClient()->setCaFile(LocalHttpServer::caFile());
        download.getbuttonClick();
    }
    return app.exec();
}
