// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QChar>

namespace brelvox {

// Where one ball is and where it is going, in FlatPanel1's pixels (top-left corner of the
// ball picture). A second target of 0 means no second leg.
struct BallRecord
{
    int targetLeft = 0;
    int targetTop = 0;
    int secondLeft = 0;
    int secondTop = 0;
    int left = 0;
    int top = 0;
    int stepLeft = 0;
    int stepTop = 0;
    // 'n' idle, 'm' moving, 's' break shot, 'b' two-leg move, 'p' going into a pocket.
    QChar state = u'n';
    // Set when a leg starts where the ball already is: the next pass counts it as arrived.
    bool arrivalDue = false;
};

} // namespace brelvox
