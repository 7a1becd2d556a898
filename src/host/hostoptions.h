// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QString>

namespace brelvox {

// What the host reads from the copy that runs it: the main window's menus and the
// about window, or brelvox-server's command line.
class HostOptions
{
public:
    // The longest pause between words any copy takes, whatever its settings say.
    static constexpr int kMaxPauseBetweenWords = 3600;

    virtual ~HostOptions() = default;
    // Compared with each login's version field, exactly.
    virtual QString versionText() const = 0;
    // Seconds between a found or given-up word and the next one.
    virtual int pauseBetweenWords() const = 0;
    // Milliseconds the computer player waits before it guesses.
    virtual int botDelay() const = 0;
    // Whether seat 1 is the hosting copy's own client. When it is not (a headless host),
    // seat 1 is a player like any other and the lowest seated person leads the table.
    virtual bool seatOneHosts() const { return true; }
    // Seconds a dropped player's seat, balls and score wait for them to log in again.
    virtual int graceSeconds() const { return 60; }
};

} // namespace brelvox
