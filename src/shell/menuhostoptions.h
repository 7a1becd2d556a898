// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include "host/hostoptions.h"

namespace brelvox {

class LivePreferences;

// The host of a playing copy reads its pause and bot delay from that copy's live
// preferences; its version is the protocol's.
class MenuHostOptions : public HostOptions
{
public:
    explicit MenuHostOptions(const LivePreferences &prefs);

    QString versionText() const override;
    int pauseBetweenWords() const override;
    int botDelay() const override;

private:
    const LivePreferences &m_prefs;
};

} // namespace brelvox
