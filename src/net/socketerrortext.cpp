// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "net/socketerrortext.h"

namespace brelvox {

SocketErrorName socketErrorName(QAbstractSocket::SocketError error)
{
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError: return {10061, "WSAECONNREFUSED"};
    case QAbstractSocket::RemoteHostClosedError: return {10054, "WSAECONNRESET"};
    case QAbstractSocket::HostNotFoundError: return {11001, "WSAHOST_NOT_FOUND"};
    case QAbstractSocket::SocketAccessError: return {10013, "WSAEACCES"};
    case QAbstractSocket::SocketResourceError: return {10055, "WSAENOBUFS"};
    case QAbstractSocket::SocketTimeoutError: return {10060, "WSAETIMEDOUT"};
    case QAbstractSocket::DatagramTooLargeError: return {10040, "WSAEMSGSIZE"};
    case QAbstractSocket::NetworkError: return {10050, "WSAENETDOWN"};
    case QAbstractSocket::AddressInUseError: return {10048, "WSAEADDRINUSE"};
    case QAbstractSocket::SocketAddressNotAvailableError: return {10049, "WSAEADDRNOTAVAIL"};
    case QAbstractSocket::UnsupportedSocketOperationError: return {10045, "WSAEOPNOTSUPP"};
    case QAbstractSocket::TemporaryError: return {10035, "WSAEWOULDBLOCK"};
    default: return {10022, "WSAEINVAL"};
    }
}

QString socketErrorText(QAbstractSocket::SocketError error)
{
    const SocketErrorName e = socketErrorName(error);
    return QStringLiteral("Error #%1 (%2)").arg(e.code).arg(QLatin1String(e.name));
}

} // namespace brelvox
