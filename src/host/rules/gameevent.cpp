// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "host/rules/gameevent.h"

#include "protocol/catalogue.h"
#include "protocol/message.h"

namespace brelvox {

QString GameEvent::messageFor(int receiver) const
{
    switch (kind) {
    case GameStarted:
        return Message(cmd::startgame).add(text).add(text2).text();
    case BallLoaded: {
        const int ballNumber = receiver >= 0 && receiver < int(ballFor.size()) ? ballFor[receiver] : ball;
        return Message(cmd::loadball).add(ballNumber).add(text).text();
    }
    case NextPlayer:
        return Message(cmd::nextplayer).add(seat == 0 ? receiver : seat).add(row).text();
    case TimeUp:
        return seats.contains(receiver) ? Message(cmd::timeup).add(row).text() : QString();
    case Submitted:
        return Message(cmd::submitted).add(seat).text();
    case NotValid:
    case Letters: {
        if (receiver != seat && !onlookers)
            return QString();
        const QString flag = receiver == seat ? QStringLiteral("f") : QStringLiteral("t");
        if (kind == NotValid)
            return Message(cmd::notvalid).add(seat).add(flag).add(text).add(row).text();
        return Message(cmd::yourletters).add(seat).add(flag).add(row).add(text).add(text2).text();
    }
    case WordList: {
        Message message(cmd::wordlist);
        message.add(seat);
        for (int r = 1; r <= 5; ++r)
            message.add(r).add(guesses.value(r - 1));
        return message.text();
    }
    case Guessed:
        return Message(cmd::heguessed).add(seat).add(text).add(ball).add(score).text();
    case NoOneGuessed:
        return Message(cmd::nooneguessed).add(text).text();
    case Winner:
        return Message(cmd::winner).add(seat).text();
    case Tie:
        return Message(cmd::tiegame).add(text).text();
    case Impossible:
        return Message(cmd::impossible).text();
    case WatchSwitched:
        return Message(cmd::justwatching).add(seat).add(row).text();
    case TurnTimerStart:
    case TurnTimerStop:
    case ComputerTimerRestart:
        break;
    }
    return QString();
}

} // namespace brelvox
