// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QObject>
#include <QString>
#include <memory>

class QLocalServer;
class QLockFile;

namespace brelvox {

// Keeps a second copy from running. The marker is a lock file in the user's runtime
// folder (a crashed copy's stale lock is taken over); beside it a local socket lets a
// second copy ask the first to bring its window forward.
class InstanceGuard : public QObject
{
    Q_OBJECT
public:
    explicit InstanceGuard(const QString &marker, QObject *parent = nullptr);
    ~InstanceGuard() override;

    // True when another copy holds the marker; it has then been asked to come forward
    // (when restore is set). False when this copy now holds the marker.
    bool anotherIsRunning(bool restore);

    static QString runtimeFolder();

Q_SIGNALS:
    // Another copy asked this one to bring its window forward.
    void restoreRequested();

private:
    void listen();

    QString m_marker;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer *m_server = nullptr;
};

} // namespace brelvox
