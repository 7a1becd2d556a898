// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "protocol/catalogue.h"

namespace brelvox::cmd {

bool hasTrailingPlus(QLatin1StringView command)
{
    static const QList<QLatin1StringView> trailing = {
        full, wrongversion, gamestats, kickhim, playasound, startgame, loadball,
        nextplayer, timeup, nooneguessed, myword, submitted, notvalid, yourletters,
        heguessed, impossible, winner, tiegame,
    };
    return trailing.contains(command);
}

const QList<QLatin1StringView> &hostCommands()
{
    static const QList<QLatin1StringView> list = {
        logininfo, kickhim, chat, action, startgame, justwatch, myword, playasound,
    };
    return list;
}

const QList<QLatin1StringView> &clientCommands()
{
    static const QList<QLatin1StringView> list = {
        sendlogininfo, chat, action, newplayerinfo, havewrongversion, wrongversion,
        existingplayers, playerdisconnected, startgame, nextplayer, winner, full,
        justwatching, loadball, yourletters, heguessed, nooneguessed, timeup, notvalid,
        gamestats, ballowners, submitted, wordlist, playerscores, tiegame, impossible,
        theyown, playasound,
    };
    return list;
}

} // namespace brelvox::cmd
