// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "host/rules/judge.h"

#include <QTest>

using namespace brelvox;
using judge::SeatNames;
using judge::SeatScores;

Q_DECLARE_METATYPE(brelvox::GameType)
Q_DECLARE_METATYPE(brelvox::judge::SeatScores)

class TestJudge : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void feedback_data();
    void feedback();
    void pointsLeft_data();
    void pointsLeft();
    void cantWin_data();
    void cantWin();
    void winner_data();
    void winner();
};

void TestJudge::feedback_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("guess");
    QTest::addColumn<QString>("pattern");
    QTest::newRow("one letter makes several c") << "ABOUT" << "BOBBY" << "ccccx";
    QTest::newRow("four in place") << "LEVEL" << "LEVER" << "ssssx";
    QTest::newRow("repeated word letter") << "SPEED" << "ERASE" << "cxxcc";
    QTest::newRow("found") << "CRANE" << "CRANE" << "sssss";
    QTest::newRow("case ignored") << "CRANE" << "cRaNe" << "sssss";
    QTest::newRow("all elsewhere") << "STEAL" << "TALES" << "ccccc";
    QTest::newRow("nothing shared") << "CRANE" << "FOLKS" << "xxxxx";
    QTest::newRow("exact matches use up the letter") << "ABBEY" << "BBBBB" << "xssxx";
    QTest::newRow("guess letters not counted") << "ALLOT" << "LLAMA" << "cscxc";
    QTest::newRow("only unmatched places count") << "EERIE" << "EEEEE" << "ssxxs";
    QTest::newRow("middle pair matched") << "SPEED" << "EEEEE" << "xxssx";
    QTest::newRow("two o both matched") << "ROBOT" << "OOOOO" << "xsxsx";
    QTest::newRow("swapped pair") << "TRAIN" << "RTAIN" << "ccsss";
    QTest::newRow("empty guess") << "CRANE" << "" << "xxxxx";
    QTest::newRow("short guess") << "ABOUT" << "AB" << "ssxxx";
    QTest::newRow("long guess cut at five") << "ABOUT" << "ABOUTT" << "sssss";
}

void TestJudge::feedback()
{
    QFETCH(QString, word);
    QFETCH(QString, guess);
    QFETCH(QString, pattern);
    QCOMPARE(judge::feedbackPattern(guess, word), pattern);
}

void TestJudge::pointsLeft_data()
{
    QTest::addColumn<GameType>("type");
    QTest::addColumn<int>("round");
    QTest::addColumn<int>("points");
    QTest::newRow("high after 8 counts 8 and 9") << GameType::High << 8 << 17;
    QTest::newRow("high after 9") << GameType::High << 9 << 9;
    QTest::newRow("high after 1") << GameType::High << 1 << 45;
    QTest::newRow("most after 6") << GameType::Most << 6 << 3;
    QTest::newRow("most after 9") << GameType::Most << 9 << 0;
    QTest::newRow("nine") << GameType::Nine << 3 << 0;
}

void TestJudge::pointsLeft()
{
    QFETCH(GameType, type);
    QFETCH(int, round);
    QFETCH(int, points);
    QCOMPARE(judge::pointsLeft(type, round), points);
}

void TestJudge::cantWin_data()
{
    QTest::addColumn<GameType>("type");
    QTest::addColumn<int>("round");
    QTest::addColumn<SeatScores>("scores");
    QTest::addColumn<bool>("over");
    QTest::newRow("most 5 against 1 after 6") << GameType::Most << 6 << SeatScores{5, 1, 0, 0, 0} << true;
    QTest::newRow("most 4 against 1 can draw level") << GameType::Most << 6 << SeatScores{4, 1, 0, 0, 0} << false;
    QTest::newRow("most leader on seat 4") << GameType::Most << 6 << SeatScores{1, 0, 0, 5, 0} << true;
    QTest::newRow("most shared lead") << GameType::Most << 8 << SeatScores{4, 4, 0, 0, 0} << false;
    QTest::newRow("most one close seat keeps it open") << GameType::Most << 5 << SeatScores{4, 0, 0, 0, 1} << false;
    QTest::newRow("high lead over 17 after 8") << GameType::High << 8 << SeatScores{30, 12, 0, 0, 0} << true;
    QTest::newRow("high lead of 17 after 8") << GameType::High << 8 << SeatScores{29, 12, 0, 0, 0} << false;
    QTest::newRow("high early") << GameType::High << 3 << SeatScores{6, 0, 0, 0, 0} << false;
    QTest::newRow("nine never") << GameType::Nine << 8 << SeatScores{8, 0, 0, 0, 0} << false;
    QTest::newRow("race never") << GameType::Race << 8 << SeatScores{8, 0, 0, 0, 0} << false;
}

void TestJudge::cantWin()
{
    QFETCH(GameType, type);
    QFETCH(int, round);
    QFETCH(SeatScores, scores);
    QFETCH(bool, over);
    QCOMPARE(judge::checkforcantwin(type, round, scores), over);
}

void TestJudge::winner_data()
{
    QTest::addColumn<GameType>("type");
    QTest::addColumn<int>("pocketing");
    QTest::addColumn<SeatScores>("scores");
    QTest::addColumn<int>("winner");
    QTest::addColumn<QString>("tie");
    QTest::newRow("nine: ball 9 wins whatever the scores") << GameType::Nine << 3 << SeatScores{7, 0, 1, 0, 0} << 3 << "";
    QTest::newRow("race: the ninth ball") << GameType::Race << 2 << SeatScores{5, 9, 3, 0, 0} << 2 << "";
    QTest::newRow("nine: no seat, no result") << GameType::Nine << 7 << SeatScores{1, 0, 0, 0, 0} << 0 << "";
    QTest::newRow("most: best score") << GameType::Most << 1 << SeatScores{2, 3, 4, 0, 0} << 3 << "";
    QTest::newRow("high: best score") << GameType::High << 1 << SeatScores{20, 25, 0, 0, 0} << 2 << "";
    QTest::newRow("seats 1 and 3 tied") << GameType::Most << 3 << SeatScores{4, 1, 4, 0, 0} << 0 << "Carol and Alice";
    QTest::newRow("three tied") << GameType::High << 4 << SeatScores{15, 15, 0, 15, 0} << 0
                                << "Dave and Dira and Alice";
    QTest::newRow("tied seat left") << GameType::Most << 1 << SeatScores{4, 0, 0, 0, 4} << 0 << "Player 5 and Alice";
    QTest::newRow("no type") << GameType::None << 1 << SeatScores{4, 0, 0, 0, 0} << 0 << "";
}

void TestJudge::winner()
{
    QFETCH(GameType, type);
    QFETCH(int, pocketing);
    QFETCH(SeatScores, scores);
    QFETCH(int, winner);
    QFETCH(QString, tie);
    const SeatNames names{QStringLiteral("Alice"), QStringLiteral("Dira"), QStringLiteral("Carol"),
                          QStringLiteral("Dave"), QString()};
    const judge::Outcome outcome = judge::findwinner(type, pocketing, scores, names);
    QCOMPARE(outcome.winner, winner);
    QCOMPARE(outcome.tieText, tie);
    QCOMPARE(outcome.isTie(), !tie.isEmpty());
}

QTEST_GUILESS_MAIN(TestJudge)
#include "test_judge.moc"
