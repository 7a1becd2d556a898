// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include "sound/soundsink.h"

#include <QStringList>

namespace brelvox {

// Keeps the names it is asked to play, in order, so tests can hear without speakers.
class RecordingSoundSink : public SoundSink
{
public:
    void play(const QString &name) override { m_played.append(name); }

    const QStringList &played() const { return m_played; }
    void clear() { m_played.clear(); }

private:
    QStringList m_played;
};

} // namespace brelvox
