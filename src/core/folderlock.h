// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QString>

namespace brelvox {

// An advisory lock on a folder, held while the object lives, so that two copies of the
// program read, merge and replace a file in it one after the other. Locking the folder
// rather than the file: a replaced file is a new file, and no lock file is left behind.
// A copy that cannot get the lock within the wait goes on without it rather than hang.
class FolderLock
{
public:
    explicit FolderLock(const QString &folder, int waitMs = 5000);
    ~FolderLock();
    FolderLock(const FolderLock &) = delete;
    FolderLock &operator=(const FolderLock &) = delete;

    bool isLocked() const { return m_locked; }

private:
    int m_fd = -1;
    bool m_locked = false;
};

} // namespace brelvox
