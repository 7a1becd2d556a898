// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "core/randomsource.h"
#include "host/rules/computerplayer.h"
#include "host/rules/judge.h"
#include "host/rules/wordlists.h"

#include <QTest>

using namespace brelvox;

class TestComputerPlayer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { RandomSource::instance().seed(20260101); }
    void headStartOnFirstGuess();
    void sxsxsKeepsFirstThirdFifth();
    void neverRepeatsWithinAWord();
    void exhaustsTheCandidatesThenGivesUp();
    void givesUpAtOnceWhenNothingFits();
    void lowCountdownSearchesOnce();
    void highCountdownSearchesAgain();
};

void TestComputerPlayer::headStartOnFirstGuess()
{
    const WordLists lists = WordLists::shipped();
    QSet<QString> seen;
    const qsizetype stride = lists.answers().size() / 60;
    for (int i = 0; i < 60; ++i) {
        const QString word = lists.answers().at(i * stride).toUpper();
        const ComputerGuess pick = ComputerPlayer::computerfindword(lists, word, QString(), {}, 22);
        QVERIFY(ComputerPlayer::headStarts().contains(pick.pattern));
        seen.insert(pick.pattern);
        QVERIFY(pick.found());
        QVERIFY(lists.isWord(pick.guess));
        QCOMPARE(pick.guess.at(0), word.at(0));
        for (int p = 1; p < 5; ++p) {
            if (pick.pattern.at(p) == QLatin1Char('s'))
                QCOMPARE(pick.guess.at(p), word.at(p));
        }
    }
    QCOMPARE(seen.size(), 3);
}

void TestComputerPlayer::sxsxsKeepsFirstThirdFifth()
{
    const WordLists lists = WordLists::shipped();
    for (const char *w : {"CRANE", "SPEED", "ABOUT", "XEROX", "JOLLY", "QUEEN"}) {
        const QString word = QString::fromLatin1(w);
        if (!lists.isWord(word))
            continue;
        const ComputerGuess pick = ComputerPlayer::computerfindword(lists, word, QStringLiteral("sxsxs"), {}, 22);
        QVERIFY2(pick.found(), w);
        QCOMPARE(pick.pattern, QStringLiteral("sxsxs"));
        QCOMPARE(pick.guess.at(0), word.at(0));
        QCOMPARE(pick.guess.at(2), word.at(2));
        QCOMPARE(pick.guess.at(4), word.at(4));
    }
}

void TestComputerPlayer::neverRepeatsWithinAWord()
{
    const WordLists lists = WordLists::shipped();
    for (int game = 0; game < 40; ++game) {
        const QString word = lists.answers().at((game * 53 + 11) % lists.answers().size()).toUpper();
        QString pattern;
        QStringList earlier;
        for (int row = 1; row <= 5; ++row) {
            const ComputerGuess pick = ComputerPlayer::computerfindword(lists, word, pattern, earlier, 22);
            QVERIFY(pick.found());
            QVERIFY2(!earlier.contains(pick.guess), qPrintable(pick.guess));
            if (pick.guess == word)
                break;
            earlier << pick.guess;
            pattern = judge::feedbackPattern(pick.guess, word);
        }
    }
}

void TestComputerPlayer::exhaustsTheCandidatesThenGivesUp()
{
    // Five words fit "sssxx"; after four of them only the word is left.
    const QStringList spelling{"sabca", "sabcb", "sabcc", "sabcd", "sabce", "tabca"};
    const WordLists lists({"sabce"}, spelling, {" ", "sabce"});
    QStringList earlier;
    for (int row = 1; row <= 4; ++row) {
        const ComputerGuess pick = ComputerPlayer::computerfindword(lists, "SABCE", "sssxx", earlier, 22);
        QVERIFY(pick.found());
        QVERIFY(!earlier.contains(pick.guess));
        if (pick.guess == QLatin1String("SABCE"))
            return;
        earlier << pick.guess;
    }
    QCOMPARE(ComputerPlayer::computerfindword(lists, "SABCE", "sssxx", earlier, 22).guess, QStringLiteral("SABCE"));
    earlier << QStringLiteral("SABCE");
    const ComputerGuess none = ComputerPlayer::computerfindword(lists, "SABCE", "sssxx", earlier, 22);
    QVERIFY(!none.found());
    QCOMPARE(none.searches, 0);
}

void TestComputerPlayer::givesUpAtOnceWhenNothingFits()
{
    const WordLists lists({"abcde"}, {"abxxx", "abyyy", "zzzzz"}, {" ", "abcde"});
    // The hidden word is not a spelling word here, so nothing can fit "sssss".
    const ComputerGuess pick = ComputerPlayer::computerfindword(lists, "ABCDE", "sssss", {}, 22);
    QVERIFY(!pick.found());
    QCOMPARE(pick.tries, 0);
    QCOMPARE(ComputerPlayer::computerfindword(lists, QString(), QString(), {}, 22).found(), false);
    QCOMPARE(ComputerPlayer::computerfindword(lists, "QUICK", "sxxxx", {}, 22).found(), false);
}

static WordLists oneInMany()
{
    // 3000 words with S, one of them fitting "sssss" against SZZZZ.
    QStringList spelling;
    for (int i = 0; i < 3000; ++i)
        spelling << QStringLiteral("s%1").arg(i, 4, 10, QLatin1Char('0'));
    spelling << QStringLiteral("szzzz");
    return WordLists({"szzzz"}, spelling, {" ", "szzzz"});
}

void TestComputerPlayer::lowCountdownSearchesOnce()
{
    const WordLists lists = oneInMany();
    int misses = 0;
    for (int i = 0; i < 20; ++i) {
        const ComputerGuess pick = ComputerPlayer::computerfindword(lists, "SZZZZ", "sssss", {}, 4);
        QCOMPARE(pick.searches, 1);
        QVERIFY(pick.tries <= ComputerPlayer::kTriesPerSearch);
        if (!pick.found()) {
            ++misses;
            QCOMPARE(pick.tries, ComputerPlayer::kTriesPerSearch);
        }
    }
    // About 72% of single searches miss one word in 3001.
    QVERIFY(misses > 5);
}

void TestComputerPlayer::highCountdownSearchesAgain()
{
    const WordLists lists = oneInMany();
    bool searchedAgain = false;
    for (int i = 0; i < 20; ++i) {
        const ComputerGuess pick = ComputerPlayer::computerfindword(lists, "SZZZZ", "sssss", {}, 5);
        QCOMPARE(pick.guess, QStringLiteral("SZZZZ"));
        QVERIFY(pick.searches <= ComputerPlayer::kMaxSearches);
        searchedAgain = searchedAgain || pick.searches > 1;
    }
    QVERIFY(searchedAgain);
}

QTEST_GUILESS_MAIN(TestComputerPlayer)
#include "test_computerplayer.moc"
