// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QList>
#include <QString>
#include <utility>

namespace brelvox {

// Reads the fields of one message's argument text (what follows "CMD_name+") in order.
class FieldReader
{
public:
    explicit FieldReader(const QString &arguments);

    // The text up to the next "+", which is passed over. With no "+" left: all that
    // remains (so the last field of a message without trailing "+" reads as well).
    QString next();
    // next() as a number; throws ConversionError ("'x' is not a valid integer value").
    int nextInt();
    // Everything not read yet, "+" included; reading does not move.
    QString rest() const;
    bool atEnd() const { return m_pos >= m_text.size(); }

    // The rest as key/value pairs: "+@" is appended and pairs are taken until exactly
    // "@" remains. Reads to the end.
    QList<std::pair<QString, QString>> pairs();

private:
    QString m_text;
    qsizetype m_pos = 0;
};

} // namespace brelvox
