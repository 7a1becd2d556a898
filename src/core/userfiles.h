// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QString>

namespace brelvox {

// Where the settings and tally files live: the program's own folder, or the user's
// config folder when that one cannot be written or is an installed one (see below).
// Tests point it at a folder of their own.
QString userFileDir();
QString userFilePath(const QString &fileName);
void setUserFileDir(const QString &dir);

// The choice itself: own when it can be written and is no installed folder, else config.
// Moving to config, the settings and tally files own holds go along (copied; a file
// config has already is never replaced), and *notice, when given, tells where they went
// the first time that happens; it stays empty otherwise.
QString chooseUserFileDir(const QString &own, const QString &config, QString *notice = nullptr);
// The notice of the choice userFileDir() made, once: later calls return an empty text.
QString takeUserFileNotice();

// A program folder named bin or games beside a share folder: the layout of /usr,
// /usr/local, ~/.local and of any staging copy of them. Shared by every user even
// where it can be written (root can write everywhere), so nothing is kept there.
bool isInstalledFolder(const QString &dir);

} // namespace brelvox
