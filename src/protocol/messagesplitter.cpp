// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "protocol/messagesplitter.h"

#include <algorithm>
#include <cstring>

namespace brelvox {

MessageSplitter::MessageSplitter(qsizetype maxLength)
    : m_maxLength(maxLength)
{
}

QStringList MessageSplitter::feed(QByteArrayView bytes)
{
    QStringList messages;
    const char *at = bytes.data();
    const char *const end = at + bytes.size();
    while (at < end) {
        const auto *ff = static_cast<const char *>(std::memchr(at, uchar(wire::kTerminator), size_t(end - at)));
        const qsizetype length = (ff ? ff : end) - at;
        // The buffer stops growing at the bound: what comes after it is dropped.
        const qsizetype kept = std::min(length, m_maxLength - m_buffer.size());
        if (!ff) {
            m_buffer.append(at, kept);
            break;
        }
        if (m_buffer.isEmpty()) {
            // A message whole within this read: decoded straight from it, no copy.
            messages.append(wire::decode(QByteArrayView(at, kept)));
        } else {
            m_buffer.append(at, kept);
            messages.append(wire::decode(m_buffer));
            m_buffer.resize(0);
        }
        at = ff + 1;
    }
    return messages;
}

} // namespace brelvox
