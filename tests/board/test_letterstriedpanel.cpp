// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "board/gridletter.h"
#include "board/letterstriedpanel.h"
#include "boardmodel/boardmodel.h"
#include "widgets/accessible.h"

#include <QAccessible>
#include <QTest>

using namespace brelvox;

// The strip of tried letters, fed through the board model as the grid is.
class TestLettersTriedPanel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { accessible::install(); }

    // Each row: the guess and its marks, s the right place (the round's ball, 3), c elsewhere
    // (the cue ball), . none; a row starting "!" is a word that is not one, "~" a missed row.
    void bestMark_data()
    {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<bool>("newWord");
        QTest::addColumn<QChar>("letter");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("ball");
        const QChar r(u'R');
        QTest::newRow("right place beats an earlier elsewhere")
            << QStringList{"ROAST c....", "RAVEN s...."} << false << r << "Letter R: right place" << 3;
        QTest::newRow("right place kept over a later elsewhere")
            << QStringList{"RAVEN s....", "RIDER ....c"} << false << r << "Letter R: right place" << 3;
        QTest::newRow("elsewhere beats absent in the same row")
            << QStringList{"TEETH .c..."} << false << QChar(u'E') << "Letter E: elsewhere in the word" << 0;
        QTest::newRow("absent") << QStringList{"ROAST c...."} << false << QChar(u'O') << "Letter O: not in the word" << -1;
        QTest::newRow("untried") << QStringList{"ROAST c...."} << false << QChar(u'Q') << "Letter Q: not tried" << -1;
        QTest::newRow("lower case asks the same") << QStringList{"ROAST c...."} << false << QChar(u'r')
                                                  << "Letter R: elsewhere in the word" << 0;
        QTest::newRow("a word that is not one tells nothing")
            << QStringList{"!ZZYZX ....."} << false << QChar(u'Z') << "Letter Z: not tried" << -1;
        QTest::newRow("a missed row tells nothing")
            << QStringList{"~OOOOO ....."} << false << QChar(u'O') << "Letter O: not tried" << -1;
        QTest::newRow("a row not judged yet tells nothing")
            << QStringList{"B ....."} << false << QChar(u'B') << "Letter B: not tried" << -1;
        QTest::newRow("a new word clears")
            << QStringList{"RAVEN s...."} << true << r << "Letter R: not tried" << -1;
    }
    void bestMark()
    {
        QFETCH(QStringList, rows);
        QFETCH(bool, newWord);
        QFETCH(QChar, letter);
        QFETCH(QString, name);
        QFETCH(int, ball);
        QWidget board;
        BoardModel model;
        LettersTriedPanel panel(&board, model);
        model.setObjectBall(3);
        for (int row = 1; row <= rows.size(); ++row) {
            QString word = rows[row - 1].section(u' ', 0, 0);
            const QString marks = rows[row - 1].section(u' ', 1, 1);
            BoardModel::Shade shade = BoardModel::Shade::Played;
            if (word.startsWith(u'!') || word.startsWith(u'~')) {
                shade = word.startsWith(u'!') ? BoardModel::Shade::Rejected : BoardModel::Shade::Missed;
                word.remove(0, 1);
            }
            for (int c = 1; c <= word.size(); ++c) {
                if (marks.at(c - 1) != u'.')
                    model.setMark(row, c, marks.at(c - 1) == u's' ? 3 : 0);
                model.setLetter(row, c, word.mid(c - 1, 1));
                model.setShade(row, c, shade);
            }
        }
        if (newWord) {
            model.clearGrid();
            model.setObjectBall(4);
        }
        GridLetter *cell = panel.letter(letter);
        QVERIFY(cell);
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(cell);
        QVERIFY(iface);
        QCOMPARE(iface->text(QAccessible::Name), name);
        QCOMPARE(cell->mark(), ball);
        QCOMPARE(panel.best(u'?'), BoardModel::Verdict::None);
    }
};

QTEST_MAIN(TestLettersTriedPanel)
#include "test_letterstriedpanel.moc"
