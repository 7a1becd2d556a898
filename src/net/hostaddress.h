// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QString>
#include <optional>

namespace brelvox {

// Where a joining copy connects: a host name or address, and a port.
struct HostAddress
{
    QString host;
    quint16 port = 0;
    bool portGiven = false; // false: port is the game's own
};

// "HOST", "HOST:PORT", "[IPv6]" or "[IPv6]:PORT"; a bare IPv6 address (two colons or
// more, no brackets) has no port. Nothing for an empty host or a port that is not
// 1..65535 in decimal.
std::optional<HostAddress> parseHostAddress(const QString &text);

// The way a player would write it back: "[::1]:7772", "example.org:7772".
QString hostAddressText(const QString &host, quint16 port);

} // namespace brelvox
