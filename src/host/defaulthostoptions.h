// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include "host/hostoptions.h"

namespace brelvox {

// The values a fresh settings file gives: version 1.0.5, "Short" pause, "Normal" bot.
class DefaultHostOptions : public HostOptions
{
public:
    QString versionText() const override;
    int pauseBetweenWords() const override { return 5; }
    int botDelay() const override { return 1000; }
};

} // namespace brelvox
