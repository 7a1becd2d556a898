// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "shell/livepreferences.h"

namespace brelvox {

LivePreferences::LivePreferences(QObject *parent)
    : QObject(parent)
{
}

void LivePreferences::set(const Preferences &prefs)
{
    if (prefs == m_value)
        return;
    m_value = prefs;
    Q_EMIT changed();
}

} // namespace brelvox
