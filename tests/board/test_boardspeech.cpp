// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "board/boardspeech.h"
#include "board/letterboard.h"
#include "board/picturebox.h"
#include "board/pooltable.h"
#include "boardmodel/boardmodel.h"
#include "support/standinboard.h"
#include "widgets/accessible.h"
#include "widgets/announcer.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

using namespace brelvox;

// What a screen reader finds on the board and hears during a round, read through the
// accessibility interfaces the platform bridge reads.

namespace {

const QStringList SeatNames = {QStringLiteral("Ann"), QStringLiteral("Bob"), QStringLiteral("Cid"),
                               QStringLiteral("<Waiting>"), QStringLiteral("<Waiting>")};

QString nameOf(QObject *o)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(o);
    return iface ? iface->text(QAccessible::Name) : QStringLiteral("<none>");
}

// Every name in the tree below o, depth first.
void collectNames(QAccessibleInterface *iface, QStringList &names, QList<QObject *> &objects)
{
    for (int i = 0; i < iface->childCount(); ++i) {
        QAccessibleInterface *child = iface->child(i);
        if (!child)
            continue;
        names.append(child->text(QAccessible::Name));
        objects.append(child->object());
        collectNames(child, names, objects);
    }
}

} // namespace

class TestBoardSpeech : public QObject
{
    Q_OBJECT
    QWidget *m_board = nullptr;
    LetterBoard *m_letters = nullptr;
    PoolTable *m_table = nullptr;
    Announcer *m_announcer = nullptr;
    ClientState m_state;
    QStringList m_heard;

    void openTurn(int own, int turn)
    {
        m_state.ownSeat = own;
        m_letters->loadball(QStringLiteral("4+H+"));
        m_letters->getnextplayer(QStringLiteral("%1+1+").arg(turn));
        m_announcer->flush();
        m_heard.clear();
    }

private Q_SLOTS:
    void initTestCase()
    {
        accessible::install();
    }

    void init()
    {
        m_state = ClientState();
        m_state.loggedIn = true;
        for (int seat = 1; seat <= 5; ++seat)
            m_state.seatNames[seat - 1] = SeatNames.value(seat - 1);
        m_board = support::standInBoard(SeatNames);
        m_table = new PoolTable(m_board);
        m_letters = new LetterBoard(m_board, nullptr, m_state, *m_table->model(), m_table, {}, m_board);
        m_letters->timer2()->stop();
        m_announcer = new Announcer(m_board);
        new BoardSpeech(m_board, m_letters, m_table, m_state, m_announcer, m_board);
        connect(m_announcer, &Announcer::announced, this, [this](const QString &text) { m_heard.append(text); });
        m_heard.clear();
        m_board->show();
    }

    void cleanup()
    {
        delete m_board;
        m_board = nullptr;
    }

    void judgedRowAsRead_data()
    {
        QTest::addColumn<QString>("message"); // what lands in row 2
        QTest::addColumn<QStringList>("names");
        QTest::newRow("marks") << QStringLiteral("yourletters:1+t+2+sxcxs+HOUSE+")
                               << QStringList{"Row 2, letter 1: H, right place", "Row 2, letter 2: O, not in the word",
                                              "Row 2, letter 3: U, elsewhere in the word",
                                              "Row 2, letter 4: S, not in the word", "Row 2, letter 5: E, right place"};
        QTest::newRow("not a word") << QStringLiteral("notvalid:1+t+HXXXX+2+")
                                    << QStringList{"Row 2, letter 1: H, not a word", "Row 2, letter 2: X, not a word",
                                                   "Row 2, letter 3: X, not a word", "Row 2, letter 4: X, not a word",
                                                   "Row 2, letter 5: X, not a word"};
        QTest::newRow("time up") << QStringLiteral("timeup:2+")
                                 << QStringList{"Row 2, letter 1: no guess", "Row 2, letter 2: no guess",
                                                "Row 2, letter 3: no guess", "Row 2, letter 4: no guess",
                                                "Row 2, letter 5: no guess"};
    }

    // The grid as a reader walks it: each cell says its row, letter and mark; the balls
    // behind the letters are not read a second time.
    void judgedRowAsRead()
    {
        QFETCH(QString, message);
        QFETCH(QStringList, names);
        openTurn(1, 1);
        const QString args = message.section(u':', 1);
        if (message.startsWith(QLatin1String("yourletters")))
            m_letters->yourletters(args);
        else if (message.startsWith(QLatin1String("notvalid")))
            m_letters->notvalid(args);
        else
            m_letters->timeup(args);

        QStringList tree;
        QList<QObject *> objects;
        collectNames(QAccessible::queryAccessibleInterface(m_letters->panel()), tree, objects);
        for (const QString &name : names)
            QVERIFY2(tree.contains(name), qPrintable(name + QStringLiteral(" not in ") + tree.join(u'|')));
        QCOMPARE(tree.filter(QStringLiteral("Row 1, letter 1: H")).size(), 1);
        QVERIFY(!objects.contains(m_letters->slot(2, 1)));
        for (int c = 1; c <= 5; ++c)
            QVERIFY(tree.contains(QStringLiteral("Guess, letter %1").arg(c)));
    }

    void seatPiecesSayWhoseAndWhat()
    {
        openTurn(2, 3);
        m_letters->playerscores(QStringLiteral("1+7+2+1000"));
        m_letters->submitted(QStringLiteral("3+"));
        m_letters->model().setWatching(2, true);
        m_table->updatescores(1, 4);
        m_table->updatescores(1, 9);
        const QList<std::pair<QObject *, QString>> expected = {
            {m_letters->score(1), QStringLiteral("Score of Ann: 7")},
            {m_letters->score(2), QStringLiteral("Score of Bob: none")},
            {m_letters->chalk(3), QStringLiteral("Cid has guessed")},
            {m_letters->eyes(2), QStringLiteral("Bob is just watching")},
            {m_table->rack(1), QStringLiteral("Balls of Ann: 4, 9")},
            {m_table->rack(2), QStringLiteral("Balls of Bob: none")},
            {m_letters->turnMarker(), QStringLiteral("Turn of Cid")},
            {m_table, QStringLiteral("Pool table")},
        };
        for (const auto &[object, name] : expected)
            QCOMPARE(nameOf(object), name);
        QCOMPARE(QAccessible::queryAccessibleInterface(m_letters->chalk(3))->role(), QAccessible::Graphic);
        // The table's balls and its hidden movement scripts are the animation's own.
        QCOMPARE(QAccessible::queryAccessibleInterface(m_table)->childCount(), 0);
    }

    void announcements_data()
    {
        QTest::addColumn<int>("own");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("heard");
        QTest::newRow("own turn") << 1 << QStringList{"nextplayer:1+2+"} << QStringLiteral("Your Turn.");
        QTest::newRow("their turn") << 1 << QStringList{"nextplayer:3+2+"} << QStringLiteral("Cid's turn.");
        QTest::newRow("time up, then the turn, as one")
            << 1 << QStringList{"timeup:1+", "nextplayer:1+2+"} << QStringLiteral("Time is Up! Your Turn.");
        QTest::newRow("a find and by whom")
            << 1 << QStringList{"heguessed:2+HOUSE+4+1000+"} << QStringLiteral("HOUSE is the word. Bob got it!");
        QTest::newRow("rejected word") << 1 << QStringList{"notvalid:1+t+HXXXX+1+"}
                                       << QStringLiteral("HXXXX is not a valid word!");
    }

    void announcements()
    {
        QFETCH(int, own);
        QFETCH(QStringList, messages);
        QFETCH(QString, heard);
        openTurn(own, 2);
        for (const QString &m : messages) {
            const QString args = m.section(u':', 1);
            const QString name = m.section(u':', 0, 0);
            if (name == QLatin1String("nextplayer"))
                m_letters->getnextplayer(args);
            else if (name == QLatin1String("timeup"))
                m_letters->timeup(args);
            else if (name == QLatin1String("heguessed"))
                m_letters->heguessed(args);
            else
                m_letters->notvalid(args);
        }
        QTRY_COMPARE(m_heard, QStringList{heard});
        // A reader hears it as a notification that appears with the text in its label.
        QAccessibleInterface *notification = QAccessible::queryAccessibleInterface(m_announcer);
        QCOMPARE(notification->role(), QAccessible::Notification);
        QCOMPARE(notification->text(QAccessible::Name), heard);
        QVERIFY(!notification->state().invisible);
        QCOMPARE(notification->childCount(), 1);
        QCOMPARE(notification->child(0)->text(QAccessible::Name), heard);
    }

    // A whole turn's clock: two warnings on the player's own turn, none on another's; the
    // clock is read when asked.
    void clockWarnsTwiceAndStaysQuiet_data()
    {
        QTest::addColumn<int>("turn");
        QTest::addColumn<QStringList>("heard");
        QTest::newRow("own turn") << 1 << QStringList{"10 seconds left.", "5 seconds left."};
        QTest::newRow("another's turn") << 2 << QStringList{};
    }

    void clockWarnsTwiceAndStaysQuiet()
    {
        QFETCH(int, turn);
        QFETCH(QStringList, heard);
        openTurn(1, turn);
        auto *clock = m_letters->panel()->findChild<QLabel *>(QStringLiteral("label_time"));
        // The real timer, fast: the board counts down, then the speech looks.
        m_letters->timer2()->start(5);
        QTRY_COMPARE(m_letters->secondsLeft(), 0);
        m_letters->timer2()->stop();
        m_announcer->flush();
        QCOMPARE(m_heard, heard);
        QCOMPARE(nameOf(clock), QStringLiteral("Time: 00"));
    }
};

QTEST_MAIN(TestBoardSpeech)
#include "test_boardspeech.moc"
