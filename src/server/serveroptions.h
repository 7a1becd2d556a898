// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include "core/version.h"
#include "host/hostoptions.h"

#include <QStringList>

namespace brelvox {

// brelvox-server's command line, and what the host reads of it:
//   brelvox-server [--port N] [--bot-speed slow|normal|fast] [--between-rounds SECONDS]
//                  [--grace-seconds N] [--turn-tick-ms N]
// Each option also takes the form --option=value; the last one given counts.
class ServerOptions : public HostOptions
{
public:
    static constexpr int kMaxPause = kMaxPauseBetweenWords;
    static constexpr int kMaxTurnTick = 60000;

    // Reads the arguments after the program name. False, with errorText() set, for
    // anything it does not know or a value out of range; nothing is changed then.
    bool parse(const QStringList &arguments);
    QString errorText() const { return m_error; }
    // --help (or -h) was given.
    bool helpRequested() const { return m_help; }
    // --version (or -V) was given.
    bool versionRequested() const { return m_version; }
    static QString usage();

    // 0: any free port, reported once listening.
    quint16 port() const { return m_port; }
    // Milliseconds of one turn-timer tick: 1000 unless a test makes the game run fast.
    int turnTick() const { return m_turnTick; }

    QString versionText() const override;
    int pauseBetweenWords() const override { return m_pause; }
    int botDelay() const override { return m_botDelay; }
    // Seat 1 is whoever joined first.
    bool seatOneHosts() const override { return false; }
    int graceSeconds() const override { return m_grace; }

private:
    quint16 m_port = quint16(kGamePort);
    int m_pause = 5;
    int m_botDelay = 1000;
    int m_turnTick = 1000;
    int m_grace = 60;
    bool m_help = false;
    bool m_version = false;
    QString m_error;
};

} // namespace brelvox
