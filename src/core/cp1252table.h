// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <array>

namespace brelvox {

// Windows-1252's characters for the bytes 0x80..0x9F; 0 marks the five bytes the code
// page leaves unassigned. Plain C++, so the tally tool can share it without Qt.
constexpr std::array<char16_t, 32> kCp1252High{
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178,
};

// The character of one Windows-1252 byte; an unassigned byte stands for itself.
constexpr char16_t cp1252ToUnicode(unsigned char byte)
{
    return byte >= 0x80 && byte < 0xA0 && kCp1252High[byte - 0x80] ? kCp1252High[byte - 0x80] : char16_t(byte);
}

} // namespace brelvox
