// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include "sound/waveclip.h"

#include <QString>
#include <QStringList>
#include <map>
#include <optional>

namespace brelvox {

// The clips compiled into the program (resource folder ":/sounds"), found by name without
// regard to case and read on first use, never from disk.
class SoundLibrary
{
public:
    static inline const QString kDefaultName = QStringLiteral("default");

    SoundLibrary();

    // Lower-case names of every clip in the resources, "default" included.
    static QStringList names();
    // The resource path of name (any case), empty when there is no such clip.
    static QString resourcePath(const QString &name);

    // The clip called name, nullptr when there is none or it is not a WAVE file.
    const WaveClip *find(const QString &name);
    // The clip called name, else the default clip; nullptr only if that is broken too.
    const WaveClip *findOrDefault(const QString &name);

private:
    std::map<QString, std::optional<WaveClip>> m_clips; // by lower-case name
};

} // namespace brelvox
