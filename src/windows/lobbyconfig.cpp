// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "windows/lobbyconfig.h"

#include <QtGlobal>

namespace brelvox::lobbyconfig {

namespace {
// The maker's real host is a packaging choice; a reserved name never reaches a stranger.
constexpr const char *kDefaultHost = "www.ostrel.example";

#ifdef Q_OS_WIN
constexpr const char *kDefaultProgram = "C:\\Program Files\\Ostrel\\OstrelLobby.exe";
#else
constexpr const char *kDefaultProgram = "/opt/ostrel/bin/ostrellobby";
#endif

struct Value {
    const char *env;
    QString set;
    bool isSet = false;

    QString get(const QString &fallback) const
    {
        if (isSet)
            return set;
        const QString fromEnv = qEnvironmentVariable(env);
        return fromEnv.isEmpty() ? fallback : fromEnv;
    }
    void put(const QString &v)
    {
        set = v;
        isSet = true;
    }
};

Value &urlValue()
{
    static Value v{"BRELVOX_LOBBY_URL", {}};
    return v;
}
Value &programValue()
{
    static Value v{"BRELVOX_LOBBY_PROGRAM", {}};
    return v;
}
Value &hostValue()
{
    static Value v{"BRELVOX_MAKER_HOST", {}};
    return v;
}
} // namespace

QString makerHost()
{
    return hostValue().get(QString::fromLatin1(kDefaultHost));
}

void setMakerHost(const QString &host)
{
    hostValue().put(host);
}

QString lobbyUrl()
{
    return urlValue().get(QStringLiteral("https://") + makerHost() + QStringLiteral("/lobby/OstrelLobbySetup.exe"));
}

void setLobbyUrl(const QString &url)
{
    urlValue().put(url);
}

QString lobbyProgramPath()
{
    return programValue().get(QString::fromLatin1(kDefaultProgram));
}

void setLobbyProgramPath(const QString &path)
{
    programValue().put(path);
}

QString secureUrl(const QString &url)
{
    if (url.startsWith(QLatin1String("https://"), Qt::CaseInsensitive))
        return url;
    if (url.startsWith(QLatin1String("http://"), Qt::CaseInsensitive))
        return QStringLiteral("https://") + url.mid(7);
    return QString();
}

QString installerFileName(const QString &url)
{
    return url.mid(url.lastIndexOf(QLatin1Char('/')) + 1);
}

} // namespace brelvox::lobbyconfig
