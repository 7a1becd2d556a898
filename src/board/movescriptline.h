// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QChar>
#include <QString>
#include <optional>

namespace brelvox {

// One line of a ball-movement script, e.g. "b0:65,328,89,264,": state letter, ball digit,
// one separator, then first target top, first target left, second target top, second
// target left, each number closed by a comma.
struct MoveScriptLine
{
    QChar state;
    int ball = 0;
    int targetTop = 0;
    int targetLeft = 0;
    int secondTop = 0;
    int secondLeft = 0;
};

// Nothing for "**", an empty line, or a line that does not follow the grammar: such a line
// keeps its place in the script and moves nothing.
std::optional<MoveScriptLine> parseMoveScriptLine(const QString &line);

} // namespace brelvox
