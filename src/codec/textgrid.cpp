// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "codec/textgrid.h"

#include <algorithm>
#include <stdexcept>

namespace brelvox {

void TextGrid::resize(int colCount, int rowCount)
{
    colCount = std::max(colCount, 0);
    rowCount = std::max(rowCount, 0);
    std::vector<std::string> cells(std::size_t(colCount) * std::size_t(rowCount));
    for (int c = 0; c < std::min(colCount, m_cols); ++c)
        for (int r = 0; r < std::min(rowCount, m_rows); ++r)
            cells[std::size_t(c) * std::size_t(rowCount) + std::size_t(r)] = std::move(m_cells[index(c, r)]);
    m_cells = std::move(cells);
    m_cols = colCount;
    m_rows = rowCount;
}

std::size_t TextGrid::index(int col, int row) const
{
    if (col < 0 || col >= m_cols || row < 0 || row >= m_rows)
        throw std::out_of_range("grid cell out of range");
    return std::size_t(col) * std::size_t(m_rows) + std::size_t(row);
}

} // namespace brelvox
