// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QAbstractSocket>
#include <QString>

namespace brelvox {

// The Winsock-style number and symbolic name that stand for a socket error.
struct SocketErrorName
{
    int code;
    const char *name;
};

SocketErrorName socketErrorName(QAbstractSocket::SocketError error);
// "Error #10061 (WSAECONNREFUSED)".
QString socketErrorText(QAbstractSocket::SocketError error);

} // namespace brelvox
