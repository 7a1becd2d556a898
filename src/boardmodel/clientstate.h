// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QString>
#include <array>

namespace brelvox {

// What this copy knows of itself as a client; the main window owns it, its parts share it.
struct ClientState {
    static inline const QString kWaiting = QStringLiteral("<Waiting>"); // an empty seat's name

    int ownSeat = 0;       // 0 until the host assigns one
    int turnSeat = 0;      // seat allowed to type on this board, 0 for nobody
    bool loggedIn = false; // set when a seat is assigned, never cleared
    bool host = false;     // this copy hosts the game, never cleared
    bool phraseReady = true;
    QString playerName;
    QString hostAddress;
    QString loginName;

    // What the board shows; the widgets display these and are never read back.
    std::array<QString, 5> seatNames{kWaiting, kWaiting, kWaiting, kWaiting, kWaiting}; // label_playername1..5
    QString gameType;    // the host's key: most, high, nine, race
    QString firstLetter; // of this round's word
    // Seats 1..9 the host has announced a player on and not seen leave; [0] unused.
    std::array<bool, 10> present{};

    // Offered the start button: the hosting copy, or on a headless host the lowest seated
    // player, who also removes players (the host reckons it the same way).
    bool startsGames() const
    {
        if (host || ownSeat == 1)
            return true;
        if (ownSeat < 1 || ownSeat > 9 || !present[ownSeat])
            return false;
        for (int s = 1; s < ownSeat; ++s) {
            if (present[s])
                return false;
        }
        return true;
    }
    // Seats 1..5; empty for any other.
    QString seatName(int seat) const { return seat >= 1 && seat <= 5 ? seatNames[seat - 1] : QString(); }
};

} // namespace brelvox
