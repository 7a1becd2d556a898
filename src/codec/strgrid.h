// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include "codec/textgrid.h"

#include <stdexcept>
#include <string>

namespace brelvox {

// The grid text file: lines closed by CR LF; line 1 the column count, line 2 the row
// count, then one line per cell, column by column, each column from row 0 down. Cells
// are written as they are, so an empty cell is an empty line.

// A grid text file whose counts are not numbers, or are out of reason.
class GridTextError : public std::runtime_error
{
public:
    explicit GridTextError(const std::string &message) : std::runtime_error(message) {}
};

// Grids larger than this are refused on reading: a damaged count must not eat memory.
constexpr long long kMaxGridCells = 1 << 20;

std::string SaveGridText(const TextGrid &grid);
void SaveGridText(const TextGrid &grid, const std::string &fileName);

// Sets the counts from lines 1 and 2, then the cells in file order; lines missing at the
// end leave their cells empty. Throws GridTextError("Invalid numeric input") when a
// count is not a number; the grid keeps the cells read before a failure.
void LoadGridText(TextGrid &grid, const std::string &bytes);
void LoadGridTextFile(TextGrid &grid, const std::string &fileName);

} // namespace brelvox
