// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "shell/lobbylink.h"

#include <QHostAddress>
#include <QTcpSocket>

namespace brelvox {

LobbyLink::LobbyLink(QObject *parent)
    : QObject(parent)
{
}

void LobbyLink::open(quint16 port)
{
    if (m_socket)
        return; // opened once
    m_socket = new QTcpSocket(this);
    m_socket->setObjectName(QStringLiteral("Sock11"));
    m_socket->connectToHost(QHostAddress(QHostAddress::LocalHost), port);
}

} // namespace brelvox
