// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QString>

namespace brelvox {

// Where the settings and tally files live: the program's own folder, or the user's
// config folder when that one cannot be written. Tests point it at a folder of their own.
QString userFileDir();
QString userFilePath(const QString &fileName);
void setUserFileDir(const QString &dir);

} // namespace brelvox
