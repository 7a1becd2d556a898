// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include "shell/preferences.h"

#include <QObject>

namespace brelvox {

// The player's preferences while the program runs: the one place the menus, the sounds,
// the board and the host read them from. The menus only show what is here.
class LivePreferences : public QObject
{
    Q_OBJECT
public:
    explicit LivePreferences(QObject *parent = nullptr);

    const Preferences &value() const { return m_value; }
    // Emits changed when prefs differ from what is held.
    void set(const Preferences &prefs);

Q_SIGNALS:
    void changed();

private:
    Preferences m_value;
};

} // namespace brelvox
