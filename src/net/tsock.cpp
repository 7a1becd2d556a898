// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "net/tsock.h"

#include "net/lingersweep.h"
#include "net/sockerror.h"
#include "net/socketerrortext.h"

#include <QHash>
#include <QHostInfo>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <arpa/inet.h>
#include <atomic>
#include <limits>
#include <linux/tcp.h>
#include <netdb.h>
#include <sys/socket.h>

namespace brelvox {

namespace {

// How long a closed connection may take to hand its last bytes to a slow peer.
constexpr int kLingerMs = 10000;

std::atomic<quint64> s_nextId{1};

QHash<QString, QHostAddress> &hostCache()
{
    static QHash<QString, QHostAddress> cache;
    return cache;
}

bool startsWithDigit(const QString &text)
{
    return !text.isEmpty() && text[0].isDigit();
}

QString dotted(const QHostAddress &address)
{
    bool isV4 = false;
    const quint32 v4 = address.toIPv4Address(&isV4);
    return isV4 ? QHostAddress(v4).toString() : address.toString();
}

} // namespace

TSock::TSock(QObject *parent)
    : QObject(parent)
    , m_id(s_nextId++)
{
}

TSock::~TSock()
{
    if (m_lookupId >= 0)
        QHostInfo::abortHostLookup(m_lookupId);
    if (m_socket) {
        m_socket->disconnect(this);
        m_socket->abort();
    }
}

quint16 TSock::localPort() const
{
    if (m_server)
        return m_server->serverPort();
    return m_socket ? m_socket->localPort() : 0;
}

qint64 TSock::pendingOutgoing() const
{
    return m_socket ? m_socket->bytesToWrite() : 0;
}

namespace {

bool tcpInfo(const QTcpSocket *socket, tcp_info *info)
{
    if (!socket || socket->socketDescriptor() < 0)
        return false;
    socklen_t size = sizeof(*info);
    *info = {};
    return ::getsockopt(int(socket->socketDescriptor()), IPPROTO_TCP, TCP_INFO, info, &size) == 0;
}

} // namespace

qint64 TSock::bytesAcknowledged() const
{
    tcp_info info;
    if (!m_connected || !tcpInfo(m_socket, &info))
        return -1;
    return qint64(info.tcpi_bytes_acked);
}

int TSock::roundTripMs() const
{
    tcp_info info;
    if (!m_connected || !tcpInfo(m_socket, &info))
        return -1;
    return int(info.tcpi_rtt / 1000);
}

bool TSock::isStalled() const
{
    tcp_info info;
    if (!m_connected || !tcpInfo(m_socket, &info))
        return false;
    return info.tcpi_probes > 0 || (info.tcpi_unacked > 0 && info.tcpi_last_ack_recv > 1000);
}

void TSock::watchLiveness()
{
    if (!m_socket)
        return;
    m_socket->setSocketOption(QAbstractSocket::KeepAliveOption, 1);
    const int fd = int(m_socket->socketDescriptor());
    if (fd < 0)
        return;
    // Best effort: a kernel without one of these still has the others.
    const auto set = [fd](int option, int value) { ::setsockopt(fd, IPPROTO_TCP, option, &value, sizeof value); };
    set(TCP_KEEPIDLE, kKeepIdleS);
    set(TCP_KEEPINTVL, kKeepIntervalS);
    set(TCP_KEEPCNT, kKeepProbes);
    set(TCP_USER_TIMEOUT, kUnackedTimeoutMs);
}

bool TSock::isHostCached(const QString &name)
{
    return hostCache().contains(name);
}

void TSock::report(int code, const QString &text)
{
    if (m_onInfo)
        m_onInfo(this, code, text);
}

bool TSock::resolvePort(quint16 *port)
{
    if (startsWithDigit(m_portName)) {
        bool ok = false;
        const uint value = m_portName.toUInt(&ok);
        *port = quint16(value);
        return ok && value <= 0xFFFF;
    }
    report(InfoLookup, QStringLiteral("Lookup Of Port ") + m_portName);
    const servent *entry = ::getservbyname(m_portName.toLocal8Bit().constData(), "tcp");
    if (!entry)
        return false;
    *port = ntohs(quint16(entry->s_port));
    return true;
}

void TSock::setListen(bool on)
{
    if (!on) {
        close();
        return;
    }
    if (m_listening)
        return;
    quint16 port = 0;
    if (!resolvePort(&port))
        throw SockError(QStringLiteral("Listen - Error Binding Socket"));
    QHostAddress address(QHostAddress::Any);
    if (!m_hostName.isEmpty() && !address.setAddress(m_hostName))
        throw SockError(QStringLiteral("Listen - Error Binding Socket"));
    auto *server = new QTcpServer(this);
    server->setListenBacklogSize(5);
    bool listening = server->listen(address, port);
    if (!listening && m_hostName.isEmpty() && server->serverError() != QAbstractSocket::AddressInUseError) {
        // No IPv6 on this machine: every IPv4 address will do.
        listening = server->listen(QHostAddress::AnyIPv4, port);
    }
    if (!listening) {
        const auto error = server->serverError();
        delete server;
        const bool bind = error == QAbstractSocket::AddressInUseError
                       || error == QAbstractSocket::SocketAddressNotAvailableError
                       || error == QAbstractSocket::SocketAccessError;
        throw SockError(bind ? QStringLiteral("Listen - Error Binding Socket")
                             : QStringLiteral("Listen - Error Starting Listen"));
    }
    m_server = server;
    m_listening = true;
    connect(server, &QTcpServer::pendingConnectionAvailable, this, [this]() {
        if (m_onAccept)
            m_onAccept(this);
    });
    report(InfoListening, QStringLiteral("Listening Started"));
}

TSock *TSock::accept()
{
    QTcpSocket *socket = m_server ? m_server->nextPendingConnection() : nullptr;
    if (!socket) {
        report(InfoAccept, QStringLiteral("Could Not Accept Connection"));
        return nullptr;
    }
    auto *sock = new TSock;
    sock->m_portName = m_portName;
    sock->m_hostName = dotted(socket->peerAddress());
    sock->m_onRead = m_onRead;
    sock->m_onWrite = m_onWrite;
    sock->m_onDisconnect = m_onDisconnect;
    sock->m_onInfo = m_onInfo;
    socket->setParent(sock);
    sock->adopt(socket);
    sock->m_connected = true;
    sock->watchLiveness();
    report(InfoAccept, QStringLiteral("Created New TSock Structure"));
    // Bytes that came with the connection get no readyRead of their own.
    if (socket->bytesAvailable() > 0)
        sock->scheduleRead();
    return sock;
}

void TSock::open()
{
    if (m_listening || m_socket || m_lookupId >= 0)
        return;
    quint16 port = 0;
    if (!resolvePort(&port)) {
        report(InfoError, QStringLiteral("Error #10109 (WSATYPE_NOTFOUND)"));
        return;
    }
    QHostAddress address;
    if (startsWithDigit(m_hostName)) {
        if (!address.setAddress(m_hostName)) {
            report(InfoError, socketErrorText(QAbstractSocket::HostNotFoundError));
            return;
        }
        connectTo(address, port);
        return;
    }
    const auto cached = hostCache().constFind(m_hostName);
    if (cached != hostCache().constEnd()) {
        connectTo(*cached, port);
        return;
    }
    report(InfoLookup, QStringLiteral("Lookup Of Host ") + m_hostName);
    const QString name = m_hostName;
    m_lookupId = QHostInfo::lookupHost(name, this, [this, name, port](const QHostInfo &info) {
        m_lookupId = -1;
        QHostAddress found;
        for (const QHostAddress &a : info.addresses()) {
            if (a.protocol() == QAbstractSocket::IPv4Protocol) {
                found = a;
                break;
            }
        }
        if (found.isNull() && !info.addresses().isEmpty())
            found = info.addresses().first();
        if (info.error() != QHostInfo::NoError || found.isNull()) {
            report(InfoError, socketErrorText(QAbstractSocket::HostNotFoundError));
            return;
        }
        hostCache().insert(name, found);
        connectTo(found, port);
    });
}

void TSock::connectTo(const QHostAddress &address, quint16 port)
{
    auto *socket = new QTcpSocket(this);
    adopt(socket);
    connect(socket, &QTcpSocket::connected, this, [this]() {
        m_connected = true;
        m_socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        watchLiveness();
        report(InfoConnected, QStringLiteral("Non-Blocking Socket Connected"));
        if (m_onConnect)
            m_onConnect(this);
    });
    // A host behind a firewall that drops packets would leave the kernel trying for a minute.
    QTimer::singleShot(kConnectTimeoutMs, socket, [this, socket]() {
        if (m_socket != socket || m_connected)
            return;
        dropSocket(false);
        report(InfoError, socketErrorText(QAbstractSocket::SocketTimeoutError));
    });
    socket->connectToHost(address, port);
}

void TSock::adopt(QTcpSocket *socket)
{
    m_socket = socket;
    socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    socket->setReadBufferSize(kReadBufferSize);
    connect(socket, &QTcpSocket::readyRead, this, &TSock::readNotice);
    connect(socket, &QTcpSocket::disconnected, this, &TSock::peerClosed);
    connect(socket, &QTcpSocket::errorOccurred, this, &TSock::errorNotice);
    connect(socket, &QTcpSocket::bytesWritten, this, [this]() {
        if (!m_socket || m_socket->bytesToWrite() > 0)
            return;
        if (m_writeHeld) {
            m_writeHeld = false;
            report(InfoOutgoing, QStringLiteral("Non-Blocking Outgoing Data"));
        }
        if (m_onWrite)
            m_onWrite(this);
    });
}

void TSock::scheduleRead()
{
    if (m_readScheduled)
        return;
    m_readScheduled = true;
    QMetaObject::invokeMethod(this, [this]() {
        m_readScheduled = false;
        readNotice();
    }, Qt::QueuedConnection);
}

void TSock::setReadPaused(bool paused)
{
    if (m_readPaused == paused)
        return;
    m_readPaused = paused;
    if (paused || !m_socket)
        return;
    if (m_closePending) {
        m_closePending = false;
        QMetaObject::invokeMethod(this, &TSock::peerClosed, Qt::QueuedConnection);
    } else if (m_socket->bytesAvailable() > 0) {
        scheduleRead();
    }
}

void TSock::readNotice()
{
    if (!m_socket || !m_connected || m_readPaused)
        return;
    const QByteArray chunk = m_socket->read(kReadChunk);
    if (chunk.isEmpty())
        return;
    m_incoming.append(chunk);
    QPointer<TSock> self(this);
    report(InfoIncoming, QStringLiteral("Non-Blocking Incoming Data"));
    if (self && m_onRead)
        m_onRead(this, int(qMin<qsizetype>(m_incoming.size(), std::numeric_limits<int>::max())));
    // More than one chunk waiting: one more notice, after other events had their turn.
    if (self && m_socket && m_socket->bytesAvailable() > 0)
        scheduleRead();
}

void TSock::peerClosed()
{
    if (!m_connected || !m_socket)
        return;
    QPointer<TSock> self(this);
    // What the peer sent before it closed is still read and handed over first; while
    // reading is paused the close waits for it to resume.
    while (self && m_connected && m_socket && !m_readPaused && m_socket->bytesAvailable() > 0)
        readNotice();
    if (!self || !m_connected)
        return;
    if (m_readPaused && m_socket && m_socket->bytesAvailable() > 0) {
        m_closePending = true;
        return;
    }
    if (m_onDisconnect)
        m_onDisconnect(this);
    if (self)
        close();
}

void TSock::errorNotice(QAbstractSocket::SocketError error)
{
    // An orderly close by the peer is a close notice, not an error.
    if (error == QAbstractSocket::RemoteHostClosedError)
        return;
    QPointer<TSock> self(this);
    report(InfoError, socketErrorText(error));
    if (!self || !m_socket || m_socket->state() != QAbstractSocket::UnconnectedState)
        return;
    if (m_connected)
        QMetaObject::invokeMethod(this, &TSock::peerClosed, Qt::QueuedConnection);
    else
        dropSocket(false); // a failed connect leaves the socket unconnected
}

void TSock::sendText(const QByteArray &bytes)
{
    if (m_listening)
        throw SockError(QStringLiteral("Send - Cannot Send On A Listener Socket"));
    if (!m_connected || !m_socket)
        throw SockError(QStringLiteral("Send - Socket Not Connected"));
    m_socket->write(bytes);
    m_bytesSent += quint64(bytes.size());
    if (m_socket->bytesToWrite() > 0)
        m_writeHeld = true;
}

QByteArray TSock::receiveText()
{
    QByteArray all;
    all.swap(m_incoming);
    return all;
}

void TSock::dropSocket(bool linger)
{
    QTcpSocket *socket = m_socket;
    m_socket = nullptr;
    if (!socket)
        return;
    socket->disconnect(this);
    if (linger && socket->state() == QAbstractSocket::ConnectedState && socket->bytesToWrite() > 0) {
        // Let the last bytes (a "CMD_full+") reach the peer; the socket then goes itself.
        socket->setParent(nullptr);
        connect(socket, &QAbstractSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QAbstractSocket::errorOccurred, socket, &QObject::deleteLater);
        LingerSweep::instance().add(socket, kLingerMs);
        socket->disconnectFromHost();
        return;
    }
    socket->abort();
    socket->deleteLater();
}

void TSock::close()
{
    if (m_listening) {
        m_listening = false;
        m_server->close();
        m_server->deleteLater();
        m_server = nullptr;
        return;
    }
    if (m_lookupId >= 0) {
        QHostInfo::abortHostLookup(m_lookupId);
        m_lookupId = -1;
    }
    if (!m_socket)
        return;
    const bool wasConnected = m_connected;
    m_connected = false;
    dropSocket(wasConnected);
    if (wasConnected)
        report(InfoClosed, QStringLiteral("Socket Closed"));
}

} // namespace brelvox
