// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QPixmap>
#include <QSize>

namespace brelvox {

// The program's logo: a nine ball and the name on a strip of cloth, drawn 231 x 56 or at
// the given logical size (same aspect), painted at the given device pixel ratio (by
// default the screens' highest) so it stays crisp on scaled screens.
QPixmap brelvoxLogo(const QSize &size = QSize(231, 56), qreal ratio = 0);

} // namespace brelvox
