// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
//
// Timings against a real brelvox-server over loopback. Percentiles of single round
// trips and a rate under load do not fit a per-iteration benchmark, so this prints its
// figures and judges nothing.
//
//   bench_loopback [guesses] [chats]     defaults 1000 and 2000 (a quarter of the guesses
//                                        under chat load)
#include "client/clientsession.h"
#include "boardmodel/clientstate.h"
#include "host/rules/wordlists.h"
#include "protocol/catalogue.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

using namespace brelvox;

namespace {

constexpr char kEnd = char(0xFF);
constexpr int kWait = 10000;

bool waitUntil(const std::function<bool()> &done, int ms)
{
    // Sleeps in the event loop between looks; the timer bounds each sleep.
    const QDeadlineTimer deadline(ms);
    QTimer wake;
    wake.start(5);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

// A client on the event loop: cuts what arrives at 0xFF and hands each message on.
class Client
{
public:
    explicit Client(quint16 port)
    {
        m_sock.setSocketOption(QAbstractSocket::LowDelayOption, 1);
        QObject::connect(&m_sock, &QTcpSocket::connected,
                         [this] { m_sock.setSocketOption(QAbstractSocket::LowDelayOption, 1); });
        QObject::connect(&m_sock, &QTcpSocket::readyRead, [this] {
            m_buffer += m_sock.readAll();
            qsizetype start = 0;
            qsizetype end;
            while ((end = m_buffer.indexOf(kEnd, start)) >= 0) {
                const QByteArray message = m_buffer.mid(start, end - start);
                start = end + 1;
                if (message.startsWith("CMD_sendlogininfo+")) {
                    seat = message.mid(18).toInt();
                    send("CMD_logininfo+" + QByteArray::number(seat) + "+1.0.5+B" + QByteArray::number(seat));
                }
                if (onMessage)
                    onMessage(message);
            }
            m_buffer.remove(0, start);
        });
        m_sock.connectToHost(QStringLiteral("127.0.0.1"), port);
    }
    void send(const QByteArray &text)
    {
        m_sock.write(text + kEnd);
        m_sock.flush();
    }

    int seat = 0;
    std::function<void(const QByteArray &)> onMessage;

private:
    QTcpSocket m_sock;
    QByteArray m_buffer;
};

double percentile(std::vector<double> sorted, double p)
{
    std::sort(sorted.begin(), sorted.end());
    const size_t at = std::min(sorted.size() - 1, size_t(p * double(sorted.size() - 1) + 0.5));
    return sorted[at];
}

// Seat 1 plays a High Score game alone (Dira never gets to guess: each guess ends the
// row sooner than her delay) and times each "CMD_myword" to its "CMD_yourletters".
// Meanwhile `chatters` more seats (those on player seats just watching) each keep six
// chats on their way, refilled as their echoes come back.
void guessRoundTrip(quint16 port, int count, int thinkMs, int chatters)
{
    const WordLists lists = WordLists::shipped();
    Client me(port);
    if (!waitUntil([&] { return me.seat != 0; }, kWait)) {
        std::printf("guess round trip: never offered a seat\n");
        return;
    }
    std::vector<std::unique_ptr<Client>> others;
    bool chatting = true;
    qint64 chats = 0;
    for (int i = 0; i < chatters; ++i) {
        others.push_back(std::make_unique<Client>(port));
        Client *c = others.back().get();
        if (!waitUntil([&] { return c->seat != 0; }, kWait)) {
            std::printf("guess round trip: chatter %d never offered a seat\n", i + 1);
            return;
        }
        const QByteArray line = "CMD_chat+" + QByteArray::number(c->seat) + "+" + QByteArray(40, 'x');
        const QByteArray echo = "CMD_chat+B" + QByteArray::number(c->seat) + " chats: ";
        c->onMessage = [c, line, echo, &chatting, &chats](const QByteArray &m) {
            if (chatting && m.startsWith(echo)) {
                ++chats;
                c->send(line);
            }
        };
        if (c->seat <= 5)
            c->send("CMD_justwatch+" + QByteArray::number(c->seat) + "+1");
    }
    waitUntil([] { return false; }, 200); // logins handled
    for (auto &c : others) {
        for (int k = 0; k < 6; ++k)
            c->send("CMD_chat+" + QByteArray::number(c->seat) + "+" + QByteArray(40, 'x'));
    }
    std::vector<double> ms;
    ms.reserve(size_t(count));
    QStringList candidates;
    QElapsedTimer clock;
    bool waiting = false;
    me.onMessage = [&](const QByteArray &m) {
        if (m.startsWith("CMD_loadball+"))
            candidates = lists.startingWith(QLatin1Char(m.at(m.indexOf('+', 13) + 1)));
        else if (m.startsWith("CMD_winner+") || m.startsWith("CMD_tiegame+"))
            me.send("CMD_startgame+B1+high+");
        else if (m.startsWith("CMD_nextplayer+1+") && !candidates.isEmpty() && int(ms.size()) < count) {
            const QByteArray guess = "CMD_myword+1+" + candidates.takeAt(candidates.size() / 2).toLatin1() + "+";
            // A player thinks before a guess; without it every guess meets the host mid-tick.
            QTimer::singleShot(thinkMs, [&me, &waiting, &clock, guess] {
                me.send(guess);
                waiting = true;
                clock.start();
            });
        } else if (m.startsWith("CMD_yourletters+1+f+") && waiting) {
            ms.push_back(double(clock.nsecsElapsed()) / 1e6);
            waiting = false;
        }
    };
    QElapsedTimer run;
    run.start();
    me.send("CMD_startgame+B1+high+");
    const bool done = waitUntil([&] { return int(ms.size()) >= count; }, 600000);
    const double seconds = double(run.nsecsElapsed()) / 1e9;
    chatting = false;
    if (!done || ms.empty()) {
        std::printf("guess round trip: only %d of %d guesses answered\n", int(ms.size()), count);
        return;
    }
    double sum = 0;
    for (double v : ms)
        sum += v;
    std::printf("guess_round_trip_ms  think %d ms  chatting seats %d (%.0f chats/s handled)  n %d  p50 %.2f  p90 %.2f  "
                "p99 %.2f  max %.2f  mean %.2f\n",
                thinkMs, chatters, double(chats) / seconds, int(ms.size()), percentile(ms, 0.5), percentile(ms, 0.9),
                percentile(ms, 0.99), percentile(ms, 1.0), sum / double(ms.size()));
}

// A host of our own on a thread of its own sends `rate` chat lines a second, each with
// its send time, to one ClientSession; the lag is the time from sending to the handler.
class Flood : public QThread
{
public:
    Flood(int rate, int seconds) : m_rate(rate), m_seconds(seconds) {}
    std::atomic<quint16> port{0};
    std::atomic<int> sent{0};
    std::atomic<bool> stop{false};

protected:
    void run() override
    {
        QTcpServer server;
        server.listen(QHostAddress::LocalHost);
        port = server.serverPort();
        if (!server.waitForNewConnection(kWait))
            return;
        QTcpSocket *peer = server.nextPendingConnection();
        peer->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        QElapsedTimer clock;
        clock.start();
        QEventLoop loop;
        QTimer pace;
        pace.setTimerType(Qt::PreciseTimer);
        QObject::connect(&pace, &QTimer::timeout, [&] {
            const qint64 due = std::min<qint64>(clock.elapsed() * m_rate / 1000, qint64(m_rate) * m_seconds);
            while (sent < due) {
                const qint64 now = std::chrono::steady_clock::now().time_since_epoch().count();
                peer->write("CMD_chat+" + QByteArray::number(now) + "|clBlack" + kEnd);
                ++sent;
            }
            if (sent >= m_rate * m_seconds)
                loop.quit();
        });
        pace.start(1);
        loop.exec();
        peer->waitForBytesWritten(kWait);
        // Stays open until the client is done: a close would end its session.
        while (!stop)
            QThread::msleep(5);
    }

private:
    int m_rate;
    int m_seconds;
};

void clientLag(int rate, int seconds)
{
    Flood flood(rate, seconds);
    flood.start();
    while (!flood.port)
        QThread::msleep(1);
    ClientState state;
    ClientSession session(state);
    std::vector<double> lag;
    session.dispatchTable().bind(cmd::chat, [&lag](const QString &arguments) {
        const qint64 sentAt = arguments.section(QLatin1Char('|'), 0, 0).toLongLong();
        const qint64 now = std::chrono::steady_clock::now().time_since_epoch().count();
        lag.push_back(double(now - sentAt) / 1e6);
    });
    qint64 ticks = 0;
    bool sending = true;
    session.addTicker([&] {
        ticks += sending ? 1 : 0;
        return sending;
    });
    session.setPort(flood.port);
    session.open(QStringLiteral("127.0.0.1"));
    const int total = rate * seconds;
    QElapsedTimer clock;
    waitUntil([&] { return flood.sent > 0; }, kWait);
    clock.start();
    waitUntil([&] { return flood.sent >= total; }, seconds * 1000 + kWait);
    const double sendSeconds = double(clock.nsecsElapsed()) / 1e9;
    const qsizetype backlog = session.receivedlist().size();
    sending = false;
    waitUntil([&] { return int(lag.size()) >= total; }, seconds * 2500);
    flood.stop = true;
    flood.wait();
    if (lag.empty()) {
        std::printf("client lag: nothing handled\n");
        return;
    }
    std::printf("client_lag_ms  host sends %d msg/s for %d s  handled %d  backlog when the host stopped %d  "
                "Timer1 %.1f ticks/s  p50 %.2f  p99 %.2f  max %.2f\n",
                rate, seconds, int(lag.size()), int(backlog), double(ticks) / sendSeconds, percentile(lag, 0.5),
                percentile(lag, 0.99), percentile(lag, 1.0));
}

// Nine seats chat at once, each keeping `window` chats on their way (well under the
// host's 64 queued per connection); the rate is chats the host handled per second.
void chatThroughput(quint16 port, int total, int window)
{
    std::vector<std::unique_ptr<Client>> clients;
    std::vector<int> sent(10), echoed(10);
    int handled = 0;
    qint64 deliveries = 0;
    for (int i = 0; i < 9; ++i) {
        clients.push_back(std::make_unique<Client>(port));
        Client *c = clients.back().get();
        c->onMessage = [&, c](const QByteArray &m) {
            if (!m.startsWith("CMD_chat+"))
                return;
            ++deliveries;
            if (m.startsWith(QByteArray("CMD_chat+B" + QByteArray::number(c->seat) + " chats: "))) {
                ++echoed[size_t(c->seat)];
                ++handled;
            }
        };
        if (!waitUntil([&] { return c->seat != 0; }, kWait)) {
            std::printf("throughput: seat %d never offered\n", i + 1);
            return;
        }
    }
    waitUntil([] { return false; }, 200); // logins handled
    const QByteArray text(40, 'x');
    QElapsedTimer clock;
    clock.start();
    auto topUp = [&] {
        for (auto &c : clients) {
            const size_t s = size_t(c->seat);
            while (sent[s] - echoed[s] < window && handled + 9 * window < total + 9 * window && sent[s] < total / 9) {
                ++sent[s];
                c->send("CMD_chat+" + QByteArray::number(c->seat) + "+" + text);
            }
        }
    };
    const bool done = waitUntil([&] {
        topUp();
        return handled >= (total / 9) * 9;
    }, 600000);
    const double seconds = double(clock.nsecsElapsed()) / 1e9;
    std::printf("host_chat_throughput  clients 9  window %d  handled %d%s  in %.2f s  = %.1f msg/s  (%.0f deliveries/s)\n",
                window, handled, done ? "" : " (timed out)", seconds, handled / seconds, double(deliveries) / seconds);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int guesses = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : 1000;
    const int chats = argc > 2 ? std::max(9, QByteArray(argv[2]).toInt()) : 2000;

    auto startServer = [](QProcess &server) -> quint16 {
        server.start(QStringLiteral(BRELVOX_SERVER_PATH),
                     {"--port", "0", "--bot-speed", "fast", "--between-rounds", "0", "--turn-tick-ms", "10"});
        QByteArray out;
        waitUntil([&] {
            out += server.readAllStandardOutput();
            return out.contains('\n') || server.state() == QProcess::NotRunning;
        }, kWait);
        const QByteArray prefix = "brelvox-server: listening on port ";
        return out.startsWith(prefix) ? quint16(out.mid(prefix.size(), out.indexOf('\n') - prefix.size()).toUInt()) : 0;
    };
    for (int part = 0; part < 3; ++part) {
        QProcess server;
        const quint16 port = startServer(server);
        if (!port) {
            std::fprintf(stderr, "bench_loopback: brelvox-server did not start\n");
            return 1;
        }
        if (part == 0) {
            guessRoundTrip(port, guesses, 0, 0);
            guessRoundTrip(port, guesses, 15, 0);
        } else if (part == 1) {
            guessRoundTrip(port, std::max(1, guesses / 4), 15, 8);
        } else {
            chatThroughput(port, chats, 6);
        }
        server.terminate();
        server.waitForFinished();
    }
    clientLag(200, 5);
    return 0;
}
