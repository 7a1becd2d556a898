// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "server/serveroptions.h"

#include "core/conversion.h"

#include <optional>

namespace brelvox {

namespace {

// A whole decimal number from lowest to highest, or nothing.
std::optional<int> number(const QString &text, int lowest, int highest)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    if (!ok || value < lowest || value > highest || text.startsWith(QLatin1Char('+')))
        return std::nullopt;
    return value;
}

} // namespace

QString ServerOptions::usage()
{
    return QStringLiteral(
        "Usage: brelvox-server [--port N] [--bot-speed slow|normal|fast] [--between-rounds SECONDS]\n"
        "Hosts a Brelvox game with no display. The first connection holds seat 1.\n"
        "\n"
        "Players join with:  brelvox NAME HOST:PORT false\n"
        "(\":PORT\" may be left out for port %1; an IPv6 address goes in brackets, [::1]:PORT).\n"
        "The first player to join holds seat 1 and starts each game from the Start Game button;\n"
        "when that player leaves, the lowest seated player takes over.\n"
        "Players on other networks need TCP PORT open in this machine's firewall, or forwarded\n"
        "to it by the router.\n"
        "\n"
        "  --port N                  TCP port to listen on (default %1; 0 picks a free one)\n"
        "  --bot-speed SPEED         how long Dira thinks: slow 2 s, normal 1 s (default), fast 0.5 s\n"
        "  --between-rounds SECONDS  pause between words (default 5)\n"
        "  --grace-seconds N         how long a dropped player's seat, balls and score wait for\n"
        "                            them to log in again (default 60; 0 frees the seat at once)\n"
        "  --turn-tick-ms N          length of one second of turn time in milliseconds\n"
        "                            (default 1000; for tests that play whole games quickly)\n"
        "  -h, --help                show this text\n"
        "  -V, --version             show the version\n")
        .arg(kGamePort);
}

QString ServerOptions::versionText() const
{
    return QString::fromLatin1(kProtocolVersion);
}

bool ServerOptions::parse(const QStringList &arguments)
{
    ServerOptions parsed;
    auto fail = [this](const QString &text) {
        m_error = text;
        return false;
    };
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        QString name = arguments[i];
        std::optional<QString> value;
        if (name == QLatin1String("-h") || name == QLatin1String("--help")) {
            parsed.m_help = true;
            continue;
        }
        if (name == QLatin1String("-V") || name == QLatin1String("--version")) {
            parsed.m_version = true;
            continue;
        }
        if (!name.startsWith(QLatin1String("--")))
            return fail(QStringLiteral("unexpected argument '%1'").arg(name));
        if (const qsizetype eq = name.indexOf(QLatin1Char('=')); eq >= 0) {
            value = name.mid(eq + 1);
            name.truncate(eq);
        }
        const bool known = name == QLatin1String("--port") || name == QLatin1String("--bot-speed")
            || name == QLatin1String("--between-rounds") || name == QLatin1String("--turn-tick-ms")
            || name == QLatin1String("--grace-seconds");
        if (!known)
            return fail(QStringLiteral("unknown option '%1'").arg(name));
        if (!value) {
            if (i + 1 >= arguments.size())
                return fail(QStringLiteral("option '%1' needs a value").arg(name));
            value = arguments[++i];
        }
        if (name == QLatin1String("--port")) {
            const auto port = number(*value, 0, 65535);
            if (!port)
                return fail(QStringLiteral("'%1' is not a port number (0 to 65535)").arg(*value));
            parsed.m_port = quint16(*port);
        } else if (name == QLatin1String("--bot-speed")) {
            if (*value == QLatin1String("slow"))
                parsed.m_botDelay = 2000;
            else if (*value == QLatin1String("normal"))
                parsed.m_botDelay = 1000;
            else if (*value == QLatin1String("fast"))
                parsed.m_botDelay = 500;
            else
                return fail(QStringLiteral("'%1' is not a bot speed (slow, normal or fast)").arg(*value));
        } else if (name == QLatin1String("--between-rounds")) {
            const auto seconds = number(*value, 0, kMaxPause);
            if (!seconds)
                return fail(QStringLiteral("'%1' is not a number of seconds (0 to %2)").arg(*value).arg(kMaxPause));
            parsed.m_pause = *seconds;
        } else if (name == QLatin1String("--grace-seconds")) {
            const auto seconds = number(*value, 0, kMaxPause);
            if (!seconds)
                return fail(QStringLiteral("'%1' is not a number of seconds (0 to %2)").arg(*value).arg(kMaxPause));
            parsed.m_grace = *seconds;
        } else {
            const auto ms = number(*value, 1, kMaxTurnTick);
            if (!ms)
                return fail(QStringLiteral("'%1' is not a tick length (1 to %2 ms)").arg(*value).arg(kMaxTurnTick));
            parsed.m_turnTick = *ms;
        }
    }
    *this = parsed;
    return true;
}

} // namespace brelvox
