// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "client/clientsession.h"
#include "host/defaulthostoptions.h"
#include "host/tserver.h"
#include "net/tsock.h"
#include "protocol/catalogue.h"
#include "protocol/message.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>

using namespace brelvox;

namespace {

class VersionOptions : public DefaultHostOptions
{
public:
    QString versionText() const override { return QStringLiteral("9.9.9"); }
};

// One client as a copy of the program holds it: the seat names it was told of, what it showed.
struct Client {
    explicit Client(const QString &name)
    {
        state.loginName = name;
        labels.fill(ClientState::kWaiting);
        session = std::make_unique<ClientSession>(state);
        QObject::connect(session.get(), &ClientSession::seatNameChanged, &board,
                         [this](int seat, const QString &name) { labels.at(seat - 1) = name; });
        QObject::connect(session.get(), &ClientSession::chatLine, &board, [this](const QString &text, ColorRef color) {
            lines << text;
            colors << color;
        });
        QObject::connect(session.get(), &ClientSession::soundRequested, &board, [this](const QString &name) { sounds << name; });
        QObject::connect(session.get(), &ClientSession::ownArrival, &board, [this] { ++arrivals; });
        QObject::connect(session.get(), &ClientSession::closeRequested, &board, [this] { ++closed; });
        QObject::connect(session.get(), &ClientSession::notice, &board, [this](const QString &text) { boxes << text; });
        QObject::connect(session.get(), &ClientSession::dispatchFailed, &board, [this](const QString &text) { errors << text; });
    }
    QString label(int seat) const { return labels.at(seat - 1); }
    void connectTo(quint16 port)
    {
        session->setPort(port);
        session->open(QStringLiteral("127.0.0.1"));
    }

    QObject board;
    std::array<QString, 5> labels;
    ClientState state;
    QStringList lines;
    QList<ColorRef> colors;
    QStringList sounds;
    QStringList boxes;
    QStringList errors;
    int arrivals = 0;
    int closed = 0;
    std::unique_ptr<ClientSession> session;
};

} // namespace

class TestClientSession : public QObject
{
    Q_OBJECT

private Q_SLOTS:

    void loginArrivalsAndDepartures()
    {
        DefaultHostOptions options;
        TServer host(options);
        host.listen(0);
        Client rook(QStringLiteral("Rook"));
        rook.connectTo(host.port());
        QTRY_COMPARE(rook.label(1), QStringLiteral("Rook"));
        QCOMPARE(rook.state.ownSeat, 1);
        QVERIFY(rook.state.loggedIn);
        QCOMPARE(rook.arrivals, 1);
        QCOMPARE(rook.lines, QStringList{QStringLiteral("You are Connected.")});
        QCOMPARE(rook.colors.value(0), kSystemColor);
        QCOMPARE(rook.sounds, QStringList{QStringLiteral("entered")});

        auto ann = std::make_unique<Client>(QStringLiteral("Ann"));
        ann->connectTo(host.port());
        QTRY_COMPARE(ann->label(1), QStringLiteral("Rook"));
        QTRY_COMPARE(ann->label(2), QStringLiteral("Ann"));
        QTRY_COMPARE(rook.label(2), QStringLiteral("Ann"));
        QCOMPARE(ann->state.ownSeat, 2);
        QCOMPARE(ann->arrivals, 1);
        QVERIFY(ann->lines.contains(QStringLiteral("Rook is Connected.")));
        QCOMPARE(ann->sounds.count(QStringLiteral("entered")), 2);
        QVERIFY(rook.lines.contains(QStringLiteral("Ann is Connected.")));

        ann.reset(); // Ann's copy goes away
        QTRY_COMPARE(rook.label(2), QStringLiteral("Dira"));
        QCOMPARE(rook.lines.last(), QStringLiteral("Ann disconnected."));
        QCOMPARE(rook.closed, 0);
        QVERIFY(rook.errors.isEmpty());
    }

    // A seated copy whose link closes tries again; it ends only when the host is gone, or
    // at once when the host said it was removed.
    void seatedCopyLearnsWhyItsLinkEnded_data()
    {
        QTest::addColumn<bool>("removed");
        QTest::addColumn<QString>("box");
        QTest::newRow("host ended") << false << "The host has ended the game (or the connection to it was lost).";
        QTest::newRow("removed") << true << "You have been removed from the game.";
    }
    void seatedCopyLearnsWhyItsLinkEnded()
    {
        QFETCH(bool, removed);
        QFETCH(QString, box);
        DefaultHostOptions options;
        auto host = std::make_unique<TServer>(options);
        host->listen(0);
        Client rook(QStringLiteral("Rook"));
        rook.connectTo(host->port());
        QTRY_COMPARE(rook.label(1), QStringLiteral("Rook"));
        Client ann(QStringLiteral("Ann"));
        ann.connectTo(host->port());
        QTRY_COMPARE(ann.label(2), QStringLiteral("Ann"));
        if (removed)
            rook.session->send(Message(cmd::kickhim).add(1).add(2));
        else
            host.reset();
        QTRY_COMPARE(ann.closed, 1);
        QCOMPARE(ann.boxes, QStringList{box});
        QCOMPARE(ann.lines.contains(QStringLiteral("Connection lost — reconnecting…")), !removed);
    }

    void versionMismatchKeepsTheClientSeated()
    {
        VersionOptions options;
        TServer host(options);
        host.listen(0);
        Client rook(QStringLiteral("Rook"));
        rook.connectTo(host.port());
        QTRY_VERIFY(rook.lines.contains(QStringLiteral("You have a differnt version of the game then the host.")));
        QVERIFY(rook.state.loggedIn);
        QCOMPARE(rook.closed, 0);
    }

    void spectatorArrivalAndDeparture()
    {
        Client zed(QStringLiteral("Zed"));
        for (const char *m : {"CMD_sendlogininfo+7", "CMD_newplayerinfo+7+Zed", "CMD_existingplayers+6+Bo",
                              "CMD_playerdisconnected+6+Bo", "CMD_playerdisconnected+8+Nobody"})
            zed.session->receivedlist().push(QString::fromLatin1(m));
        for (int i = 0; i < 5; ++i)
            zed.session->processsocktimer();
        QCOMPARE(zed.state.ownSeat, 7);
        QCOMPARE(zed.lines, (QStringList{"You are Connected.", "You are spying.", "Bo is Connected.", "Bo is spying.",
                                         "Bo has left."}));
        QCOMPARE(zed.session->spies().count(), 1);
        QCOMPARE(SpyList::text(zed.session->spies().entries().at(0)), QStringLiteral("7: Zed"));
        for (int seat = 1; seat <= 5; ++seat)
            QCOMPARE(zed.label(seat), QStringLiteral("<Waiting>"));
    }

    void badSeatShowsTheErrorAndGoesOn()
    {
        Client c(QStringLiteral("Rook"));
        c.session->receivedlist().push(QStringLiteral("CMD_newplayerinfo+x+Bob"));
        c.session->receivedlist().push(QStringLiteral("CMD_newplayerinfo+3+Bob"));
        c.session->processsocktimer();
        QCOMPARE(c.errors, QStringList{QStringLiteral("'x' is not a valid integer value")}); // the box adds the stop
        c.session->processsocktimer();
        QCOMPARE(c.label(3), QStringLiteral("Bob"));
    }

    void framingFromAHostOfOurOwn()
    {
        QTcpServer host;
        QVERIFY(host.listen(QHostAddress::LocalHost));
        Client c(QStringLiteral("Rook"));
        c.connectTo(host.serverPort());
        QVERIFY(host.waitForNewConnection(5000));
        QTcpSocket *peer = host.nextPendingConnection();

        // Two messages in one read: two queue entries, two ticks.
        peer->write("CMD_newplayerinfo+3+Bo\xff" "CMD_newplayerinfo+4+Cy\xff");
        QTRY_COMPARE(c.session->receivedlist().size() + (c.label(3) == QLatin1String("Bo") ? 1 : 0)
                         + (c.label(4) == QLatin1String("Cy") ? 1 : 0),
                     2);
        QTRY_COMPARE(c.label(4), QStringLiteral("Cy"));
        QCOMPARE(c.label(3), QStringLiteral("Bo"));

        // A message cut across two reads arrives whole.
        peer->write("CMD_newplayerinfo+5+Da");
        peer->flush();
        QTest::qWait(50);
        QCOMPARE(c.label(5), QStringLiteral("<Waiting>"));
        peer->write("na Lee\xff");
        QTRY_COMPARE(c.label(5), QStringLiteral("Dana Lee"));

        // "Game is full", then the window closes.
        peer->write("CMD_full+\xff");
        QTRY_COMPARE(c.boxes, QStringList{QStringLiteral("Game is full")});
        QCOMPARE(c.closed, 1);

        // The host going away closes the window.
        peer->close();
        QTRY_COMPARE(c.closed, 2);
    }

    // A host that sends faster than the client handles is held back by TCP: the queue
    // stays short, and every line still arrives, in order, before the close.
    void floodingHostIsHeldBack()
    {
        QTcpServer host;
        QVERIFY(host.listen(QHostAddress::LocalHost));
        Client c(QStringLiteral("Rook"));
        qsizetype longest = 0;
        QStringList names;
        QObject::connect(c.session.get(), &ClientSession::seatNameChanged, &c.board, [&](int, const QString &name) {
            names << name.left(12);
            longest = std::max(longest, c.session->receivedlist().size());
        });
        c.connectTo(host.serverPort());
        QVERIFY(host.waitForNewConnection(5000));
        QTcpSocket *peer = host.nextPendingConnection();
        constexpr int kLines = 10000;
        const QByteArray pad(1000, 'x');
        for (int n = 0; n < kLines; ++n)
            peer->write("CMD_newplayerinfo+3+" + QByteArray::number(n).rightJustified(12, '0') + pad + "\xff");
        peer->disconnectFromHost();
        QTRY_COMPARE_WITH_TIMEOUT(c.closed, 1, 60000);
        QCOMPARE(names.size(), kLines);
        QCOMPARE(names.last(), QString::number(kLines - 1).rightJustified(12, u'0'));
        // A read adds at most a chunk's worth past the bound.
        QVERIFY2(longest < ClientSession::kMaxQueued + TSock::kReadChunk / pad.size(), qPrintable(QString::number(longest)));
    }

    void hostEndingIsToldAfterWhatItSaid()
    {
        QTcpServer host;
        QVERIFY(host.listen(QHostAddress::LocalHost));
        Client c(QStringLiteral("Rook"));
        QString labelAtBox;
        QObject::connect(c.session.get(), &ClientSession::notice, &c.board, [&] { labelAtBox = c.label(3); });
        c.connectTo(host.serverPort());
        QVERIFY(host.waitForNewConnection(5000));
        QTcpSocket *peer = host.nextPendingConnection();
        peer->write("CMD_newplayerinfo+3+Bo\xff");
        peer->flush();
        peer->close();
        QTRY_COMPARE(c.closed, 1);
        QCOMPARE(c.boxes, QStringList{QStringLiteral("The host has ended the game (or the connection to it was lost).")});
        QCOMPARE(labelAtBox, QStringLiteral("Bo"));
        QTest::qWait(50);
        QCOMPARE(c.closed, 1);
    }

    void hostNotUpYetIsRetried_data()
    {
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("line");
        QTest::newRow("nobody listens") << "127.0.0.1" << "Waiting for the host: nobody answers at 127.0.0.1:%1 yet.";
        QTest::newRow("unknown name") << "no-such-host.invalid" << "Host not found: no computer is named no-such-host.invalid.";
    }
    void hostNotUpYetIsRetried()
    {
        QFETCH(QString, host);
        QFETCH(QString, line);
        quint16 port = 0;
        {
            QTcpServer probe;
            QVERIFY(probe.listen(QHostAddress::LocalHost));
            port = probe.serverPort();
        }
        Client c(QStringLiteral("Rook"));
        c.session->setPort(port);
        c.session->open(host);
        const QString expected = line.contains(QLatin1String("%1")) ? line.arg(port) : line;
        QTRY_VERIFY_WITH_TIMEOUT(!c.lines.isEmpty(), 10000);
        QVERIFY2(c.lines.first().startsWith(expected), qPrintable(c.lines.first()));
        QVERIFY(c.session->retryTimer()->isActive());
        // Said once, however often it tries.
        QTest::qWait(ClientSession::kRetryMs + 500);
        QVERIFY(c.session->retryTimer()->isActive());
        QCOMPARE(c.lines.size(), 1);
        QCOMPARE(c.closed, 0);
    }

    // A host's line past 4096 characters is handled cut; the connection goes on.
    void longLinesAreCut_data()
    {
        QTest::addColumn<QList<QByteArray>>("reads");
        for (const int size : {33000, 40000}) {
            const QByteArray line = "CMD_chat+Ann chats: " + QByteArray(size, 'L') + "|clRed\xff";
            QTest::addRow("%d whole", size) << QList<QByteArray>{line};
            QTest::addRow("%d, 16500 then the rest", size) << QList<QByteArray>{line.left(16500), line.mid(16500)};
        }
    }
    void longLinesAreCut()
    {
        QFETCH(QList<QByteArray>, reads);
        QTcpServer host;
        QVERIFY(host.listen(QHostAddress::LocalHost));
        Client c(QStringLiteral("Rook"));
        QStringList chats;
        c.session->dispatchTable().bind(cmd::chat, [&](const QString &args) { chats << args; });
        c.connectTo(host.serverPort());
        QVERIFY(host.waitForNewConnection(5000));
        QTcpSocket *peer = host.nextPendingConnection();
        for (const QByteArray &read : reads) {
            peer->write(read);
            peer->flush();
            QTest::qWait(30);
        }
        peer->write("CMD_chat+ok|clBlack\xff");
        QTRY_COMPARE(chats.size(), 2);
        QCOMPARE(chats.first(), QStringLiteral("Ann chats: ") + QString(ReceiveQueue::kMaxMessageLength - 20, QLatin1Char('L')));
        QCOMPARE(chats.last(), QStringLiteral("ok|clBlack"));
        QCOMPARE(c.closed, 0);
    }

    void loginBytes()
    {
        QTcpServer host;
        QVERIFY(host.listen(QHostAddress::LocalHost));
        Client c(QString::fromLatin1("R+ok\xff")); // a "+" and a typed 0xFF (ÿ)
        c.connectTo(host.serverPort());
        QVERIFY(host.waitForNewConnection(5000));
        QTcpSocket *peer = host.nextPendingConnection();
        peer->write("CMD_sendlogininfo+3+\xff");
        QByteArray got;
        QTRY_VERIFY((got += peer->readAll()).endsWith('\xff'));
        QCOMPARE(got, QByteArray("CMD_logininfo+3+1.0.5+R+oky\xff"));
    }

    void idleClientDoesNotTick()
    {
        Client c(QStringLiteral("Rook"));
        QVERIFY(!c.session->timer1()->isActive());
        c.session->receivedlist().push(QStringLiteral("CMD_newplayerinfo+3+Bo"));
        c.session->wake();
        QVERIFY(c.session->timer1()->isActive());
        QTRY_COMPARE(c.label(3), QStringLiteral("Bo"));
        QTRY_VERIFY(!c.session->timer1()->isActive());
        // A read finding the client at rest has its message handled at once.
        QTest::qWait(2 * ClientSession::kTickMs);
        c.session->receivedlist().push(QStringLiteral("CMD_newplayerinfo+4+Cy"));
        c.session->sockRead();
        QCOMPARE(c.session->timer1()->remainingTime(), 0);
        QTRY_COMPARE(c.label(4), QStringLiteral("Cy"));
        QTRY_VERIFY(!c.session->timer1()->isActive());
        bool busy = true;
        c.session->addTicker([&] { return busy; });
        c.session->wake();
        QTest::qWait(60);
        QVERIFY(c.session->timer1()->isActive());
        busy = false;
        QTRY_VERIFY(!c.session->timer1()->isActive());
    }
};

QTEST_MAIN(TestClientSession)
#include "test_clientsession.moc"
