// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "widgets/shellopen.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace brelvox {

namespace {
ShellOpenHandler &handler()
{
    static ShellOpenHandler h;
    return h;
}

bool looksLikeLink(const QString &target)
{
    // "C:/x" has a one-letter scheme; that is a drive, not a link.
    const QUrl url(target, QUrl::StrictMode);
    return url.isValid() && url.scheme().size() > 1;
}
} // namespace

void setShellOpenHandler(ShellOpenHandler h)
{
    handler() = std::move(h);
}

bool shellOpen(const QString &target, const QString &parameters, ShellShow show)
{
    if (handler())
        return handler()(target, parameters, show);
    if (target.isEmpty())
        return false;
    if (looksLikeLink(target))
        return QDesktopServices::openUrl(QUrl(target));
    const QFileInfo info(target);
    if (!info.exists())
        return false;
    if (info.isFile() && info.isExecutable())
        return QProcess::startDetached(info.absoluteFilePath(), QProcess::splitCommand(parameters),
                                       info.absolutePath());
    // A document: its parameters mean nothing to the desktop's handler.
    return QDesktopServices::openUrl(QUrl::fromLocalFile(info.absoluteFilePath()));
}

} // namespace brelvox
