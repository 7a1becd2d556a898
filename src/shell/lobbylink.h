// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QObject>

class QTcpSocket;

namespace brelvox {

// The connection the lobby program watches while a game runs. Nothing travels on it; a
// lobby that is not running simply leaves it unconnected.
class LobbyLink : public QObject
{
    Q_OBJECT
public:
    explicit LobbyLink(QObject *parent = nullptr);

    void open(quint16 port = 9001);
    bool isOpened() const { return m_socket != nullptr; }
    QTcpSocket *socket() const { return m_socket; }

private:
    QTcpSocket *m_socket = nullptr;
};

} // namespace brelvox
