// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QByteArray>
#include <QString>

namespace brelvox {

// Replaces the file at path with data in one step: the bytes go to a new file beside it,
// every write, the sync to disk and the close are checked, and only then is the new file
// renamed over the old one. On any failure the old file is left byte for byte, the new
// one is removed, and false comes back with the reason in *error. The old file's
// permissions carry over; a link is followed, so its target is what gets replaced.
bool replaceFile(const QString &path, const QByteArray &data, QString *error = nullptr);

} // namespace brelvox
