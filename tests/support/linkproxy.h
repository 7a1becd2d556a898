// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

// A link between a copy and its host that a test can cut: every connection made to the
// proxy is forwarded to the host; cut() drops them all, and until restore() new
// connections are taken but lead nowhere, as a dead network would.

#include <QObject>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

#include <memory>
#include <vector>

namespace brelvox::testsupport {

class LinkProxy : public QObject
{
public:
    explicit LinkProxy(quint16 hostPort)
        : m_hostPort(hostPort)
    {
        m_server.listen(QHostAddress::LocalHost);
        QObject::connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *near = m_server.nextPendingConnection())
                take(near);
        });
    }
    quint16 port() const { return m_server.serverPort(); }

    void cut()
    {
        m_cut = true;
        for (const auto &pair : m_pairs) {
            for (QTcpSocket *s : {pair->near.data(), pair->far.data()}) {
                if (s) {
                    s->disconnect(this);
                    s->abort();
                }
            }
        }
        m_pairs.clear();
    }
    void restore()
    {
        m_cut = false;
        for (QTcpSocket *s : m_stalled) {
            if (s)
                s->abort();
        }
        m_stalled.clear();
    }

private:
    struct Pair
    {
        QPointer<QTcpSocket> near;
        QPointer<QTcpSocket> far;
    };

    void take(QTcpSocket *near)
    {
        near->setParent(this);
        if (m_cut) {
            m_stalled.append(near);
            return;
        }
        auto pair = std::make_unique<Pair>();
        auto *far = new QTcpSocket(this);
        pair->near = near;
        pair->far = far;
        Pair *p = pair.get();
        m_pairs.push_back(std::move(pair));
        QObject::connect(near, &QTcpSocket::readyRead, this, [p] {
            if (p->far)
                p->far->write(p->near->readAll());
        });
        QObject::connect(far, &QTcpSocket::connected, this, [p] {
            if (p->near)
                p->far->write(p->near->readAll());
        });
        QObject::connect(far, &QTcpSocket::readyRead, this, [p] {
            if (p->near)
                p->near->write(p->far->readAll());
        });
        QObject::connect(near, &QTcpSocket::disconnected, this, [p] {
            if (p->far)
                p->far->disconnectFromHost();
        });
        QObject::connect(far, &QTcpSocket::disconnected, this, [p] {
            if (p->near)
                p->near->disconnectFromHost();
        });
        far->connectToHost(QHostAddress::LocalHost, m_hostPort);
    }

    QTcpServer m_server;
    quint16 m_hostPort;
    bool m_cut = false;
    std::vector<std::unique_ptr<Pair>> m_pairs;
    QList<QPointer<QTcpSocket>> m_stalled;
};

} // namespace brelvox::testsupport
