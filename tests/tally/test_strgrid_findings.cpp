// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
// Grid texts the fuzzer found: counts whose product overflowed the range check.
#include "tally/strgrid.h"

#include <QTest>

using namespace brelvox;

class TestStrgridFindings : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void countsTooLargeToMultiply_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("fuzzer input") << QByteArray("35550200\n2555250175101\r\xff\xff\xff\xff")
                                      << "Grid text : 35550200 x 2555250175101 cells are out of range";
        // 2^32 x 2^32 wrapped to 0 cells and loaded as an empty grid.
        QTest::newRow("product wraps to zero") << QByteArray("4294967296\r\n4294967296\r\n")
                                               << "Grid text : 4294967296 x 4294967296 cells are out of range";
        QTest::newRow("one count over, other zero") << QByteArray("0\r\n2000000\r\n")
                                                    << "Grid text : 0 x 2000000 cells are out of range";
    }
    void countsTooLargeToMultiply()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, message);
        TextGrid grid(2, 1);
        grid.setCell(1, 0, "kept");
        try {
            LoadGridText(grid, text.toStdString());
            QFAIL("loaded");
        } catch (const GridTextError &e) {
            QCOMPARE(QString::fromStdString(e.what()), message);
        }
        QCOMPARE(grid.cell(1, 0), std::string("kept"));
    }
};

QTEST_GUILESS_MAIN(TestStrgridFindings)
#include "test_strgrid_findings.moc"
