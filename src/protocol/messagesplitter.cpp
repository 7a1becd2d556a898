// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "protocol/messagesplitter.h"

#include "protocol/wiretext.h"

namespace brelvox {

MessageSplitter::MessageSplitter(qsizetype maxPending)
    : m_maxPending(maxPending)
{
}

QStringList MessageSplitter::feed(const QByteArray &bytes)
{
    QStringList messages;
    if (m_overflowed)
        return messages;
    // Only the new bytes can hold a terminator: the kept tail has none.
    qsizetype start = 0;
    qsizetype from = m_buffer.size();
    m_buffer.append(bytes);
    for (;;) {
        const qsizetype end = m_buffer.indexOf(wire::kTerminator, from);
        if (end < 0)
            break;
        messages.append(wire::decode(QByteArray::fromRawData(m_buffer.constData() + start, end - start)));
        start = end + 1;
        from = start;
    }
    m_buffer.remove(0, start);
    if (m_buffer.size() > m_maxPending) {
        m_buffer.clear();
        m_buffer.squeeze();
        m_overflowed = true;
    }
    return messages;
}

void MessageSplitter::clear()
{
    m_buffer.clear();
    m_overflowed = false;
}

} // namespace brelvox
