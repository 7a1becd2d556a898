// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include "protocol/wiretext.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>

namespace brelvox {

// Cuts one connection's byte stream at each 0xFF. Bytes after the last 0xFF are kept
// and joined to the next feed, so a message cut across reads arrives whole. A message
// is handled as at most its first maxLength bytes: the rest, up to its 0xFF, is dropped
// as it comes, so a pasted long text costs no memory and closes nobody's connection.
class MessageSplitter
{
public:
    explicit MessageSplitter(qsizetype maxLength = wire::kMaxMessageLength);

    // The complete messages in the buffer after appending bytes, decoded, without
    // their 0xFF (an empty message stays an empty string), each cut to maxLength.
    QStringList feed(QByteArrayView bytes);

    // Bytes kept of the message not yet closed; never more than maxLength.
    qsizetype pending() const { return m_buffer.size(); }
    void clear() { m_buffer.clear(); }

private:
    QByteArray m_buffer;
    qsizetype m_maxLength;
};

} // namespace brelvox
