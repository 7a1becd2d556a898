// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <string>
#include <vector>

namespace brelvox {

// A grid of text cells addressed (column, row), as the tally table keeps them.
class TextGrid
{
public:
    TextGrid() = default;
    TextGrid(int colCount, int rowCount) { resize(colCount, rowCount); }

    int colCount() const { return m_cols; }
    int rowCount() const { return m_rows; }
    // Keeps the cells that stay inside; new cells are empty.
    void resize(int colCount, int rowCount);
    void setColCount(int colCount) { resize(colCount, m_rows); }
    void setRowCount(int rowCount) { resize(m_cols, rowCount); }

    /* 0 <= col < colCount(), 0 <= row < rowCount() */
    const std::string &cell(int col, int row) const { return m_cells[index(col, row)]; }
    void setCell(int col, int row, const std::string &text) { m_cells[index(col, row)] = text; }

    bool operator==(const TextGrid &other) const = default;

private:
    std::size_t index(int col, int row) const;

    int m_cols = 0;
    int m_rows = 0;
    std::vector<std::string> m_cells;
};

} // namespace brelvox
