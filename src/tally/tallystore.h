// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include "codec/textgrid.h"

#include <QString>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace brelvox {

class Tlzrw1;

// Reading and writing the tally file, all in memory: the grid text is compressed and
// decompressed through the component's stream mode, and the file is replaced in one
// step, so a failure anywhere leaves the previous tally file whole.
namespace tallystore {

class TallyFileError : public std::runtime_error
{
public:
    explicit TallyFileError(const QString &message) : std::runtime_error(message.toStdString()) {}
};

// A tally of thousands of opponents is a few hundred KB of text.
constexpr std::uint64_t kMaxTallyBytes = 4u << 20;

// Cells hold Windows-1252 text, as the file always has.
std::string toCell(const QString &text);
QString fromCell(const std::string &cell);

// Throws ELzrw1Exception, GridTextError or TallyFileError; the table must have 9 columns
// and at least the totals row.
TextGrid load(const QString &path, Tlzrw1 &doit);
// Throws the same; on failure the file at path is as it was.
void save(const TextGrid &grid, const QString &path, Tlzrw1 &doit);

// What this run changed in the tally (ours, against base: the table as it was loaded)
// laid over disk, the file as another copy may have left it since: counts move by the
// same amount, opponents this run added or removed are added or removed, the others'
// stay, and the session columns are this run's. Names match as the tally window's do.
TextGrid merge(const TextGrid &disk, const TextGrid &base, const TextGrid &ours);

// Under a lock on the file's folder: reads the file, merges ours into it (ours alone
// when the file is missing or unreadable) and saves the result, which it returns.
// Throws as save does, the file as it was.
TextGrid saveMerged(const TextGrid &ours, const TextGrid &base, const QString &path, Tlzrw1 &doit);

} // namespace tallystore
} // namespace brelvox
