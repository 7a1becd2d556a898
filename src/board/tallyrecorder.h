// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QString>

namespace brelvox {

// Where a finished game with a single winner is counted; the tally window implements it.
class TallyRecorder
{
public:
    // The winner argument that means the local player won.
    static inline const QString kAddToMine = QStringLiteral("addtomine");

    virtual ~TallyRecorder() = default;
    // winner: kAddToMine or the winning player's name as the seat label shows it.
    virtual void addgame(const QString &winner) = 0;
};

} // namespace brelvox
