// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "core/atomicfile.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace brelvox {

namespace {
QString reason(int err)
{
    return QString::fromLocal8Bit(std::strerror(err));
}

bool fail(QString *error, const QString &path, int err)
{
    if (error)
        *error = QStringLiteral("Cannot write %1: %2").arg(path, reason(err));
    return false;
}

bool writeAllBytes(int fd, const QByteArray &data)
{
    const char *p = data.constData();
    qsizetype left = data.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = ENOSPC;
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}
} // namespace

bool replaceFile(const QString &path, const QByteArray &data, QString *error)
{
    QString target = path;
    const QFileInfo info(path);
    if (info.isSymLink())
        target = info.symLinkTarget();
    const QByteArray finalName = QFile::encodeName(target);

    struct stat old {};
    const bool existed = ::stat(finalName.constData(), &old) == 0;

    QByteArray tempName;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        tempName = finalName + '.' + QByteArray::number(QRandomGenerator::global()->generate(), 36) + ".new";
        fd = ::open(tempName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return fail(error, path, errno);
    }
    if (fd < 0)
        return fail(error, path, EEXIST);

    int err = 0;
    if (existed && ::fchmod(fd, old.st_mode & 07777) != 0)
        err = errno;
    if (!err && !writeAllBytes(fd, data))
        err = errno;
    // A full disk may only show at the sync, or even the close (network file systems).
    if (!err && ::fsync(fd) != 0)
        err = errno;
    if (::close(fd) != 0 && !err)
        err = errno;
    if (!err && ::rename(tempName.constData(), finalName.constData()) != 0)
        err = errno;
    if (err) {
        ::unlink(tempName.constData());
        return fail(error, path, err);
    }
    // The rename itself reaches the disk with the folder.
    const QByteArray folder = QFile::encodeName(QFileInfo(target).absolutePath());
    const int dir = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

} // namespace brelvox
