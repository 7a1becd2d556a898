// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "host/playertable.h"
#include "net/tsock.h"

#include <QTest>

using namespace brelvox;

class TestPlayerTable : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Each row: seats taken in turn, "-n" frees seat n; the seats handed out, the count.
    void seating_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QList<int>>("given");
        QTest::addColumn<int>("count");
        QTest::newRow("first is seat 1") << QStringList{"+"} << QList<int>{1} << 1;
        QTest::newRow("lowest free reused") << QStringList{"+", "+", "+", "-2", "+"} << QList<int>{1, 2, 3, 2} << 3;
        QTest::newRow("two holes, lowest first") << QStringList{"+", "+", "+", "-3", "-1", "+", "+", "+"}
                                                 << QList<int>{1, 2, 3, 1, 3, 4} << 4;
        QTest::newRow("tenth refused") << QStringList(10, "+") << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10} << 9;
        QTest::newRow("seat free again after full") << QStringList(9, "+") + QStringList{"+", "-5", "+", "+"}
                                                    << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 5, 10} << 9;
    }
    void seating()
    {
        QFETCH(QStringList, steps);
        QFETCH(QList<int>, given);
        QFETCH(int, count);
        PlayerTable table;
        QList<int> got;
        for (const QString &step : steps) {
            if (step == "+")
                got << table.takeSeat(nullptr);
            else
                table.leave(-step.toInt());
        }
        QCOMPARE(got, given);
        QCOMPARE(table.seatCount(), count);
        QVERIFY(!table.seat(PlayerTable::kRefusedSeat).connected);
    }

    void leavingFreesTheSeat()
    {
        PlayerTable table;
        TSock firstSock;
        TSock secondSock;
        TSock *first = &firstSock;
        TSock *second = &secondSock;
        QCOMPARE(table.takeSeat(first), 1);
        QCOMPARE(table.takeSeat(second), 2);
        QCOMPARE(table.seatOf(second), 2);
        table.leave(1);
        QVERIFY(!table.seat(1).connected);
        QCOMPARE(table.seat(1).connection, nullptr);
        QCOMPARE(table.seatOf(first), 0);
        QCOMPARE(table.connectedSeats(), QList<int>{2});
        QCOMPARE(table.takeSeat(first), 1);
        QCOMPARE(table.connectedSeats(), (QList<int>{1, 2}));
    }

    void seatsOutOfRangeThrow()
    {
        PlayerTable table;
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, table.seat(0));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, table.seat(11));
        QVERIFY(!PlayerTable::isSeat(10));
        QVERIFY(PlayerTable::isPlayerSeat(5));
        QVERIFY(!PlayerTable::isPlayerSeat(6));
    }
};

QTEST_GUILESS_MAIN(TestPlayerTable)
#include "test_playertable.moc"
