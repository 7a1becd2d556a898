// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
// Shows one of the windows on its own, for looking at it: windows_demo download|help|about
#include "windows/tabout.h"
#include "windows/tdownload.h"
#include "windows/thelp.h"

#include <QApplication>
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
    return app.exec();
}
