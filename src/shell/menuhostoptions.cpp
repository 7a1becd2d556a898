// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "shell/menuhostoptions.h"

#include "core/version.h"
#include "shell/livepreferences.h"

namespace brelvox {

MenuHostOptions::MenuHostOptions(const LivePreferences &prefs)
    : m_prefs(prefs)
{
}

QString MenuHostOptions::versionText() const
{
    return QString::fromLatin1(kProtocolVersion);
}

int MenuHostOptions::pauseBetweenWords() const
{
    return m_prefs.value().betweenRounds;
}

int MenuHostOptions::botDelay() const
{
    return m_prefs.value().botSpeed;
}

} // namespace brelvox
