// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "core/randomsource.h"
#include "host/rules/gameengine.h"
#include "host/rules/wordlists.h"

#include <QMap>
#include <QTest>

#include <utility>

using namespace brelvox;

namespace {

// Stands in for TServer: hands each event's message to the connected seats and
// counts what would have been done to the timers.
class Table
{
public:
    explicit Table(int pause = 5)
        : lists(WordLists::shipped())
        , engine(lists, [pause] { return pause; })
    {
    }

    void join(int seat, const QString &name)
    {
        engine.seatTaken(seat);
        engine.seatNamed(seat, name);
    }

    GameEvents take(const GameEvents &events)
    {
        for (const GameEvent &e : events) {
            if (e.kind == GameEvent::TurnTimerStart)
                ++turnStarts;
            else if (e.kind == GameEvent::TurnTimerStop)
                ++turnStops;
            else if (e.kind == GameEvent::ComputerTimerRestart)
                ++computerRestarts;
            for (int seat = 1; seat <= GameState::kMaxSeat; ++seat) {
                if (!engine.state().seat(seat).connected)
                    continue;
                const QString message = e.messageFor(seat);
                if (!message.isEmpty())
                    inbox[seat] << message;
            }
        }
        return events;
    }

    QStringList drain(int seat) { return std::exchange(inbox[seat], {}); }
    void drainAll() { inbox.clear(); }
    GameEvents start(const QString &type) { return take(engine.startgame(QStringLiteral("Alice"), type)); }
    GameEvents guess(int seat, const QString &word) { return take(engine.myword(seat, word)); }
    GameEvents computer() { return take(engine.computertimerTimer()); }
    GameEvents tick(int n = 1)
    {
        GameEvents all;
        for (int i = 0; i < n; ++i)
            all += take(engine.turntimerTimer());
        return all;
    }
    // Ticks until a row, a pause or a word ends; a row lasts 23 ticks.
    GameEvents runOut() { return tick(GameState::kRowSeconds + 1); }

    // Nine Ball: words pass with wrong guesses until the seat holds the turn.
    bool passTurnTo(int seat)
    {
        for (int words = 0; words < 20 && state().running; ++words) {
            if (state().currentPlayer == seat && state().wordOpen)
                return true;
            const int holder = state().currentPlayer;
            while (state().wordOpen) {
                if (holder != 2)
                    guess(holder, wrongWord());
                else if (computer().isEmpty())
                    runOut();
            }
            tick(6);
        }
        return false;
    }

    const GameState &state() const { return engine.state(); }
    QString word() const { return engine.state().word; }
    // A real word that is not the hidden one.
    QString wrongWord() const
    {
        for (const QString &w : lists.startingWith(word().at(0))) {
            if (w != word() && !w.endsWith(word().mid(1)))
                return w;
        }
        return QString();
    }

    WordLists lists;
    GameEngine engine;
    QMap<int, QStringList> inbox;
    int turnStarts = 0;
    int turnStops = 0;
    int computerRestarts = 0;
};

bool has(const GameEvents &events, GameEvent::Kind kind)
{
    return std::any_of(events.cbegin(), events.cend(), [kind](const GameEvent &e) { return e.kind == kind; });
}

} // namespace

class TestGameEngine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // BRELVOX_TEST_SEED replays the games with other draws.
    void init() { RandomSource::instance().seed(qEnvironmentVariableIntValue("BRELVOX_TEST_SEED") + 1234); }
    void sharedRowWordMessageByMessage();
    void rowEndsWhenAllHaveGuessed();
    void newPlayerInARowIsNotWaitedFor_data();
    void newPlayerInARowIsNotWaitedFor();
    void rowTimesOut_data();
    void rowTimesOut();
    void giveUpPauseAndNewWordForSameBall();
    void nothingJudgedWhileNoWordIsOpen();
    void nineBallCycleTakesComputerOnSeat2();
    void nineBallOutOfTurnAndMisspelled();
    void nineBallWatcherHandsTurnToComputer();
    void nineBallDepartureOfTurnHolder();
    void nineBallLastPlayerLeavesWatchersPlay();
    void raceBallNumbersPerSeat();
    void highScoreBallsAddUp();
    void wordFoundInRowFiveAndLowerCase();
    void unknownGameTypeStartsNothing_data();
    void unknownGameTypeStartsNothing();
    void outOfRangeSeatsIgnored();
    void startResetsWatchers();
    void catchUpForNewcomer();
    void completeGame_data();
    void completeGame();
    void tieGame_data();
    void tieGame();
};

void TestGameEngine::sharedRowWordMessageByMessage()
{
    Table t;
    t.join(1, "Alice");
    t.join(3, "Carol");
    t.start("most");
    const QString word = t.word();
    const QString letter = word.left(1);
    const QStringList opening{"CMD_startgame+Alice+most+", "CMD_loadball+1+" + letter + "+"};
    QCOMPARE(t.drain(1), opening + QStringList{"CMD_nextplayer+1+1+"});
    QCOMPARE(t.drain(3), opening + QStringList{"CMD_nextplayer+3+1+"});
    QCOMPARE(t.computerRestarts, 1);
    QCOMPARE(t.turnStarts, 1);

    const QString miss = t.wrongWord();
    t.guess(3, miss.toLower());
    const QString missPattern = t.state().seat(3).pattern;
    QCOMPARE(t.drain(1), QStringList{"CMD_submitted+3+"});
    QCOMPARE(t.drain(3), QStringList({"CMD_submitted+3+", "CMD_yourletters+3+f+1+" + missPattern + "+" + miss + "+"}));

    t.computer();
    QVERIFY2(t.state().wordOpen, "seed makes the computer miss row 1");
    QCOMPARE(t.drain(1), QStringList{"CMD_submitted+2+"});
    QCOMPARE(t.drain(3), QStringList{"CMD_submitted+2+"});
    QCOMPARE(t.state().row, 1);

    t.guess(1, miss);
    QCOMPARE(t.drain(1), QStringList({"CMD_submitted+1+", "CMD_yourletters+1+f+1+" + missPattern + "+" + miss + "+",
                                      "CMD_nextplayer+1+2+"}));
    QCOMPARE(t.drain(3), QStringList({"CMD_submitted+1+", "CMD_nextplayer+3+2+"}));
    QCOMPARE(t.computerRestarts, 2);

    t.guess(3, word);
    const QStringList found{"CMD_wordlist+3+1+" + miss + "+2+" + word + "+3++4++5+",
                            "CMD_heguessed+3+" + word + "+1+1000+"};
    QCOMPARE(t.drain(1), QStringList{"CMD_submitted+3+"} + found);
    QCOMPARE(t.drain(3), QStringList({"CMD_submitted+3+", "CMD_yourletters+3+f+2+sssss+" + word + "+"}) + found);
    QCOMPARE(t.state().ballOwners[1], 3);
    QCOMPARE(t.state().timerMode, int(GameState::TimerNextBall));

    QVERIFY(t.tick(5).isEmpty());
    t.tick();
    QCOMPARE(t.drain(1), QStringList({"CMD_loadball+2+" + t.word().left(1) + "+", "CMD_nextplayer+1+1+"}));
}

void TestGameEngine::rowEndsWhenAllHaveGuessed()
{
    Table t;
    t.join(1, "Alice");
    t.join(2, "Bob");
    t.join(3, "Carol");
    t.join(7, "Spy");
    t.start("high");
    QCOMPARE(t.computerRestarts, 0); // seat 2 has a person
    const QString miss = t.wrongWord();
    t.guess(1, miss);
    t.guess(2, "QQQQQ");
    QCOMPARE(t.state().row, 1);
    t.drainAll();
    t.guess(3, miss);
    QCOMPARE(t.state().row, 2);
    QCOMPARE(t.drain(7), QStringList({"CMD_submitted+3+", "CMD_nextplayer+7+2+"}));
    QCOMPARE(t.drain(2), QStringList({"CMD_submitted+3+", "CMD_nextplayer+2+2+"}));
    // A watcher is not waited for.
    t.take(t.engine.justwatch(3, "1"));
    t.guess(1, miss);
    QCOMPARE(t.state().row, 2);
    t.guess(2, miss);
    QCOMPARE(t.state().row, 3);
    // Nor is the last one owing a guess once it sits out.
    t.guess(2, miss);
    t.take(t.engine.justwatch(1, "1"));
    QCOMPARE(t.state().row, 4);
}

// Alice and Carol play "most"; in row 2 a seat starts playing while the row is open.
// Alice's guess ends row 2 alone; from row 3 on the newcomer is waited for.
void TestGameEngine::newPlayerInARowIsNotWaitedFor_data()
{
    QTest::addColumn<int>("seat");
    QTest::addColumn<bool>("arrives"); // else Carol, watching since row 1, plays again
    QTest::newRow("arrival") << 4 << true;
    QTest::newRow("watcher plays again") << 3 << false;
}

void TestGameEngine::newPlayerInARowIsNotWaitedFor()
{
    QFETCH(int, seat);
    QFETCH(bool, arrives);
    Table t;
    t.join(1, "Alice");
    t.join(3, "Carol");
    t.start("most");
    t.take(t.engine.justwatch(3, "1"));
    t.guess(1, t.wrongWord());
    QCOMPARE(t.state().row, 2);
    if (arrives)
        t.join(seat, "Dave");
    else
        t.take(t.engine.justwatch(seat, "2"));
    t.guess(1, t.wrongWord());
    QCOMPARE(t.state().row, 3);
    t.guess(1, t.wrongWord());
    QCOMPARE(t.state().row, 3);
    t.guess(seat, t.wrongWord());
    QCOMPARE(t.state().row, 4);
}

void TestGameEngine::rowTimesOut_data()
{
    QTest::addColumn<QList<int>>("guessers");
    QTest::addColumn<QList<int>>("told");
    QTest::newRow("nobody guessed") << QList<int>{} << QList<int>{1, 3, 7};
    QTest::newRow("seat 1 guessed") << QList<int>{1} << QList<int>{3, 7};
    QTest::newRow("the computer guessed") << QList<int>{2} << QList<int>{1, 3, 7};
}

void TestGameEngine::rowTimesOut()
{
    QFETCH(QList<int>, guessers);
    QFETCH(QList<int>, told);
    Table t;
    t.join(1, "Alice");
    t.join(3, "Carol");
    t.join(7, "Spy");
    t.start("most");
    for (int row = 1; row <= 2; ++row) {
        for (int seat : guessers) {
            if (seat == 2)
                t.take(t.engine.myword(2, t.wrongWord()));
            else
                t.guess(seat, t.wrongWord());
        }
        t.drainAll();
        QVERIFY(t.tick(22).isEmpty());
        t.tick();
        for (int seat : {1, 3, 7}) {
            const QStringList got = t.drain(seat);
            const QString timeUp = QStringLiteral("CMD_timeup+%1+").arg(row);
            QCOMPARE(got.contains(timeUp), told.contains(seat));
            QCOMPARE(got.last(), QStringLiteral("CMD_nextplayer+%1+%2+").arg(seat).arg(row + 1));
        }
        QCOMPARE(t.state().row, row + 1);
    }
}

void TestGameEngine::giveUpPauseAndNewWordForSameBall()
{
    Table t(10);
    t.join(1, "Alice");
    t.start("most");
    const QString first = t.word();
    for (int row = 1; row <= 4; ++row)
        t.runOut();
    t.drainAll();
    QCOMPARE(t.state().row, 5);
    t.runOut();
    QCOMPARE(t.drain(1), QStringList({"CMD_timeup+5+", "CMD_nooneguessed+" + first + "+"}));
    QVERIFY(!t.state().wordOpen);
    QCOMPARE(t.state().timerMode, int(GameState::TimerNewWord));
    QVERIFY(t.tick(10).isEmpty());
    t.tick();
    QCOMPARE(t.state().round, 1);
    QVERIFY(t.word() != first);
    QCOMPARE(t.drain(1), QStringList({"CMD_loadball+1+" + t.word().left(1) + "+", "CMD_nextplayer+1+1+"}));
    QCOMPARE(t.state().row, 1);
}

void TestGameEngine::nothingJudgedWhileNoWordIsOpen()
{
    Table t;
    t.join(1, "Alice");
    QVERIFY(t.guess(1, "CRANE").isEmpty()); // no game yet
    QVERIFY(t.computer().isEmpty());
    t.start("most");
    for (int row = 1; row <= 5; ++row)
        t.runOut();
    // During the pause after a given-up word nothing is judged, not even the old word.
    QVERIFY(t.guess(1, t.word()).isEmpty());
    QVERIFY(t.computer().isEmpty());
    QCOMPARE(t.state().seat(1).score, 0);
}

void TestGameEngine::nineBallCycleTakesComputerOnSeat2()
{
    Table t;
    t.join(1, "Alice");
    t.join(3, "Carol");
    t.start("nine");
    QList<int> holders;
    QList<bool> found;
    for (int word = 0; word < 8; ++word) {
        const int holder = t.state().currentPlayer;
        holders << holder;
        t.drainAll();
        const int restarts = t.computerRestarts;
        int rowsOpened = 0;
        while (t.state().wordOpen) {
            GameEvents events = holder == 2 ? t.computer() : t.guess(holder, t.wrongWord());
            if (events.isEmpty())
                events = t.runOut();
            rowsOpened += has(events, GameEvent::NextPlayer) ? 1 : 0;
        }
        found << (t.state().ballOwners[t.state().round] == holder);
        // Each row that opens for the computer's seat restarts its timer.
        QCOMPARE(t.computerRestarts - restarts, holder == 2 ? rowsOpened : 0);
        for (int seat : {1, 3}) {
            const QStringList got = t.drain(seat);
            for (int row = 2; row <= rowsOpened + 1; ++row)
                QVERIFY(got.contains(QStringLiteral("CMD_nextplayer+%1+%2+").arg(holder).arg(row)));
        }
        t.tick(6);
    }
    // A finder keeps the turn; otherwise it passes to the next seat of 1, 2, 3,
    // seat 2 being the computer's.
    QVERIFY(holders.contains(2));
    for (int i = 1; i < holders.size(); ++i)
        QCOMPARE(holders[i], found[i - 1] ? holders[i - 1] : holders[i - 1] % 3 + 1);
}

void TestGameEngine::nineBallOutOfTurnAndMisspelled()
{
    Table t;
    t.join(1, "Alice");
    t.join(3, "Carol");
    t.join(6, "Spy");
    t.start("nine");
    QVERIFY(t.passTurnTo(1));
    t.drainAll();
    QVERIFY(t.guess(3, t.word()).isEmpty());
    QVERIFY(t.guess(2, t.word()).isEmpty());
    t.guess(1, "qqqqq");
    QCOMPARE(t.drain(1), QStringList({"CMD_submitted+1+", "CMD_notvalid+1+f+QQQQQ+1+", "CMD_nextplayer+1+2+"}));
    QCOMPARE(t.drain(3), QStringList({"CMD_submitted+1+", "CMD_notvalid+1+t+QQQQQ+1+", "CMD_nextplayer+1+2+"}));
    QCOMPARE(t.drain(6), QStringList({"CMD_submitted+1+", "CMD_notvalid+1+t+QQQQQ+1+", "CMD_nextplayer+1+2+"}));
    const QString miss = t.wrongWord();
    t.guess(1, miss);
    QVERIFY(t.drain(3).contains("CMD_yourletters+1+t+2+" + t.state().seat(1).pattern + "+" + miss + "+"));
}

void TestGameEngine::nineBallWatcherHandsTurnToComputer()
{
    Table t;
    t.join(1, "Alice");
    t.join(3, "Carol");
    t.start("nine");
    QVERIFY(t.passTurnTo(3));
    const int restarts = t.computerRestarts;
    const GameEvents events = t.take(t.engine.justwatch(3, "1"));
    QCOMPARE(t.computerRestarts, restarts + 1);
    QCOMPARE(events.first().messageFor(1), QStringLiteral("CMD_justwatching+3+1"));
    QCOMPARE(t.engine.computerSeat(), 3);
    t.drainAll();
    t.computer();
    QVERIFY(t.drain(1).startsWith(QStringLiteral("CMD_submitted+3+")));
    // Watching seats are skipped, except seat 2 which the computer always takes.
    t.take(t.engine.justwatch(1, "1"));
    QVERIFY(t.take(t.engine.justwatch(1, "3")).isEmpty());
    QVERIFY(t.state().seat(1).watching);
}

void TestGameEngine::nineBallDepartureOfTurnHolder()
{
    Table t;
    t.join(1, "Alice");
    t.join(3, "Carol");
    t.start("nine");
    QVERIFY(t.passTurnTo(3));
    t.drainAll();
    const QString word = t.word();
    const GameEvents events = t.take(t.engine.seatLeft(3));
    QCOMPARE(t.drain(1), QStringList{"CMD_nooneguessed+" + word + "+"});
    QVERIFY(has(events, GameEvent::TurnTimerStart));
    QCOMPARE(t.state().timerMode, int(GameState::TimerNewWord));
    // Between words a departure gives nothing up twice.
    t.join(3, "Carol");
    QVERIFY(t.take(t.engine.seatLeft(3)).isEmpty());
}

void TestGameEngine::nineBallLastPlayerLeavesWatchersPlay()
{
    Table t;
    t.join(1, "Alice");
    t.join(3, "Carol");
    t.join(4, "Dave");
    t.start("nine");
    t.take(t.engine.justwatch(1, "1"));
    t.take(t.engine.justwatch(4, "1"));
    t.drainAll();
    t.take(t.engine.seatLeft(3));
    const QStringList got = t.drain(1);
    QVERIFY(got.contains(QStringLiteral("CMD_justwatching+1+2")));
    QVERIFY(got.contains(QStringLiteral("CMD_justwatching+4+2")));
    QVERIFY(!t.state().seat(1).watching);
    QVERIFY(!t.state().seat(4).watching);
    QCOMPARE(t.state().seat(3).name, QString());
}

void TestGameEngine::raceBallNumbersPerSeat()
{
    Table t;
    t.join(1, "Alice");
    t.join(3, "Carol");
    t.join(7, "Spy");
    t.start("race");
    t.guess(1, t.word());
    QVERIFY(t.drain(3).contains("CMD_heguessed+1+" + t.state().seat(1).currentGuess + "+1+1000+"));
    t.tick(6);
    const QString letter = t.word().left(1);
    QVERIFY(t.drain(1).contains("CMD_loadball+2+" + letter + "+"));
    QVERIFY(t.drain(3).contains("CMD_loadball+1+" + letter + "+"));
    QVERIFY(t.drain(7).contains("CMD_loadball+1+" + letter + "+"));
    t.guess(3, t.word());
    QVERIFY(t.drain(1).contains("CMD_heguessed+3+" + t.state().seat(3).currentGuess + "+1+1000+"));
    QCOMPARE(t.state().round, 2);
    t.tick(6);
    QVERIFY(t.drain(3).contains("CMD_loadball+2+" + t.word().left(1) + "+"));
}

void TestGameEngine::highScoreBallsAddUp()
{
    Table t;
    t.join(1, "Alice");
    t.join(3, "Carol");
    t.join(4, "Dave");
    t.start("high");
    const int finder[10] = {0, 1, 3, 3, 3, 1, 4, 4, 4, 1};
    for (int ball = 1; ball <= 9; ++ball) {
        QCOMPARE(t.state().round, ball);
        t.drainAll();
        const QString word = t.word();
        t.guess(finder[ball], word);
        const int score = t.state().seat(finder[ball]).score;
        QVERIFY(t.drain(1).contains(QStringLiteral("CMD_heguessed+%1+%2+%3+%4+").arg(finder[ball]).arg(word).arg(ball).arg(score)));
        t.tick(6);
    }
    QCOMPARE(t.state().seat(1).score, 15);
    QCOMPARE(t.state().seat(3).score, 9);
    QCOMPARE(t.state().seat(4).score, 21);
    QVERIFY(!t.state().running);
}

void TestGameEngine::wordFoundInRowFiveAndLowerCase()
{
    Table t;
    t.join(1, "Alice");
    t.start("most");
    for (int row = 1; row <= 4; ++row)
        t.guess(1, t.wrongWord());
    QCOMPARE(t.state().row, 5);
    t.drainAll();
    const QString word = t.word();
    t.guess(1, word.toLower());
    const QStringList got = t.drain(1);
    QVERIFY(got.contains("CMD_heguessed+1+" + word + "+1+1000+"));
    QVERIFY(got.filter("CMD_nooneguessed").isEmpty());
    QCOMPARE(t.state().seat(1).score, 1);
}

void TestGameEngine::unknownGameTypeStartsNothing_data()
{
    QTest::addColumn<QString>("type");
    QTest::newRow("unknown") << "pool";
    QTest::newRow("upper case") << "NINE";
    QTest::newRow("empty") << "";
    QTest::newRow("prefix") << "nin";
}

void TestGameEngine::unknownGameTypeStartsNothing()
{
    QFETCH(QString, type);
    Table t;
    t.join(1, "Alice");
    QVERIFY(t.start(type).isEmpty());
    QVERIFY(!t.state().running);
    QVERIFY(t.tick(30).isEmpty());
    t.start("most");
    const QString word = t.word();
    QVERIFY(t.start(type).isEmpty());
    QCOMPARE(t.word(), word);
    QCOMPARE(t.state().type, GameType::Most);
}

void TestGameEngine::outOfRangeSeatsIgnored()
{
    Table t;
    t.join(1, "Alice");
    t.engine.seatTaken(0);
    t.engine.seatTaken(10);
    t.engine.seatNamed(-1, "Ghost");
    t.start("most");
    t.drainAll();
    for (int seat : {0, -1, 6, 9, 10, 1000, INT_MIN})
        QVERIFY(t.guess(seat, t.word()).isEmpty());
    for (int seat : {0, 10, -5})
        QVERIFY(t.take(t.engine.justwatch(seat, "1")).isEmpty());
    QVERIFY(t.take(t.engine.seatLeft(42)).isEmpty());
    QVERIFY(t.engine.catchUpMessages(11).isEmpty());
    QVERIFY(t.state().wordOpen);
    QVERIFY(t.drain(1).isEmpty());
}

void TestGameEngine::startResetsWatchers()
{
    Table t;
    t.join(1, "Alice");
    t.join(3, "Carol");
    t.take(t.engine.justwatch(3, "1"));
    t.start("most");
    QVERIFY(!t.state().seat(3).watching);
    t.guess(1, t.wrongWord());
    QCOMPARE(t.state().row, 1); // waits for seat 3 again
}

void TestGameEngine::catchUpForNewcomer()
{
    Table t;
    t.join(1, "Alice");
    QVERIFY(t.engine.catchUpMessages(4).isEmpty());
    t.start("most");
    t.guess(1, t.word());
    t.tick(6);
    t.guess(1, t.wrongWord());
    const QString letter = t.word().left(1);
    t.join(4, "Dave");
    QCOMPARE(t.engine.catchUpMessages(4),
             QStringList({"CMD_gamestats+most+2+2+" + letter + "+", "CMD_playerscores+1+1000+2+1000+3+1000+4+1000+5+1000",
                          "CMD_ballowners+1+1+2+0+3+0+4+0+5+0+6+0+7+0+8+0+9+0"}));

    Table race;
    race.join(1, "Alice");
    race.start("race");
    race.guess(1, race.word());
    race.tick(6);
    const QString raceLetter = race.word().left(1);
    QCOMPARE(race.engine.catchUpMessages(7).first(), "CMD_gamestats+race+1+1+" + raceLetter + "+");
    QCOMPARE(race.engine.catchUpMessages(1),
             QStringList({"CMD_gamestats+race+1+2+" + raceLetter + "+", "CMD_playerscores+1+1000+2+1000+3+1000+4+1000+5+1000",
                          "CMD_theyown+1+1+2+0+3+0+4+0+5+0"}));
}

void TestGameEngine::completeGame_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("last");
    QTest::addColumn<bool>("impossible");
    QTest::addColumn<int>("balls");
    QTest::newRow("nine ball") << "nine" << "" << false << 9;
    QTest::newRow("race to 9") << "race" << "CMD_winner+1+" << false << 9;
    QTest::newRow("most balls ends early") << "most" << "CMD_winner+1+" << true << 5;
    QTest::newRow("high score ends early") << "high" << "CMD_winner+1+" << true << 7;
}

// Alice finds every word at once; Dira plays when the turn is hers.
void TestGameEngine::completeGame()
{
    QFETCH(QString, type);
    QFETCH(QString, last);
    QFETCH(bool, impossible);
    QFETCH(int, balls);
    Table t;
    t.join(1, "Alice");
    t.start(type);
    int steps = 0;
    while (t.state().running && ++steps < 10000) {
        if (!t.state().wordOpen)
            t.tick();
        else if (t.engine.computerSeat() == 2 && type == QLatin1String("nine"))
            t.computer().isEmpty() ? t.runOut() : GameEvents();
        else
            t.guess(1, t.word());
    }
    QVERIFY(!t.state().running);
    const QStringList got = t.drain(1);
    const QStringList ends = got.filter(QRegularExpression("^CMD_(winner|tiegame)"));
    QCOMPARE(ends.size(), 1);
    if (last.isEmpty())
        last = QStringLiteral("CMD_winner+%1+").arg(t.state().ballOwners[9]);
    QCOMPARE(got.last(), impossible ? QStringLiteral("CMD_impossible+") : last);
    QCOMPARE(ends.first(), last);
    QCOMPARE(got.filter("CMD_heguessed").size(), balls);
    QVERIFY(!t.state().timerOn);
    QVERIFY(t.tick(30).isEmpty());
}

void TestGameEngine::tieGame_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QList<int>>("finders");
    QTest::newRow("most") << "most" << QList<int>{1, 3, 1, 3, 1, 3, 1, 3, 4};
    QTest::newRow("high") << "high" << QList<int>{1, 3, 3, 1, 3, 1, 1, 3, 4};
}

void TestGameEngine::tieGame()
{
    QFETCH(QString, type);
    QFETCH(QList<int>, finders);
    Table t;
    t.join(1, "Alice");
    t.join(3, "Carol");
    t.join(4, "Dave");
    t.start(type);
    for (int seat : finders) {
        QVERIFY(t.state().running);
        t.guess(seat, t.word());
        t.tick(6);
    }
    const QStringList got = t.drain(4);
    QCOMPARE(got.last(), QStringLiteral("CMD_tiegame+Carol and Alice+"));
    QVERIFY(got.filter("CMD_winner").isEmpty());
    QVERIFY(!t.state().running);
}

QTEST_GUILESS_MAIN(TestGameEngine)
#include "test_gameengine.moc"
