// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "protocol/message.h"

#include "protocol/catalogue.h"
#include "protocol/wiretext.h"

namespace brelvox {

Message::Message(QLatin1StringView command)
    : m_text(command)
    , m_trailing(cmd::hasTrailingPlus(command))
{
}

Message &Message::add(const QString &field)
{
    Q_ASSERT_X(!m_rest, "Message::add", "no field may follow a rest field");
    m_text += QLatin1Char('+') + field;
    return *this;
}

Message &Message::add(int number)
{
    return add(QString::number(number));
}

Message &Message::addRest(const QString &rest)
{
    add(rest);
    m_rest = true;
    return *this;
}

Message &Message::trailingPlus(bool on)
{
    m_trailing = on;
    return *this;
}

QString Message::text() const
{
    return m_trailing && !m_rest ? m_text + QLatin1Char('+') : m_text;
}

QByteArray Message::wire() const
{
    QByteArray bytes = wire::encode(text());
    bytes.append(wire::kTerminator);
    return bytes;
}

} // namespace brelvox
