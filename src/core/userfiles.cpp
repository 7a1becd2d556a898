// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "core/userfiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace brelvox {

namespace {
QString &overrideDir()
{
    static QString dir;
    return dir;
}

QString &pendingNotice()
{
    static QString notice;
    return notice;
}

// The files a player would miss: the settings (shared with the lobby) and the tally.
const char *const kCarried[] = {"ostrellobby.ini", "Brelvoxtally.tld"};
} // namespace

QString chooseUserFileDir(const QString &own, const QString &config, QString *notice)
{
    if (!own.isEmpty() && QFileInfo(own).isWritable() && !isInstalledFolder(own))
        return own;
    QDir().mkpath(config);
    QStringList carried;
    for (const char *name : kCarried) {
        const QString from = QDir(own).filePath(QString::fromLatin1(name));
        const QString to = QDir(config).filePath(QString::fromLatin1(name));
        if (own.isEmpty() || !QFileInfo(from).isFile() || QFileInfo::exists(to))
            continue;
        if (QFile::copy(from, to)) {
            // A copy of a read-only file is read-only; this one is the player's to change.
            QFile::setPermissions(to, QFile::permissions(to) | QFile::WriteOwner);
            carried << QString::fromLatin1(name);
        }
    }
    if (notice && !carried.isEmpty())
        *notice = QStringLiteral("The folder %1 cannot be written, so Brelvox keeps its files in %2 from now on. "
                                 "Copied there: %3.")
                      .arg(QDir::toNativeSeparators(own), QDir::toNativeSeparators(config), carried.join(QStringLiteral(", ")));
    return config;
}

QString takeUserFileNotice()
{
    QString notice;
    notice.swap(pendingNotice());
    return notice;
}

QString userFileDir()
{
    if (overrideDir().isEmpty())
        overrideDir() = chooseUserFileDir(QCoreApplication::applicationDirPath(),
                                          QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation),
                                          &pendingNotice());
    return overrideDir();
}

QString userFilePath(const QString &fileName)
{
    return QDir(userFileDir()).filePath(fileName);
}

void setUserFileDir(const QString &dir)
{
    overrideDir() = dir;
}

bool isInstalledFolder(const QString &dir)
{
    const QString name = QFileInfo(dir).fileName();
    if (name != QLatin1String("bin") && name != QLatin1String("games"))
        return false;
    return QFileInfo(QDir(dir).filePath(QStringLiteral("../share"))).isDir();
}

} // namespace brelvox
