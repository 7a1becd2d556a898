// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QDeadlineTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <deque>

class QTcpSocket;

namespace brelvox {

// Closed sockets that still have bytes to send (a refused peer's "CMD_full+") get a
// while to send them before they are aborted. One periodic sweep serves all of them: a
// timer each would make a storm of refusals cost time in the square of its size, as
// every timer taken out of the event loop's list is looked for in it.
class LingerSweep : public QObject
{
    Q_OBJECT
public:
    static LingerSweep &instance();

    // The socket is aborted and deleted once lingerMs have passed, unless it went before.
    void add(QTcpSocket *socket, int lingerMs);
    int count() const { return int(m_entries.size()); }
    // One pass; the timer calls it.
    void sweep();

private:
    explicit LingerSweep(QObject *parent);

    struct Entry
    {
        QPointer<QTcpSocket> socket;
        QDeadlineTimer deadline;
    };
    std::deque<Entry> m_entries; // in deadline order: every socket lingers as long
    QTimer m_timer;
};

} // namespace brelvox
