// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "shell/instanceguard.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>

namespace brelvox {

InstanceGuard::InstanceGuard(const QString &marker, QObject *parent)
    : QObject(parent)
    , m_marker(marker)
{
}

InstanceGuard::~InstanceGuard() = default;

QString InstanceGuard::runtimeFolder()
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    QDir().mkpath(dir);
    return dir;
}

bool InstanceGuard::anotherIsRunning(bool restore)
{
    const QDir dir(runtimeFolder());
    m_lock = std::make_unique<QLockFile>(dir.filePath(m_marker + QStringLiteral(".lock")));
    m_lock->setStaleLockTime(0); // only a dead owner makes the lock stale, never its age
    if (m_lock->tryLock(0)) {
        listen();
        return false;
    }
    if (m_lock->error() != QLockFile::LockFailedError) {
        // The folder cannot hold a lock at all: run rather than refuse to start.
        m_lock.reset();
        return false;
    }
    m_lock.reset();
    if (restore) {
        QLocalSocket socket;
        socket.connectToServer(dir.filePath(m_marker));
        if (socket.waitForConnected(500)) {
            socket.write("restore\n");
            socket.waitForBytesWritten(500);
            socket.disconnectFromServer();
        }
    }
    return true;
}

void InstanceGuard::listen()
{
    const QString name = QDir(runtimeFolder()).filePath(m_marker);
    QLocalServer::removeServer(name); // a crashed copy's socket file
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(name))
        return;
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *s = m_server->nextPendingConnection()) {
            connect(s, &QLocalSocket::readyRead, this, [this, s] {
                if (s->readAll().startsWith("restore"))
                    Q_EMIT restoreRequested();
                s->disconnectFromServer();
            });
            connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
        }
    });
}

} // namespace brelvox
