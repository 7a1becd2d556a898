// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "support/serverprocess.h"
#include "host/rules/judge.h"
#include "host/rules/wordlists.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTcpSocket>
#include <QTimer>
#include <QTest>

#include <arpa/inet.h>
#include <csignal>
#include <functional>
#include <memory>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace brelvox;
using namespace brelvox::testsupport;

// brelvox-server with nine scripted clients through one game of each type, with seats
// leaving and coming back, a refused tenth connection, and a flooder, a garbage sender
// and a peer that stops reading taking turns on a watcher's seat.

namespace {

constexpr int kGameWait = 30000;
constexpr char kEnd = char(0xFF);
#ifdef __SANITIZE_ADDRESS__
// AddressSanitizer's quarantine (256 MiB) and shadow memory sit on top of the host's own.
constexpr qint64 kRssCapKib = 1024 * 1024;
#else
constexpr qint64 kRssCapKib = 200 * 1024;
#endif



// What every client found wrong in what the host sent it.
struct Findings
{
    QStringList violations;
    int ownCopies = 0;   // a seat's own "f" letters or rejection
    int onlookerCopies = 0; // Nine Ball "t" copies of another seat's guess
    // The game being played, as the host knows it: a seat that has only just connected
    // hears the game before its catch-up tells it the type.
    QByteArray type;
};

// A client that knows the protocol only. A player guesses the first (or last) spelling
// word that agrees with every pattern it was told; a watcher only listens. Every
// message about a guess is checked against who may see it as it arrives.
class SoakClient
{
public:
    enum Role { Player, Watcher };

    SoakClient(Findings &findings, const WordLists &lists, const QByteArray &name, quint16 port, Role role,
               bool fromEnd = false, bool misspells = false)
        : name(name)
        , m_findings(findings)
        , m_lists(lists)
        , m_role(role)
        , m_fromEnd(fromEnd)
        , m_misspells(misspells)
    {
        QObject::connect(&m_sock, &QTcpSocket::readyRead, [this] { read(); });
        m_sock.connectToHost(QStringLiteral("127.0.0.1"), port);
    }

    void send(const QByteArray &text)
    {
        m_sock.write(text + kEnd);
        m_sock.flush();
    }
    void sendRaw(const QByteArray &bytes)
    {
        m_sock.write(bytes);
        m_sock.flush();
    }
    void chat(const QByteArray &text)
    {
        ++chatsSent;
        send("CMD_chat+" + QByteArray::number(seat) + "+" + text);
    }
    bool closed() const { return m_sock.state() == QAbstractSocket::UnconnectedState; }
    bool saw(const QByteArray &message) const { return received.contains(message); }
    qsizetype countStarting(const QByteArray &prefix, qsizetype from = 0) const
    {
        qsizetype n = 0;
        for (qsizetype i = from; i < received.size(); ++i)
            n += received[i].startsWith(prefix) ? 1 : 0;
        return n;
    }

    const QByteArray name;
    int seat = 0;
    bool loggedIn = false;
    QByteArrayList received;
    QByteArrayList endings; // "CMD_winner+..." / "CMD_tiegame+..."
    int guesses = 0;
    int chatsSent = 0;
    int chatsEchoed = 0;

private:
    void read()
    {
        m_buffer += m_sock.readAll();
        qsizetype end;
        while ((end = m_buffer.indexOf(kEnd)) >= 0) {
            const QByteArray message = m_buffer.left(end);
            m_buffer.remove(0, end + 1);
            received << message;
            handle(message, message.split('+'));
        }
    }

    void violation(const QByteArray &message, const char *why)
    {
        m_findings.violations << QStringLiteral("%1 on seat %2 (%3 game) got \"%4\": %5")
                                     .arg(QString::fromLatin1(name))
                                     .arg(seat)
                                     .arg(QString::fromLatin1(m_findings.type), QString::fromLatin1(message),
                                          QString::fromLatin1(why));
    }

    // A seat's guess reaches that seat with "f"; only in Nine Ball do the others get a
    // "t" copy, and no seat ever gets an "f" copy of someone else's guess.
    void checkPrivate(const QByteArray &message, const QByteArrayList &f)
    {
        const bool letters = f[0] == "CMD_yourletters";
        const int about = f.value(1).toInt();
        const QByteArray &flag = f.value(2);
        if (about == seat) {
            if (flag != "f")
                return violation(message, "own guess without the \"f\" flag");
            const QByteArray guess = letters ? f.value(5) : f.value(3);
            if (!m_sent.contains(guess))
                return violation(message, "letters of a guess this connection never sent");
            ++m_findings.ownCopies;
        } else if (flag != "t") {
            violation(message, "another seat's guess with the guesser's own flag");
        } else if (m_findings.type != "nine") {
            violation(message, "another seat's guess outside Nine Ball");
        } else {
            ++m_findings.onlookerCopies;
        }
    }

    void guess()
    {
        QByteArray word;
        if (m_misspellNext) {
            m_misspellNext = false;
            word = "QXQXQ";
        } else if (!m_candidates.isEmpty()) {
            word = (m_fromEnd ? m_candidates.takeLast() : m_candidates.takeFirst()).toLatin1();
        } else {
            return;
        }
        ++guesses;
        m_sent << word.left(5);
        send("CMD_myword+" + QByteArray::number(seat) + "+" + word.toLower() + "+");
    }

    void newWord(const QByteArray &letter)
    {
        m_candidates = letter.size() == 1 ? m_lists.startingWith(QLatin1Char(letter.at(0))) : QStringList();
        m_misspellNext = m_misspells;
    }

    void handle(const QByteArray &message, const QByteArrayList &f)
    {
        const QByteArray &command = f[0];
        if (command == "CMD_sendlogininfo") {
            seat = f.value(1).toInt();
            loggedIn = true;
            send("CMD_logininfo+" + QByteArray::number(seat) + "+1.0.5+" + name);
        } else if (command == "CMD_gamestats") {
            newWord(f.value(4));
        } else if (command == "CMD_loadball") {
            newWord(f.value(2));
        } else if (command == "CMD_nextplayer") {
            if (m_role == Player && f.value(1).toInt() == seat)
                guess();
        } else if (command == "CMD_yourletters" || command == "CMD_notvalid") {
            checkPrivate(message, f);
            if (command == "CMD_yourletters" && f.value(1).toInt() == seat && f.value(2) == "f") {
                const QString pattern = QString::fromLatin1(f.value(4));
                const QString word = QString::fromLatin1(f.value(5));
                m_candidates.removeIf([&](const QString &c) { return judge::feedbackPattern(word, c) != pattern; });
            }
        } else if (command == "CMD_winner" || command == "CMD_tiegame") {
            endings << message;
        } else if (command == "CMD_chat" && message.startsWith(QByteArray("CMD_chat+" + name + " chats: "))) {
            ++chatsEchoed;
        }
    }

    Findings &m_findings;
    const WordLists &m_lists;
    Role m_role;
    bool m_fromEnd;
    bool m_misspells;
    bool m_misspellNext = false;
    QTcpSocket m_sock;
    QByteArray m_buffer;
    QStringList m_candidates;
    QByteArrayList m_sent;
};

// A peer that logs in and never reads again, with a small receive buffer so the host's
// own backlog is what fills.
class StalledPeer
{
public:
    StalledPeer(quint16 port, int seat)
    {
        m_fd = ::socket(AF_INET, SOCK_STREAM, 0);
        const int small = 4096;
        ::setsockopt(m_fd, SOL_SOCKET, SO_RCVBUF, &small, sizeof small);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(port);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        m_connected = ::connect(m_fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0;
        const QByteArray login = "CMD_logininfo+" + QByteArray::number(seat) + "+1.0.5+Staller" + kEnd;
        m_connected = m_connected && ::send(m_fd, login.constData(), size_t(login.size()), MSG_NOSIGNAL) == login.size();
    }
    ~StalledPeer() { ::close(m_fd); }
    bool connected() const { return m_connected; }

private:
    int m_fd = -1;
    bool m_connected = false;
};

} // namespace

class TestSoak : public QObject
{
    Q_OBJECT

    const WordLists m_lists = WordLists::shipped();
    Findings m_findings;
    std::unique_ptr<ServerProcess> m_server;
    quint16 m_port = 0;
    std::unique_ptr<SoakClient> m_clients[10]; // [seat], 1..5 play, 6..9 watch

    SoakClient &client(int seat) { return *m_clients[seat]; }

    std::unique_ptr<SoakClient> makeClient(int seat)
    {
        const bool player = seat <= 5;
        const QByteArray name = (player ? "P" : "W") + QByteArray::number(seat);
        return std::make_unique<SoakClient>(m_findings, m_lists, name, m_port,
                                            player ? SoakClient::Player : SoakClient::Watcher, seat % 2 == 0,
                                            seat == 3);
    }

    // The seat comes back as a new connection and must be given the same seat.
    bool seatClient(int seat)
    {
        const QByteArray joined = "CMD_newplayerinfo+" + QByteArray::number(seat) + "+";
        const qsizetype before = seat == 1 ? 0 : client(1).countStarting(joined);
        m_clients[seat] = makeClient(seat);
        return waitUntil([&] { return client(1).countStarting(joined) > before; }, kStartWait)
            && client(seat).seat == seat;
    }

    bool leave(int seat)
    {
        const QByteArray gone = "CMD_playerdisconnected+" + QByteArray::number(seat) + "+";
        const qsizetype before = client(1).countStarting(gone);
        m_clients[seat].reset();
        return waitUntil([&] { return client(1).countStarting(gone) > before; }, kStartWait);
    }

    // A fresh connection while every seat is held gets exactly "CMD_full+" and is closed.
    QByteArray refusedReply()
    {
        QTcpSocket tenth;
        QByteArray got;
        QObject::connect(&tenth, &QTcpSocket::readyRead, [&] { got += tenth.readAll(); });
        tenth.connectToHost(QStringLiteral("127.0.0.1"), m_port);
        waitUntil([&] { return tenth.state() == QAbstractSocket::UnconnectedState; }, kStartWait);
        return got + tenth.readAll();
    }

    void startGame(const QByteArray &type)
    {
        for (auto &c : m_clients) {
            if (c)
                c->endings.clear();
        }
        m_findings.type = type;
        client(1).send("CMD_startgame+P1+" + type + "+");
    }

    bool gameEnded()
    {
        return !client(1).endings.isEmpty();
    }

    // Every seat present at the end heard the same single ending.
    void checkEnding(const QByteArray &type)
    {
        QVERIFY2(waitUntil([&] {
                     for (auto &c : m_clients) {
                         if (c && c->endings.isEmpty())
                             return false;
                     }
                     return true;
                 }, kStartWait),
                 type.constData());
        for (auto &c : m_clients) {
            if (!c)
                continue;
            QCOMPARE(c->endings.size(), 1);
            QCOMPARE(c->endings.first(), client(1).endings.first());
        }
        qInfo("%s: %s", type.constData(), client(1).endings.first().constData());
        m_findings.type.clear(); // nobody's letters go anywhere between games
    }

    qsizetype loadballsSince(qsizetype from) { return client(1).countStarting("CMD_loadball+", from); }

private Q_SLOTS:
    void initTestCase()
    {
        m_server = std::make_unique<ServerProcess>(QStringList{"--port", "0", "--bot-speed", "fast", "--between-rounds",
                                                               "0", "--turn-tick-ms", "10"});
        m_port = m_server->waitForPort();
        QVERIFY(m_port != 0);
    }

    void soak()
    {
        QElapsedTimer clock;
        clock.start();
        for (int seat = 1; seat <= 9; ++seat)
            QVERIFY2(seatClient(seat), qPrintable(QStringLiteral("seat %1").arg(seat)));
        QCOMPARE(refusedReply(), QByteArray("CMD_full+") + kEnd);

        // High Score: a player leaves in the middle and comes back onto its seat.
        qsizetype mark = client(1).received.size();
        startGame("high");
        QVERIFY(waitUntil([&] { return loadballsSince(mark) >= 2 || gameEnded(); }, kGameWait));
        QVERIFY(!gameEnded());
        QVERIFY(leave(4));
        QVERIFY(seatClient(4));
        QVERIFY(waitUntil([&] { return client(4).countStarting("CMD_gamestats+high+") == 1; }, kStartWait));
        QVERIFY(waitUntil([&] { return gameEnded(); }, kGameWait));
        checkEnding("high");
        const qint64 rssAfterFirst = m_server->rssKib();
        QVERIFY(rssAfterFirst > 0);

        // Most Balls: seat 7 is taken over in turn by a chat flooder, a sender of a
        // megabyte-long line and a sender of garbage; the game goes on meanwhile.
        mark = client(1).received.size();
        startGame("most");
        QVERIFY(waitUntil([&] { return loadballsSince(mark) >= 1; }, kGameWait));
        QVERIFY(leave(7));
        {
            SoakClient flooder(m_findings, m_lists, "Flooder", m_port, SoakClient::Watcher);
            QVERIFY(waitUntil([&] { return client(1).saw("CMD_newplayerinfo+7+Flooder"); }, kStartWait));
            QByteArray flood;
            const QByteArray one = "CMD_chat+7+" + QByteArray(1000, 'f') + kEnd;
            while (flood.size() < 2 * 1024 * 1024)
                flood += one;
            const qsizetype loadsBefore = loadballsSince(mark);
            flooder.sendRaw(flood);
            QVERIFY(waitUntil([&] { return client(1).saw("CMD_playerdisconnected+7+Flooder"); }, kStartWait));
            // Closed after a bounded part of it was handled; nobody heard megabytes.
            QVERIFY(client(1).countStarting("CMD_chat+Flooder chats: ") <= 70);
            QVERIFY(gameEnded() || waitUntil([&] { return loadballsSince(mark) > loadsBefore || gameEnded(); }, kGameWait));
        }
        {
            SoakClient unterminated(m_findings, m_lists, "Endless", m_port, SoakClient::Watcher);
            QVERIFY(waitUntil([&] { return client(1).saw("CMD_newplayerinfo+7+Endless"); }, kStartWait));
            // Bytes that never end a message are dropped as they come; the sender stays.
            unterminated.sendRaw(QByteArray(1024 * 1024, 'A') + kEnd);
            unterminated.chat("still here|clBlack");
            QVERIFY(waitUntil([&] { return client(1).saw("CMD_chat+Endless chats: still here|clBlack"); }, kStartWait));
            QVERIFY(!unterminated.closed());
        }
        QVERIFY(waitUntil([&] { return client(1).saw("CMD_playerdisconnected+7+Endless"); }, kStartWait));
        {
            SoakClient garbage(m_findings, m_lists, "Garbage", m_port, SoakClient::Watcher);
            QVERIFY(waitUntil([&] { return client(1).saw("CMD_newplayerinfo+7+Garbage"); }, kStartWait));
            // Well-formed messages that act for a seat the sender does not hold, or
            // whose fields are nonsense: each must do nothing.
            for (const char *line : {"CMD_kickhim+1+3+", "CMD_startgame+Evil+nine+", "CMD_myword+1+CRANE+",
                                     "CMD_justwatch+3+1", "CMD_logininfo+3+1.0.5+Impostor", "CMD_chat+abc+x",
                                     "CMD_chat+99+x", "CMD_myword+7+", "CMD_playasound+-1+x", "CMD_", "+++", ""})
                garbage.send(line);
            QRandomGenerator random(20261208);
            for (int i = 0; i < 8 && !garbage.closed(); ++i) {
                QByteArray bytes(8192, '\0');
                random.fillRange(reinterpret_cast<quint32 *>(bytes.data()), bytes.size() / 4);
                garbage.sendRaw(bytes);
                waitUntil([] { return false; }, 20);
            }
        }
        QVERIFY(waitUntil([&] { return client(1).saw("CMD_playerdisconnected+7+Garbage"); }, kStartWait));
        QVERIFY(m_server->running());
        QVERIFY(seatClient(7));
        QVERIFY(waitUntil([&] { return gameEnded(); }, kGameWait));
        checkEnding("most");
        for (int seat = 1; seat <= 9; ++seat) {
            QVERIFY(!client(seat).saw("CMD_newplayerinfo+3+Impostor"));
            QVERIFY(!client(seat).saw("CMD_startgame+Evil+nine+"));
            QVERIFY(!client(seat).saw("CMD_justwatching+3+1"));
        }
        QVERIFY(client(1).countStarting("CMD_playerdisconnected+3+") == 0);

        // Between games: seat 9 stops reading while three seats chat as fast as the
        // host takes it; the host lets it go rather than keep its backlog.
        QVERIFY(leave(9));
        {
            StalledPeer staller(m_port, 9);
            QVERIFY(staller.connected());
            QVERIFY(waitUntil([&] { return client(1).saw("CMD_newplayerinfo+9+Staller"); }, kStartWait));
            const QByteArray text(3900, 's');
            QElapsedTimer stall;
            stall.start();
            const bool dropped = waitUntil([&] {
                for (int seat : {5, 6, 8}) {
                    while (client(seat).chatsSent - client(seat).chatsEchoed < 16)
                        client(seat).chat(text);
                }
                return client(1).saw("CMD_playerdisconnected+9+Staller");
            }, 40000);
            QVERIFY(dropped);
            // Its backlog at its largest: still bounded.
            const qint64 rssAtDrop = m_server->rssKib();
            qInfo("stalled peer dropped after %lld ms, host RSS then %lld KiB", stall.elapsed(), rssAtDrop);
            QVERIFY(rssAtDrop < kRssCapKib);
            QVERIFY(waitUntil([&] {
                for (int seat : {5, 6, 8}) {
                    if (client(seat).chatsEchoed < client(seat).chatsSent)
                        return false;
                }
                return true;
            }, kStartWait));
        }
        for (int seat = 1; seat <= 8; ++seat)
            QVERIFY(!client(seat).closed());
        QVERIFY(seatClient(9));

        // Nine Ball: a player leaves mid-game, maybe on its own turn, and comes back.
        mark = client(1).received.size();
        startGame("nine");
        QVERIFY(waitUntil([&] { return loadballsSince(mark) >= 2 || gameEnded(); }, kGameWait));
        QVERIFY(!gameEnded());
        QVERIFY(leave(3));
        QVERIFY(seatClient(3));
        QVERIFY(waitUntil([&] { return gameEnded(); }, kGameWait));
        checkEnding("nine");

        // Race to 9: seat 2 leaves (Dira stands in) and comes back; all seats held again.
        mark = client(1).received.size();
        startGame("race");
        QVERIFY(waitUntil([&] { return loadballsSince(mark) >= 2 || gameEnded(); }, kGameWait));
        QVERIFY(!gameEnded());
        QVERIFY(leave(2));
        QVERIFY(seatClient(2));
        QVERIFY(waitUntil([&] { return client(2).countStarting("CMD_theyown+") == 1; }, kStartWait));
        QCOMPARE(refusedReply(), QByteArray("CMD_full+") + kEnd);
        QVERIFY(waitUntil([&] { return gameEnded(); }, kGameWait));
        checkEnding("race");

        // Many short visits, then one more login, which the host still answers.
        QVERIFY(leave(8));
        for (int i = 0; i < 40; ++i) {
            // Each one waits until the host has seen the one before it go.
            const qsizetype gone = client(1).countStarting("CMD_playerdisconnected+8+");
            QTcpSocket visitor;
            QByteArray got;
            QObject::connect(&visitor, &QTcpSocket::readyRead, [&] { got += visitor.readAll(); });
            visitor.connectToHost(QStringLiteral("127.0.0.1"), m_port);
            QVERIFY(waitUntil([&] { return got.contains(kEnd); }, kStartWait));
            QCOMPARE(got, QByteArray("CMD_sendlogininfo+8") + kEnd);
            visitor.abort();
            QVERIFY(waitUntil([&] { return client(1).countStarting("CMD_playerdisconnected+8+") > gone; }, kStartWait));
        }
        QVERIFY(seatClient(8));

        QVERIFY2(m_findings.violations.isEmpty(), qPrintable(m_findings.violations.join(QLatin1Char('\n'))));
        QVERIFY(m_findings.ownCopies > 100);
        QVERIFY(m_findings.onlookerCopies > 0);
        // A newcomer's own messages reach only the newcomer: seats 1 and 5 never left.
        for (int seat : {1, 5}) {
            QCOMPARE(client(seat).countStarting("CMD_sendlogininfo+"), 1);
            QCOMPARE(client(seat).countStarting("CMD_gamestats+"), 0);
            QCOMPARE(client(seat).countStarting("CMD_existingplayers+"), seat - 1);
        }
        int notValid = 0;
        for (int seat = 1; seat <= 9; ++seat)
            notValid += int(client(seat).countStarting("CMD_notvalid+3+"));
        QVERIFY(notValid > 0);

        const qint64 rssAtEnd = m_server->rssKib();
        qInfo("host RSS %lld KiB after the first game, %lld KiB at the end; %lld ms in all; %d own, %d onlooker copies",
              rssAfterFirst, rssAtEnd, clock.elapsed(), m_findings.ownCopies, m_findings.onlookerCopies);
        QVERIFY(rssAtEnd > 0);
#ifndef __SANITIZE_ADDRESS__
        // AddressSanitizer keeps freed memory in quarantine, so only the cap holds there.
        QVERIFY(rssAtEnd < 2 * rssAfterFirst);
#endif
        QVERIFY(rssAtEnd < kRssCapKib);

        for (auto &c : m_clients)
            c.reset();
        QCOMPARE(m_server->stopWith(), 0);
    }
};

QTEST_GUILESS_MAIN(TestSoak)
#include "test_soak.moc"
