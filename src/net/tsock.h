// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QAbstractSocket>
#include <QByteArray>
#include <QObject>
#include <QString>
#include <functional>

class QTcpServer;
class QTcpSocket;

namespace brelvox {

// One TCP stream socket, listening or connected, reporting through handlers on the
// event loop's thread. Framing is the owner's business: this moves bytes.
//
// A handler may close the socket or schedule it with deleteLater(); it must not delete
// it outright.
class TSock : public QObject
{
    Q_OBJECT
public:
    enum InfoCode {
        InfoLookup = 0,
        InfoConnected = 1,
        InfoClosed = 2,
        InfoListening = 3,
        InfoIncoming = 4,
        InfoOutgoing = 5,
        InfoAccept = 6,
        InfoError = 7,
    };
    // The most one read notice takes from the socket.
    static constexpr qint64 kReadChunk = 32768;
    // The most a connection holds unread. Past it nothing more is taken from the system,
    // whose window then closes: the peer waits instead of this process growing.
    static constexpr qint64 kReadBufferSize = 256 * 1024;
    // A connect that has not completed by then fails with WSAETIMEDOUT.
    static constexpr int kConnectTimeoutMs = 5000;
    // A connection whose peer stops answering fails within about ten seconds: an idle
    // link is probed after kKeepIdleS, every kKeepIntervalS, kKeepProbes times; data that
    // stays unacknowledged for kUnackedTimeoutMs ends it too.
    static constexpr int kKeepIdleS = 4;
    static constexpr int kKeepIntervalS = 2;
    static constexpr int kKeepProbes = 3;
    static constexpr int kUnackedTimeoutMs = 10000;

    using ReadHandler = std::function<void(TSock *sender, int count)>;
    using EventHandler = std::function<void(TSock *sender)>;
    using InfoHandler = std::function<void(TSock *sender, int code, const QString &text)>;

    explicit TSock(QObject *parent = nullptr);
    // Drops the connection without reporting anything.
    ~TSock() override;

    // A host name that starts with a digit is a dotted address, any other is looked up
    // once per name for the process. A listener binds to it, or when it is empty to every
    // address of both families (IPv4 only on a machine without IPv6).
    QString hostName() const { return m_hostName; }
    void setHostName(const QString &name) { m_hostName = name; }
    // A number, or a service name looked up for "tcp". "0" lets a listener pick a port.
    QString portName() const { return m_portName; }
    void setPortName(const QString &name) { m_portName = name; }
    // Free for the owner; the host keeps the seat number here.
    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }
    // Unique for the life of the process; never reused.
    quint64 id() const { return m_id; }

    bool isConnected() const { return m_connected; }
    bool isListening() const { return m_listening; }
    // The port actually listened on or connected from.
    quint16 localPort() const;
    // Bytes handed to sendText() that have not left yet.
    qint64 pendingOutgoing() const;
    // Every byte ever handed to sendText() on this connection.
    quint64 bytesSent() const { return m_bytesSent; }
    // How many of them the peer has acknowledged receiving; -1 when unknown.
    qint64 bytesAcknowledged() const;
    // The kernel's smoothed round-trip estimate in milliseconds; -1 when unknown.
    int roundTripMs() const;
    // The peer has stopped answering: keepalive probes or data unacknowledged for over
    // a second. Such a link is about to be found dead.
    bool isStalled() const;

    // Switches listening on (backlog 5, info 3 "Listening Started") or off. Throws
    // SockError "Listen - Error Binding Socket" / "Listen - Error Starting Listen".
    void setListen(bool on);
    // Takes one waiting connection: a new parentless TSock, owned by the caller, with
    // this listener's read, write, disconnect and info handlers, its port name and the
    // peer's dotted address as host name. Reports info 6 on the listener either way;
    // nullptr when there was nothing to take.
    TSock *accept();
    // Starts a non-blocking connect; info 1 "Non-Blocking Socket Connected" and the
    // connect handler follow when it completes, info 7 when it fails.
    void open();
    // Queues bytes behind everything sent before; what the socket does not take now
    // leaves when it can write again. Throws SockError "Send - Socket Not Connected" or
    // "Send - Cannot Send On A Listener Socket".
    void sendText(const QByteArray &bytes);
    // Everything received so far; empties the incoming buffer.
    QByteArray receiveText();
    // While paused nothing is read and no read handler runs: the owner has enough
    // waiting, and the peer is held back by TCP. Resuming reads what waits meanwhile.
    void setReadPaused(bool paused);
    bool isReadPaused() const { return m_readPaused; }
    // Stops listening, or ends the connection after the bytes already sent leave.
    // Info 2 "Socket Closed" once for a connection that was open; never for a listener
    // or a connect that had not completed. Closing a closed socket does nothing.
    void close();

    void setOnRead(ReadHandler h) { m_onRead = std::move(h); }
    void setOnAccept(EventHandler h) { m_onAccept = std::move(h); }
    void setOnConnect(EventHandler h) { m_onConnect = std::move(h); }
    void setOnDisconnect(EventHandler h) { m_onDisconnect = std::move(h); }
    void setOnWrite(EventHandler h) { m_onWrite = std::move(h); }
    void setOnInfo(InfoHandler h) { m_onInfo = std::move(h); }

    // For tests: whether name's address is in the process-wide lookup cache.
    static bool isHostCached(const QString &name);

private:
    void report(int code, const QString &text);
    bool resolvePort(quint16 *port);
    void connectTo(const QHostAddress &address, quint16 port);
    void adopt(QTcpSocket *socket);
    void readNotice();
    void scheduleRead();
    void peerClosed();
    void errorNotice(QAbstractSocket::SocketError error);
    void dropSocket(bool linger);
    void watchLiveness();

    QString m_hostName;
    QString m_portName;
    int m_tag = 0;
    quint64 m_id;
    bool m_connected = false;
    bool m_listening = false;
    bool m_readScheduled = false;
    bool m_readPaused = false;
    bool m_closePending = false; // the peer closed while reading was paused
    bool m_writeHeld = false;
    int m_lookupId = -1;
    quint64 m_bytesSent = 0;
    QTcpServer *m_server = nullptr;
    QTcpSocket *m_socket = nullptr;
    QByteArray m_incoming;

    ReadHandler m_onRead;
    EventHandler m_onAccept;
    EventHandler m_onConnect;
    EventHandler m_onDisconnect;
    EventHandler m_onWrite;
    InfoHandler m_onInfo;
};

} // namespace brelvox
