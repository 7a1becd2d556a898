// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include "host/rules/gameevent.h"
#include "host/rules/gamestate.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace brelvox {

class WordLists;

// The host's game rules: rounds and turns, judging, balls, winners and the
// computer player's turns. It never sends or times anything itself: every entry
// point returns the events that follow from it, in order, and TServer turns them
// into messages (GameEvent::messageFor) and timer starts and stops.
// Seat numbers outside 1..9 (1..5 for guesses) are ignored everywhere.
class GameEngine
{
public:
    // `lists` outlives the engine; the answer list shrinks across games.
    // `pauseSeconds` gives the pause between words when one starts (default 5).
    explicit GameEngine(WordLists &lists, std::function<int()> pauseSeconds = {});

    const GameState &state() const { return m_state; }
    // False on a headless host: seat 1 then leaves like any other seat.
    void setSeatOneHosts(bool hosts) { m_seatOneHosts = hosts; }

    // Seats, mirrored from TServer's player table.
    void seatTaken(int seat);                            // accepted onto the seat
    void seatNamed(int seat, const QString &name);       // its login arrived
    GameEvents seatLeft(int seat);                       // its connection closed
    GameEvents justwatch(int seat, const QString &mode); // "1" watch, "2" play
    // What a newcomer logging in during a game is sent, in order; empty otherwise.
    QStringList catchUpMessages(int seat) const;

    // "CMD_startgame": a key the game-type table lacks starts nothing.
    GameEvents startgame(const QString &starter, const QString &typeKey);
    // "CMD_myword" (and the computer's guesses).
    GameEvents myword(int seat, const QString &guess);
    // One tick of the one-second turntimer; nothing while the timer is off.
    GameEvents turntimerTimer();
    // The computertimer fired: the computer guesses for its seat if it plays it.
    GameEvents computertimerTimer();

    // The seat the computer plays now: Nine Ball the turn holder (2 between words),
    // else seat 2.
    int computerSeat() const;
    bool checkforcantwin() const;

private:
    void startround();
    void newword();
    void findplayer();
    void processwords();
    void itsguessed(int seat);
    void findwinner(int seat);
    void setWatching(int seat, bool watching);
    void startTurnTimer(int mode, int countdown);
    void stopTurnTimer();
    void restartComputerTimer();
    bool computerPlays(int seat) const { return !m_state.seat(seat).playing(); }
    int pauseLength() const { return m_pauseSeconds ? m_pauseSeconds() : 5; }
    void emitEvent(GameEvent event) { m_events.append(std::move(event)); }
    GameEvents takeEvents();

    WordLists &m_lists;
    std::function<int()> m_pauseSeconds;
    GameState m_state;
    GameEvents m_events;
    bool m_seatOneHosts = true;
};

} // namespace brelvox
