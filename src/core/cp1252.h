// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QByteArray>
#include <QString>

namespace brelvox {

// Single-byte Windows-1252 text, the encoding of the wire and of the shared settings file.
// Characters it cannot hold become "?".
QString fromCp1252(const QByteArray &bytes);
QByteArray toCp1252(const QString &text);

} // namespace brelvox
