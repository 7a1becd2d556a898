// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QByteArray>
#include <QLatin1StringView>
#include <QString>

namespace brelvox {

// Builds one message: Message(cmd::loadball).add(ball).add(letter).wire().
// The trailing "+" follows the command catalogue unless set with trailingPlus().
class Message
{
public:
    explicit Message(QLatin1StringView command);

    Message &add(const QString &field);
    Message &add(int number);
    // The last field, written as it is (it may hold "+" and ends the message as given):
    // no catalogue "+" follows it.
    Message &addRest(const QString &rest);
    Message &trailingPlus(bool on = true);

    // The message without its terminator, as a receiver's queue holds it.
    QString text() const;
    // Windows-1252 bytes closed by 0xFF, ready for one send.
    QByteArray wire() const;

private:
    QString m_text;
    bool m_trailing;
    bool m_rest = false;
};

} // namespace brelvox
