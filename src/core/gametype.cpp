// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "core/gametype.h"

#include <array>

namespace brelvox {

namespace {

constexpr std::array<GameTypeInfo, 4> kTypes{{
    {GameType::High, "high", 1, "High Score Game", "HIGH SCORE GAME", "HIGH SCORE GAME", true, Scoring::Points},
    {GameType::Most, "most", 2, "Most Balls Pocketed", "MOST BALLS POCKETED", "MOST BALLS POCKETED", true,
     Scoring::Balls},
    {GameType::Nine, "nine", 3, "9 Ball", "NINE BALL", "NINE BALL", false, Scoring::LastBall},
    {GameType::Race, "race", 4, "Race to 9", "RACE TO 9", "RACE TO NINE", true, Scoring::Race},
}};

} // namespace

std::span<const GameTypeInfo> gameTypes()
{
    return kTypes;
}

const GameTypeInfo *gameTypeByKey(const QString &key)
{
    for (const GameTypeInfo &info : kTypes) {
        if (key == QLatin1String(info.key))
            return &info;
    }
    return nullptr;
}

const GameTypeInfo *gameTypeByOption(int option)
{
    for (const GameTypeInfo &info : kTypes) {
        if (info.option == option)
            return &info;
    }
    return nullptr;
}

const GameTypeInfo *gameTypeInfo(GameType type)
{
    for (const GameTypeInfo &info : kTypes) {
        if (info.type == type)
            return &info;
    }
    return nullptr;
}

GameType gameTypeFromKey(const QString &key)
{
    const GameTypeInfo *info = gameTypeByKey(key);
    return info ? info->type : GameType::None;
}

QString gameTypeKey(GameType type)
{
    const GameTypeInfo *info = gameTypeInfo(type);
    return info ? QString::fromLatin1(info->key) : QString();
}

bool isSharedRow(GameType type)
{
    const GameTypeInfo *info = gameTypeInfo(type);
    return info && info->sharedRow;
}

bool takesTurns(GameType type)
{
    const GameTypeInfo *info = gameTypeInfo(type);
    return info && !info->sharedRow;
}

Scoring scoringOf(GameType type)
{
    const GameTypeInfo *info = gameTypeInfo(type);
    return info ? info->scoring : Scoring::LastBall;
}

} // namespace brelvox
