// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QString>

namespace brelvox {

// None until a game start names one of the four keys.
enum class GameType { None, Nine, Race, Most, High };

// "nine", "race", "most", "high"; anything else (case matters) is None.
GameType gameTypeFromKey(const QString &key);
// The wire key; empty for None.
QString gameTypeKey(GameType type);
// Everybody guesses each row at once: every type but Nine Ball.
inline bool isSharedRow(GameType type) { return type == GameType::Race || type == GameType::Most || type == GameType::High; }

} // namespace brelvox
