// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "core/conversion.h"
#include "widgets/dialogs.h"

#include <QTest>

using namespace brelvox;

class TestDialogs : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void errorBoxText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::newRow("letter") << "Game is full" << "Game is full.";
        QTest::newRow("full stop") << "Done." << "Done.";
        QTest::newRow("exclamation") << "Oops!" << "Oops!";
        QTest::newRow("quote") << "'x' is not a valid integer value" << "'x' is not a valid integer value.";
        QTest::newRow("empty") << "" << "";
    }
    void errorBoxText()
    {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QCOMPARE(dialogs::errorText(text), shown);
    }

    void guardedShowsEscapedErrors()
    {
        QStringList seen;
        dialogs::setHandler([&](dialogs::Kind kind, const QString &title, const QString &text) -> bool {
            if (kind == dialogs::Kind::Error && title == QStringLiteral("Brelvox"))
                seen << text;
            return true;
        });
        dialogs::guarded([] { toInt(QStringLiteral("x1")); });
        dialogs::guarded([] {});
        dialogs::setHandler({});
        QCOMPARE(seen, QStringList{QStringLiteral("'x1' is not a valid integer value.")});
    }
};

QTEST_MAIN(TestDialogs)
#include "test_dialogs.moc"
