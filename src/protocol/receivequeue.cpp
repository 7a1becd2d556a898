// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "protocol/receivequeue.h"

#include <algorithm>

namespace brelvox {

void ReceiveQueue::push(const QString &text, quint64 source)
{
    // Cut here rather than when taken, so a waiting message never holds more.
    m_items.push_back({text.left(kMaxMessageLength), source});
    ++m_counts[source];
}

QueuedMessage ReceiveQueue::take()
{
    if (m_items.empty())
        return {};
    QueuedMessage first = std::move(m_items.front());
    m_items.pop_front();
    auto it = m_counts.find(first.source);
    if (it != m_counts.end() && --it.value() <= 0)
        m_counts.erase(it);
    return first;
}

void ReceiveQueue::removeFrom(quint64 source)
{
    if (!m_counts.contains(source))
        return;
    m_items.erase(std::remove_if(m_items.begin(), m_items.end(),
                                 [source](const QueuedMessage &m) { return m.source == source; }),
                  m_items.end());
    m_counts.remove(source);
}

} // namespace brelvox
