// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTcpSocket>
#include <QTimer>

#include <functional>

namespace brelvox::testing {

inline constexpr int kWait = 5000;

// Runs the event loop until done() holds or kWait passes; wakes on every socket event.
inline bool waitUntil(const std::function<bool()> &done, int ms = kWait)
{
    QTimer wake;
    wake.start(5);
    const QDeadlineTimer deadline(ms);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

// The message with its 0xFF.
inline QByteArray msg(const QByteArray &text)
{
    QByteArray framed = text;
    framed.append(char(0xFF));
    return framed;
}

// A bare client as a remote copy would be: raw bytes in, raw bytes out.
class RawClient
{
public:
    explicit RawClient(quint16 port, const QString &host = QStringLiteral("127.0.0.1"))
    {
        QObject::connect(&m_sock, &QTcpSocket::readyRead, [this]() { got += m_sock.readAll(); });
        m_sock.connectToHost(host, port);
    }
    void send(const QByteArray &bytes)
    {
        m_sock.write(bytes);
        m_sock.flush();
    }
    // One message, 0xFF added.
    void sendMessage(const QByteArray &text) { send(msg(text)); }
    bool closed() const { return m_sock.state() == QAbstractSocket::UnconnectedState; }
    void close() { m_sock.close(); }

    // The complete messages received so far, without their 0xFF.
    QByteArrayList messages() const
    {
        QByteArrayList list = got.split(char(0xFF));
        list.removeLast(); // the text after the last 0xFF
        return list;
    }

    QByteArray got;

private:
    QTcpSocket m_sock;
};

} // namespace brelvox::testing
