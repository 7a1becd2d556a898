// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "host/rules/gametype.h"

namespace brelvox {

GameType gameTypeFromKey(const QString &key)
{
    if (key == QLatin1String("nine"))
        return GameType::Nine;
    if (key == QLatin1String("race"))
        return GameType::Race;
    if (key == QLatin1String("most"))
        return GameType::Most;
    if (key == QLatin1String("high"))
        return GameType::High;
    return GameType::None;
}

QString gameTypeKey(GameType type)
{
    switch (type) {
    case GameType::Nine: return QStringLiteral("nine");
    case GameType::Race: return QStringLiteral("race");
    case GameType::Most: return QStringLiteral("most");
    case GameType::High: return QStringLiteral("high");
    case GameType::None: break;
    }
    return QString();
}

} // namespace brelvox
