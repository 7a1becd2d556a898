// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "widgets/escapekey.h"

#include <QShortcut>
#include <QWidget>

namespace brelvox {

void closeOnEscape(QWidget *window)
{
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), window);
    escape->setObjectName(QStringLiteral("escape"));
    escape->setContext(Qt::WindowShortcut);
    QObject::connect(escape, &QShortcut::activated, window, &QWidget::close);
}

} // namespace brelvox
