// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "protocol/receivequeue.h"

#include <algorithm>

namespace brelvox {

void ReceiveQueue::push(const QString &text, quint64 source)
{
    auto it = m_bySource.find(source);
    if (it == m_bySource.end()) {
        it = m_bySource.insert(source, {});
        m_turns.push_back(source);
    }
    // Cut here rather than when taken, so a waiting message never holds more.
    it->push_back(text.size() > kMaxMessageLength ? text.left(kMaxMessageLength) : text);
    ++m_size;
}

QueuedMessage ReceiveQueue::take()
{
    if (m_turns.empty())
        return {};
    const quint64 source = m_turns.front();
    m_turns.pop_front();
    const auto it = m_bySource.find(source);
    QueuedMessage first{std::move(it->front()), source};
    it->pop_front();
    --m_size;
    if (it->empty())
        m_bySource.erase(it);
    else
        m_turns.push_back(source);
    return first;
}

int ReceiveQueue::countFrom(quint64 source) const
{
    const auto it = m_bySource.constFind(source);
    return it == m_bySource.constEnd() ? 0 : int(it->size());
}

void ReceiveQueue::removeFrom(quint64 source)
{
    const auto it = m_bySource.find(source);
    if (it == m_bySource.end())
        return;
    m_size -= qsizetype(it->size());
    m_bySource.erase(it);
    m_turns.erase(std::find(m_turns.begin(), m_turns.end(), source));
}

} // namespace brelvox
