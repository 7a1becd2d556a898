// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "shell/presencemarker.h"

#include <QDir>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace brelvox {

PresenceMarker::PresenceMarker(const QString &folder, const QString &name)
    : m_path(QDir(folder).filePath(name))
{
    m_fd = ::open(QFile::encodeName(m_path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (m_fd >= 0 && ::flock(m_fd, LOCK_SH | LOCK_NB) != 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}

PresenceMarker::~PresenceMarker()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

} // namespace brelvox
