// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "host/defaulthostoptions.h"
#include "host/tserver.h"
#include "protocol/catalogue.h"
#include "protocol/wiretext.h"

#include "rawclient.h"

#include <QTest>
#include <memory>

using namespace brelvox;
using namespace brelvox::testing;

namespace {

#define WAIT_COMPARE(actual, expected) \
    do { \
        waitUntil([&]() { return (actual) == (expected); }); \
        QCOMPARE(actual, expected); \
    } while (false)
#define WAIT_VERIFY(condition) \
    do { \
        waitUntil([&]() { return bool(condition); }); \
        QVERIFY(condition); \
    } while (false)

class BotOptions : public DefaultHostOptions
{
public:
    int botDelay() const override { return 1234; }
    int graceSeconds() const override { return grace; }
    int grace = 60;
};

} // namespace

class TestTServer : public QObject
{
    Q_OBJECT
private:
    BotOptions m_options;
    std::unique_ptr<TServer> m_server;
    std::vector<std::unique_ptr<RawClient>> m_clients;

    RawClient &client(int seat) { return *m_clients.at(seat - 1); }

    // A connection that is handed its seat (the next one) and nothing else.
    RawClient &connectSeat(int expectedSeat)
    {
        m_clients.push_back(std::make_unique<RawClient>(m_server->port()));
        RawClient &c = *m_clients.back();
        const QByteArray offer = msg("CMD_sendlogininfo+" + QByteArray::number(expectedSeat));
        [&]() { WAIT_COMPARE(c.got, offer); }();
        return c;
    }

    // Seats 1.. with these names, logged in; every buffer emptied afterwards.
    void seatAll(const QStringList &names)
    {
        for (int i = 0; i < names.size(); ++i) {
            RawClient &c = connectSeat(i + 1);
            c.send(QByteArray("CMD_logininfo+") + QByteArray::number(i + 1) + "+1.0.5+" + names[i].toLatin1() + char(0xFF));
            // The own arrival and one line per seat before it.
            [&]() { WAIT_COMPARE(c.got.count(char(0xFF)), i + 2); }();
        }
        for (int i = 0; i < names.size(); ++i)
            [&]() { WAIT_COMPARE(client(i + 1).got.count(char(0xFF)), 1 + names.size()); }();
        clearAll();
    }

    void clearAll()
    {
        for (auto &c : m_clients)
            c->got.clear();
    }

    // Every seat in seats receives exactly expected next (and nothing before it).
    void expectAll(const QList<int> &seats, const QByteArray &expected)
    {
        for (const int s : seats)
            WAIT_COMPARE(client(s).got, expected);
    }

    // A chat from seat proves by its arrival that nothing was sent before it.
    void expectNothingElse(const QList<int> &seats, int from = 1)
    {
        client(from).send(QByteArray("CMD_chat+") + QByteArray::number(from) + "+marker|clBlack" + char(0xFF));
        const QByteArray relay = QByteArray("CMD_chat+") + m_server->game().seat(from).name.toLatin1()
                               + " chats: marker|clBlack" + char(0xFF);
        for (const int s : seats)
            WAIT_COMPARE(client(s).got, relay);
        clearAll();
    }

private Q_SLOTS:
    void init()
    {
        m_options.grace = 60;
        m_server = std::make_unique<TServer>(m_options);
        m_server->listen(0, QStringLiteral("127.0.0.1"));
    }
    void cleanup()
    {
        // The player table and the engine agree on who is connected.
        for (int s = 1; s <= 9; ++s)
            QCOMPARE(m_server->game().seat(s).connected, m_server->players().seat(s).connected);
        m_clients.clear();
        m_server.reset();
    }

    void nineSeatedTenthRefused()
    {
        for (int seat = 1; seat <= 9; ++seat)
            connectSeat(seat);
        clearAll();
        RawClient tenth(m_server->port());
        WAIT_VERIFY(tenth.closed());
        QCOMPARE(tenth.got, msg("CMD_full+"));
        QCOMPARE(m_server->players().seatCount(), 9);
        QCOMPARE(m_server->players().connectedSeats().size(), 9);
        expectNothingElse({1, 2, 3, 4, 5, 6, 7, 8, 9});
    }

    void lowestFreeSeatReused()
    {
        m_options.grace = 0;
        seatAll({"Rook", "Ann", "Cy"});
        client(2).close();
        expectAll({1, 3}, msg("CMD_playerdisconnected+2+Ann"));
        QVERIFY(!m_server->players().seat(2).connected);
        m_clients.push_back(std::make_unique<RawClient>(m_server->port()));
        WAIT_COMPARE(m_clients.back()->got, msg("CMD_sendlogininfo+2"));
        QCOMPARE(m_server->players().seatCount(), 3);
    }

    // Ann's link drops: her seat waits for her, a newcomer sits elsewhere, and Ann's
    // next login is moved back onto it without anyone hearing of the seat she was offered.
    void departedSeatWaitsForItsPlayer()
    {
        seatAll({"Rook", "Ann", "Cy"});
        client(2).close();
        expectAll({1, 3}, msg("CMD_playerdisconnected+2+Ann"));
        QVERIFY(m_server->isHeld(2));
        clearAll();
        RawClient &dee = connectSeat(4);
        RawClient &ann = connectSeat(5);
        ann.got.clear();
        ann.send(msg("CMD_logininfo+5+1.0.5+Ann"));
        WAIT_COMPARE(ann.got, msg("CMD_sendlogininfo+2"));
        QVERIFY(!m_server->players().seat(5).connected);
        ann.send(msg("CMD_logininfo+2+1.0.5+Ann"));
        expectAll({1, 3}, msg("CMD_newplayerinfo+2+Ann"));
        QVERIFY(!m_server->isHeld(2));
        QVERIFY(!dee.got.contains("+5+"));
    }

    void loginSequence()
    {
        seatAll({"Rook", "Ann"});
        RawClient &third = connectSeat(3);
        third.got.clear();
        third.send(msg("CMD_logininfo+3+1.0.5+Bo+b the \xEB"));
        const QByteArray arrival = msg("CMD_newplayerinfo+3+Bo+b the \xEB");
        WAIT_COMPARE(third.got, arrival + msg("CMD_existingplayers+1+Rook") + msg("CMD_existingplayers+2+Ann"));
        expectAll({1, 2}, arrival);
        QCOMPARE(m_server->game().seat(3).name, QStringLiteral(u"Bo+b the ë"));
        clearAll();
        expectNothingElse({1, 2, 3});
    }

    void versionCheck_data()
    {
        QTest::addColumn<QByteArray>("version");
        QTest::addColumn<QByteArray>("atNewcomer");
        QTest::addColumn<QByteArray>("atHost");
        QTest::newRow("same") << QByteArray("1.0.5") << QByteArray() << QByteArray();
        QTest::newRow("older") << QByteArray("1.0.4") << msg("CMD_wrongversion+") << msg("CMD_havewrongversion+Ann");
        QTest::newRow("case of text") << QByteArray("1.0.5 ") << msg("CMD_wrongversion+") << msg("CMD_havewrongversion+Ann");
    }
    void versionCheck()
    {
        QFETCH(QByteArray, version);
        QFETCH(QByteArray, atNewcomer);
        QFETCH(QByteArray, atHost);
        seatAll({"Rook"});
        RawClient &ann = connectSeat(2);
        ann.got.clear();
        ann.send("CMD_logininfo+2+" + version + "+Ann" + char(0xFF));
        WAIT_COMPARE(ann.got, msg("CMD_newplayerinfo+2+Ann") + msg("CMD_existingplayers+1+Rook") + atNewcomer);
        WAIT_COMPARE(client(1).got, msg("CMD_newplayerinfo+2+Ann") + atHost);
        QVERIFY(m_server->players().seat(2).connected);
        clearAll();
        expectNothingElse({1, 2}, 2);
    }

    void relays_data()
    {
        QTest::addColumn<QByteArray>("sent");
        QTest::addColumn<QByteArray>("relayed");
        QTest::newRow("chat with plus") << msg("CMD_chat+2+1+1=2 ok|clRed") << msg("CMD_chat+Ann chats: 1+1=2 ok|clRed");
        QTest::newRow("action") << msg("CMD_action+2+says: Nice shot!|$00FF8000") << msg("CMD_action+Ann says: Nice shot!|$00FF8000");
        QTest::newRow("sound") << msg("CMD_playasound+2+wave12+") << msg("CMD_playasound+2+wave12+");
        QTest::newRow("watch") << msg("CMD_justwatch+2+1") << msg("CMD_justwatching+2+1");
        QTest::newRow("play") << msg("CMD_justwatch+2+2") << msg("CMD_justwatching+2+2");
        QTest::newRow("1252 text") << msg("CMD_chat+2+\x80 caf\xE9|clBlack") << msg("CMD_chat+Ann chats: \x80 caf\xE9|clBlack");
    }
    void relays()
    {
        QFETCH(QByteArray, sent);
        QFETCH(QByteArray, relayed);
        seatAll({"Rook", "Ann", "Cy"});
        client(2).send(sent);
        expectAll({1, 2, 3}, relayed);
        QCOMPARE(m_server->game().seat(2).watching, relayed == msg("CMD_justwatching+2+1"));
    }

    // Sent by seat 3 unless the row says otherwise; none of them may act.
    void forgedOrMalformedIgnored_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<QByteArray>("sent");
        QTest::newRow("chat as seat 2") << 3 << msg("CMD_chat+2+I am Ann|clBlack");
        QTest::newRow("action as seat 1") << 3 << msg("CMD_action+1+quits|clBlack");
        QTest::newRow("sound as seat 1") << 3 << msg("CMD_playasound+1+wave1+");
        QTest::newRow("kick claiming seat 1") << 3 << msg("CMD_kickhim+1+2+");
        QTest::newRow("kick as itself") << 3 << msg("CMD_kickhim+3+2+");
        QTest::newRow("watch for seat 2") << 3 << msg("CMD_justwatch+2+1");
        QTest::newRow("login over seat 2") << 3 << msg("CMD_logininfo+2+1.0.5+Evil");
        QTest::newRow("start a game") << 3 << msg("CMD_startgame+Cy+nine+");
        QTest::newRow("seat not a number") << 3 << msg("CMD_chat+x+hi|clBlack");
        QTest::newRow("seat out of range") << 3 << msg("CMD_chat+12+hi|clBlack");
        QTest::newRow("seat negative") << 3 << msg("CMD_chat+-3+hi|clBlack");
        QTest::newRow("host watch for a spectator") << 1 << msg("CMD_justwatch+6+1");
        QTest::newRow("host kicks seat 99") << 1 << msg("CMD_kickhim+1+99+");
        QTest::newRow("host kicks seat x") << 1 << msg("CMD_kickhim+1+x+");
        QTest::newRow("watch value 3") << 3 << msg("CMD_justwatch+3+3");
        QTest::newRow("unknown command") << 3 << msg("CMD_bogus+3+");
        QTest::newRow("client command") << 3 << msg("CMD_full+");
        QTest::newRow("no plus") << 3 << msg("CMD_chat");
        QTest::newRow("empty") << 3 << msg("");
    }
    void forgedOrMalformedIgnored()
    {
        QFETCH(int, from);
        QFETCH(QByteArray, sent);
        seatAll({"Rook", "Ann", "Cy"});
        client(from).send(sent);
        expectNothingElse({1, 2, 3}, 3);
        QCOMPARE(m_server->players().connectedSeats(), (QList<int>{1, 2, 3}));
        const GameState &g = m_server->game();
        QCOMPARE(g.seat(2).name, QStringLiteral("Ann"));
        for (int s = 1; s <= 6; ++s)
            QVERIFY(!g.seat(s).watching);
        QVERIFY(!g.running);
    }

    void hostMayActForPlayerSeats()
    {
        seatAll({"Rook", "Ann", "Cy"});
        client(1).send(msg("CMD_justwatch+3+1"));
        expectAll({1, 2, 3}, msg("CMD_justwatching+3+1"));
        QVERIFY(m_server->game().seat(3).watching);
        clearAll();
        client(1).send(msg("CMD_kickhim+1+3+"));
        WAIT_VERIFY(client(3).closed());
        // The removed copy is told first, so it knows; its seat is not kept for it.
        QCOMPARE(client(3).got, msg("CMD_playerdisconnected+3+Cy"));
        expectAll({1, 2}, msg("CMD_playerdisconnected+3+Cy"));
        QVERIFY(!m_server->isHeld(3));
        clearAll();
        expectNothingElse({1, 2});
    }

    void splitAndJoinedReads()
    {
        seatAll({"Rook", "Ann"});
        client(1).send("CMD_chat+1+hel");
        QTest::qWait(30); // let the first part be read on its own
        QVERIFY(client(2).got.isEmpty());
        client(1).send(QByteArray("lo|clRed") + char(0xFF));
        expectAll({1, 2}, msg("CMD_chat+Rook chats: hello|clRed"));
    }

    void twoInOneReadTwoTicks()
    {
        seatAll({"Rook", "Ann"});
        m_server->setDispatchHeld(true);
        client(2).send(msg("CMD_chat+2+one|clRed") + msg("CMD_chat+2+two|clRed"));
        WAIT_COMPARE(m_server->receivedlist().size(), 2);
        m_server->socktimerTimer();
        WAIT_COMPARE(client(1).got, msg("CMD_chat+Ann chats: one|clRed"));
        m_server->socktimerTimer();
        WAIT_COMPARE(client(1).got, msg("CMD_chat+Ann chats: one|clRed") + msg("CMD_chat+Ann chats: two|clRed"));
        QVERIFY(m_server->receivedlist().isEmpty());
    }

    // An idle host wakes for nothing: socktimer runs only while messages wait.
    void socktimerRunsOnlyWithWork()
    {
        QVERIFY(!m_server->socktimer().isActive());
        seatAll({"Rook", "Ann"});
        WAIT_VERIFY(!m_server->socktimer().isActive());
        m_server->setDispatchHeld(true);
        client(2).send(msg("CMD_chat+2+one|clRed") + msg("CMD_chat+2+two|clRed"));
        WAIT_COMPARE(m_server->receivedlist().size(), 2);
        QVERIFY(!m_server->socktimer().isActive());
        QTest::qWait(TServer::kSocktimerInterval + 5); // the host has rested a whole tick
        m_server->setDispatchHeld(false);
        QVERIFY(m_server->socktimer().isActive());
        QCOMPARE(m_server->socktimer().interval(), 0); // the first message goes at once
        m_server->socktimerTimer();
        QVERIFY(m_server->socktimer().isActive());
        QCOMPARE(m_server->socktimer().interval(), TServer::kSocktimerInterval); // the next one a tick later
        expectAll({1, 2}, msg("CMD_chat+Ann chats: one|clRed") + msg("CMD_chat+Ann chats: two|clRed"));
        QVERIFY(!m_server->socktimer().isActive());
    }

    // Each tick takes one message of every connection that has any, each connection's
    // in its own order: one seat's run of chat never holds another seat's line back.
    void oneRoundPerTick()
    {
        seatAll({"Rook", "Ann", "Cy"});
        m_server->setDispatchHeld(true);
        client(2).send(msg("CMD_chat+2+a1|clRed") + msg("CMD_chat+2+a2|clRed") + msg("CMD_chat+2+a3|clRed"));
        WAIT_COMPARE(m_server->receivedlist().size(), 3);
        client(3).send(msg("CMD_chat+3+c1|clRed"));
        WAIT_COMPARE(m_server->receivedlist().size(), 4);
        m_server->socktimerTimer();
        WAIT_COMPARE(client(1).got, msg("CMD_chat+Ann chats: a1|clRed") + msg("CMD_chat+Cy chats: c1|clRed"));
        m_server->socktimerTimer();
        m_server->socktimerTimer();
        expectAll({1, 2, 3}, msg("CMD_chat+Ann chats: a1|clRed") + msg("CMD_chat+Cy chats: c1|clRed")
                                 + msg("CMD_chat+Ann chats: a2|clRed") + msg("CMD_chat+Ann chats: a3|clRed"));
        QVERIFY(m_server->receivedlist().isEmpty());
    }

    // A pasted long text is handled as its first 4096 characters; its sender stays.
    void longLinesAreCut_data()
    {
        QTest::addColumn<QList<QByteArray>>("reads");
        for (const int size : {33000, 40000}) {
            const QByteArray line = msg("CMD_chat+2+" + QByteArray(size, 'L') + "|clRed");
            QTest::addRow("%d whole", size) << QList<QByteArray>{line};
            QTest::addRow("%d, 16500 then the rest", size) << QList<QByteArray>{line.left(16500), line.mid(16500)};
        }
    }
    void longLinesAreCut()
    {
        QFETCH(QList<QByteArray>, reads);
        seatAll({"Rook", "Ann", "Cy"});
        for (const QByteArray &read : reads) {
            client(2).send(read);
            QTest::qWait(30); // a read of its own
        }
        const qsizetype text = ReceiveQueue::kMaxMessageLength - qsizetype(qstrlen("CMD_chat+2+"));
        expectAll({1, 2, 3}, msg("CMD_chat+Ann chats: " + QByteArray(text, 'L')));
        QVERIFY(!client(2).closed());
        clearAll();
        expectNothingElse({1, 3}, 2);
    }

    void silentConnectionsLoseTheirSeats()
    {
        m_server->setLoginTimeout(300);
        seatAll({"Rook"});
        for (int seat = 2; seat <= 9; ++seat)
            connectSeat(seat);
        for (int seat = 2; seat <= 9; ++seat)
            WAIT_VERIFY(client(seat).closed());
        WAIT_COMPARE(client(1).got.count("CMD_playerdisconnected+"), 8);
        QVERIFY(!client(1).closed());
        clearAll();
        connectSeat(2).sendMessage("CMD_logininfo+2+1.0.5+Ann");
        expectAll({1}, msg("CMD_newplayerinfo+2+Ann"));
        QTest::qWait(600);
        QVERIFY(!client(10).closed());
        QVERIFY(!m_server->logintimer().isActive());
    }

    void longNameIsCut()
    {
        seatAll({"Rook"});
        connectSeat(2).sendMessage("CMD_logininfo+2+1.0.5+" + QByteArray(10000, 'n'));
        const QByteArray name(wire::kMaxNameLength, 'n');
        expectAll({1}, msg("CMD_newplayerinfo+2+" + name));
        clearAll();
        const QByteArray text(4000, 't');
        client(2).sendMessage("CMD_chat+2+" + text + "|clRed");
        expectAll({1}, msg("CMD_chat+" + name + " chats: " + text + "|clRed"));
    }

    void departureToldOnce()
    {
        seatAll({"Rook", "Ann", "Cy"});
        client(3).send(msg("CMD_chat+3+bye|clBlack"));
        expectAll({1, 2, 3}, msg("CMD_chat+Cy chats: bye|clBlack"));
        clearAll();
        client(3).close();
        expectAll({1, 2}, msg("CMD_playerdisconnected+3+Cy"));
        clearAll();
        expectNothingElse({1, 2});
        QCOMPARE(m_server->game().seat(3).name, QString());
    }

    void floodClosesOnlyTheFlooder_data()
    {
        QTest::addColumn<QByteArray>("flood");
        QByteArray many;
        for (int i = 0; i <= TServer::kMaxQueuedPerConnection; ++i)
            many += msg("CMD_chat+2+spam|clRed");
        QTest::newRow("too many queued") << many;
    }
    void floodClosesOnlyTheFlooder()
    {
        QFETCH(QByteArray, flood);
        seatAll({"Rook", "Ann", "Cy"});
        m_server->setDispatchHeld(true);
        client(1).send(msg("CMD_chat+1+before|clBlack"));
        WAIT_COMPARE(m_server->receivedlist().size(), 1);
        client(2).send(flood);
        WAIT_VERIFY(client(2).closed());
        QCOMPARE(m_server->receivedlist().size(), 1);
        m_server->setDispatchHeld(false);
        expectAll({1, 3}, msg("CMD_playerdisconnected+2+Ann") + msg("CMD_chat+Rook chats: before|clBlack"));
        QVERIFY(!client(2).got.contains("spam"));
        clearAll();
        expectNothingElse({1, 3});
    }

    void mayAct_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("sender");
        QTest::addColumn<bool>("allowed");
        QTest::addColumn<int>("lead");
        QTest::newRow("own guess") << "CMD_myword+4+crane+" << 4 << true << 1;
        QTest::newRow("guess for another") << "CMD_myword+2+crane+" << 4 << false << 1;
        QTest::newRow("host guesses for another") << "CMD_myword+2+crane+" << 1 << false << 1;
        QTest::newRow("host starts") << "CMD_startgame+Rook+nine+" << 1 << true << 1;
        QTest::newRow("guest starts") << "CMD_startgame+Rook+nine+" << 2 << false << 1;
        QTest::newRow("host kicks") << "CMD_kickhim+1+4+" << 1 << true << 1;
        QTest::newRow("host watch seat 5") << "CMD_justwatch+5+1" << 1 << true << 1;
        QTest::newRow("host watch seat 6") << "CMD_justwatch+6+1" << 1 << false << 1;
        QTest::newRow("spectator watches itself") << "CMD_justwatch+7+2" << 7 << true << 1;
        QTest::newRow("departed sender") << "CMD_chat+3+hi" << 0 << false << 1;
        QTest::newRow("leading blanks") << "CMD_chat+ 3+hi" << 3 << true << 1;
        QTest::newRow("hex seat") << "CMD_chat+$3+hi" << 3 << true << 1;
        QTest::newRow("seat 10") << "CMD_chat+10+hi" << 10 << false << 1;
        QTest::newRow("lead seat 3 starts") << "CMD_startgame+Cy+race+" << 3 << true << 3;
        QTest::newRow("seat 1 after the lead moved") << "CMD_startgame+Ann+race+" << 1 << false << 3;
        QTest::newRow("lead seat 3 kicks") << "CMD_kickhim+3+4+" << 3 << true << 3;
        QTest::newRow("lead kicks in seat 1's name") << "CMD_kickhim+1+4+" << 3 << false << 3;
    }
    void mayAct()
    {
        QFETCH(QString, line);
        QFETCH(int, sender);
        QFETCH(bool, allowed);
        QFETCH(int, lead);
        const CommandLine parts = splitCommand(line);
        QCOMPARE(TServer::mayAct(parts.name, parts.arguments, sender, lead), allowed);
    }

    // A handler bound later (as the round code binds "CMD_startgame") gets only what
    // the seat check lets through, with the sender's seat at hand.
    void laterHandlersSlotIn()
    {
        seatAll({"Rook", "Ann"});
        QStringList started;
        m_server->commands().bind(cmd::startgame, [&](const QString &args) {
            started << QString::number(m_server->sender()) + ":" + args;
        });
        client(2).send(msg("CMD_startgame+Ann+race+"));
        client(1).send(msg("CMD_startgame+Rook+nine+"));
        WAIT_COMPARE(started, QStringList{"1:Rook+nine+"});
    }

};

QTEST_GUILESS_MAIN(TestTServer)
#include "test_tserver.moc"
