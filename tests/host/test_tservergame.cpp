// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "core/randomsource.h"
#include "host/hostoptions.h"
#include "host/rules/judge.h"
#include "host/tserver.h"
#include "rawclient.h"

#include <QTest>

#include <algorithm>
#include <map>
#include <memory>
#include <optional>

using namespace brelvox;
using namespace brelvox::testing;

namespace {

// The test drives turntimer and computertimer itself; on their own they never fire.
constexpr int kNever = 3600 * 1000;
constexpr int kPause = 5;

class GameOptions : public HostOptions
{
public:
    QString versionText() const override { return QStringLiteral("1.0.5"); }
    int pauseBetweenWords() const override { return kPause; }
    int botDelay() const override { return kNever; }
};

using Inbox = QMap<int, QByteArrayList>;

QByteArray n(int number)
{
    return QByteArray::number(number);
}

// The shipped lists with only the answers that begin with letter.
WordLists answersStartingWith(QChar letter)
{
    const WordLists shipped = WordLists::shipped();
    QStringList answers;
    for (const QString &w : shipped.answers()) {
        if (w.startsWith(letter))
            answers << w;
    }
    QStringList spelling;
    for (char c = 'A'; c <= 'Z'; ++c) {
        for (const QString &w : shipped.startingWith(QLatin1Char(c)))
            spelling << w.toLower();
    }
    return WordLists(answers, spelling, QStringList{QStringLiteral("tally ")} + answers);
}

} // namespace

class TestTServerGame : public QObject
{
    Q_OBJECT
private:
    GameOptions m_options;
    std::unique_ptr<TServer> m_server;
    std::map<int, std::unique_ptr<RawClient>> m_clients; // by seat

    void makeServer(std::optional<WordLists> words = std::nullopt)
    {
        m_clients.clear();
        m_server = words ? std::make_unique<TServer>(m_options, std::move(*words)) : std::make_unique<TServer>(m_options);
        m_server->turntimer().setInterval(kNever);
        m_server->listen(0, QStringLiteral("127.0.0.1"));
    }

    const GameState &game() const { return m_server->game(); }
    QByteArray word() const { return game().word.toLatin1(); }
    RawClient &client(int seat) { return *m_clients.at(seat); }

    // count real words with the word's first letter that are not the word.
    QByteArrayList wrongWords(int count = 5) const
    {
        QByteArrayList words;
        for (const QString &w : m_server->words().startingWith(game().word.at(0))) {
            if (w != game().word && words.size() < count)
                words << w.toLatin1();
        }
        return words;
    }

    // Connects and logs in the next seat.
    void join(int seat, const QByteArray &name)
    {
        auto c = std::make_unique<RawClient>(m_server->port());
        RawClient *raw = c.get();
        m_clients[seat] = std::move(c);
        waitUntil([&] { return raw->messages().contains("CMD_sendlogininfo+" + n(seat)); });
        raw->sendMessage("CMD_logininfo+" + n(seat) + "+1.0.5+" + name);
        waitUntil([&] { return raw->messages().contains("CMD_newplayerinfo+" + n(seat) + "+" + name); });
    }

    // Seats 1.. with these names; every inbox empty afterwards.
    void seatPlayers(const QByteArrayList &names)
    {
        for (int i = 0; i < names.size(); ++i)
            join(i + 1, names[i]);
        sync();
    }

    // What the others were told of the departure.
    Inbox leave(int seat)
    {
        client(seat).close();
        m_clients.erase(seat);
        waitUntil([&] { return !game().seat(seat).connected; });
        return sync();
    }

    // Every message sent so far reaches the seats: a chat from `from` (the seat that
    // sent last, so the host handles it after that) comes back to each of them last.
    // Returns what each seat got before it.
    Inbox sync(int from = 0)
    {
        if (!from)
            from = m_clients.begin()->first;
        const QByteArray marker = "CMD_chat+" + game().seat(from).name.toLatin1() + " chats: sync|clBlack";
        client(from).sendMessage("CMD_chat+" + n(from) + "+sync|clBlack");
        Inbox inbox;
        for (auto &[seat, c] : m_clients) {
            RawClient *raw = c.get();
            waitUntil([&] { return raw->messages().contains(marker); });
            QByteArrayList got = raw->messages();
            const qsizetype at = got.indexOf(marker);
            if (at < 0) {
                inbox[seat] = got << "<no sync>";
                continue;
            }
            inbox[seat] = got.mid(0, at);
            raw->got = raw->got.mid(raw->got.indexOf(marker) + marker.size() + 1);
        }
        return inbox;
    }

    void guess(int seat, const QByteArray &text) { client(seat).sendMessage("CMD_myword+" + n(seat) + "+" + text + "+"); }
    void start(const QByteArray &type) { client(1).sendMessage("CMD_startgame+Rook+" + type + "+"); }
    void tick(int count = 1)
    {
        for (int i = 0; i < count; ++i)
            m_server->turntimerTimer();
    }

    // Every connected seat got exactly these.
    void expectEveryone(const Inbox &inbox, const QByteArrayList &expected)
    {
        for (auto it = inbox.cbegin(); it != inbox.cend(); ++it)
            QCOMPARE(it.value(), expected);
    }

    QByteArray letters(int seat, const char *flag, int row, const QByteArray &guess) const
    {
        const QString pattern = judge::feedbackPattern(QString::fromLatin1(guess), game().word);
        return "CMD_yourletters+" + n(seat) + "+" + flag + "+" + n(row) + "+" + pattern.toLatin1() + "+" + guess + "+";
    }

    // Nine Ball: the holder, a person, guesses wrong in all five rows.
    void personGivesUp(int holder, int other)
    {
        const QByteArray hidden = word();
        const QByteArrayList wrong = wrongWords();
        for (int row = 1; row <= 5; ++row) {
            guess(holder, wrong[row - 1]);
            const Inbox in = sync(holder);
            const QByteArray after = row < 5 ? QByteArray("CMD_nextplayer+" + n(holder) + "+" + n(row + 1) + "+")
                                             : QByteArray("CMD_nooneguessed+" + hidden + "+");
            const QByteArray submitted = "CMD_submitted+" + n(holder) + "+";
            QCOMPARE(in[holder], (QByteArrayList{submitted, letters(holder, "f", row, wrong[row - 1]), after}));
            QCOMPARE(in[other], (QByteArrayList{submitted, letters(holder, "t", row, wrong[row - 1]), after}));
        }
    }

    // Nine Ball: the computer guesses in row 1, then lets rows 2 to 5 run out.
    void computerGivesUp()
    {
        const QByteArray hidden = word();
        QVERIFY(m_server->computertimer().isActive());
        QCOMPARE(m_server->computertimer().interval(), kNever);
        m_server->computertimerTimer();
        const QByteArray picked = game().seat(2).guesses[1].toLatin1();
        QVERIFY2(picked != hidden, "this seed lets the computer find the word; the test needs another");
        QCOMPARE(picked.left(1), hidden.left(1));
        expectEveryone(sync(), {"CMD_submitted+2+", letters(2, "t", 1, picked), "CMD_nextplayer+2+2+"});
        for (int row = 2; row <= 5; ++row) {
            QVERIFY(m_server->computertimer().isActive());
            tick(22);
            expectEveryone(sync(), {});
            tick();
            const QByteArray after = row < 5 ? QByteArray("CMD_nextplayer+2+" + n(row + 1) + "+")
                                             : QByteArray("CMD_nooneguessed+" + hidden + "+");
            expectEveryone(sync(), {"CMD_timeup+" + n(row) + "+", after});
        }
    }

private Q_SLOTS:
    void init()
    {
        RandomSource::instance().seed(4243);
        makeServer();
    }
    void cleanup()
    {
        for (int s = 1; s <= 9; ++s)
            QCOMPARE(game().seat(s).connected, m_server->players().seat(s).connected);
        m_clients.clear();
        m_server.reset();
    }

    // Seats 1 and 3 are people; the cycle stops at the free seat 2 for the computer.
    void nineBallTurnCycle()
    {
        seatPlayers({"Rook", "Ann", "Cy"});
        leave(2);
        start("nine");
        Inbox in = sync();
        QList<int> holders{game().currentPlayer};
        expectEveryone(in, {"CMD_startgame+Rook+nine+", "CMD_loadball+1+" + word().left(1) + "+",
                            "CMD_nextplayer+" + n(holders.last()) + "+1+"});
        for (int words = 0; words < 3; ++words) {
            const int holder = game().currentPlayer;
            if (holder == 2)
                computerGivesUp();
            else
                personGivesUp(holder, holder == 1 ? 3 : 1);
            if (QTest::currentTestFailed())
                return;
            QVERIFY(!game().wordOpen);
            tick(kPause);
            expectEveryone(sync(), {});
            tick();
            in = sync();
            holders << game().currentPlayer;
            expectEveryone(in, {"CMD_loadball+1+" + word().left(1) + "+", "CMD_nextplayer+" + n(holders.last()) + "+1+"});
        }
        const QList<int> cycle{1, 2, 3, 1, 2, 3, 1};
        QCOMPARE(holders, cycle.mid(cycle.indexOf(holders.first()), 4));
    }

    // Most Balls, seats 1 and 3, the computer on seat 2: one word as the clients see it.
    void sharedRowWord()
    {
        seatPlayers({"Rook", "Ann", "Cy"});
        leave(2);
        start("most");
        Inbox in = sync();
        const QByteArray hidden = word();
        for (const int s : {1, 3})
            QCOMPARE(in[s], (QByteArrayList{"CMD_startgame+Rook+most+", "CMD_loadball+1+" + hidden.left(1) + "+",
                                            "CMD_nextplayer+" + n(s) + "+1+"}));
        QVERIFY(m_server->computertimer().isActive());

        const QByteArrayList wrong = wrongWords(2);
        guess(3, wrong[0]);
        in = sync(3);
        QCOMPARE(in[3], (QByteArrayList{"CMD_submitted+3+", letters(3, "f", 1, wrong[0])}));
        QCOMPARE(in[1], QByteArrayList{"CMD_submitted+3+"});

        m_server->computertimerTimer();
        QVERIFY2(game().wordOpen, "this seed lets the computer find the word; the test needs another");
        expectEveryone(sync(), {"CMD_submitted+2+"});

        guess(1, wrong[1]);
        in = sync(1);
        QCOMPARE(in[1], (QByteArrayList{"CMD_submitted+1+", letters(1, "f", 1, wrong[1]), "CMD_nextplayer+1+2+"}));
        QCOMPARE(in[3], (QByteArrayList{"CMD_submitted+1+", "CMD_nextplayer+3+2+"}));
        QVERIFY(m_server->computertimer().isActive());

        guess(3, hidden.toLower());
        in = sync(3);
        const QByteArrayList found{"CMD_wordlist+3+1+" + wrong[0] + "+2+" + hidden + "+3++4++5+",
                                   "CMD_heguessed+3+" + hidden + "+1+1000+"};
        QCOMPARE(in[3], (QByteArrayList{"CMD_submitted+3+", "CMD_yourletters+3+f+2+sssss+" + hidden + "+"} + found));
        QCOMPARE(in[1], QByteArrayList{"CMD_submitted+3+"} + found);

        tick(kPause);
        expectEveryone(sync(), {});
        tick();
        in = sync();
        for (const int s : {1, 3})
            QCOMPARE(in[s], (QByteArrayList{"CMD_loadball+2+" + word().left(1) + "+", "CMD_nextplayer+" + n(s) + "+1+"}));
    }

    // Seats 1 and 3 play, seat 6 watches; seat 2 is the computer's.
    void rowTimesOut_data()
    {
        QTest::addColumn<QList<int>>("guessers");
        QTest::addColumn<QList<int>>("toldTimeUp");
        QTest::newRow("nobody guessed") << QList<int>{} << QList<int>{1, 3, 6};
        QTest::newRow("seat 3 guessed") << QList<int>{3} << QList<int>{1, 6};
    }
    void rowTimesOut()
    {
        QFETCH(QList<int>, guessers);
        QFETCH(QList<int>, toldTimeUp);
        seatPlayers({"Rook", "Ann", "Cy", "Dee", "Eve", "Spy"});
        for (const int s : {2, 4, 5})
            leave(s);
        start("most");
        sync();
        for (const int s : guessers) {
            guess(s, wrongWords(1).first());
            sync(s);
        }
        tick(22);
        expectEveryone(sync(), {});
        QVERIFY(m_server->turntimer().isActive());
        tick();
        const Inbox in = sync();
        for (const int s : {1, 3, 6}) {
            QByteArrayList expected;
            if (toldTimeUp.contains(s))
                expected << "CMD_timeup+1+";
            expected << "CMD_nextplayer+" + n(s) + "+2+";
            QCOMPARE(in[s], expected);
        }
    }

    // finders: the seat that finds each ball, in order; the game ends with the last one.
    void completeGame_data()
    {
        QTest::addColumn<QByteArray>("type");
        QTest::addColumn<int>("players");
        QTest::addColumn<QList<int>>("finders");
        QTest::addColumn<QByteArrayList>("ending"); // "%1" is the last word
        QTest::newRow("most, nobody can catch up") << QByteArray("most") << 2 << QList<int>{1, 1, 1, 1, 1}
                                                   << QByteArrayList{"CMD_heguessed+1+%1+5+1000+", "CMD_winner+1+",
                                                                     "CMD_impossible+"};
        QTest::newRow("most, winner at ball 9") << QByteArray("most") << 3 << QList<int>{1, 2, 3, 1, 2, 3, 1, 2, 1}
                                                << QByteArrayList{"CMD_heguessed+1+%1+9+1000+", "CMD_winner+1+"};
        QTest::newRow("most, tie") << QByteArray("most") << 3 << QList<int>{1, 2, 1, 2, 1, 2, 1, 2, 3}
                                   << QByteArrayList{"CMD_heguessed+3+%1+9+1000+", "CMD_tiegame+Ann and Rook+"};
        QTest::newRow("high, nobody can catch up") << QByteArray("high") << 2 << QList<int>{1, 1, 1, 1, 1, 1, 1}
                                                   << QByteArrayList{"CMD_heguessed+1+%1+7+28+", "CMD_winner+1+",
                                                                     "CMD_impossible+"};
        QTest::newRow("high, tie") << QByteArray("high") << 3 << QList<int>{3, 1, 1, 2, 2, 2, 2, 1, 1}
                                   << QByteArrayList{"CMD_heguessed+1+%1+9+22+", "CMD_tiegame+Ann and Rook+"};
        QTest::newRow("race, nine balls") << QByteArray("race") << 2 << QList<int>{2, 1, 1, 1, 1, 1, 1, 1, 1, 1}
                                          << QByteArrayList{"CMD_heguessed+1+%1+9+1000+", "CMD_winner+1+"};
    }
    void completeGame()
    {
        QFETCH(QByteArray, type);
        QFETCH(int, players);
        QFETCH(QList<int>, finders);
        QFETCH(QByteArrayList, ending);
        seatPlayers(QByteArrayList{"Rook", "Ann", "Cy"}.mid(0, players));
        start(type);
        sync();
        for (int i = 0; i < finders.size(); ++i) {
            const int finder = finders[i];
            const QByteArray hidden = word();
            guess(finder, hidden.toLower());
            Inbox in = sync(finder);
            if (i + 1 == finders.size()) {
                for (QByteArray &line : ending)
                    line.replace("%1", hidden);
                for (auto it = in.cbegin(); it != in.cend(); ++it)
                    QCOMPARE(it.value().mid(it.value().size() - ending.size()), ending);
                break;
            }
            QVERIFY(game().running);
            const QByteArray told = "CMD_heguessed+" + n(finder) + "+" + hidden + "+";
            QVERIFY(std::any_of(in[1].cbegin(), in[1].cend(), [&](const QByteArray &m) { return m.startsWith(told); }));
            tick(kPause + 1);
            in = sync();
            QVERIFY(in[1].first().startsWith("CMD_loadball+"));
            if (type == "race" && i == 0) {
                // Seat 2 pocketed its first ball: it plays for its second, seat 1 still for its first.
                QVERIFY(in[1].first().startsWith("CMD_loadball+1+"));
                QVERIFY(in[2].first().startsWith("CMD_loadball+2+"));
            }
        }
        QVERIFY(!game().running);
        QVERIFY(!m_server->turntimer().isActive());
        // A guess after the end is judged by nobody.
        guess(1, word().toLower());
        expectEveryone(sync(1), {});
    }

    // The holder keeps the turn while it finds words; the one who pockets ball 9 wins,
    // whatever the scores.
    void nineBallGameEndsWithBall9()
    {
        seatPlayers({"Rook", "Ann", "Cy"});
        start("nine");
        sync();
        const int holder = game().currentPlayer;
        for (int ball = 1; ball <= 8; ++ball) {
            const QByteArray hidden = word();
            guess(holder, hidden.toLower());
            Inbox in = sync(holder);
            for (const int s : {1, 2, 3})
                QCOMPARE(in[s].last(), QByteArray("CMD_heguessed+" + n(holder) + "+" + hidden + "+" + n(ball) + "+1000+"));
            tick(kPause + 1);
            in = sync();
            QCOMPARE(in[1].last(), QByteArray("CMD_nextplayer+" + n(holder) + "+1+"));
        }
        // The holder misses ball 9's first word, so the turn passes on.
        const QByteArray missed = word();
        // Each guess once its row has reached the holder: one sent earlier would be dropped.
        Inbox in;
        for (const QByteArray &w : wrongWords()) {
            guess(holder, w);
            in = sync(holder);
        }
        QCOMPARE(in[1].last(), QByteArray("CMD_nooneguessed+" + missed + "+"));
        tick(kPause + 1);
        sync();
        const int next = game().currentPlayer;
        QVERIFY(next != holder);
        QCOMPARE(game().round, 9);
        const QByteArray hidden = word();
        guess(next, hidden);
        in = sync(next);
        for (const int s : {1, 2, 3})
            QCOMPARE(in[s].mid(in[s].size() - 2),
                     (QByteArrayList{"CMD_heguessed+" + n(next) + "+" + hidden + "+9+1000+", "CMD_winner+" + n(next) + "+"}));
        QCOMPARE(game().seat(holder).score, 8);
        QVERIFY(!game().running);
    }

    void lateJoiner_data()
    {
        QTest::addColumn<QByteArray>("type");
        QTest::addColumn<QByteArrayList>("catchUp");
        QTest::newRow("most") << QByteArray("most")
                              << QByteArrayList{"CMD_gamestats+most+2+4+T+", "CMD_playerscores+1+1000+2+1000+3+1000+4+1000+5+1000",
                                                "CMD_ballowners+1+1+2+1+3+1+4+0+5+0+6+0+7+0+8+0+9+0"};
        QTest::newRow("high") << QByteArray("high")
                              << QByteArrayList{"CMD_gamestats+high+2+4+T+", "CMD_playerscores+1+6+2+0+3+0+4+0+5+0",
                                                "CMD_ballowners+1+1+2+1+3+1+4+0+5+0+6+0+7+0+8+0+9+0"};
        QTest::newRow("race") << QByteArray("race")
                              << QByteArrayList{"CMD_gamestats+race+2+1+T+", "CMD_playerscores+1+1000+2+1000+3+1000+4+1000+5+1000",
                                                "CMD_theyown+1+3+2+0+3+0+4+0+5+0"};
    }
    // Seat 1 has pocketed balls 1 to 3 and missed row 1 of ball 4, a word beginning
    // with T, when a newcomer logs in on seat 2.
    void lateJoiner()
    {
        QFETCH(QByteArray, type);
        QFETCH(QByteArrayList, catchUp);
        makeServer(answersStartingWith(QLatin1Char('t')));
        seatPlayers({"Rook"});
        start(type);
        sync();
        for (int ball = 1; ball <= 3; ++ball) {
            guess(1, word());
            sync(1);
            tick(kPause + 1);
            sync();
        }
        guess(1, wrongWords(1).first());
        sync(1);
        QCOMPARE(game().row, 2);
        join(2, "Zed");
        const Inbox in = sync(2);
        QCOMPARE(in[2], (QByteArrayList{"CMD_sendlogininfo+2", "CMD_newplayerinfo+2+Zed", "CMD_existingplayers+1+Rook"} + catchUp));
    }

    void unknownTypeStartsNothing_data()
    {
        QTest::addColumn<bool>("running");
        QTest::addColumn<QByteArray>("sent");
        QTest::newRow("unknown") << false << QByteArray("CMD_startgame+Rook+pool+");
        QTest::newRow("case differs") << false << QByteArray("CMD_startgame+Rook+Nine+");
        QTest::newRow("no type") << false << QByteArray("CMD_startgame+Rook++");
        QTest::newRow("no fields") << false << QByteArray("CMD_startgame+");
        QTest::newRow("blank after type") << false << QByteArray("CMD_startgame+Rook+nine +");
        QTest::newRow("during a game") << true << QByteArray("CMD_startgame+Rook+pool+");
    }
    void unknownTypeStartsNothing()
    {
        QFETCH(bool, running);
        QFETCH(QByteArray, sent);
        seatPlayers({"Rook", "Ann"});
        if (running) {
            start("most");
            sync();
        }
        const QString before = game().word;
        client(1).sendMessage(sent);
        expectEveryone(sync(1), {});
        QCOMPARE(game().running, running);
        QCOMPARE(game().word, before);
        QCOMPARE(m_server->turntimer().isActive(), running);
    }

    // The type is the last field, so a host whose name holds "+" can start a game.
    void starterNameWithPlus()
    {
        seatPlayers({"Ro+ok", "Ann"});
        client(1).sendMessage("CMD_startgame+Ro+ok+high+");
        const Inbox in = sync(1);
        QCOMPARE(in[2].first(), QByteArray("CMD_startgame+Ro+ok+high+"));
        QVERIFY(game().running);
        QCOMPARE(game().type, GameType::High);
    }

    // from 0: a seat that does not hold the Nine Ball turn, guessing for itself.
    void guessIgnored_data()
    {
        QTest::addColumn<QByteArray>("type");
        QTest::addColumn<int>("from");
        QTest::addColumn<QByteArray>("sent"); // "%1" is the hidden word
        QTest::newRow("for another seat") << QByteArray("most") << 3 << QByteArray("CMD_myword+1+%1+");
        QTest::newRow("seat 0") << QByteArray("most") << 3 << QByteArray("CMD_myword+0+%1+");
        QTest::newRow("seat 12") << QByteArray("most") << 3 << QByteArray("CMD_myword+12+%1+");
        QTest::newRow("seat not a number") << QByteArray("most") << 3 << QByteArray("CMD_myword+x+%1+");
        QTest::newRow("out of turn") << QByteArray("nine") << 0 << QByteArray("CMD_myword+%2+%1+");
    }
    void guessIgnored()
    {
        QFETCH(QByteArray, type);
        QFETCH(int, from);
        QFETCH(QByteArray, sent);
        seatPlayers({"Rook", "Ann", "Cy"});
        start(type);
        sync();
        if (!from)
            from = game().currentPlayer % 3 + 1;
        client(from).sendMessage(sent.replace("%1", word()).replace("%2", n(from)));
        expectEveryone(sync(from), {});
        QVERIFY(game().wordOpen);
        for (int s = 1; s <= 3; ++s)
            QVERIFY(!game().seat(s).submitted);
    }

    // Two guesses in one write: the second left before row 2 reached the player, so it
    // was typed for row 1 and is judged in no row.
    void guessSentBeforeItsRowIsNotJudged()
    {
        seatPlayers({"Rook", "Ann", "Cy"});
        start("nine");
        sync();
        const int holder = game().currentPlayer;
        const QByteArray prefix = "CMD_myword+" + n(holder) + "+";
        client(holder).send(msg(prefix + wrongWords(1).value(0) + "+") + msg(prefix + word() + "+"));
        const Inbox in = sync(holder);
        QCOMPARE(game().row, 2);
        QVERIFY(game().wordOpen);
        QVERIFY(std::none_of(in[holder].cbegin(), in[holder].cend(), [](const QByteArray &m) { return m.startsWith("CMD_heguessed+"); }));
    }

    void nineBallTurnHolderLeaves()
    {
        seatPlayers({"Rook", "Ann", "Cy"});
        start("nine");
        sync();
        if (game().currentPlayer == 1) {
            // Seat 1 leaving never gives a word up: pass the turn on first.
            personGivesUp(1, 2);
            tick(kPause + 1);
            sync();
        }
        const int holder = game().currentPlayer;
        QVERIFY(holder == 2 || holder == 3);
        const QByteArray hidden = word();
        const QByteArray name = game().seat(holder).name.toLatin1();
        expectEveryone(leave(holder), {"CMD_playerdisconnected+" + n(holder) + "+" + name, "CMD_nooneguessed+" + hidden + "+"});
        tick(kPause + 1);
        const Inbox in = sync();
        QCOMPARE(game().round, 1);
        expectEveryone(in, {"CMD_loadball+1+" + word().left(1) + "+", "CMD_nextplayer+" + n(game().currentPlayer) + "+1+"});
    }

    void nineBallLastPlayerLeavesWatchersPlay()
    {
        seatPlayers({"Rook", "Ann", "Cy"});
        start("nine");
        sync();
        for (const int s : {1, 3}) {
            client(s).sendMessage("CMD_justwatch+" + n(s) + "+1");
            sync(s);
        }
        const Inbox in = leave(2);
        for (const int s : {1, 3})
            QCOMPARE(in[s].mid(0, 3), (QByteArrayList{"CMD_playerdisconnected+2+Ann", "CMD_justwatching+1+2",
                                                      "CMD_justwatching+3+2"}));
        QVERIFY(game().seat(1).playing());
        QVERIFY(game().seat(3).playing());
    }

    // The turn holder switching to watching hands its turn to the computer.
    void watchingTurnHolderHandsTurnToComputer()
    {
        seatPlayers({"Rook", "Ann"});
        start("nine");
        sync();
        const int holder = game().currentPlayer;
        QVERIFY(holder == 1 || holder == 2);
        QVERIFY(!m_server->computertimer().isActive());
        client(holder).sendMessage("CMD_justwatch+" + n(holder) + "+1");
        expectEveryone(sync(holder), {"CMD_justwatching+" + n(holder) + "+1"});
        QVERIFY(m_server->computertimer().isActive());
        QCOMPARE(m_server->computertimer().interval(), kNever);
        m_server->computertimerTimer();
        const Inbox in = sync();
        const QByteArray picked = game().seat(holder).guesses[1].toLatin1();
        QCOMPARE(picked.size(), 5);
        QCOMPARE(in[holder].mid(0, 2), (QByteArrayList{"CMD_submitted+" + n(holder) + "+", letters(holder, "f", 1, picked)}));
        QCOMPARE(in[holder % 2 + 1].mid(0, 2), (QByteArrayList{"CMD_submitted+" + n(holder) + "+", letters(holder, "t", 1, picked)}));
    }
};

QTEST_GUILESS_MAIN(TestTServerGame)
#include "test_tservergame.moc"
