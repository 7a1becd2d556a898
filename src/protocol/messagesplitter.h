// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QByteArray>
#include <QStringList>

namespace brelvox {

// Cuts one connection's byte stream at each 0xFF. Bytes after the last 0xFF are kept
// and joined to the next feed, so a message cut across reads arrives whole. The kept
// tail is bounded: a peer that never sends 0xFF cannot grow it without end.
class MessageSplitter
{
public:
    static constexpr qsizetype kDefaultMaxPending = 16 * 1024;

    explicit MessageSplitter(qsizetype maxPending = kDefaultMaxPending);

    // The complete messages in the buffer after appending bytes, decoded, without
    // their 0xFF (an empty message stays an empty string). Once the tail passes the
    // bound it is dropped, overflowed() turns true and nothing more is taken.
    QStringList feed(const QByteArray &bytes);

    bool overflowed() const { return m_overflowed; }
    qsizetype pending() const { return m_buffer.size(); }
    void clear();

private:
    QByteArray m_buffer;
    qsizetype m_maxPending;
    bool m_overflowed = false;
};

} // namespace brelvox
