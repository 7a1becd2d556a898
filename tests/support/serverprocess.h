// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

// brelvox-server as a child process of a test, and a wait that sleeps in the event loop.
// The including test defines BRELVOX_SERVER_PATH.

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QTimer>

#include <csignal>
#include <functional>
#include <sys/types.h>

namespace brelvox::testsupport {

inline constexpr int kStartWait = 10000;

// Runs the event loop until done() or ms pass; sleeps between looks (a timer bounds
// each sleep), so a waiting test costs no CPU.
inline bool waitUntil(const std::function<bool()> &done, int ms)
{
    const QDeadlineTimer deadline(ms);
    QTimer wake;
    wake.start(20);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

class ServerProcess
{
public:
    explicit ServerProcess(const QStringList &arguments)
    {
        m_process.start(QStringLiteral(BRELVOX_SERVER_PATH), arguments);
    }
    ~ServerProcess()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished();
        }
    }
    // The port from the one line it prints once it listens; 0 if it never does.
    quint16 waitForPort()
    {
        const QByteArray prefix = "brelvox-server: listening on port ";
        waitUntil([&] {
            m_out += m_process.readAllStandardOutput();
            return m_out.contains('\n') || m_process.state() == QProcess::NotRunning;
        }, kStartWait);
        const QByteArray line = m_out.left(m_out.indexOf('\n'));
        return line.startsWith(prefix) ? quint16(line.mid(prefix.size()).toUInt()) : 0;
    }
    bool running() const { return m_process.state() == QProcess::Running; }
    // Resident memory in KiB, 0 when it cannot be read.
    qint64 rssKib() const
    {
        QFile status(QStringLiteral("/proc/%1/status").arg(m_process.processId()));
        if (!status.open(QIODevice::ReadOnly))
            return 0;
        for (const QByteArray &line : status.readAll().split('\n')) {
            if (line.startsWith("VmRSS:"))
                return line.mid(6).trimmed().split(' ').value(0).toLongLong();
        }
        return 0;
    }
    // Sends the signal and waits for the exit; the exit code, -1 for a crash or hang.
    int stopWith(int signalNumber = SIGTERM)
    {
        ::kill(pid_t(m_process.processId()), signalNumber);
        if (!m_process.waitForFinished(kStartWait) || m_process.exitStatus() != QProcess::NormalExit)
            return -1;
        return m_process.exitCode();
    }
    QProcess &process() { return m_process; }

private:
    QProcess m_process;
    QByteArray m_out;
};

} // namespace brelvox::testsupport
