// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "board/boardpictures.h"
#include "board/movescriptline.h"
#include "board/picturebox.h"
#include "board/pooltable.h"
#include "board/wordlistpanel.h"
#include "boardmodel/boardmodel.h"

#include <QTest>
#include <array>
#include <cmath>

using namespace brelvox;

using Pairs = QList<std::pair<int, int>>;

namespace {

// Ticks the table until nothing moves; fails the test past the limit.
int runUntilIdle(PoolTable &table, int limit = 5000)
{
    int ticks = 0;
    while (table.isAnimating()) {
        if (++ticks > limit)
            return -1;
        table.moveballs();
    }
    return ticks;
}

PictureBox *ballWidget(PoolTable &table, int n)
{
    return table.findChild<PictureBox *>(QStringLiteral("ball_%1").arg(n));
}

QPoint recordPos(const PoolTable &table, int n)
{
    return QPoint(table.ballRecord(n).left, table.ballRecord(n).top);
}

// A seat's rack as the model keeps it, e.g. "7+2+5".
QString rackText(const PoolTable &table, int seat)
{
    QStringList balls;
    for (int ball : table.model()->rack(seat))
        balls.append(QString::number(ball));
    return balls.join(u'+');
}

// Sets up with the wanted script: the first set-up takes script 2, the second script 1.
void setUpWith(PoolTable &table, int tag)
{
    table.setuptable();
    if (table.model()->scriptTag() != tag)
        table.setuptable();
}

} // namespace

class TestPoolTable : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        m_board = new QWidget;
        m_board->resize(732, 511);
        m_table = new PoolTable(m_board);
        m_sounds.clear();
        m_cueStates.clear();
        connect(m_table, &PoolTable::soundRequested, this, [this](const QString &name) {
            m_sounds.append(name);
            m_cueStates.append(m_table->ballRecord(0).state);
        });
    }
    void cleanup() { delete m_board; }

    void shippedScripts()
    {
        for (int tag : {1, 2}) {
            const QStringList lines = m_table->model()->script(tag);
            QCOMPARE(lines.size(), PoolTable::ScriptLines);
            for (const QString &line : lines)
                QVERIFY2(parseMoveScriptLine(line), qPrintable(line));
        }
    }

    void startUpLayout()
    {
        QCOMPARE(m_table->objectName(), QStringLiteral("FlatPanel1"));
        QCOMPARE(m_table->size(), QSize(473, 257));
        auto *picture = m_table->findChild<PictureBox *>(QStringLiteral("image_table"));
        QVERIFY(picture);
        QCOMPARE(picture->geometry(), QRect(1, 1, 470, 255));
        QCOMPARE(m_table->model()->scriptTag(), 1);
        QVERIFY(!ballWidget(*m_table, 0)->isHidden());
        for (int n = 1; n <= 9; ++n)
            QVERIFY(ballWidget(*m_table, n)->isHidden());
        QVERIFY(!m_table->isAnimating());
        QCOMPARE(m_board->findChild<PictureBox *>(QStringLiteral("image_balls3"))->pos(),
                 QPoint(10, 403));
        QCOMPARE(m_board->findChild<FlatPanel *>(QStringLiteral("holder5"))->geometry(),
                 QRect(5, 476, 225, 30));
    }

    void scriptAlternation_data()
    {
        QTest::addColumn<int>("setups");
        QTest::addColumn<int>("tag");
        QTest::addColumn<QPoint>("breakTarget");   // (left, top)
        QTest::addColumn<QPoint>("breakSecond");
        QTest::addColumn<QPoint>("ball1Target");
        QTest::newRow("first") << 1 << 2 << QPoint(157, 102) << QPoint(341, 174) << QPoint(393, 126);
        QTest::newRow("second") << 2 << 1 << QPoint(155, 113) << QPoint(251, 169) << QPoint(345, 54);
        QTest::newRow("third") << 3 << 2 << QPoint(157, 102) << QPoint(341, 174) << QPoint(393, 126);
    }
    void scriptAlternation()
    {
        QFETCH(int, setups);
        QFETCH(int, tag);
        QFETCH(QPoint, breakTarget);
        QFETCH(QPoint, breakSecond);
        QFETCH(QPoint, ball1Target);
        for (int i = 0; i < setups; ++i) {
            m_table->setuptable();
            QCOMPARE(m_table->moveTick(), -20);
            QCOMPARE(m_table->model()->scriptStep(), 0);
            if (i + 1 < setups)
                QVERIFY(runUntilIdle(*m_table) > 0);
        }
        QCOMPARE(m_table->model()->scriptTag(), tag);
        const BallRecord &cue = m_table->ballRecord(0);
        QCOMPARE(cue.state, QChar(u's'));
        QCOMPARE(QPoint(cue.targetLeft, cue.targetTop), breakTarget);
        QCOMPARE(QPoint(cue.secondLeft, cue.secondTop), breakSecond);
        QCOMPARE(recordPos(*m_table, 0), QPoint(337, 102));
        for (int n = 0; n <= 9; ++n) {
            QVERIFY(!ballWidget(*m_table, n)->isHidden());
            QCOMPARE(ballWidget(*m_table, n)->pos(), recordPos(*m_table, n));
        }
        QCOMPARE(recordPos(*m_table, 9), QPoint(100, 112));

        QVERIFY(runUntilIdle(*m_table) > 0);
        const BallRecord &one = m_table->ballRecord(1);
        QCOMPARE(QPoint(one.targetLeft, one.targetTop), ball1Target);
        QCOMPARE(m_table->model()->scriptStep(), 8);
    }

    void stackingOrder()
    {
        m_table->setuptable();
        QStringList order;
        for (QObject *child : m_table->children()) {
            if (child->objectName().startsWith(QLatin1String("ball_")))
                order.append(child->objectName().mid(5));
        }
        QCOMPARE(order.join(u','), QStringLiteral("8,6,7,4,9,5,2,3,1,0"));
    }

    void breakSounds_data()
    {
        QTest::addColumn<int>("tag");
        QTest::addColumn<int>("total");
        // Script 2 has three two-leg balls, each sounding at the end of its first leg.
        QTest::newRow("listbox_moves2") << 2 << 11;
        QTest::newRow("listbox_moves1") << 1 << 8;
    }
    void breakSounds()
    {
        QFETCH(int, tag);
        QFETCH(int, total);
        setUpWith(*m_table, tag);
        m_sounds.clear();

        // The first step comes 27 ticks after the set-up.
        for (int tick = 1; tick <= 26; ++tick) {
            m_table->moveballs();
            QCOMPARE(recordPos(*m_table, 0), QPoint(337, 102));
        }
        m_table->moveballs();
        QVERIFY(recordPos(*m_table, 0) != QPoint(337, 102));

        int ticks = 27;
        while (m_sounds.isEmpty() && ticks < 2000) {
            m_table->moveballs();
            ++ticks;
        }
        // Eight while the cue ball hits the rack; a two-leg ball whose first leg is shorter
        // than a step may already sound in the same pass.
        QCOMPARE(m_cueStates.left(8), QStringLiteral("ssssssss"));
        QCOMPARE(m_cueStates.count(u's'), 8);
        QCOMPARE(m_table->moveTick(), 0);
        QCOMPARE(m_table->model()->scriptStep(), 8);
        QCOMPARE(m_table->ballRecord(0).state, QChar(u'm'));
        // Balls behind the cue ball in the pass start at once; ball 1 has made its step.
        QVERIFY(recordPos(*m_table, 1) != QPoint(137, 110));

        QVERIFY(runUntilIdle(*m_table) > 0);
        QCOMPARE(m_sounds.size(), total);
        QCOMPARE(m_sounds, QStringList(total, QStringLiteral("ballhit")));
        for (int n = 0; n <= 9; ++n) {
            const BallRecord &ball = m_table->ballRecord(n);
            QCOMPARE(ball.state, QChar(u'n'));
            QVERIFY(!ballWidget(*m_table, n)->isHidden());
            if (ball.targetLeft == 0 && ball.targetTop == 0)
                continue;   // no line for this ball (8 in script 1): it stays racked
            QVERIFY(std::abs(ball.targetLeft - ball.left) < 58);
            QVERIFY(std::abs(ball.targetTop - ball.top) < 58);
        }
    }

    void firstShotAfterMoves1Break()
    {
        setUpWith(*m_table, 1);
        QVERIFY(runUntilIdle(*m_table) > 0);
        m_sounds.clear();
        const QPoint cueBefore = recordPos(*m_table, 0);
        const QPoint oneBefore = recordPos(*m_table, 1);

        m_table->fireShot();
        QCOMPARE(m_table->moveTick(), -30);
        QCOMPARE(m_table->model()->scriptStep(), 9);
        const BallRecord &cue = m_table->ballRecord(0);
        QCOMPARE(cue.state, QChar(u'b'));
        QCOMPARE(QPoint(cue.targetLeft, cue.targetTop), QPoint(328, 65));
        for (int tick = 1; tick <= 36; ++tick) {
            m_table->moveballs();
            QCOMPARE(recordPos(*m_table, 0), cueBefore);
        }
        m_table->moveballs();
        QVERIFY(recordPos(*m_table, 0) != cueBefore);

        int ticks = 0;
        while (m_table->ballRecord(1).state != u'p' && ++ticks < 2000)
            m_table->moveballs();
        const BallRecord &one = m_table->ballRecord(1);
        QCOMPARE(QPoint(one.targetLeft, one.targetTop), QPoint(441, 6));
        QCOMPARE(m_table->model()->scriptStep(), 10);
        QVERIFY(recordPos(*m_table, 1) != oneBefore);
        QCOMPARE(cue.state, QChar(u'm'));
        QCOMPARE(QPoint(cue.targetLeft, cue.targetTop), QPoint(264, 89));
        QCOMPARE(m_sounds.size(), 1);

        QVERIFY(runUntilIdle(*m_table) > 0);
        QVERIFY(ballWidget(*m_table, 1)->isHidden());
        QCOMPARE(m_table->ballRecord(1).state, QChar(u'n'));
        QCOMPARE(m_table->model()->scriptStep(), 10);
        for (int n = 2; n <= 9; ++n)
            QVERIFY(!ballWidget(*m_table, n)->isHidden());
        QCOMPARE(m_sounds.size(), 1);
    }

    void catchUp_data()
    {
        QTest::addColumn<int>("tag");
        QTest::addColumn<int>("catchUp");
        QTest::addColumn<int>("pocketed");   // balls 1..pocketed go down on the first shot
        QTest::newRow("moves2, count 4") << 2 << 4 << 4;
        QTest::newRow("moves1, count 4") << 1 << 4 << 4;
        QTest::newRow("count 0") << 2 << 0 << 1;
        QTest::newRow("count 9") << 1 << 9 << 9;
        QTest::newRow("count 10 chains nothing") << 2 << 10 << 1;
    }
    void catchUp()
    {
        QFETCH(int, tag);
        QFETCH(int, catchUp);
        QFETCH(int, pocketed);
        if (tag == 1) {
            m_table->setuptable();
            QVERIFY(runUntilIdle(*m_table) > 0);
        }
        m_table->setCatchUpCount(catchUp);
        m_table->setuptable();
        QCOMPARE(m_table->model()->scriptTag(), tag);
        QVERIFY(runUntilIdle(*m_table) > 0);

        m_table->fireShot();
        QVERIFY(runUntilIdle(*m_table) > 0);
        for (int n = 1; n <= 9; ++n)
            QCOMPARE(ballWidget(*m_table, n)->isHidden(), n <= pocketed);
        QCOMPARE(m_table->model()->scriptStep(), 8 + 2 * pocketed);

        if (pocketed < 9) {
            // From then on one ball a shot.
            m_table->fireShot();
            QVERIFY(runUntilIdle(*m_table) > 0);
            for (int n = 1; n <= 9; ++n)
                QCOMPARE(ballWidget(*m_table, n)->isHidden(), n <= pocketed + 1);
        } else {
            // The script is spent: a further shot loads nothing.
            m_table->fireShot();
            QVERIFY(!m_table->isAnimating());
        }
    }

    void lineLoadingNothing_data()
    {
        QTest::addColumn<QString>("line");
        QTest::newRow("**") << QStringLiteral("**");
        QTest::newRow("empty") << QString();
        QTest::newRow("malformed") << QStringLiteral("b0:65,328,89");
    }
    void lineLoadingNothing()
    {
        QFETCH(QString, line);
        QStringList script = m_table->model()->script(2);
        script[9] = line;
        m_table->model()->setScript(2, script);
        m_table->setuptable();
        QVERIFY(runUntilIdle(*m_table) > 0);
        m_sounds.clear();
        QList<QPoint> before;
        for (int n = 0; n <= 9; ++n)
            before.append(recordPos(*m_table, n));

        m_table->fireShot();
        QCOMPARE(m_table->model()->scriptStep(), 9);
        QVERIFY(!m_table->isAnimating());
        for (int tick = 0; tick < 100; ++tick)
            m_table->moveballs();
        for (int n = 0; n <= 9; ++n)
            QCOMPARE(recordPos(*m_table, n), before.at(n));
        QVERIFY(m_sounds.isEmpty());

        // The next shot plays the following line: ball 1 goes down straight away.
        m_table->fireShot();
        QCOMPARE(m_table->model()->scriptStep(), 10);
        QVERIFY(runUntilIdle(*m_table) > 0);
        QVERIFY(ballWidget(*m_table, 1)->isHidden());
        QCOMPARE(recordPos(*m_table, 0), before.at(0));
    }

    void targetAtPosition_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("ball");
        QTest::addColumn<bool>("hidden");
        QTest::addColumn<int>("sounds");
        QTest::newRow("pocket") << QStringLiteral("p1:110,137,0,0,") << 1 << true << 0;
        QTest::newRow("move") << QStringLiteral("m3:120,119,0,0,") << 3 << false << 0;
        QTest::newRow("two legs, second stays") << QStringLiteral("b5:131,100,0,0,") << 5 << false << 1;
        QTest::newRow("two legs, second goes")
            << QStringLiteral("b0:102,337,150,300,") << 0 << false << 1;
    }
    void targetAtPosition()
    {
        QFETCH(QString, line);
        QFETCH(int, ball);
        QFETCH(bool, hidden);
        QFETCH(int, sounds);
        QStringList script = m_table->model()->script(2);
        script[0] = line;
        m_table->model()->setScript(2, script);
        m_table->setuptable();
        const QPoint start = recordPos(*m_table, ball);
        QVERIFY(m_table->isAnimating());
        for (int tick = 0; tick < 27; ++tick)
            m_table->moveballs();
        QCOMPARE(recordPos(*m_table, ball), start);
        QVERIFY(runUntilIdle(*m_table) >= 0);
        QCOMPARE(ballWidget(*m_table, ball)->isHidden(), hidden);
        QCOMPARE(m_table->ballRecord(ball).state, QChar(u'n'));
        QCOMPARE(m_sounds.size(), sounds);
    }

    void glideBetweenSteps()
    {
        m_table->setuptable();
        for (int tick = 0; tick < 27; ++tick)
            m_table->moveballs();
        PictureBox *cue = ballWidget(*m_table, 0);
        QCOMPARE(cue->pos(), recordPos(*m_table, 0));
        const BallRecord &record = m_table->ballRecord(0);
        const QPoint next(record.left + record.stepLeft, record.top + record.stepTop);
        int lastX = cue->x();
        for (int tick = 1; tick < PoolTable::TicksPerStep; ++tick) {
            m_table->moveballs();
            QVERIFY(cue->x() < lastX);
            QVERIFY(lastX - cue->x() <= 10);
            lastX = cue->x();
        }
        // The step's own tick makes the last even share.
        QVERIFY(cue->x() - next.x() <= 10);
        m_table->moveballs();
        QCOMPARE(m_table->moveTick(), 0);
        QCOMPARE(recordPos(*m_table, 0), next);
        QCOMPARE(cue->pos(), next);
    }

    // A whole game of each script: the break and nine shots, tick by tick, with the table
    // where the main window puts it and the word list at its opening place.
    void wholeGameRunsSmoothAndClearOfTheWordList_data()
    {
        QTest::addColumn<int>("tag");
        QTest::newRow("listbox_moves1") << 1;
        QTest::newRow("listbox_moves2") << 2;
    }
    void wholeGameRunsSmoothAndClearOfTheWordList()
    {
        QFETCH(int, tag);
        m_table->move(252, 4);
        auto *words = new WordListPanel(m_board);
        const QRect list = words->geometry();
        QVERIFY(m_board->rect().contains(list));
        setUpWith(*m_table, tag);

        std::array<QPoint, 10> last;
        for (int n = 0; n <= 9; ++n)
            last[n] = ballWidget(*m_table, n)->pos();
        double longest = 0;
        auto tick = [&] {
            m_table->moveballs();
            for (int n = 0; n <= 9; ++n) {
                PictureBox *ball = ballWidget(*m_table, n);
                if (ball->isHidden())
                    continue;
                const QPoint step = ball->pos() - last[n];
                longest = std::max(longest, std::hypot(step.x(), step.y()));
                last[n] = ball->pos();
                const QRect onBoard(ball->mapTo(m_board, QPoint(0, 0)), ball->size());
                QVERIFY2(!onBoard.intersects(list), qPrintable(QStringLiteral("ball %1 at %2,%3 under the word list")
                                                                   .arg(n).arg(onBoard.x()).arg(onBoard.y())));
            }
        };
        while (m_table->isAnimating())
            tick();
        for (int shot = 1; shot <= 9; ++shot) {
            m_table->fireShot();
            // The pause before the shot's first pass stays still up to its last interval.
            for (int t = 0; t < 30 - PoolTable::TicksPerStep + 1; ++t) {
                const auto before = last;
                tick();
                QCOMPARE(last, before);
            }
            for (int t = 0; t < 3000 && m_table->isAnimating(); ++t)
                tick();
            QVERIFY(!m_table->isAnimating());
            QVERIFY(ballWidget(*m_table, shot)->isHidden());
        }
        QVERIFY2(longest <= 20, qPrintable(QString::number(longest)));
    }

    void ballowners_data()
    {
        QTest::addColumn<Pairs>("pairs");
        QTest::addColumn<QStringList>("hints");   // seats 1..5
        QTest::addColumn<int>("catchUp");
        QTest::newRow("example")
            << Pairs{{1, 2}, {2, 2}, {3, 1}, {4, 0}, {5, 0}, {6, 0}, {7, 0}, {8, 0}, {9, 0}}
            << QStringList{"3", "1+2", "", "", ""} << 4;
        QTest::newRow("none pocketed") << Pairs{{1, 0}, {2, 0}, {9, 0}}
                                       << QStringList{"", "", "", "", ""} << 0;
        QTest::newRow("seats outside 1..5")
            << Pairs{{1, 6}, {2, -1}, {3, 5}, {4, 9}, {5, 100}}
            << QStringList{"", "", "", "", "3"} << 4;
        QTest::newRow("balls outside 1..9")
            << Pairs{{1, 1}, {0, 2}, {12, 3}, {2147483647, 4}}
            << QStringList{"1", "", "", "", ""} << 2;
    }
    void ballowners()
    {
        QFETCH(Pairs, pairs);
        QFETCH(QStringList, hints);
        QFETCH(int, catchUp);
        m_table->ballowners(pairs);
        for (int seat = 1; seat <= 5; ++seat) {
            PictureBox *rack = m_table->rack(seat);
            const QString hint = hints.at(seat - 1);
            const int balls = hint.isEmpty() ? 0 : int(hint.count(u'+')) + 1;
            QCOMPARE(rackText(*m_table, seat), hint);
            QCOMPARE(rack->width(), 24 * balls);
        }
        QCOMPARE(m_table->catchUpCount(), catchUp);
        QCOMPARE(m_table->model()->scriptTag(), 2);
        QCOMPARE(m_table->ballRecord(0).state, QChar(u's'));
    }

    void ballownersThenShot()
    {
        // Balls 1..3 are down: the next right answer replays them and pockets ball 4.
        m_table->ballowners({{1, 2}, {2, 2}, {3, 1}, {4, 0}});
        QVERIFY(runUntilIdle(*m_table) > 0);
        m_table->fireShot();
        QVERIFY(runUntilIdle(*m_table) > 0);
        for (int n = 1; n <= 9; ++n)
            QCOMPARE(ballWidget(*m_table, n)->isHidden(), n <= 4);
    }

    void theyown_data()
    {
        QTest::addColumn<Pairs>("pairs");
        QTest::addColumn<int>("ownSeat");
        QTest::addColumn<QStringList>("hints");
        QTest::addColumn<int>("catchUp");   // -1: the table is not set up
        QTest::newRow("other seat") << Pairs{{3, 3}} << 1 << QStringList{"", "", "1+2+3", "", ""} << -1;
        QTest::newRow("own seat") << Pairs{{3, 3}} << 3 << QStringList{"", "", "1+2+3", "", ""} << 4;
        QTest::newRow("several") << Pairs{{1, 2}, {2, 3}, {4, 0}} << 2
                                 << QStringList{"1+2", "1+2+3", "", "", ""} << 4;
        QTest::newRow("count beyond nine")
            << Pairs{{5, 1000000000}} << 5
            << QStringList{"", "", "", "", "1+2+3+4+5+6+7+8+9"} << 10;
        QTest::newRow("count below zero") << Pairs{{2, -5}} << 2 << QStringList{"", "", "", "", ""} << 1;
        QTest::newRow("seat outside 1..5") << Pairs{{6, 3}, {0, 2}} << 1
                                           << QStringList{"", "", "", "", ""} << -1;
    }
    void theyown()
    {
        QFETCH(Pairs, pairs);
        QFETCH(int, ownSeat);
        QFETCH(QStringList, hints);
        QFETCH(int, catchUp);
        m_table->theyown(pairs, ownSeat);
        for (int seat = 1; seat <= 5; ++seat) {
            const QString hint = hints.at(seat - 1);
            const int balls = hint.isEmpty() ? 0 : int(hint.count(u'+')) + 1;
            QCOMPARE(rackText(*m_table, seat), hint);
            QCOMPARE(m_table->rack(seat)->width(), 24 * balls);
        }
        if (catchUp < 0) {
            QCOMPARE(m_table->model()->scriptTag(), 1);
            QCOMPARE(m_table->model()->scriptStep(), -1);
        } else {
            QCOMPARE(m_table->model()->scriptTag(), 2);
            QCOMPARE(m_table->catchUpCount(), catchUp);
        }
    }

    void theyownOwnSeatCatchesUp()
    {
        m_table->theyown({{1, 3}}, 1);
        QVERIFY(runUntilIdle(*m_table) > 0);
        m_table->fireShot();
        QVERIFY(runUntilIdle(*m_table) > 0);
        for (int n = 1; n <= 9; ++n)
            QCOMPARE(ballWidget(*m_table, n)->isHidden(), n <= 4);
    }

    void updatescoresSeats_data()
    {
        QTest::addColumn<int>("seat");
        QTest::addColumn<int>("ball");
        QTest::addColumn<bool>("counted");
        QTest::newRow("seat 1") << 1 << 7 << true;
        QTest::newRow("seat 5") << 5 << 9 << true;
        QTest::newRow("seat 0") << 0 << 3 << false;
        QTest::newRow("seat 6") << 6 << 3 << false;
        QTest::newRow("seat -1") << -1 << 3 << false;
        QTest::newRow("ball 0") << 2 << 0 << false;
        QTest::newRow("ball 10") << 2 << 10 << false;
    }
    void updatescoresSeats()
    {
        QFETCH(int, seat);
        QFETCH(int, ball);
        QFETCH(bool, counted);
        m_table->updatescores(seat, ball);
        int total = 0;
        for (int s = 1; s <= 5; ++s)
            total += int(m_table->model()->rack(s).size());
        QCOMPARE(total, counted ? 1 : 0);
        QCOMPARE(m_table->rack(seat) != nullptr, seat >= 1 && seat <= 5);
        if (counted)
            QCOMPARE(rackText(*m_table, seat), QString::number(ball));
    }

    void rackPicture()
    {
        m_table->updatescores(2, 7);
        m_table->updatescores(2, 2);
        m_table->updatescores(2, 5);
        PictureBox *rack = m_table->rack(2);
        QCOMPARE(rackText(*m_table, 2), QStringLiteral("7+2+5"));
        QCOMPARE(rack->size(), QSize(72, 24));
        const QImage image = rack->pixmap().toImage();
        const qreal ratio = rack->pixmap().devicePixelRatio();
        const QList<int> order{7, 2, 5};
        for (int k = 0; k < 3; ++k) {
            const QColor got = image.pixelColor(QPointF((24 * k + 19) * ratio, 12 * ratio).toPoint());
            const QColor want = BoardPictures::ballColor(order.at(k));
            QVERIFY2(std::abs(got.hsvHue() - want.hsvHue()) < 20, qPrintable(QString::number(k)));
        }

        m_table->clearRacks();
        for (int s = 1; s <= 5; ++s) {
            QCOMPARE(rackText(*m_table, s), QString());
            QCOMPARE(m_table->rack(s)->width(), 0);
            QVERIFY(m_table->rack(s)->pixmap().isNull());
        }
        m_table->updatescores(2, 4);
        QCOMPARE(rackText(*m_table, 2), QStringLiteral("4"));
        // A host that repeats finds without end gets a rack that stops growing.
        for (int k = 0; k < 2000; ++k)
            m_table->updatescores(3, 1);
        QCOMPARE(m_table->model()->rack(3).size(), 30);
        QCOMPARE(m_table->rack(3)->width(), 24 * 30);
    }

    void parseLine_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QString>("fields");   // state ball: top,left,top,left
        QTest::newRow("break") << "s0:113,155,169,251," << true << "s0:113,155,169,251";
        QTest::newRow("pocket") << "p9:232,220,0,0," << true << "p9:232,220,0,0";
        QTest::newRow("any separator") << "m7;1,2,3,4," << true << "m7:1,2,3,4";
        QTest::newRow("negative") << "m1:-5,20,0,0," << true << "m1:-5,20,0,0";
        QTest::newRow("stars") << "**" << false << "";
        QTest::newRow("empty") << "" << false << "";
        QTest::newRow("three numbers") << "m1:1,2,3," << false << "";
        QTest::newRow("no last comma") << "m1:1,2,3,4" << false << "";
        QTest::newRow("five numbers") << "m1:1,2,3,4,5," << false << "";
        QTest::newRow("letter in number") << "m1:1,2x,3,4," << false << "";
        QTest::newRow("ball not a digit") << "mA:1,2,3,4," << false << "";
        QTest::newRow("state not a letter") << "11:1,2,3,4," << false << "";
        QTest::newRow("number too big") << "m1:99999999999,2,3,4," << false << "";
    }
    void parseLine()
    {
        QFETCH(QString, line);
        QFETCH(bool, valid);
        QFETCH(QString, fields);
        const std::optional<MoveScriptLine> parsed = parseMoveScriptLine(line);
        QCOMPARE(parsed.has_value(), valid);
        if (parsed) {
            QCOMPARE(QStringLiteral("%1%2:%3,%4,%5,%6")
                         .arg(parsed->state)
                         .arg(parsed->ball)
                         .arg(parsed->targetTop)
                         .arg(parsed->targetLeft)
                         .arg(parsed->secondTop)
                         .arg(parsed->secondLeft),
                     fields);
        }
    }

private:
    QWidget *m_board = nullptr;
    PoolTable *m_table = nullptr;
    QStringList m_sounds;
    QString m_cueStates;   // the cue ball's state at each sound
};

QTEST_MAIN(TestPoolTable)
#include "test_pooltable.moc"
