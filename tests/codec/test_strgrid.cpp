// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "codec/strgrid.h"

#include <QByteArray>
#include <QTemporaryDir>
#include <QTest>

using namespace brelvox;

namespace {
TextGrid diraTally()
{
    TextGrid grid(9, 2);
    const char *row0[] = {"0", "3", "2", "0", "0", "0", "0", "0", "0"};
    const char *row1[] = {"Dira", "3", "1", "2", "0", "3", "1", "2", "0"};
    for (int c = 0; c < 9; ++c) {
        grid.setCell(c, 0, row0[c]);
        grid.setCell(c, 1, row1[c]);
    }
    return grid;
}
} // namespace

class TestStrgrid : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void writesColumnByColumn()
    {
        const std::string text = SaveGridText(diraTally());
        QCOMPARE(QByteArray::fromStdString(text),
                 QByteArray("9\r\n2\r\n0\r\nDira\r\n3\r\n3\r\n2\r\n1\r\n0\r\n2\r\n0\r\n0\r\n0\r\n3\r\n0\r\n1\r\n0\r\n2\r\n0\r\n0\r\n"));
        TextGrid back;
        LoadGridText(back, text);
        QCOMPARE(back == diraTally(), true);
    }

    void cellsAsTheyAre()
    {
        TextGrid grid(2, 2);
        grid.setCell(0, 0, "");
        grid.setCell(0, 1, "  spaced name ");
        grid.setCell(1, 0, "\xe9t\xe9");
        const std::string text = SaveGridText(grid);
        QCOMPARE(QByteArray::fromStdString(text), QByteArray("2\r\n2\r\n\r\n  spaced name \r\n\xe9t\xe9\r\n\r\n"));
        TextGrid back;
        LoadGridText(back, text);
        QCOMPARE(back == grid, true);
    }

    void readsOtherLineEnds_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("lf") << QByteArray("2\n1\na\nb\n");
        QTest::newRow("cr") << QByteArray("2\r1\ra\rb\r");
        QTest::newRow("no final end") << QByteArray("2\r\n1\r\na\r\nb");
        QTest::newRow("spaces round counts") << QByteArray(" 2 \r\n1\r\na\r\nb\r\n");
    }
    void readsOtherLineEnds()
    {
        QFETCH(QByteArray, text);
        TextGrid grid;
        LoadGridText(grid, text.toStdString());
        QCOMPARE(grid.colCount(), 2);
        QCOMPARE(grid.rowCount(), 1);
        QCOMPARE(grid.cell(0, 0), std::string("a"));
        QCOMPARE(grid.cell(1, 0), std::string("b"));
    }

    void missingLinesLeaveCellsEmpty()
    {
        TextGrid grid;
        LoadGridText(grid, "9\r\n2\r\n0\r\nDira\r\n3\r\n");
        QCOMPARE(grid.rowCount(), 2);
        QCOMPARE(grid.cell(1, 0), std::string("3"));
        QCOMPARE(grid.cell(1, 1), std::string());
        QCOMPARE(grid.cell(8, 1), std::string());
    }

    void badCounts_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("word") << QByteArray("nine\r\n2\r\n") << "Invalid numeric input";
        QTest::newRow("empty") << QByteArray() << "Invalid numeric input";
        QTest::newRow("second line") << QByteArray("9\r\n2x\r\n") << "Invalid numeric input";
        QTest::newRow("huge") << QByteArray("99999999999999999999999\r\n2\r\n") << "Invalid numeric input";
        QTest::newRow("negative") << QByteArray("-1\r\n2\r\n") << "Grid text : -1 x 2 cells are out of range";
        QTest::newRow("too many cells") << QByteArray("100000\r\n100000\r\n") << "Grid text : 100000 x 100000 cells are out of range";
        // Found by the fuzzer: counts whose product overflowed the range check.
        QTest::newRow("fuzzer input") << QByteArray("35550200\n2555250175101\r\xff\xff\xff\xff")
                                      << "Grid text : 35550200 x 2555250175101 cells are out of range";
        // 2^32 x 2^32 wrapped to 0 cells and loaded as an empty grid.
        QTest::newRow("product wraps to zero") << QByteArray("4294967296\r\n4294967296\r\n")
                                               << "Grid text : 4294967296 x 4294967296 cells are out of range";
        QTest::newRow("one count over, other zero") << QByteArray("0\r\n2000000\r\n")
                                                    << "Grid text : 0 x 2000000 cells are out of range";
    }
    void badCounts()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, message);
        TextGrid grid = diraTally();
        try {
            LoadGridText(grid, text.toStdString());
            QFAIL("loaded");
        } catch (const GridTextError &e) {
            QCOMPARE(QString::fromStdString(e.what()), message);
        }
        QCOMPARE(grid == diraTally(), true);
    }

    void fileVersions()
    {
        QTemporaryDir dir;
        const std::string path = dir.filePath("grid.txt").toStdString();
        SaveGridText(diraTally(), path);
        TextGrid back;
        LoadGridTextFile(back, path);
        QCOMPARE(back == diraTally(), true);
        QVERIFY_THROWS_EXCEPTION(GridTextError, LoadGridTextFile(back, path + ".none"));
    }
};

QTEST_GUILESS_MAIN(TestStrgrid)
#include "test_strgrid.moc"
