// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "net/sockerror.h"
#include "net/socketerrortext.h"
#include "net/tsock.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QTcpSocket>
#include <QTest>
#include <memory>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace brelvox;

namespace {

// Notes every event of the sockets it watches as "name:event".
struct Log
{
    QStringList events;
    void watch(TSock &sock, const QString &name)
    {
        sock.setOnInfo([this, name](TSock *, int code, const QString &text) {
            if (code != TSock::InfoIncoming && code != TSock::InfoOutgoing)
                events << name + ":" + QString::number(code) + " " + text;
        });
        sock.setOnDisconnect([this, name](TSock *) { events << name + ":disconnect"; });
        sock.setOnConnect([this, name](TSock *) { events << name + ":connect"; });
    }
    int count(const QString &event) const { return int(events.count(event)); }
};

} // namespace

class TestTSock : public QObject
{
    Q_OBJECT
private:
    // A listener on loopback; accepted sockets go to accepted.
    void startListener(TSock &listener, Log &log, std::vector<std::unique_ptr<TSock>> &accepted)
    {
        listener.setHostName(QStringLiteral("127.0.0.1"));
        listener.setPortName(QStringLiteral("0"));
        log.watch(listener, QStringLiteral("L"));
        listener.setOnAccept([&](TSock *l) { accepted.emplace_back(l->accept()); });
        listener.setListen(true);
    }

private Q_SLOTS:
    void connectAcceptAndClose()
    {
        Log log;
        TSock listener;
        std::vector<std::unique_ptr<TSock>> accepted;
        startListener(listener, log, accepted);
        QVERIFY(listener.isListening());
        QVERIFY(listener.localPort() != 0);
        QCOMPARE(log.events, QStringList{"L:3 Listening Started"});

        TSock client;
        client.setHostName(QStringLiteral("127.0.0.1"));
        client.setPortName(QString::number(listener.localPort()));
        log.watch(client, QStringLiteral("C"));
        client.open();
        QTRY_VERIFY_WITH_TIMEOUT(client.isConnected() && accepted.size() == 1, 2000);
        TSock &server = *accepted.front();
        QVERIFY(server.isConnected());
        QCOMPARE(server.hostName(), QStringLiteral("127.0.0.1"));
        QCOMPARE(server.portName(), QStringLiteral("0"));
        QCOMPARE(log.count("C:1 Non-Blocking Socket Connected"), 1);
        QCOMPARE(log.count("C:connect"), 1);
        QCOMPARE(log.count("L:6 Created New TSock Structure"), 1);

        // The accepted socket took the listener's handlers: its close reports as "L".
        log.events.clear();
        client.close();
        QCOMPARE(log.events, QStringList{"C:2 Socket Closed"});
        QTRY_COMPARE_WITH_TIMEOUT(log.count("L:2 Socket Closed"), 1, 2000);
        QCOMPARE(log.events, (QStringList{"C:2 Socket Closed", "L:disconnect", "L:2 Socket Closed"}));
        client.close();
        server.close();
        listener.close();
        QTest::qWait(20);
        QCOMPARE(log.events.size(), 3);
        QVERIFY(!listener.isListening());
    }

    void sendIsOrderedAndReadsAreBounded()
    {
        Log log;
        TSock listener;
        std::vector<std::unique_ptr<TSock>> accepted;
        startListener(listener, log, accepted);
        QByteArray got;
        qsizetype largestRead = 0;
        listener.setOnRead([&](TSock *s, int count) {
            largestRead = qMax<qsizetype>(largestRead, count);
            got += s->receiveText();
        });
        TSock client;
        client.setHostName(QStringLiteral("127.0.0.1"));
        client.setPortName(QString::number(listener.localPort()));
        client.open();
        QTRY_VERIFY_WITH_TIMEOUT(client.isConnected(), 2000);
        QByteArray sent;
        for (int i = 0; i < 400; ++i) {
            const QByteArray piece = QByteArray::number(i).rightJustified(10000, char('a' + i % 26));
            sent += piece;
            client.sendText(piece);
        }
        QTRY_COMPARE_WITH_TIMEOUT(got.size(), sent.size(), 10000);
        QCOMPARE(got, sent);
        QVERIFY(largestRead <= TSock::kReadChunk);
        QCOMPARE(client.pendingOutgoing(), 0);
    }

    // An owner with enough waiting pauses reading: the peer is held back by TCP instead of
    // the bytes piling up in this process; resuming reads them all, and a close the peer
    // made meanwhile comes after them.
    void pausedReadingHoldsThePeerBack()
    {
        Log log;
        TSock listener;
        std::vector<std::unique_ptr<TSock>> accepted;
        startListener(listener, log, accepted);
        listener.setOnAccept([&](TSock *l) {
            accepted.emplace_back(l->accept());
            accepted.back()->setReadPaused(true);
        });
        QByteArray got;
        listener.setOnRead([&](TSock *s, int) { got += s->receiveText(); });
        TSock client;
        client.setHostName(QStringLiteral("127.0.0.1"));
        client.setPortName(QString::number(listener.localPort()));
        client.open();
        QTRY_VERIFY_WITH_TIMEOUT(client.isConnected() && accepted.size() == 1, 2000);
        QByteArray sent(32 * 1024 * 1024, 'z');
        client.sendText(sent);
        QTest::qWait(500);
        QVERIFY(got.isEmpty());
        // What the system buffers is some MB at most; the rest waits at the sender.
        QVERIFY2(client.pendingOutgoing() > 16 * 1024 * 1024, qPrintable(QString::number(client.pendingOutgoing())));
        client.close();
        accepted.front()->setReadPaused(false);
        QTRY_COMPARE_WITH_TIMEOUT(got.size(), sent.size(), 20000);
        QTRY_COMPARE_WITH_TIMEOUT(log.count("L:2 Socket Closed"), 1, 2000);
    }

    // Bytes sent just before either side closes still arrive, before the close.
    void closeDeliversWhatWasSent()
    {
        Log log;
        TSock listener;
        std::vector<std::unique_ptr<TSock>> accepted;
        startListener(listener, log, accepted);
        QByteArray atServer;
        listener.setOnRead([&](TSock *s, int) {
            atServer += s->receiveText();
            log.events << "L:read";
        });
        TSock client;
        client.setHostName(QStringLiteral("127.0.0.1"));
        client.setPortName(QString::number(listener.localPort()));
        QByteArray atClient;
        client.setOnRead([&](TSock *s, int) { atClient += s->receiveText(); });
        client.open();
        QTRY_VERIFY_WITH_TIMEOUT(client.isConnected() && accepted.size() == 1, 2000);

        const QByteArray big(3 * 1024 * 1024, 'x');
        accepted.front()->sendText(big);
        accepted.front()->close();
        QTRY_COMPARE_WITH_TIMEOUT(atClient.size(), big.size(), 10000);

        client.close();
        log.events.clear();
        TSock second;
        second.setHostName(QStringLiteral("127.0.0.1"));
        second.setPortName(QString::number(listener.localPort()));
        second.open();
        QTRY_VERIFY_WITH_TIMEOUT(second.isConnected() && accepted.size() == 2, 2000);
        second.sendText("last words");
        second.close();
        QTRY_COMPARE_WITH_TIMEOUT(log.count("L:2 Socket Closed"), 1, 2000);
        QCOMPARE(atServer, QByteArray("last words"));
        const qsizetype read = log.events.lastIndexOf("L:read");
        QVERIFY(read >= 0);
        QVERIFY(read < log.events.indexOf("L:disconnect"));
    }

    // An empty host name listens on every address of both families.
    void listenerTakesBothFamilies_data()
    {
        QTest::addColumn<QString>("address");
        QTest::newRow("IPv4") << "127.0.0.1";
        QTest::newRow("IPv6") << "::1";
    }
    void listenerTakesBothFamilies()
    {
        QFETCH(QString, address);
        TSock listener;
        listener.setPortName(QStringLiteral("0"));
        std::vector<std::unique_ptr<TSock>> accepted;
        listener.setOnAccept([&](TSock *l) { accepted.emplace_back(l->accept()); });
        listener.setListen(true);
        TSock client;
        client.setHostName(address);
        client.setPortName(QString::number(listener.localPort()));
        bool failed = false;
        client.setOnInfo([&](TSock *, int code, const QString &) { failed = failed || code == TSock::InfoError; });
        client.open();
        QTRY_VERIFY_WITH_TIMEOUT((client.isConnected() && accepted.size() == 1) || failed, 2000);
        if (failed && address.contains(u':'))
            QSKIP("no IPv6 on this machine's loopback");
        QVERIFY(!failed);
        QCOMPARE(accepted.front()->hostName(), address);
    }

    // A host whose queue is full drops the connect's packets, as a firewall would.
    void connectTimesOut()
    {
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in at{};
        at.sin_family = AF_INET;
        at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof at;
        QVERIFY(::bind(fd, reinterpret_cast<sockaddr *>(&at), size) == 0 && ::listen(fd, 0) == 0);
        QVERIFY(::getsockname(fd, reinterpret_cast<sockaddr *>(&at), &size) == 0);
        QTcpSocket filler; // takes the only place in the queue
        filler.connectToHost(QHostAddress::LocalHost, ntohs(at.sin_port));
        QVERIFY(filler.waitForConnected(2000));

        Log log;
        TSock client;
        client.setHostName(QStringLiteral("127.0.0.1"));
        client.setPortName(QString::number(ntohs(at.sin_port)));
        log.watch(client, QStringLiteral("C"));
        QElapsedTimer clock;
        clock.start();
        client.open();
        QTRY_COMPARE_WITH_TIMEOUT(log.events, QStringList{"C:7 Error #10060 (WSAETIMEDOUT)"}, TSock::kConnectTimeoutMs + 2000);
        QVERIFY(clock.elapsed() >= TSock::kConnectTimeoutMs * 9 / 10); // a coarse timer
        QVERIFY(!client.isConnected());
        ::close(fd);
    }

    void refusedConnectIsNotAClose()
    {
        quint16 freePort = 0;
        {
            TSock probe;
            probe.setHostName(QStringLiteral("127.0.0.1"));
            probe.setPortName(QStringLiteral("0"));
            probe.setListen(true);
            freePort = probe.localPort();
        }
        Log log;
        TSock client;
        client.setHostName(QStringLiteral("127.0.0.1"));
        client.setPortName(QString::number(freePort));
        log.watch(client, QStringLiteral("C"));
        client.open();
        QTRY_COMPARE_WITH_TIMEOUT(log.events, QStringList{"C:7 Error #10061 (WSAECONNREFUSED)"}, 2000);
        QVERIFY(!client.isConnected());
        client.close();
        QTest::qWait(20);
        QCOMPARE(log.events.size(), 1);
        try {
            client.sendText("x");
            QFAIL("sent on a closed socket");
        } catch (const SockError &e) {
            QCOMPARE(e.message(), QStringLiteral("Send - Socket Not Connected"));
        }
    }

    void listenerFailures()
    {
        TSock first;
        first.setHostName(QStringLiteral("127.0.0.1"));
        first.setPortName(QStringLiteral("0"));
        first.setListen(true);
        try {
            first.sendText("x");
            QFAIL("sent on a listener");
        } catch (const SockError &e) {
            QCOMPARE(e.message(), QStringLiteral("Send - Cannot Send On A Listener Socket"));
        }
        TSock second;
        second.setHostName(QStringLiteral("127.0.0.1"));
        second.setPortName(QString::number(first.localPort()));
        try {
            second.setListen(true);
            QFAIL("two listeners on one port");
        } catch (const SockError &e) {
            QCOMPARE(e.message(), QStringLiteral("Listen - Error Binding Socket"));
        }
        QVERIFY(!second.isListening());
        QCOMPARE(first.accept(), nullptr);
    }

    void lookupsAreReportedAndCached()
    {
        Log log;
        TSock listener;
        std::vector<std::unique_ptr<TSock>> accepted;
        startListener(listener, log, accepted);
        log.events.clear();
        const QString port = QString::number(listener.localPort());
        TSock a;
        a.setHostName(QStringLiteral("localhost"));
        a.setPortName(port);
        log.watch(a, QStringLiteral("A"));
        a.open();
        QTRY_VERIFY_WITH_TIMEOUT(a.isConnected(), 5000);
        QCOMPARE(log.events.first(), QStringLiteral("A:0 Lookup Of Host localhost"));
        QVERIFY(TSock::isHostCached(QStringLiteral("localhost")));

        TSock b;
        b.setHostName(QStringLiteral("localhost"));
        b.setPortName(port);
        log.watch(b, QStringLiteral("B"));
        b.open();
        QTRY_VERIFY_WITH_TIMEOUT(b.isConnected(), 2000);
        QCOMPARE(log.events.filter(QStringLiteral("Lookup")).size(), 1);

        TSock c;
        c.setHostName(QStringLiteral("127.0.0.1"));
        c.setPortName(QStringLiteral("no-such-service-here"));
        log.watch(c, QStringLiteral("S"));
        c.open();
        QCOMPARE(log.events.filter(QStringLiteral("S:")),
                 (QStringList{"S:0 Lookup Of Port no-such-service-here", "S:7 Error #10109 (WSATYPE_NOTFOUND)"}));
    }

    void errorTexts_data()
    {
        QTest::addColumn<int>("error");
        QTest::addColumn<QString>("text");
        QTest::newRow("refused") << int(QAbstractSocket::ConnectionRefusedError) << "Error #10061 (WSAECONNREFUSED)";
        QTest::newRow("host") << int(QAbstractSocket::HostNotFoundError) << "Error #11001 (WSAHOST_NOT_FOUND)";
        QTest::newRow("in use") << int(QAbstractSocket::AddressInUseError) << "Error #10048 (WSAEADDRINUSE)";
        QTest::newRow("timeout") << int(QAbstractSocket::SocketTimeoutError) << "Error #10060 (WSAETIMEDOUT)";
    }
    void errorTexts()
    {
        QFETCH(int, error);
        QFETCH(QString, text);
        QCOMPARE(socketErrorText(QAbstractSocket::SocketError(error)), text);
    }
};

QTEST_GUILESS_MAIN(TestTSock)
#include "test_tsock.moc"
