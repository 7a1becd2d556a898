// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
//
// brelvox-tally: look at a tally file, or run the tally's compressor on any file.
#include "codec/strgrid.h"
#include "codec/tlzrw1.h"
#include "core/cp1252table.h"
#include "core/version.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

using namespace brelvox;

namespace {

constexpr const char *kUsage =
    "usage: brelvox-tally show FILE\n"
    "       brelvox-tally pack IN OUT [--mode fast|good|auto]\n"
    "       brelvox-tally unpack IN OUT\n"
    "       brelvox-tally --help | --version\n";

// Tally names are Windows-1252; the terminal wants UTF-8.
std::string toUtf8(const std::string &cell)
{
    std::string out;
    for (const char ch : cell) {
        const char32_t u = cp1252ToUnicode(static_cast<unsigned char>(ch));
        if (u < 0x20 || u == 0x7F) {
            out += '?';
        } else if (u < 0x80) {
            out += char(u);
        } else if (u < 0x800) {
            out += char(0xC0 | (u >> 6));
            out += char(0x80 | (u & 0x3F));
        } else {
            out += char(0xE0 | (u >> 12));
            out += char(0x80 | ((u >> 6) & 0x3F));
            out += char(0x80 | (u & 0x3F));
        }
    }
    return out;
}

std::string padRight(const std::string &cell, std::size_t width)
{
    const std::string text = toUtf8(cell);
    return text + std::string(cell.size() < width ? width - cell.size() : 0, ' ');
}

std::string padLeft(const std::string &text, std::size_t width)
{
    return std::string(text.size() < width ? width - text.size() : 0, ' ') + text;
}

int show(const std::string &file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::cerr << "brelvox-tally: cannot open " << file << "\n";
        return 1;
    }
    Tlzrw1 lz;
    lz.setUseStream(true);
    std::ostringstream plain;
    lz.setInputStream(&in);
    lz.setOutputStream(&plain);
    lz.Decompress();
    TextGrid grid;
    LoadGridText(grid, plain.str());
    if (grid.colCount() != 9 || grid.rowCount() < 1) {
        std::cerr << "brelvox-tally: " << file << " holds a table of " << grid.colCount() << " columns and "
                  << grid.rowCount() << " rows, not a tally\n";
        return 1;
    }
    std::size_t nameWidth = 8;
    for (int r = 1; r < grid.rowCount(); ++r)
        nameWidth = std::max(nameWidth, grid.cell(0, r).size());
    std::cout << padRight("Opponent", nameWidth) << "  Games  Their wins  Your wins  Neither won\n";
    for (int r = 1; r < grid.rowCount(); ++r)
        std::cout << padRight(grid.cell(0, r), nameWidth) << "  " << padLeft(grid.cell(1, r), 5) << "  "
                  << padLeft(grid.cell(2, r), 10) << "  " << padLeft(grid.cell(3, r), 9) << "  "
                  << padLeft(grid.cell(4, r), 11) << "\n";
    std::cout << "In all: " << toUtf8(grid.cell(1, 0)) << " games tallied, " << toUtf8(grid.cell(2, 0))
              << " won, " << grid.rowCount() - 1 << " opponents\n";
    return 0;
}

int run(const std::vector<std::string> &args)
{
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::cout << kUsage
                  << "Shows a Brelvox tally file (Brelvoxtally.tld) as a table, or runs the tally's\n"
                     "compression (LZRW1/KH or LZH) on any file. See brelvox-tally(1).\n";
        return 0;
    }
    if (args.size() == 1 && args[0] == "--version") {
        std::cout << "brelvox-tally " << kProtocolVersion << kBuildSuffix << "\n";
        return 0;
    }
    if (args.size() == 2 && args[0] == "show")
        return show(args[1]);
    if ((args.size() == 3 || args.size() == 5) && args[0] == "pack") {
        TCompressMode mode = TCompressMode::Fast;
        if (args.size() == 5) {
            if (args[3] != "--mode" || (args[4] != "fast" && args[4] != "good" && args[4] != "auto")) {
                std::cerr << "brelvox-tally: unknown option " << args[3] << " " << args[4] << "\n" << kUsage;
                return 2;
            }
            mode = args[4] == "fast" ? TCompressMode::Fast : args[4] == "good" ? TCompressMode::Good : TCompressMode::Auto;
        }
        Tlzrw1 lz;
        lz.setCompressMode(mode);
        lz.setInputFile(args[1]);
        lz.setOutputFile(args[2]);
        const std::int64_t written = lz.Compress();
        std::cout << args[1] << " -> " << args[2] << ": " << written << " bytes\n";
        return 0;
    }
    if (args.size() == 3 && args[0] == "unpack") {
        Tlzrw1 lz;
        lz.setInputFile(args[1]);
        lz.setOutputFile(args[2]);
        const std::int64_t written = lz.Decompress();
        std::cout << args[1] << " -> " << args[2] << ": " << written << " bytes\n";
        return 0;
    }
    std::cerr << kUsage;
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    try {
        return run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::exception &e) {
        std::cerr << "brelvox-tally: " << e.what() << "\n";
        return 1;
    }
}
