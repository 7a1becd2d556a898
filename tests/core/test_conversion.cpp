// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "core/conversion.h"
#include "widgets/colortext.h"
#include "widgets/dialogs.h"

#include <QGuiApplication>
#include <QTest>

using namespace brelvox;

class TestConversion : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void integers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("value");
        QTest::newRow("decimal") << "42" << true << 42;
        QTest::newRow("negative") << "-7" << true << -7;
        QTest::newRow("leading blanks") << "  5" << true << 5;
        QTest::newRow("trailing blank") << "5 " << false << 0;
        QTest::newRow("dollar hex") << "$1F" << true << 31;
        QTest::newRow("0x hex") << "0xff" << true << 255;
        QTest::newRow("full 32-bit hex") << "$FFFFFFFF" << true << -1;
        QTest::newRow("empty") << "" << false << 0;
        QTest::newRow("letters") << "abc" << false << 0;
        QTest::newRow("sign only") << "-" << false << 0;
        QTest::newRow("int max") << "2147483647" << true << 2147483647;
        QTest::newRow("int min") << "-2147483648" << true << int(-2147483648LL);
        QTest::newRow("overflow") << "2147483648" << false << 0;
        QTest::newRow("hex overflow") << "$100000000" << false << 0;
        QTest::newRow("arabic digit") << QString(QChar(0x0663)) << false << 0;
    }
    void integers()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(int, value);
        bool got = !ok;
        QCOMPARE(toInt(text, &got), value);
        QCOMPARE(got, ok);
        if (!ok) {
            try {
                toInt(text);
                QFAIL("no exception");
            } catch (const ConversionError &e) {
                QCOMPARE(e.message(), QStringLiteral("'%1' is not a valid integer value").arg(text));
            }
        }
    }

    void colours_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<uint>("value");
        QTest::addColumn<QString>("written");
        QTest::newRow("black") << "clblack" << true << 0u << "clBlack";
        QTest::newRow("maroon upper") << "CLMAROON" << true << 0x80u << "clMaroon";
        QTest::newRow("hex") << "$00FF8000" << true << 0xFF8000u << "$00FF8000";
        QTest::newRow("decimal") << "255" << true << 0xFFu << "clRed";
        QTest::newRow("system white") << "clWhite" << true << 0xFFFFFFu << "clWhite";
        QTest::newRow("garbage") << "purple-ish" << false << 0u << "";
    }
    void colours()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(uint, value);
        QFETCH(QString, written);
        ColorRef c = 12345;
        QCOMPARE(textToColor(text, &c), ok);
        if (ok) {
            QCOMPARE(uint(c), value);
            QCOMPARE(colorToText(c), written);
        }
    }

    void systemColourName()
    {
        ColorRef c = 1;
        QVERIFY(textToColor(QStringLiteral("clWindowText"), &c));
        QCOMPARE(c, fromQColor(QGuiApplication::palette().color(QPalette::Active, QPalette::WindowText)));
    }

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

QTEST_MAIN(TestConversion)
#include "test_conversion.moc"
