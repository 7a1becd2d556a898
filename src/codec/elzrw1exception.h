// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <stdexcept>
#include <string>

namespace brelvox {

// Every failure of the compression component, carrying the text shown to the player.
class ELzrw1Exception : public std::runtime_error
{
public:
    explicit ELzrw1Exception(const std::string &message) : std::runtime_error(message) {}
};

} // namespace brelvox
