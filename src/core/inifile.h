// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <utility>

namespace brelvox {

// The desktop's ini-file semantics, over a file shared with another program: sections and
// keys match without regard to case, values are trimmed, a value arrives through a
// 2048-byte buffer. A write rewrites the file atomically and leaves every line it does not
// own (other sections, comments, blank lines, their order and line ends) byte for byte.
class IniFile
{
public:
    explicit IniFile(QString path);

    QString path() const { return m_path; }

    // The first occurrence of the key in the first section of that name wins.
    QString readString(const QString &section, const QString &key, const QString &fallback) const;
    // Decimal, or hexadecimal after "$" or "0x"; anything else gives fallback.
    int readInteger(const QString &section, const QString &key, int fallback) const;

    // False when the file could not be written; the old file is then left as it was.
    bool writeString(const QString &section, const QString &key, const QString &value);
    // Several keys of one section in one rewrite of the file (each a sync to disk).
    bool writeStrings(const QString &section, const QList<std::pair<QString, QString>> &entries);

    // The most of a file this layer reads; a larger one is read up to here and not written.
    static constexpr qint64 kMaxFileSize = 16 * 1024 * 1024;
    static constexpr int kValueBuffer = 2048;

private:
    bool load(QByteArray *content) const;

    QString m_path;
};

} // namespace brelvox
