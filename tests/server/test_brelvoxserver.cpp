// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "support/serverprocess.h"
#include "host/rules/judge.h"
#include "host/rules/wordlists.h"
#include "server/serveroptions.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QTcpSocket>
#include <QTest>

#include <csignal>
#include <functional>
#include <memory>

using namespace brelvox;
using namespace brelvox::testsupport;

namespace {

constexpr int kGameWait = 60000;



// A client written from the protocol alone: it logs in, and whenever a row opens for
// it guesses the first (or last) spelling word that agrees with every pattern it was
// told.
class ScriptedPlayer
{
public:
    ScriptedPlayer(const WordLists &lists, const QByteArray &name, quint16 port, bool fromEnd = false)
        : m_lists(lists)
        , m_name(name)
        , m_fromEnd(fromEnd)
    {
        QObject::connect(&m_sock, &QTcpSocket::readyRead, [this] { read(); });
        m_sock.connectToHost(QStringLiteral("127.0.0.1"), port);
    }

    void send(const QByteArray &text)
    {
        m_sock.write(text + char(0xFF));
        m_sock.flush();
    }

    int seat = 0;
    QByteArrayList received;
    QByteArray ending; // "CMD_winner+..." or "CMD_tiegame+..."
    int guesses = 0;

private:
    void read()
    {
        m_buffer += m_sock.readAll();
        qsizetype end;
        while ((end = m_buffer.indexOf(char(0xFF))) >= 0) {
            const QByteArray message = m_buffer.left(end);
            m_buffer.remove(0, end + 1);
            received << message;
            handle(message.split('+'));
        }
    }

    void handle(const QByteArrayList &f)
    {
        const QByteArray &command = f[0];
        if (command == "CMD_sendlogininfo") {
            seat = f.value(1).toInt();
            send("CMD_logininfo+" + QByteArray::number(seat) + "+1.0.5+" + m_name);
        } else if (command == "CMD_loadball" && f.value(2).size() == 1) {
            m_candidates = m_lists.startingWith(QLatin1Char(f.value(2).at(0)));
        } else if (command == "CMD_nextplayer" && f.value(1).toInt() == seat && !m_candidates.isEmpty()) {
            ++guesses;
            send("CMD_myword+" + QByteArray::number(seat) + "+" + (m_fromEnd ? m_candidates.takeLast() : m_candidates.takeFirst()).toLower().toLatin1() + "+");
        } else if (command == "CMD_yourletters" && f.value(1).toInt() == seat && f.value(2) == "f") {
            const QString pattern = QString::fromLatin1(f.value(4));
            const QString guess = QString::fromLatin1(f.value(5));
            m_candidates.removeIf([&](const QString &c) { return judge::feedbackPattern(guess, c) != pattern; });
        } else if (command == "CMD_winner" || command == "CMD_tiegame") {
            ending = received.last();
        }
    }

    const WordLists &m_lists;
    QByteArray m_name;
    bool m_fromEnd;
    QTcpSocket m_sock;
    QByteArray m_buffer;
    QStringList m_candidates;
};

} // namespace

class TestBrelvoxServer : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void options_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("port");
        QTest::addColumn<int>("botDelay");
        QTest::addColumn<int>("pause");
        QTest::addColumn<int>("tick");
        QTest::newRow("defaults") << QStringList{} << 7772 << 1000 << 5 << 1000;
        QTest::newRow("all given") << QStringList{"--port", "9000", "--bot-speed", "slow", "--between-rounds", "10"}
                                   << 9000 << 2000 << 10 << 1000;
        QTest::newRow("with =") << QStringList{"--port=0", "--bot-speed=fast", "--between-rounds=0", "--turn-tick-ms=20"}
                                << 0 << 500 << 0 << 20;
        QTest::newRow("last counts") << QStringList{"--bot-speed", "fast", "--bot-speed", "normal"} << 7772 << 1000 << 5
                                     << 1000;
    }
    void options()
    {
        QFETCH(QStringList, arguments);
        ServerOptions o;
        QVERIFY2(o.parse(arguments), qPrintable(o.errorText()));
        QTEST(int(o.port()), "port");
        QTEST(o.botDelay(), "botDelay");
        QTEST(o.pauseBetweenWords(), "pause");
        QTEST(o.turnTick(), "tick");
        QCOMPARE(o.versionText(), QStringLiteral("1.0.5"));
    }

    void badArguments_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("error");
        QTest::newRow("unknown") << QStringList{"--colour", "red"} << "unknown option '--colour'";
        QTest::newRow("positional") << QStringList{"7772"} << "unexpected argument '7772'";
        QTest::newRow("no value") << QStringList{"--port"} << "option '--port' needs a value";
        QTest::newRow("port too big") << QStringList{"--port", "65536"} << "'65536' is not a port number (0 to 65535)";
        QTest::newRow("port negative") << QStringList{"--port=-1"} << "'-1' is not a port number (0 to 65535)";
        QTest::newRow("port hex") << QStringList{"--port", "0x10"} << "'0x10' is not a port number (0 to 65535)";
        QTest::newRow("speed") << QStringList{"--bot-speed", "Fast"} << "'Fast' is not a bot speed (slow, normal or fast)";
        QTest::newRow("pause") << QStringList{"--between-rounds", "soon"} << "'soon' is not a number of seconds (0 to 3600)";
        QTest::newRow("tick 0") << QStringList{"--turn-tick-ms", "0"} << "'0' is not a tick length (1 to 60000 ms)";
    }
    void badArguments()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, error);
        ServerOptions o;
        QVERIFY(o.parse(QStringList{"--between-rounds", "7"}));
        QVERIFY(!o.parse(arguments));
        QCOMPARE(o.errorText(), error);
        QCOMPARE(o.pauseBetweenWords(), 7); // a failed parse changes nothing

        ServerProcess server(arguments);
        QVERIFY(server.process().waitForFinished(kStartWait));
        QCOMPARE(server.process().exitCode(), 2);
        QCOMPARE(server.process().readAllStandardError(),
                 "brelvox-server: " + error.toLatin1() + "\nTry 'brelvox-server --help'.\n");
        QVERIFY(server.process().readAllStandardOutput().isEmpty());
    }

    void portInUse()
    {
        ServerProcess first({"--port", "0"});
        const quint16 port = first.waitForPort();
        QVERIFY(port != 0);
        ServerProcess second({"--port", QString::number(port)});
        QVERIFY(second.process().waitForFinished(kStartWait));
        QCOMPARE(second.process().exitCode(), 1);
        QCOMPARE(second.process().readAllStandardError(),
                 "brelvox-server: cannot listen on port " + QByteArray::number(port) + ": Listen - Error Binding Socket\n");
        QCOMPARE(first.stopWith(SIGTERM), 0);
    }

    void stopsCleanly_data()
    {
        QTest::addColumn<int>("signalNumber");
        QTest::newRow("SIGINT") << int(SIGINT);
        QTest::newRow("SIGTERM") << int(SIGTERM);
    }
    void stopsCleanly()
    {
        QFETCH(int, signalNumber);
        ServerProcess server({"--port", "0"});
        const quint16 port = server.waitForPort();
        QVERIFY(port != 0);
        // With a client connected, so that the signal lands while a seat is held.
        QTcpSocket client;
        client.connectToHost(QStringLiteral("127.0.0.1"), port);
        QVERIFY(client.waitForReadyRead(kStartWait));
        QCOMPARE(client.readAll(), QByteArray("CMD_sendlogininfo+1") + char(0xFF));
        QCOMPARE(server.stopWith(signalNumber), 0);
        QCOMPARE(server.process().readAllStandardOutput(), QByteArray("brelvox-server: stopping\n"));
    }

    // Two clients that know only the protocol and the spelling list play a whole Most
    // Balls Pocketed game on seats 1 and 3, with Dira on the free seat 2.
    void mostBallsGameToItsEnd()
    {
        ServerProcess server({"--port", "0", "--bot-speed", "fast", "--between-rounds", "0", "--turn-tick-ms", "20"});
        const quint16 port = server.waitForPort();
        QVERIFY(port != 0);
        const WordLists lists = WordLists::shipped();
        ScriptedPlayer alice(lists, "Alice", port);
        QVERIFY(waitUntil([&] { return alice.received.contains("CMD_newplayerinfo+1+Alice"); }, kStartWait));
        auto passerby = std::make_unique<ScriptedPlayer>(lists, "Passer", port);
        QVERIFY(waitUntil([&] { return alice.received.contains("CMD_newplayerinfo+2+Passer"); }, kStartWait));
        ScriptedPlayer bob(lists, "Bob", port, true);
        QVERIFY(waitUntil([&] { return alice.received.contains("CMD_newplayerinfo+3+Bob"); }, kStartWait));
        passerby.reset();
        QVERIFY(waitUntil([&] { return alice.received.contains("CMD_playerdisconnected+2+Passer"); }, kStartWait));
        QCOMPARE(alice.seat, 1);
        QCOMPARE(bob.seat, 3);
        alice.send("CMD_startgame+Alice+most+");
        QVERIFY(waitUntil([&] { return !alice.ending.isEmpty() && !bob.ending.isEmpty(); }, kGameWait));

        QCOMPARE(alice.ending, bob.ending);
        QVERIFY(alice.ending.startsWith("CMD_winner+") || alice.ending.startsWith("CMD_tiegame+"));
        for (const ScriptedPlayer *p : {&alice, &bob}) {
            QCOMPARE(p->received.count("CMD_startgame+Alice+most+"), 1);
            QVERIFY(p->received.count("CMD_impossible+") <= 1);
            QVERIFY(p->guesses > 0);
        }
        // Every ball found was told to both, in the same order; a Most Balls game ends
        // at ball 9 or once nobody can catch up (at least five balls).
        auto found = [](const ScriptedPlayer &p) {
            QByteArrayList balls;
            for (const QByteArray &m : p.received) {
                if (m.startsWith("CMD_heguessed+"))
                    balls << m;
            }
            return balls;
        };
        QCOMPARE(found(alice), found(bob));
        qInfo("%s after %d balls, %d and %d guesses", alice.ending.constData(), int(found(alice).size()), alice.guesses,
              bob.guesses);
        QVERIFY(found(alice).size() >= 5 && found(alice).size() <= 9);
        QCOMPARE(server.stopWith(SIGTERM), 0);
    }
};

QTEST_GUILESS_MAIN(TestBrelvoxServer)
#include "test_brelvoxserver.moc"
