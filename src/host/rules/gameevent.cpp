// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "host/rules/gameevent.h"

namespace brelvox {

namespace {

QString number(int n)
{
    return QString::number(n);
}

} // namespace

QString GameEvent::messageFor(int receiver) const
{
    const QString plus = QStringLiteral("+");
    switch (kind) {
    case GameStarted:
        return QLatin1String("CMD_startgame+") + text + plus + text2 + plus;
    case BallLoaded: {
        const int ballNumber = receiver >= 0 && receiver < int(ballFor.size()) ? ballFor[receiver] : ball;
        return QLatin1String("CMD_loadball+") + number(ballNumber) + plus + text + plus;
    }
    case NextPlayer:
        return QLatin1String("CMD_nextplayer+") + number(seat == 0 ? receiver : seat) + plus + number(row) + plus;
    case TimeUp:
        return seats.contains(receiver) ? QLatin1String("CMD_timeup+") + number(row) + plus : QString();
    case Submitted:
        return QLatin1String("CMD_submitted+") + number(seat) + plus;
    case NotValid:
    case Letters: {
        if (receiver != seat && !onlookers)
            return QString();
        const QString flag = receiver == seat ? QStringLiteral("f") : QStringLiteral("t");
        if (kind == NotValid)
            return QLatin1String("CMD_notvalid+") + number(seat) + plus + flag + plus + text + plus + number(row) + plus;
        return QLatin1String("CMD_yourletters+") + number(seat) + plus + flag + plus + number(row) + plus + text
            + plus + text2 + plus;
    }
    case WordList: {
        QString message = QLatin1String("CMD_wordlist+") + number(seat);
        for (int r = 1; r <= 5; ++r)
            message += plus + number(r) + plus + guesses.value(r - 1);
        return message;
    }
    case Guessed:
        return QLatin1String("CMD_heguessed+") + number(seat) + plus + text + plus + number(ball) + plus + number(score)
            + plus;
    case NoOneGuessed:
        return QLatin1String("CMD_nooneguessed+") + text + plus;
    case Winner:
        return QLatin1String("CMD_winner+") + number(seat) + plus;
    case Tie:
        return QLatin1String("CMD_tiegame+") + text + plus;
    case Impossible:
        return QStringLiteral("CMD_impossible+");
    case WatchSwitched:
        return QLatin1String("CMD_justwatching+") + number(seat) + plus + number(row);
    case TurnTimerStart:
    case TurnTimerStop:
    case ComputerTimerRestart:
        break;
    }
    return QString();
}

} // namespace brelvox
