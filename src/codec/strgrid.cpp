// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "codec/strgrid.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

namespace brelvox {

namespace {
constexpr const char *kEol = "\r\n";

// A line ends at CR LF, a lone LF or a lone CR; the end of the text ends the last one.
class LineReader
{
public:
    explicit LineReader(const std::string &text) : m_text(text) {}
    bool atEnd() const { return m_pos >= m_text.size(); }
    std::string next()
    {
        const std::size_t end = m_text.find_first_of("\r\n", m_pos);
        std::string line = m_text.substr(m_pos, end == std::string::npos ? std::string::npos : end - m_pos);
        if (end == std::string::npos) {
            m_pos = m_text.size();
        } else {
            m_pos = end + 1;
            if (m_text[end] == '\r' && m_pos < m_text.size() && m_text[m_pos] == '\n')
                ++m_pos;
        }
        return line;
    }

private:
    const std::string &m_text;
    std::size_t m_pos = 0;
};

long long parseCount(const std::string &line)
{
    std::size_t i = 0;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < line.size() && (line[i] == '+' || line[i] == '-'))
        negative = line[i++] == '-';
    const std::size_t digits = i;
    long long value = 0;
    while (i < line.size() && line[i] >= '0' && line[i] <= '9' && value < (1LL << 40))
        value = value * 10 + (line[i++] - '0');
    const std::size_t digitEnd = i;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
        ++i;
    if (digitEnd == digits || i != line.size() || (digitEnd < line.size() && line[digitEnd] >= '0' && line[digitEnd] <= '9'))
        throw GridTextError("Invalid numeric input");
    return negative ? -value : value;
}
} // namespace

std::string SaveGridText(const TextGrid &grid)
{
    std::string out;
    out += std::to_string(grid.colCount()) + kEol;
    out += std::to_string(grid.rowCount()) + kEol;
    for (int c = 0; c < grid.colCount(); ++c)
        for (int r = 0; r < grid.rowCount(); ++r)
            out += grid.cell(c, r) + kEol;
    return out;
}

void SaveGridText(const TextGrid &grid, const std::string &fileName)
{
    const std::string bytes = SaveGridText(grid);
    const std::string scratch = fileName + ".new";
    {
        std::ofstream out(scratch, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), std::streamsize(bytes.size()));
        out.flush();
        if (!out) {
            out.close();
            std::remove(scratch.c_str());
            throw GridTextError("Cannot write " + fileName);
        }
    }
    if (std::rename(scratch.c_str(), fileName.c_str()) != 0) {
        std::remove(scratch.c_str());
        throw GridTextError("Cannot write " + fileName);
    }
}

void LoadGridText(TextGrid &grid, const std::string &bytes)
{
    LineReader lines(bytes);
    const long long cols = parseCount(lines.next());
    const long long rows = parseCount(lines.next());
    // Each count alone first: both may be near 2^40, and their product must not overflow.
    if (cols < 0 || rows < 0 || cols > kMaxGridCells || rows > kMaxGridCells || cols * rows > kMaxGridCells)
        throw GridTextError("Grid text : " + std::to_string(cols) + " x " + std::to_string(rows)
                            + " cells are out of range");
    grid.resize(int(cols), int(rows));
    for (int c = 0; c < grid.colCount(); ++c)
        for (int r = 0; r < grid.rowCount(); ++r)
            grid.setCell(c, r, lines.atEnd() ? std::string() : lines.next());
}

void LoadGridTextFile(TextGrid &grid, const std::string &fileName)
{
    std::ifstream in(fileName, std::ios::binary);
    if (!in)
        throw GridTextError("Cannot open " + fileName);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        throw GridTextError("Cannot read " + fileName);
    LoadGridText(grid, bytes);
}

} // namespace brelvox
