// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "widgets/colortext.h"

#include <QGuiApplication>
#include <QTest>

using namespace brelvox;

class TestColorText : public QObject
{
    Q_OBJECT
private Q_SLOTS:
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
};

QTEST_MAIN(TestColorText)
#include "test_colortext.moc"
