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
    if (!own.isEmpty() && QFileInfo(own).isWritable())
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

} // namespace brelvox
