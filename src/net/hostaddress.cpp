// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "net/hostaddress.h"

#include "core/version.h"

namespace brelvox {

namespace {

std::optional<quint16> portNumber(const QString &text)
{
    if (text.isEmpty() || text.size() > 5)
        return std::nullopt;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    }
    const int value = text.toInt();
    if (value < 1 || value > 65535)
        return std::nullopt;
    return quint16(value);
}

} // namespace

std::optional<HostAddress> parseHostAddress(const QString &text)
{
    HostAddress out;
    out.port = quint16(kGamePort);
    QString portText;
    if (text.startsWith(QLatin1Char('['))) {
        const qsizetype close = text.indexOf(QLatin1Char(']'));
        if (close < 0)
            return std::nullopt;
        out.host = text.mid(1, close - 1);
        const QString tail = text.mid(close + 1);
        if (!tail.isEmpty()) {
            if (!tail.startsWith(QLatin1Char(':')))
                return std::nullopt;
            portText = tail.mid(1);
            out.portGiven = true;
        }
    } else if (text.count(QLatin1Char(':')) == 1) {
        const qsizetype colon = text.indexOf(QLatin1Char(':'));
        out.host = text.left(colon);
        portText = text.mid(colon + 1);
        out.portGiven = true;
    } else {
        out.host = text;
    }
    if (out.host.isEmpty())
        return std::nullopt;
    if (out.portGiven) {
        const auto port = portNumber(portText);
        if (!port)
            return std::nullopt;
        out.port = *port;
    }
    return out;
}

QString hostAddressText(const QString &host, quint16 port)
{
    const QString shown = host.contains(QLatin1Char(':')) ? QLatin1Char('[') + host + QLatin1Char(']') : host;
    return shown + QLatin1Char(':') + QString::number(port);
}

} // namespace brelvox
