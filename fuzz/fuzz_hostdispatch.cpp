// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
// Network bytes as three seated connections would send them, cut at 0xFF and handled by a
// real TServer with its game engine and timers; the connections are real loopback ones.
#include "fuzzcheck.h"
#include "host/defaulthostoptions.h"
#include "host/playertable.h"
#include "host/tserver.h"
#include "net/tsock.h"
#include "protocol/messagesplitter.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QTcpSocket>
#include <array>
#include <memory>

using namespace brelvox;

namespace {

constexpr int kSeats = 3;

struct Harness {
    std::unique_ptr<QCoreApplication> app;
    DefaultHostOptions options;
    std::unique_ptr<TServer> host;
    std::array<std::unique_ptr<QTcpSocket>, kSeats> peers;

    void pump(int ms)
    {
        QElapsedTimer t;
        t.start();
        do {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            for (auto &p : peers)
                if (p)
                    p->readAll(); // the peers never look at what the host says
        } while (t.elapsed() < ms);
    }

    // Seats 1..kSeats held by a connection each, reconnecting what a removal took away.
    void seatAll()
    {
        for (int round = 0; round < 200 && host->players().connectedSeats().size() < kSeats; ++round) {
            for (int s = 1; s <= kSeats; ++s) {
                if (host->players().seat(s).connected)
                    continue;
                auto &p = peers[s - 1];
                if (!p || p->state() == QAbstractSocket::UnconnectedState) {
                    p = std::make_unique<QTcpSocket>();
                    p->connectToHost(QHostAddress::LocalHost, host->port());
                }
            }
            pump(2);
        }
    }
};

Harness &harness()
{
    static Harness h = [] {
        Harness made;
        static int argc = 1;
        static char name[] = "fuzz_hostdispatch";
        static char *argv[] = {name, nullptr};
        made.app = std::make_unique<QCoreApplication>(argc, argv);
        return made;
    }();
    if (!h.host) {
        h.host = std::make_unique<TServer>(h.options);
        h.host->listen(0, QStringLiteral("127.0.0.1"));
        h.host->setDispatchHeld(true); // this loop takes the messages, one by one
    }
    return h;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    Harness &h = harness();
    h.seatAll();
    MessageSplitter splitter;
    const QStringList messages = splitter.feed(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    int n = 0;
    for (const QString &text : messages) {
        const int seat = 1 + n % kSeats;
        const SeatRecord &record = h.host->players().seat(seat);
        if (record.connected && record.connection)
            h.host->receivedlist().push(text, record.connection->id());
        h.host->socktimerTimer();
        if (n % 3 == 2)
            h.host->turntimerTimer();
        if (n % 5 == 4)
            h.host->computertimerTimer();
        ++n;
    }
    while (!h.host->receivedlist().isEmpty())
        h.host->socktimerTimer();
    h.pump(1);
    FUZZ_CHECK(h.host->players().seatCount() <= PlayerTable::kMaxSeats);
    for (int s : h.host->players().connectedSeats())
        FUZZ_CHECK(PlayerTable::isSeat(s));
    return 0;
}
