// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "client/chatlink.h"

namespace brelvox {

namespace {
const char *const kPrefixes[] = {"http://", "ftp://", "file://", "gopher://", "telnet://", "news:", "mailto:", "www."};

bool breaksWord(QChar c)
{
    // The view's own text has a paragraph separator between lines; as plain text it is a LF.
    return c == QLatin1Char(' ') || c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QLatin1Char('\t')
        || c == QChar::ParagraphSeparator || c == QChar::LineSeparator;
}

bool endsLink(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'0' && u <= u'9') || u == u'/';
}
} // namespace

ChatLink findLink(const QString &text, qsizetype position)
{
    if (position < 0 || position >= text.size() || breaksWord(text.at(position)))
        return {};
    qsizetype left = position;
    while (left > 0 && !breaksWord(text.at(left - 1)))
        --left;
    qsizetype right = position + 1;
    while (right < text.size() && !breaksWord(text.at(right)))
        ++right;
    const QString word = text.mid(left, right - left);
    const QString lower = word.toLower();

    for (const char *prefix : kPrefixes) {
        const QLatin1StringView p(prefix);
        const qsizetype at = lower.indexOf(p);
        if (at < 0)
            continue;
        // The word holds no line feed (it breaks words), so the link runs to the word's end.
        qsizetype end = lower.size();
        while (end > at && !endsLink(lower.at(end - 1)))
            --end;
        if (end - at <= p.size())
            return {};
        return {left + at, word.mid(at, end - at)};
    }
    return {};
}

QList<ChatLink> findLinks(const QString &text)
{
    QList<ChatLink> links;
    qsizetype i = 0;
    while (i < text.size()) {
        if (breaksWord(text.at(i))) {
            ++i;
            continue;
        }
        if (const ChatLink link = findLink(text, i); link.isValid())
            links.append(link);
        while (i < text.size() && !breaksWord(text.at(i)))
            ++i;
    }
    return links;
}

} // namespace brelvox
