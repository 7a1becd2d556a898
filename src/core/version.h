// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

namespace brelvox {
// The protocol version host and clients compare at login; the about window shows it too.
inline constexpr const char *kProtocolVersion = "1.0.5";
// The build suffix shown after it in the about window.
inline constexpr const char *kBuildSuffix = ".10";
inline constexpr int kGamePort = 7772;
} // namespace brelvox
