// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QList>
#include <QString>

namespace brelvox {

// A link found in the chat text: where it starts and what it says.
struct ChatLink {
    qsizetype start = -1;
    QString text;

    bool isValid() const { return start >= 0; }
};

// The link under the character at position of text (0-based; the chat view's plain
// text). The word around that character runs to the nearest blank, CR or LF; the first
// prefix of "http://", "ftp://", "file://", "gopher://", "telnet://", "news:", "mailto:",
// "www." (in that order, any case) found in it starts the link, which is cut back to
// its last lower-case letter, digit or "/" and must say more than the prefix alone.
ChatLink findLink(const QString &text, qsizetype position);

// Every link in text, in order.
QList<ChatLink> findLinks(const QString &text);

} // namespace brelvox
