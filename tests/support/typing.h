// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QApplication>
#include <QtTest>

namespace brelvox::support {

// Types into whichever widget has the focus, as a player would: "\b" is Backspace,
// "\r" is Enter.
inline void typeIntoFocus(const QString &keys)
{
    for (const QChar ch : keys) {
        QWidget *target = QApplication::focusWidget();
        QVERIFY(target);
        if (ch == u'\b')
            QTest::keyClick(target, Qt::Key_Backspace);
        else if (ch == u'\r')
            QTest::keyClick(target, Qt::Key_Return);
        else
            QTest::keyClick(target, ch.toLatin1());
    }
}

} // namespace brelvox::support
