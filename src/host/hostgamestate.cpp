// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "host/hostgamestate.h"

namespace brelvox {

QString HostGameState::typeKey(Type type)
{
    switch (type) {
    case Type::Nine: return QStringLiteral("nine");
    case Type::Most: return QStringLiteral("most");
    case Type::High: return QStringLiteral("high");
    case Type::Race: return QStringLiteral("race");
    case Type::None: break;
    }
    return QString();
}

HostGameState::Type HostGameState::typeFromKey(const QString &key)
{
    for (const Type t : {Type::Nine, Type::Most, Type::High, Type::Race}) {
        if (key == typeKey(t))
            return t;
    }
    return Type::None;
}

} // namespace brelvox
