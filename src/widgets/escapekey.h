// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

class QWidget;

namespace brelvox {

// Escape closes the secondary window as its close box does (its close handler runs).
void closeOnEscape(QWidget *window);

} // namespace brelvox
