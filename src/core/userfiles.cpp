// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "core/userfiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace brelvox {

namespace {
QString &overrideDir()
{
    static QString dir;
    return dir;
}

QString chooseDir()
{
    const QString own = QCoreApplication::applicationDirPath();
    if (!own.isEmpty() && QFileInfo(own).isWritable() && !isInstalledFolder(own))
        return own;
    const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(config);
    return config;
}
} // namespace

QString userFileDir()
{
    if (overrideDir().isEmpty())
        overrideDir() = chooseDir();
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
