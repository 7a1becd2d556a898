// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <cstdint>

namespace brelvox {

// Colours travel and are stored as 0x00BBGGRR values.
using ColorRef = std::uint32_t;

// The colour of the program's own lines in the chat.
inline constexpr ColorRef kSystemColor = 0x5E00;

} // namespace brelvox
