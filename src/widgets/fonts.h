// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

namespace brelvox {

// The board is laid out in Arial. Where Arial itself is missing, a face with its metrics
// stands in (Liberation Sans, Arimo) before any wider fallback; call once after the
// application object exists.
void useArialMetrics();

} // namespace brelvox
