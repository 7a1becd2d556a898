// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "core/randomsource.h"
#include "host/rules/wordlists.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

using namespace brelvox;

class TestWordLists : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { RandomSource::instance().seed(4711); }
    void shippedEntries_data();
    void shippedEntries();
    void shippedShape();
    void excludedNeverDrawn();
    void lookup_data();
    void lookup();
    void refillAppendsAllButFirstBackupEntry();
    void noRepeatBeforeRefill();
    void refillNeverDrawsTheBlankEntry();
    void candidatesByFirstLetter();
};

void TestWordLists::shippedEntries_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("minimum");
    QTest::newRow("answers") << ":/words/answers.txt" << 2000;
    QTest::newRow("spelling") << ":/words/spelling.txt" << 8000;
}

void TestWordLists::shippedEntries()
{
    QFETCH(QString, path);
    QFETCH(int, minimum);
    WordLists::shipped(); // registers the embedded lists
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> entries = file.readAll().trimmed().split('\n');
    QVERIFY(entries.size() >= minimum);
    const QRegularExpression five(QStringLiteral("^[a-z]{5}$"));
    // Matches every Roman numeral and no English word of five letters.
    const QRegularExpression roman(QStringLiteral("^m{0,3}(cm|cd|d?c{0,3})(xc|xl|l?x{0,3})(ix|iv|v?i{0,3})$"));
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const QString entry = QString::fromLatin1(entries[i]);
        QVERIFY2(five.match(entry).hasMatch(), qPrintable(entry));
        QVERIFY2(!roman.match(entry).hasMatch(), qPrintable(entry));
        // Alphabetical without repeats.
        if (i > 0)
            QVERIFY2(entries[i - 1] < entries[i], qPrintable(entry));
    }
}

void TestWordLists::shippedShape()
{
    const WordLists lists = WordLists::shipped();
    const QStringList &answers = lists.answers();
    QVERIFY(answers.size() >= 2000);
    for (const QString &answer : answers) {
        // Otherwise the right guess would be refused as misspelled.
        QVERIFY2(lists.isWord(answer), qPrintable(answer));
    }
    QVERIFY(lists.spellingCount() > answers.size());
    QCOMPARE(lists.backup().size(), answers.size() + 1);
    QCOMPARE(lists.backup().mid(1), answers);
    QVERIFY(QRegularExpression(QStringLiteral("^[a-z]{5} $")).match(lists.backup().first()).hasMatch());
}

void TestWordLists::excludedNeverDrawn()
{
    QFile file(QStringLiteral(BRELVOX_WORDS_DIR "/exclude.txt"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QStringList excluded;
    for (const QByteArray &line : file.readAll().split('\n')) {
        if (!line.isEmpty() && !line.startsWith('#'))
            excluded << QString::fromLatin1(line);
    }
    QVERIFY(excluded.size() > 20);
    const WordLists lists = WordLists::shipped();
    const QSet<QString> answers(lists.answers().cbegin(), lists.answers().cend());
    for (const QString &word : excluded) {
        QVERIFY2(!answers.contains(word), qPrintable(word));
        QVERIFY2(!lists.backup().contains(word), qPrintable(word));
    }
}

void TestWordLists::lookup_data()
{
    QTest::addColumn<QString>("guess");
    QTest::addColumn<bool>("word");
    QTest::newRow("lower case") << "crane" << true;
    QTest::newRow("upper case") << "CRANE" << true;
    QTest::newRow("mixed case") << "CrAnE" << true;
    QTest::newRow("rare word") << "zowie" << true;
    QTest::newRow("new everyday word") << "emoji" << true;
    QTest::newRow("new everyday plural") << "memes" << true;
    QTest::newRow("variant plural") << "abaci" << true;
    QTest::newRow("British spelling") << "tyres" << true;
    QTest::newRow("Roman numeral") << "xviii" << false;
    QTest::newRow("offensive words stay valid guesses") << "bitch" << true;
    QTest::newRow("capitalised word, no answer, still a guess") << "china" << true;
    QTest::newRow("British word, no answer, still a guess") << "lorry" << true;
    QTest::newRow("trailing blank") << "crane " << false;
    QTest::newRow("four letters") << "cran" << false;
    QTest::newRow("six letters") << "cranes" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("not a word") << "qzxvj" << false;
    QTest::newRow("digits") << "12345" << false;
}

void TestWordLists::lookup()
{
    static const WordLists lists = WordLists::shipped();
    QFETCH(QString, guess);
    QFETCH(bool, word);
    QCOMPARE(lists.isWord(guess), word);
}

void TestWordLists::refillAppendsAllButFirstBackupEntry()
{
    WordLists small({QStringLiteral("delta")}, {QStringLiteral("alpha"), QStringLiteral("bravo")},
                    {QStringLiteral("alpha "), QStringLiteral("alpha"), QStringLiteral("bravo"), QStringLiteral("charl")});
    const QString drawn = small.drawWord();
    QVERIFY(QStringList({"DELTA", "ALPHA", "BRAVO", "CHARL"}).contains(drawn));
    QCOMPARE(small.answers().size(), 3);
    QVERIFY(!small.answers().contains(QStringLiteral("alpha ")));

    WordLists lists = WordLists::shipped();
    const qsizetype shipped = lists.answers().size();
    while (lists.answers().size() > 1)
        lists.drawWord();
    const QString last = lists.answers().first();
    const QString refillDraw = lists.drawWord();
    // Drawn from the remaining one plus every answer appended behind it.
    QStringList expected = QStringList{last} + lists.backup().mid(1);
    QVERIFY(expected.removeOne(refillDraw.toLower()));
    QCOMPARE(lists.answers().size(), shipped);
    QCOMPARE(lists.answers(), expected);
}

void TestWordLists::noRepeatBeforeRefill()
{
    WordLists lists = WordLists::shipped();
    const qsizetype shipped = lists.answers().size();
    QSet<QString> seen;
    for (qsizetype i = 0; i < shipped - 1; ++i) {
        const QString word = lists.drawWord();
        QCOMPARE(word, word.toUpper());
        QVERIFY2(!seen.contains(word), qPrintable(word));
        seen.insert(word);
    }
    QCOMPARE(lists.answers().size(), 1);
}

void TestWordLists::refillNeverDrawsTheBlankEntry()
{
    WordLists lists({}, {}, {QStringLiteral("abcde "), QStringLiteral("fghij"), QStringLiteral("klmno")});
    for (int i = 0; i < 50; ++i) {
        const QString word = lists.drawWord();
        QCOMPARE(word.size(), 5);
        QVERIFY(word == QLatin1String("FGHIJ") || word == QLatin1String("KLMNO"));
    }
    WordLists empty({}, {}, {});
    QCOMPARE(empty.drawWord(), QString());
    QCOMPARE(empty.randomCandidate(), QString());
}

void TestWordLists::candidatesByFirstLetter()
{
    const WordLists lists = WordLists::shipped();
    int total = 0;
    for (char c = 'A'; c <= 'Z'; ++c) {
        const QStringList &words = lists.startingWith(QLatin1Char(c));
        QVERIFY(!words.isEmpty());
        for (const QString &w : words)
            QCOMPARE(w.at(0), QLatin1Char(c));
        total += int(words.size());
    }
    QCOMPARE(total, lists.spellingCount());
    QCOMPARE(lists.startingWith(QLatin1Char('s')).size(), lists.startingWith(QLatin1Char('S')).size());
    QVERIFY(lists.startingWith(QLatin1Char('1')).isEmpty());
    for (int i = 0; i < 100; ++i)
        QVERIFY(lists.isWord(lists.randomCandidate()));
}

QTEST_GUILESS_MAIN(TestWordLists)
#include "test_wordlists.moc"
