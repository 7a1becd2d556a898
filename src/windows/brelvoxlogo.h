// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QPixmap>

namespace brelvox {

// The program's logo, 231 x 56: a nine ball and the name on a strip of cloth.
QPixmap brelvoxLogo();

} // namespace brelvox
