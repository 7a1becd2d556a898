// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QLatin1StringView>
#include <QList>

// The command names of the game protocol and their framing rules.
//
// Wire format: CMD_<name>, then "+" and the text of each field in order, then for the
// commands marked trailing one more "+", then the byte 0xFF. Numbers are plain decimal.
// A rest field is the last one and may hold "+" itself.
//
// WIRE.md beside this file lists every command: direction, fields in order, trailing
// "+", who sends it and what the host checks. Change it with the code.
namespace brelvox::cmd {

inline constexpr QLatin1StringView sendlogininfo{"CMD_sendlogininfo"};
inline constexpr QLatin1StringView full{"CMD_full"};
inline constexpr QLatin1StringView logininfo{"CMD_logininfo"};
inline constexpr QLatin1StringView newplayerinfo{"CMD_newplayerinfo"};
inline constexpr QLatin1StringView existingplayers{"CMD_existingplayers"};
inline constexpr QLatin1StringView havewrongversion{"CMD_havewrongversion"};
inline constexpr QLatin1StringView wrongversion{"CMD_wrongversion"};
inline constexpr QLatin1StringView gamestats{"CMD_gamestats"};
inline constexpr QLatin1StringView playerscores{"CMD_playerscores"};
inline constexpr QLatin1StringView theyown{"CMD_theyown"};
inline constexpr QLatin1StringView ballowners{"CMD_ballowners"};
inline constexpr QLatin1StringView playerdisconnected{"CMD_playerdisconnected"};
inline constexpr QLatin1StringView kickhim{"CMD_kickhim"};
inline constexpr QLatin1StringView chat{"CMD_chat"};
inline constexpr QLatin1StringView action{"CMD_action"};
inline constexpr QLatin1StringView playasound{"CMD_playasound"};
inline constexpr QLatin1StringView justwatch{"CMD_justwatch"};
inline constexpr QLatin1StringView justwatching{"CMD_justwatching"};
inline constexpr QLatin1StringView startgame{"CMD_startgame"};
inline constexpr QLatin1StringView loadball{"CMD_loadball"};
inline constexpr QLatin1StringView nextplayer{"CMD_nextplayer"};
inline constexpr QLatin1StringView timeup{"CMD_timeup"};
inline constexpr QLatin1StringView nooneguessed{"CMD_nooneguessed"};
inline constexpr QLatin1StringView myword{"CMD_myword"};
inline constexpr QLatin1StringView submitted{"CMD_submitted"};
inline constexpr QLatin1StringView notvalid{"CMD_notvalid"};
inline constexpr QLatin1StringView yourletters{"CMD_yourletters"};
inline constexpr QLatin1StringView wordlist{"CMD_wordlist"};
inline constexpr QLatin1StringView heguessed{"CMD_heguessed"};
inline constexpr QLatin1StringView impossible{"CMD_impossible"};
inline constexpr QLatin1StringView winner{"CMD_winner"};
inline constexpr QLatin1StringView tiegame{"CMD_tiegame"};

// True for the commands whose message carries one more "+" after the last field.
bool hasTrailingPlus(QLatin1StringView command);

// The host's dispatch list, in its order of tests.
const QList<QLatin1StringView> &hostCommands();
// The client's dispatch list, in its order of tests.
const QList<QLatin1StringView> &clientCommands();

} // namespace brelvox::cmd
