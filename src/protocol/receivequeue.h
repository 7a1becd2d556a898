// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QHash>
#include <QString>
#include <deque>

namespace brelvox {

// One received message and the connection it came by (0 where there is only one).
struct QueuedMessage
{
    QString text;
    quint64 source = 0;
};

// Complete messages waiting for the dispatch timer, oldest first, whichever connection
// they came by. A message is handled as at most its first 4096 characters.
class ReceiveQueue
{
public:
    static constexpr qsizetype kMaxMessageLength = 4096;

    void push(const QString &text, quint64 source = 0);
    // The oldest message, out of the queue; an empty text with source 0 when empty.
    QueuedMessage take();

    bool isEmpty() const { return m_items.empty(); }
    qsizetype size() const { return qsizetype(m_items.size()); }
    // How many waiting messages came by source.
    int countFrom(quint64 source) const { return m_counts.value(source); }
    // Forgets every waiting message of source (a connection that was closed).
    void removeFrom(quint64 source);

private:
    std::deque<QueuedMessage> m_items;
    QHash<quint64, int> m_counts;
};

} // namespace brelvox
