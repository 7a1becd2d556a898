// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QString>

namespace brelvox::lobbyconfig {

// Where the maker's things live. Each value comes from, in order: a setter call, an
// environment variable (BRELVOX_LOBBY_URL, BRELVOX_LOBBY_PROGRAM, BRELVOX_MAKER_HOST),
// the built-in default. Packagers and tests point them elsewhere without rebuilding.

// The installer's address; its last path segment is the installer's file name.
QString lobbyUrl();
void setLobbyUrl(const QString &url);

// The installed lobby program that "Play with Others" starts.
QString lobbyProgramPath();
void setLobbyProgramPath(const QString &path);

// The maker's web host, without a scheme, as the about window's link opens it.
QString makerHost();
void setMakerHost(const QString &host);

// The address to download from: an https address as it is, an http one moved to https
// (the installer is only ever fetched over a verified connection), anything else empty.
QString secureUrl(const QString &url);

// The URL with everything up to and including its last "/" removed.
QString installerFileName(const QString &url);

} // namespace brelvox::lobbyconfig
