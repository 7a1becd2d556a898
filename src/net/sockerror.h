// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QString>
#include <stdexcept>

namespace brelvox {

// Raised by TSock for a listen that fails and a send it cannot take.
class SockError : public std::runtime_error
{
public:
    explicit SockError(const QString &text)
        : std::runtime_error(text.toStdString())
        , m_message(text)
    {
    }
    QString message() const { return m_message; }

private:
    QString m_message;
};

} // namespace brelvox
