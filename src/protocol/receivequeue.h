// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include "protocol/wiretext.h"

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

// Complete messages waiting for the dispatch timer. The connections take turns, one
// message each, and each connection's messages come out in the order they arrived: a
// seat with one guess waiting never waits behind another seat's long run of chat. With
// a single source this is plain arrival order. A message is handled as at most its
// first 4096 characters.
class ReceiveQueue
{
public:
    static constexpr qsizetype kMaxMessageLength = wire::kMaxMessageLength;

    void push(const QString &text, quint64 source = 0);
    // The next message by turns, out of the queue; an empty text with source 0 when empty.
    QueuedMessage take();

    bool isEmpty() const { return m_size == 0; }
    qsizetype size() const { return m_size; }
    // How many sources have messages waiting: take() that often is one round.
    int sourceCount() const { return int(m_turns.size()); }
    // How many waiting messages came by source.
    int countFrom(quint64 source) const;
    // Forgets every waiting message of source (a connection that was closed).
    void removeFrom(quint64 source);

private:
    QHash<quint64, std::deque<QString>> m_bySource;
    std::deque<quint64> m_turns; // sources with messages waiting, the next one first
    qsizetype m_size = 0;
};

} // namespace brelvox
