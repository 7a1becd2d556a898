// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QString>

namespace brelvox {

// What this copy knows of itself as a client; the main window owns it, its parts share it.
struct ClientState {
    int ownSeat = 0;       // 0 until the host assigns one
    int turnSeat = 0;      // seat allowed to type on this board, 0 for nobody
    bool loggedIn = false; // set when a seat is assigned, never cleared
    bool host = false;     // this copy hosts the game, never cleared
    bool phraseReady = true;
    QString playerName;
    QString hostAddress;
    QString loginName;

    // Offered the start button: the hosting copy, or the copy a headless host seats first.
    bool startsGames() const { return host || ownSeat == 1; }
};

} // namespace brelvox
