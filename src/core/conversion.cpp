// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "core/conversion.h"

#include <limits>

namespace brelvox {

ConversionError::ConversionError(const QString &text)
    : std::runtime_error(QStringLiteral("'%1' is not a valid integer value").arg(text).toStdString())
    , m_message(QStringLiteral("'%1' is not a valid integer value").arg(text))
{
}

int toInt(const QString &text, bool *ok)
{
    *ok = false;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text[i] == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    int base = 10;
    if (i < n && text[i] == QLatin1Char('$')) {
        base = 16;
        ++i;
    } else if (i + 1 < n && text[i] == QLatin1Char('0') && (text[i + 1] == QLatin1Char('x') || text[i + 1] == QLatin1Char('X'))) {
        base = 16;
        i += 2;
    }
    if (i >= n)
        return 0;
    quint64 value = 0;
    // Hexadecimal may fill all 32 bits (colours are written so); decimal stays in range.
    const quint64 limit = base == 16 ? 0xFFFFFFFFull
                                     : quint64(std::numeric_limits<int>::max()) + (negative ? 1 : 0);
    for (; i < n; ++i) {
        const int digit = QChar(text[i]).isDigit() && text[i].unicode() < 128 ? text[i].unicode() - '0'
                        : base == 16 && text[i] >= QLatin1Char('a') && text[i] <= QLatin1Char('f') ? text[i].unicode() - 'a' + 10
                        : base == 16 && text[i] >= QLatin1Char('A') && text[i] <= QLatin1Char('F') ? text[i].unicode() - 'A' + 10
                        : -1;
        if (digit < 0)
            return 0;
        value = value * base + digit;
        if (value > limit)
            return 0;
    }
    *ok = true;
    const qint64 signedValue = base == 16 ? qint64(qint32(quint32(value))) : qint64(value);
    return int(negative ? -signedValue : signedValue);
}

int toInt(const QString &text)
{
    bool ok = false;
    const int v = toInt(text, &ok);
    if (!ok)
        throw ConversionError(text);
    return v;
}

int toIntDef(const QString &text, int fallback)
{
    bool ok = false;
    const int v = toInt(text, &ok);
    return ok ? v : fallback;
}

} // namespace brelvox
