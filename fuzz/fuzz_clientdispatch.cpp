// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
// A host's bytes, cut at 0xFF, handed one per tick to the real main window's dispatch
// (offscreen): every board, chat, table and game-end handler sees what a hostile host sends.
#include "board/letterboard.h"
#include "client/clientsession.h"
#include "core/userfiles.h"
#include "fuzzcheck.h"
#include "protocol/messagesplitter.h"
#include "shell/appwindows.h"
#include "shell/tchat.h"
#include "widgets/dialogs.h"

#include <QApplication>
#include <QDir>
#include <memory>

using namespace brelvox;

namespace {

struct Harness {
    std::unique_ptr<QApplication> app;
    std::unique_ptr<AppWindows> windows;
};

Harness &harness()
{
    static Harness h = [] {
        Harness made;
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "fuzz_clientdispatch";
        static char *argv[] = {name, nullptr};
        made.app = std::make_unique<QApplication>(argc, argv);
        const QString dir = QDir::temp().filePath(QStringLiteral("brelvox-fuzz-client"));
        QDir().mkpath(dir);
        setUserFileDir(dir);
        dialogs::setHandler([](dialogs::Kind, const QString &, const QString &) { return true; });
        made.windows = std::make_unique<AppWindows>();
        return made;
    }();
    return h;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    Harness &h = harness();
    Tchat *chat = h.windows->chat();
    ClientSession *session = chat->session();
    if (size > 0) {
        // The first byte picks who this copy is: seat 0..9, and whether it hosts.
        chat->state().ownSeat = data[0] % 10;
        chat->state().host = (data[0] & 0x80) != 0;
        ++data;
        --size;
    }
    MessageSplitter splitter;
    for (const QString &m : splitter.feed(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size))))
        session->receivedlist().push(m);
    int ticks = 0;
    while (!session->receivedlist().isEmpty() || ticks < 20) {
        session->Timer1Timer();
        if (++ticks % 7 == 0)
            chat->letterBoard()->Timer2Timer();
        FUZZ_CHECK(ticks < 100000);
    }
    QCoreApplication::processEvents();
    return 0;
}
