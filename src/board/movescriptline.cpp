// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "board/movescriptline.h"

#include "core/conversion.h"

#include <QStringList>

namespace brelvox {

std::optional<MoveScriptLine> parseMoveScriptLine(const QString &line)
{
    if (line.size() < 4 || line == QLatin1String("**"))
        return std::nullopt;
    const QChar state = line.at(0);
    const QChar digit = line.at(1);
    if (!state.isLetter() || digit < u'0' || digit > u'9')
        return std::nullopt;

    // Four numbers, each followed by a comma, and nothing after the last comma.
    const QStringList parts = line.mid(3).trimmed().split(u',');
    if (parts.size() != 5 || !parts.last().isEmpty())
        return std::nullopt;
    int numbers[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        numbers[i] = toInt(parts.at(i), &ok);
        if (!ok)
            return std::nullopt;
    }
    return MoveScriptLine{state, digit.unicode() - u'0', numbers[0], numbers[1], numbers[2],
                          numbers[3]};
}

} // namespace brelvox
