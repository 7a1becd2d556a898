// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "windows/turl.h"

#include "widgets/shellopen.h"

namespace brelvox {

TURL::TURL(QObject *parent)
    : QObject(parent)
{
}

QString TURL::prefix(TURLType type)
{
    switch (type) {
    case utFile: return QStringLiteral("file://");
    case utFtp: return QStringLiteral("ftp://");
    case utGopher: return QStringLiteral("gopher://");
    case utHttp: return QStringLiteral("http://");
    case utHttps: return QStringLiteral("https://");
    case utMailto: return QStringLiteral("mailto:");
    case utNews: return QStringLiteral("news:");
    case utTelnet: return QStringLiteral("telnet:");
    case utWais: return QStringLiteral("wais:");
    case utnone: break;
    }
    return QString();
}

bool TURL::execute() const
{
    if (m_url.isEmpty())
        return false;
    return shellOpen(target(), QString(), ShellShow::NoActivate);
}

} // namespace brelvox
