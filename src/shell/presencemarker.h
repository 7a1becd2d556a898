// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QString>

namespace brelvox {

// Tells the lobby a game is running: a shared lock on a file named after the marker in the
// runtime folder, held for the life of the process. Any number of copies may hold it; the
// lobby sees a game while an exclusive lock cannot be had.
class PresenceMarker
{
public:
    explicit PresenceMarker(const QString &folder, const QString &name);
    ~PresenceMarker();
    PresenceMarker(const PresenceMarker &) = delete;
    PresenceMarker &operator=(const PresenceMarker &) = delete;

    bool held() const { return m_fd >= 0; }
    QString path() const { return m_path; }

private:
    QString m_path;
    int m_fd = -1;
};

} // namespace brelvox
