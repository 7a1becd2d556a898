// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "protocol/wiretext.h"

#include "core/cp1252.h"

namespace brelvox::wire {

QByteArray encode(const QString &text)
{
    QByteArray out = toCp1252(text);
    // U+00FF's code is the terminator; typed text must never end a message early.
    out.replace(kTerminator, 'y');
    return out;
}

QString decode(QByteArrayView bytes)
{
    return fromCp1252(bytes);
}

QString sanitized(const QString &text)
{
    return decode(encode(text));
}

} // namespace brelvox::wire
