// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace brelvox {

// Single-byte Windows-1252 text, the encoding of the wire and of the shared settings file.
// A character the code page lacks, one outside the BMP too, becomes one "?". The five
// codes the code page leaves unassigned map to the same code point both ways.
QString fromCp1252(QByteArrayView bytes);
QByteArray toCp1252(QStringView text);

} // namespace brelvox
