// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "protocol/fieldreader.h"

#include "core/conversion.h"

namespace brelvox {

FieldReader::FieldReader(const QString &arguments)
    : m_text(arguments)
{
}

QString FieldReader::next()
{
    const qsizetype plus = m_text.indexOf(QLatin1Char('+'), m_pos);
    if (plus < 0) {
        QString field = m_text.mid(m_pos);
        m_pos = m_text.size();
        return field;
    }
    QString field = m_text.mid(m_pos, plus - m_pos);
    m_pos = plus + 1;
    return field;
}

int FieldReader::nextInt()
{
    return toInt(next());
}

QString FieldReader::rest() const
{
    return m_text.mid(m_pos);
}

QList<std::pair<QString, QString>> FieldReader::pairs()
{
    const QString text = rest() + QStringLiteral("+@");
    m_pos = m_text.size();
    QStringView left(text);
    // A field with no "+" after it reads as empty and leaves the text as it is; a text
    // that stops shrinking ends the list instead of looping.
    auto take = [&left]() {
        const qsizetype plus = left.indexOf(QLatin1Char('+'));
        if (plus < 0)
            return QString();
        QString field = left.left(plus).toString();
        left = left.mid(plus + 1);
        return field;
    };
    QList<std::pair<QString, QString>> result;
    while (left != QLatin1String("@")) {
        const qsizetype before = left.size();
        QString key = take();
        QString value = take();
        if (left.size() == before)
            break;
        result.append({std::move(key), std::move(value)});
    }
    return result;
}

} // namespace brelvox
