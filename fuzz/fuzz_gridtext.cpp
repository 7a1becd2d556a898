// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
// Any bytes as a grid text file; what loads must save and load back to the same grid.
#include "fuzzcheck.h"
#include "codec/strgrid.h"

using namespace brelvox;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char *>(data), size);
    TextGrid grid;
    try {
        LoadGridText(grid, bytes);
    } catch (const GridTextError &) {
        return 0;
    }
    FUZZ_CHECK(grid.colCount() >= 0 && grid.rowCount() >= 0);
    FUZZ_CHECK(static_cast<long long>(grid.colCount()) * grid.rowCount() <= kMaxGridCells);
    for (int c = 0; c < grid.colCount(); ++c)
        for (int r = 0; r < grid.rowCount(); ++r)
            FUZZ_CHECK(grid.cell(c, r).find_first_of("\r\n") == std::string::npos);

    TextGrid again;
    LoadGridText(again, SaveGridText(grid));
    FUZZ_CHECK(again == grid);
    return 0;
}
