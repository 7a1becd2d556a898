// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "net/lingersweep.h"

#include <QCoreApplication>
#include <QTcpSocket>

namespace brelvox {

namespace {
constexpr int kSweepMs = 500;
}

LingerSweep &LingerSweep::instance()
{
    static QPointer<LingerSweep> sweep;
    if (!sweep)
        sweep = new LingerSweep(QCoreApplication::instance());
    return *sweep;
}

LingerSweep::LingerSweep(QObject *parent) : QObject(parent)
{
    m_timer.setInterval(kSweepMs);
    connect(&m_timer, &QTimer::timeout, this, &LingerSweep::sweep);
}

void LingerSweep::add(QTcpSocket *socket, int lingerMs)
{
    m_entries.push_back(Entry{socket, QDeadlineTimer(lingerMs)});
    if (!m_timer.isActive())
        m_timer.start();
}

void LingerSweep::sweep()
{
    while (!m_entries.empty() && (!m_entries.front().socket || m_entries.front().deadline.hasExpired())) {
        if (QTcpSocket *socket = m_entries.front().socket) {
            socket->abort();
            socket->deleteLater();
        }
        m_entries.pop_front();
    }
    if (m_entries.empty())
        m_timer.stop();
}

} // namespace brelvox
