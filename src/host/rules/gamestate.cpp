// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "host/rules/gamestate.h"

namespace brelvox {

namespace {
const SeatState kNoSeat;
}

GameState::GameState()
{
    seats[kComputerSeat].alternateName = QStringLiteral("Dira");
}

const SeatState &GameState::seat(int seat) const
{
    return isSeat(seat) ? seats[seat] : kNoSeat;
}

SeatState *GameState::seatOrNull(int seat)
{
    return isSeat(seat) ? &seats[seat] : nullptr;
}

int GameState::ballFor(int seat) const
{
    if (scoringOf(type) != Scoring::Race)
        return round;
    return isPlayerSeat(seat) ? seats[seat].raceCount : 1;
}

int GameState::scoreFieldFor(int seat) const
{
    if (scoringOf(type) != Scoring::Points)
        return kNoScore;
    return isPlayerSeat(seat) ? seats[seat].score : 0;
}

} // namespace brelvox
