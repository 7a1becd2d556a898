// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QString>

namespace brelvox {

// Where a sound that passed the preferences goes: the speakers, or a test's record.
class SoundSink
{
public:
    virtual ~SoundSink() = default;
    // Starts the clip called name and returns at once; never reports a failure.
    virtual void play(const QString &name) = 0;
};

} // namespace brelvox
