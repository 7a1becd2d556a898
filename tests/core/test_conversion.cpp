// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "core/conversion.h"

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
};

QTEST_GUILESS_MAIN(TestConversion)
#include "test_conversion.moc"
