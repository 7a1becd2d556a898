// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "widgets/fonts.h"

#include <QFont>
#include <QStringList>

namespace brelvox {

void useArialMetrics()
{
    QFont::insertSubstitutions(QStringLiteral("Arial"), {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")});
}

} // namespace brelvox
