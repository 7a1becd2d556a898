// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "board/tgamestart.h"
#include "client/chatview.h"
#include "client/clientsession.h"
#include "core/userfiles.h"
#include "host/hostoptions.h"
#include "host/rawclient.h"
#include "host/tserver.h"
#include "shell/appwindows.h"
#include "shell/tchat.h"
#include "support/linkproxy.h"
#include "support/serverprocess.h"
#include "widgets/dialogs.h"
#include "widgets/flatbutton.h"
#include "widgets/flatpanel.h"

#include <QAction>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

using namespace brelvox;
using testing::RawClient;
using testsupport::LinkProxy;
using testsupport::ServerProcess;
using testsupport::waitUntil;

namespace {

constexpr int kWait = 10000;

quint16 freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return probe.serverPort();
}

QString chatText(const AppWindows &copy)
{
    return copy.chat()->chat()->mainchat()->toPlainText();
}

// A scripted player: answers the seat offer with a login, then sends what it is told.
struct Player {
    Player(quint16 port, const QByteArray &name)
        : client(port)
    {
        seated = waitUntil([&] { return client.got.startsWith("CMD_sendlogininfo+"); }, kWait);
        if (seated) {
            seat = client.messages().first().split('+').value(1).toInt();
            client.sendMessage("CMD_logininfo+" + QByteArray::number(seat) + "+1.0.5+" + name);
        }
    }
    void guess() { client.sendMessage("CMD_myword+" + QByteArray::number(seat) + "+ZZZZZ+"); }
    int heard(const QByteArray &message) const { return int(client.messages().count(message)); }
    // "CMD_nextplayer" for this seat's own row in a shared-row game.
    QByteArray rowOpens(int row) const
    {
        return "CMD_nextplayer+" + QByteArray::number(seat) + '+' + QByteArray::number(row) + '+';
    }

    RawClient client;
    bool seated = false;
    int seat = 0;
};

// A headless host in this process, so the test knows its words.
struct KnownWordsHost : HostOptions {
    QString versionText() const override { return QStringLiteral("1.0.5"); }
    int pauseBetweenWords() const override { return 0; }
    int botDelay() const override { return 500; }
    bool seatOneHosts() const override { return false; }
};

WordLists wordsStartingWithC()
{
    const QStringList answers{QStringLiteral("crane"), QStringLiteral("crate"), QStringLiteral("cramp"),
                              QStringLiteral("crisp"), QStringLiteral("crown")};
    return WordLists(answers, answers, answers);
}

void typeGuess(const AppWindows &copy, const QString &word)
{
    QWidget *board = copy.chat()->board();
    for (int col = 1; col <= 5; ++col) {
        QLineEdit *cell = board->findChild<QLineEdit *>(QStringLiteral("edit_%1").arg(col));
        QTest::keyClick(cell, word.at(col - 1).toLatin1());
    }
    QTest::keyClick(board->findChild<QLineEdit *>(QStringLiteral("edit_5")), Qt::Key_Return);
}

const QString kLinkLost = QStringLiteral("Connection lost — reconnecting…");

// Ann and Cy sit on seats 1 and 2 (so the computer plays no seat), Bob's copy on seat 3
// through a link the test can cut.
struct TableWithCut {
    explicit TableWithCut(quint16 port)
        : link(port)
        , ann(port, "Ann")
        , cy(port, "Cy")
    {
        bob.chat()->processparams({QStringLiteral("Bob"), QStringLiteral("127.0.0.1:%1").arg(link.port()), QStringLiteral("false")});
        ready = ann.seated && cy.seated
            && waitUntil([&] { return bob.chat()->seatLabel(3)->text() == QLatin1String("Bob"); }, kWait);
    }
    // Cuts Bob's link: true once he was told within 3 s and the host let him go.
    bool cut()
    {
        link.cut();
        sinceCut.start();
        const bool told = waitUntil([&] { return chatText(bob).contains(kLinkLost); }, kWait) && sinceCut.elapsed() < 3000
            && bob.chat()->statusLabel()->text() == kLinkLost;
        return told && waitUntil([&] { return ann.heard("CMD_playerdisconnected+3+Bob"); }, kWait);
    }

    LinkProxy link;
    Player ann;
    Player cy;
    AppWindows bob;
    bool ready = false;
    QElapsedTimer sinceCut;
};

} // namespace

// Friends playing through brelvox-server: a real host process, joined by copies of the
// program and by scripted players.
class TestHeadlessHost : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QStringList m_boxes;

private Q_SLOTS:
    void initTestCase()
    {
        setUserFileDir(m_dir.path());
        dialogs::setHandler([this](dialogs::Kind, const QString &, const QString &text) {
            m_boxes << text;
            return true;
        });
    }

    // Ann starts before the host is up, waits for it, takes seat 1 and starts the game
    // that Bob, joining second, sees start.
    void firstJoinerStartsTheGame()
    {
        const quint16 port = freePort();
        const QString address = QStringLiteral("127.0.0.1:%1").arg(port);
        AppWindows ann;
        ann.chat()->processparams({QStringLiteral("Ann"), address, QStringLiteral("false")});
        QVERIFY(waitUntil([&] { return chatText(ann).contains(QStringLiteral("nobody answers at ") + address); }, kWait));

        ServerProcess server({QStringLiteral("--port"), QString::number(port)});
        QCOMPARE(server.waitForPort(), port);
        QVERIFY(waitUntil([&] { return ann.chat()->seatLabel(1)->text() == QLatin1String("Ann"); }, kWait));
        QCOMPARE(ann.chat()->state().ownSeat, 1);
        QVERIFY(!ann.chat()->startButton()->isHidden());
        QVERIFY(ann.chat()->action("StartGame1")->isEnabled());

        AppWindows bob;
        bob.chat()->processparams({QStringLiteral("Bob"), address, QStringLiteral("false")});
        QVERIFY(waitUntil([&] { return bob.chat()->seatLabel(2)->text() == QLatin1String("Bob"); }, kWait));
        QVERIFY(bob.chat()->startButton()->isHidden());
        QVERIFY(!bob.chat()->action("StartGame1")->isEnabled());

        ann.chat()->action("StartGame1")->trigger();
        QVERIFY(ann.gameStart()->isVisible());
        ann.gameStart()->button_startClick();
        QVERIFY(waitUntil([&] { return chatText(bob).contains(QStringLiteral("Ann has started a game.")); }, kWait));
        QVERIFY(m_boxes.isEmpty());
    }

    // Rows would take 23 minutes to time out here: every row below ends because the
    // seats that can still guess have guessed.
    void nobodyHoldsUpARow()
    {
        ServerProcess server({QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--turn-tick-ms"),
                              QStringLiteral("60000")});
        const quint16 port = server.waitForPort();
        QVERIFY(port != 0);
        Player p1(port, "Ann");
        Player p2(port, "Bob");
        QVERIFY(p1.seated && p2.seated);
        p1.client.sendMessage("CMD_startgame+Ann+most+");
        QVERIFY(waitUntil([&] { return p2.heard(p2.rowOpens(1)); }, kWait));

        // Cy arrives during row 1 and cannot type before row 2.
        Player p3(port, "Cy");
        QVERIFY(p3.seated);
        QVERIFY(waitUntil([&] { return p1.heard("CMD_newplayerinfo+3+Cy"); }, kWait));
        p1.guess();
        p2.guess();
        QVERIFY(waitUntil([&] { return p3.heard(p3.rowOpens(2)); }, kWait));

        // In row 2 the row waits for Cy, until Cy leaves without guessing.
        p1.guess();
        p2.guess();
        QVERIFY(waitUntil([&] { return p1.heard("CMD_submitted+2+") == 2; }, kWait));
        QTest::qWait(200);
        QVERIFY(!p1.heard(p1.rowOpens(3)));
        p3.client.close();
        QVERIFY(waitUntil([&] { return p1.heard(p1.rowOpens(3)) && p2.heard(p2.rowOpens(3)); }, kWait));
    }

    void joinsOverIpv6()
    {
        QTcpServer probe;
        if (!probe.listen(QHostAddress::LocalHostIPv6))
            QSKIP("no IPv6 on this machine's loopback");
        probe.close();
        ServerProcess server({QStringLiteral("--port"), QStringLiteral("0")});
        const quint16 port = server.waitForPort();
        QVERIFY(port != 0);
        AppWindows ann;
        ann.chat()->processparams({QStringLiteral("Ann"), QStringLiteral("[::1]:%1").arg(port), QStringLiteral("false")});
        QVERIFY(waitUntil([&] { return ann.chat()->seatLabel(1)->text() == QLatin1String("Ann"); }, kWait));
    }

    // Seat 1 holds the Nine Ball turn and leaves: the word is given up at once, and Bob,
    // now the lowest seated player, can start the next game.
    void seatOneLeavesNineBall()
    {
        ServerProcess server({QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--turn-tick-ms"),
                              QStringLiteral("60000")});
        const quint16 port = server.waitForPort();
        QVERIFY(port != 0);
        Player ann(port, "Ann");
        QVERIFY(ann.seated);
        AppWindows bob;
        bob.chat()->processparams({QStringLiteral("Bob"), QStringLiteral("127.0.0.1:%1").arg(port), QStringLiteral("false")});
        QVERIFY(waitUntil([&] { return bob.chat()->seatLabel(2)->text() == QLatin1String("Bob"); }, kWait));
        QVERIFY(bob.chat()->startButton()->isHidden());

        // Who opens the word is drawn at random: start again until it is seat 1.
        bool annsTurn = false;
        for (int start = 1; start <= 40 && !annsTurn; ++start) {
            ann.client.sendMessage("CMD_startgame+Ann+nine+");
            QVERIFY(waitUntil([&] { return ann.client.got.count("CMD_nextplayer+") == start; }, kWait));
            annsTurn = ann.client.messages().last() == "CMD_nextplayer+1+1+";
        }
        QVERIFY(annsTurn);
        ann.client.close();
        QElapsedTimer sinceLeaving;
        sinceLeaving.start();
        QVERIFY(waitUntil([&] { return bob.chat()->statusLabel()->text().endsWith(QLatin1String(" is the correct answer.")); }, kWait));
        QVERIFY(sinceLeaving.elapsed() < 5000);
        QVERIFY(waitUntil([&] { return !bob.chat()->startButton()->isHidden(); }, kWait));
        QVERIFY(bob.chat()->action("StartGame1")->isEnabled());
        bob.chat()->action("StartGame1")->trigger();
        bob.gameStart()->button_startClick();
        QVERIFY(waitUntil([&] { return chatText(bob).contains(QStringLiteral("Bob has started a game.")); }, kWait));
    }

    // Bob's link is cut while he holds a ball. Ann plays on meanwhile; Bob is told at
    // once, and when the link is back he sits on his seat again with his ball.
    void droppedLinkComesBackToItsSeat_data()
    {
        QTest::addColumn<int>("cutMs");
        QTest::newRow("5 s") << 5000;
        QTest::newRow("30 s") << 30000;
    }
    void droppedLinkComesBackToItsSeat()
    {
        QFETCH(int, cutMs);
        KnownWordsHost options;
        TServer host(options, wordsStartingWithC());
        host.turntimer().setInterval(60000); // rows end only when guessed
        host.listen(0);
        TableWithCut table(host.port());
        QVERIFY(table.ready);
        Player &ann = table.ann;
        Player &cy = table.cy;
        AppWindows &bob = table.bob;

        ann.client.sendMessage("CMD_startgame+Ann+most+");
        QVERIFY(waitUntil([&] { return bob.chat()->state().turnSeat == 3; }, kWait));
        typeGuess(bob, host.game().word);
        QVERIFY(waitUntil([&] { return host.game().seat(3).score == 1; }, kWait));
        // The pause before the next ball, without waiting a minute a tick.
        QVERIFY(waitUntil([&] {
            host.turntimerTimer();
            return ann.heard("CMD_loadball+2+C+") == 1;
        }, kWait));

        QVERIFY(table.cut());
        // The others' rows do not wait for Bob.
        ann.guess();
        cy.guess();
        QVERIFY(waitUntil([&] { return ann.heard(ann.rowOpens(2)); }, kWait));
        QVERIFY(host.isHeld(3));

        QTest::qWait(cutMs - int(table.sinceCut.elapsed()));
        table.link.restore();
        QVERIFY(waitUntil([&] { return chatText(bob).contains(QStringLiteral("Reconnected.")); }, 15000));
        QCOMPARE(bob.chat()->state().ownSeat, 3);
        QCOMPARE(bob.chat()->seatLabel(3)->text(), QStringLiteral("Bob"));
        QCOMPARE(bob.chat()->seatLabel(1)->text(), QStringLiteral("Ann"));
        QCOMPARE(host.game().seat(3).score, 1);
        QCOMPARE(ann.heard("CMD_newplayerinfo+3+Bob"), 2);
        QVERIFY(!host.isHeld(3));
        // Back in the middle of row 2, he plays from row 3: that row waits for him.
        ann.guess();
        cy.guess();
        QVERIFY(waitUntil([&] { return ann.heard(ann.rowOpens(3)); }, kWait));
        ann.guess();
        cy.guess();
        QVERIFY(waitUntil([&] { return ann.heard("CMD_submitted+2+") == 3; }, kWait));
        QTest::qWait(300);
        QVERIFY(!ann.heard(ann.rowOpens(4)));
        QVERIFY(m_boxes.isEmpty());
    }

    // A cut longer than the grace: the seat is kept for the grace, then freed for a
    // newcomer; a guess Bob types meanwhile is never sent, and when the link is back he
    // keeps trying and sits down as a newcomer.
    void heldSeatIsFreedAfterTheGrace()
    {
        ServerProcess server({QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--grace-seconds"),
                              QStringLiteral("2"), QStringLiteral("--turn-tick-ms"), QStringLiteral("60000")});
        const quint16 port = server.waitForPort();
        QVERIFY(port != 0);
        TableWithCut table(port);
        QVERIFY(table.ready);
        table.ann.client.sendMessage("CMD_startgame+Ann+most+");
        QVERIFY(waitUntil([&] { return table.bob.chat()->state().turnSeat == 3; }, kWait));

        QVERIFY(table.cut());
        typeGuess(table.bob, QStringLiteral("CRANE"));
        QVERIFY(chatText(table.bob).contains(QStringLiteral("Not connected to the host: your guess was not sent.")));
        Player dee(port, "Dee");
        QCOMPARE(dee.seat, 4);
        QTest::qWait(2500 - int(table.sinceCut.elapsed()));
        Player eve(port, "Eve");
        QCOMPARE(eve.seat, 3);

        // Past the seat offer wait, so Bob has already given up on a try that led nowhere.
        QTest::qWait(6000);
        table.link.restore();
        QVERIFY(waitUntil([&] { return chatText(table.bob).contains(QStringLiteral("Reconnected.")); }, 15000));
        QCOMPARE(table.bob.chat()->state().ownSeat, 5);
        QCOMPARE(table.bob.chat()->seatLabel(3)->text(), QStringLiteral("Eve"));
        QVERIFY(table.ann.heard("CMD_newplayerinfo+5+Bob"));
        QTest::qWait(300);
        QCOMPARE(table.ann.client.got.count("CMD_submitted+"), 0);
        QVERIFY(m_boxes.isEmpty());
    }
};

QTEST_MAIN(TestHeadlessHost)
#include "test_headlesshost.moc"
