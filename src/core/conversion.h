// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QString>
#include <stdexcept>

namespace brelvox {

// Raised when received or stored text is not a number; caught at the event boundary.
class ConversionError : public std::runtime_error
{
public:
    explicit ConversionError(const QString &text);
    QString message() const { return m_message; }

private:
    QString m_message;
};

// Whole number in decimal, or hexadecimal after "$" or "0x"; leading blanks are
// allowed, anything after the digits is not. Throws ConversionError.
int toInt(const QString &text);
// As toInt, but gives fallback instead of throwing.
int toIntDef(const QString &text, int fallback);
// As toInt, reporting failure through ok.
int toInt(const QString &text, bool *ok);

} // namespace brelvox
