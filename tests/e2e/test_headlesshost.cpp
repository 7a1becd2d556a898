// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "board/tgamestart.h"
#include "client/chatview.h"
#include "client/clientsession.h"
#include "core/userfiles.h"
#include "host/rawclient.h"
#include "shell/appwindows.h"
#include "shell/tchat.h"
#include "support/serverprocess.h"
#include "widgets/dialogs.h"
#include "widgets/flatbutton.h"

#include <QAction>
#include <QLabel>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

using namespace brelvox;
using testing::RawClient;
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
};

QTEST_MAIN(TestHeadlessHost)
#include "test_headlesshost.moc"
