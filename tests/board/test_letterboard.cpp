// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "board/boardpictures.h"
#include "board/letterboard.h"
#include "board/picturebox.h"
#include "board/pooltable.h"
#include "board/wordlistpanel.h"
#include "boardmodel/boardmodel.h"
#include "core/conversion.h"
#include "protocol/message.h"
#include "support/standinboard.h"
#include "support/typing.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <algorithm>
#include <array>
#include <cmath>
#include <QTimer>

using namespace brelvox;
using support::samePicture;

Q_DECLARE_METATYPE(brelvox::BoardModel::Entry)

namespace {

const QStringList SeatNames = {QStringLiteral("Ann"), QStringLiteral("<Waiting>"), QStringLiteral("Cid"),
                               QStringLiteral("Dan"), QStringLiteral("<Waiting>")};

// How a colour-blind eye sees linear RGB: Machado, Oliveira and Fernandes (2009), severity 1.
enum class Vision { Normal, Protanopia, Deuteranopia, Tritanopia };
using Matrix = std::array<std::array<double, 3>, 3>;

const Matrix &visionMatrix(Vision vision)
{
    static const Matrix normal{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
    static const Matrix protanopia{{{0.152286, 1.052583, -0.204868},
                                    {0.114503, 0.786281, 0.099216},
                                    {-0.003882, -0.048116, 1.051998}}};
    static const Matrix deuteranopia{{{0.367322, 0.860646, -0.227968},
                                      {0.280085, 0.672501, 0.047413},
                                      {-0.011820, 0.042940, 0.968881}}};
    static const Matrix tritanopia{{{1.255528, -0.076749, -0.178779},
                                    {-0.078411, 0.930809, 0.147602},
                                    {0.004733, 0.691367, 0.303900}}};
    switch (vision) {
    case Vision::Protanopia: return protanopia;
    case Vision::Deuteranopia: return deuteranopia;
    case Vision::Tritanopia: return tritanopia;
    default: return normal;
    }
}

const char *visionName(Vision vision)
{
    static const char *const names[] = {"normal vision", "protanopia", "deuteranopia", "tritanopia"};
    return names[int(vision)];
}

// Relative luminance as the WCAG define it, of the colour as the given eye sees it.
double luminance(QRgb rgb, Vision vision = Vision::Normal)
{
    auto channel = [](int value) {
        const double c = value / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    const std::array<double, 3> linear{channel(qRed(rgb)), channel(qGreen(rgb)), channel(qBlue(rgb))};
    const Matrix &m = visionMatrix(vision);
    std::array<double, 3> seen{};
    for (int i = 0; i < 3; ++i)
        seen[i] = std::clamp(m[i][0] * linear[0] + m[i][1] * linear[1] + m[i][2] * linear[2], 0.0, 1.0);
    return 0.2126 * seen[0] + 0.7152 * seen[1] + 0.0722 * seen[2];
}

double contrast(double a, double b)
{
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

} // namespace

Q_DECLARE_METATYPE(Vision)

class TestLetterBoard : public QObject
{
    Q_OBJECT
private:
    QWidget *m_board = nullptr;
    QLineEdit *m_chat = nullptr;
    PoolTable *m_table = nullptr;
    LetterBoard *m_letters = nullptr;
    ClientState m_state;
    QList<QByteArray> m_sent;
    QStringList m_sounds;
    QStringList m_lines;
    int m_turnSound = 0;
    bool m_showWordList = true;
    int m_untick = 0;

    QLineEdit *cell(int c) const { return m_letters->cell(c); }
    BoardModel &model() const { return m_letters->model(); }
    QString cells() const
    {
        QString text;
        for (int c = 1; c <= 5; ++c)
            text += cell(c)->text().isEmpty() ? QStringLiteral(".") : cell(c)->text();
        return text;
    }
    QString row(int r) const
    {
        QString text;
        for (int c = 1; c <= 5; ++c)
            text += m_letters->letter(r, c)->text().isEmpty() ? QStringLiteral(".") : m_letters->letter(r, c)->text();
        return text;
    }
    int focusedCell() const
    {
        for (int c = 1; c <= 5; ++c) {
            if (cell(c)->hasFocus())
                return c;
        }
        return 0;
    }
    void type(const QString &keys) { support::typeIntoFocus(keys); }
    QImage rendered(int row, int column) const
    {
        return m_letters->panel()->grab(m_letters->letter(row, column)->geometry()).toImage();
    }
    // The contrast of a rendered letter against what lies round it: the glyph is where the
    // cell changes when the letter's colour turns transparent, the ring the pixels touching
    // it from outside. All but the weakest 2% of the ring reach the returned ratio.
    double letterContrast(int row, int column, Vision vision = Vision::Normal) const
    {
        QLabel *label = m_letters->letter(row, column);
        const QImage shown = rendered(row, column);
        const QPalette keep = label->palette();
        QPalette clear = keep;
        QColor none = keep.color(QPalette::WindowText);
        const double letter = luminance(none.rgb(), vision);
        none.setAlpha(0);
        clear.setColor(QPalette::WindowText, none);
        label->setPalette(clear);
        const QImage bare = rendered(row, column);
        label->setPalette(keep);

        auto differs = [&](int x, int y) {
            const QRgb a = shown.pixel(x, y), b = bare.pixel(x, y);
            return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b)) > 30;
        };
        QList<double> ring;
        for (int y = 0; y < shown.height(); ++y) {
            for (int x = 0; x < shown.width(); ++x) {
                if (differs(x, y))
                    continue;
                bool nearGlyph = false;
                for (int dy = -1; dy <= 1 && !nearGlyph; ++dy) {
                    for (int dx = -1; dx <= 1 && !nearGlyph; ++dx)
                        nearGlyph = shown.rect().contains(x + dx, y + dy) && differs(x + dx, y + dy);
                }
                if (nearGlyph)
                    ring.append(contrast(letter, luminance(shown.pixel(x, y), vision)));
            }
        }
        if (ring.size() < 20)
            return 0;
        std::sort(ring.begin(), ring.end());
        return ring.at(ring.size() / 50);
    }

    void openTurn(int own, int turn)
    {
        m_state.ownSeat = own;
        m_letters->loadball(QStringLiteral("4+H+"));
        m_letters->getnextplayer(QStringLiteral("%1+1+").arg(turn));
        m_sounds.clear();
    }

private Q_SLOTS:
    void init()
    {
        m_state = ClientState();
        m_state.loggedIn = true;
        m_sent.clear();
        m_sounds.clear();
        m_lines.clear();
        m_turnSound = 0;
        m_showWordList = true;
        m_untick = 0;

        for (int seat = 1; seat <= 5; ++seat)
            m_state.seatNames[seat - 1] = SeatNames.value(seat - 1);
        m_board = support::standInBoard(SeatNames);
        m_chat = new QLineEdit(m_board);
        m_chat->setGeometry(360, 480, 300, 20);
        m_table = new PoolTable(m_board);
        m_table->move(252, 4);

        LetterBoard::Queries queries;
        queries.showWordList = [this] { return m_showWordList; };
        queries.turnSound = [this] { return m_turnSound; };
        m_letters = new LetterBoard(m_board, m_chat, m_state, *m_table->model(), m_table, queries, m_board);
        connect(m_letters, &LetterBoard::sendRequested, this, [this](const Message &m) { m_sent.append(m.wire()); });
        connect(m_letters, &LetterBoard::chatLine, this, [this](const QString &text, ColorRef color) {
            QCOMPARE(color, kSystemColor);
            m_lines.append(text);
        });
        connect(m_letters, &LetterBoard::soundRequested, this, [this](const QString &name) { m_sounds.append(name); });
        connect(m_letters, &LetterBoard::gameStarted, this, [this] { ++m_untick; });
        m_letters->timer2()->stop();

        m_board->show();
        m_board->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_board));
    }

    void cleanup()
    {
        delete m_board;
        m_board = nullptr;
    }

    void typing_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("cells");
        QTest::addColumn<int>("focus");
        QTest::addColumn<QString>("sounds");
        QTest::addColumn<bool>("sent");

        QTest::newRow("five letters and Enter") << "hello\r" << "HELLO" << 0 << "ttttt" << true;
        QTest::newRow("Enter after four letters") << "hell\r" << "HELL." << 5 << "tttt" << false;
        QTest::newRow("Enter in cell 3") << "he\r" << "HE..." << 3 << "tt" << false;
        QTest::newRow("digits, blanks, punctuation") << "h3 e.!l0" << "HEL.." << 4 << "ttt" << false;
        QTest::newRow("Backspace in empty cell 4") << "hel\b" << "HE..." << 3 << "tttb" << false;
        QTest::newRow("Backspace in filled cell 5") << "hello\b" << "HELL." << 5 << "tttttb" << false;
        QTest::newRow("second Backspace steps back") << "hello\b\b" << "HEL.." << 4 << "tttttbb" << false;
        QTest::newRow("Backspace in cell 1") << "h\b\b" << "....." << 1 << "tbb" << false;
        QTest::newRow("retyped after Backspace") << "hellp\bo\r" << "HELLO" << 0 << "tttttbt" << true;
        QTest::newRow("sixth letter does not land") << "hellox\r" << "HELLO" << 0 << "tttttt" << true;
    }

    void typing()
    {
        QFETCH(QString, keys);
        QFETCH(QString, cells);
        QFETCH(int, focus);
        QFETCH(QString, sounds);
        QFETCH(bool, sent);

        openTurn(3, 3);
        QCOMPARE(focusedCell(), 1);
        type(keys);
        QCOMPARE(this->cells(), cells);
        QCOMPARE(focusedCell(), focus);
        QString heard;
        for (const QString &s : std::as_const(m_sounds))
            heard += s == QLatin1String("typing1") ? u't' : s == QLatin1String("backspace") ? u'b' : u'?';
        QCOMPARE(heard, sounds);
        if (sent) {
            QCOMPARE(m_sent, QList<QByteArray>{QByteArray("CMD_myword+3+HELLO+\xff")});
            QCOMPARE(model().entry(), BoardModel::Entry::Sent);
            QCOMPARE(m_state.turnSeat, 0);
            QVERIFY(m_chat->hasFocus());
            QVERIFY(m_letters->turnMarker()->isHidden());
            // The row is closed: keys on the cells are dropped.
            QTest::keyClick(cell(5), Qt::Key_Backspace);
            QTest::keyClick(cell(1), 'a');
            QCOMPARE(this->cells(), QStringLiteral("HELLO"));
            QCOMPARE(m_sent.size(), 1);
        } else {
            QVERIFY(m_sent.isEmpty());
            QCOMPARE(model().entry(), BoardModel::Entry::Open);
        }
    }

    void notLoggedInClosesRowUnsent()
    {
        openTurn(3, 3);
        m_state.loggedIn = false;
        type(QStringLiteral("hello\r"));
        QVERIFY(m_sent.isEmpty());
        QCOMPARE(model().entry(), BoardModel::Entry::Sent);
        QCOMPARE(m_state.turnSeat, 0);
    }

    void redCellsDiscardEveryKey()
    {
        openTurn(3, 4);
        QCOMPARE(model().entry(), BoardModel::Entry::Locked);
        model().setEntryLetter(2, QStringLiteral("Q"));
        QTest::mouseClick(cell(2), Qt::LeftButton);
        QVERIFY(cell(2)->hasFocus());
        QCOMPARE(cell(2)->text(), QStringLiteral("Q"));
        type(QStringLiteral("ab\b\r3"));
        QCOMPARE(cells(), QStringLiteral(".Q..."));
        QVERIFY(m_sounds.isEmpty());
        QVERIFY(m_sent.isEmpty());
    }

    void nobodysTurnBeforeLogin()
    {
        m_state.ownSeat = 0;
        m_state.turnSeat = 0;
        QTest::keyClick(cell(1), 'a');
        QCOMPARE(cells(), QStringLiteral("....."));
    }

    void judgedLetters_data()
    {
        QTest::addColumn<int>("seat");
        QTest::addColumn<QString>("flag");
        QTest::addColumn<bool>("shown");
        QTest::newRow("own seat, f") << 2 << "f" << true;
        QTest::newRow("own seat, t") << 2 << "t" << true;
        QTest::newRow("other seat, f") << 4 << "f" << false;
        QTest::newRow("other seat, t") << 4 << "t" << true;
    }

    void judgedLetters()
    {
        QFETCH(int, seat);
        QFETCH(QString, flag);
        QFETCH(bool, shown);
        m_state.ownSeat = 2;
        m_letters->loadball(QStringLiteral("4+S+"));

        m_letters->yourletters(QStringLiteral("%1+%2+2+sxcxs+STEAK+").arg(seat).arg(flag));
        QCOMPARE(row(2), shown ? QStringLiteral("STEAK") : QStringLiteral("....."));
        QCOMPARE(m_sounds, shown ? QStringList{QStringLiteral("wrongguess")} : QStringList());
        m_sounds.clear();

        m_letters->notvalid(QStringLiteral("%1+%2+QWXYZ+3+").arg(seat).arg(flag));
        QCOMPARE(row(3), shown ? QStringLiteral("QWXYZ") : QStringLiteral("....."));
        if (shown) {
            QCOMPARE(model().shade(3, 4), BoardModel::Shade::Rejected);
            QCOMPARE(m_letters->status()->text(), QStringLiteral("QWXYZ is not a valid word!"));
        }
    }

    void patternPictures()
    {
        m_state.ownSeat = 1;
        m_letters->loadball(QStringLiteral("4+S+"));
        model().setEntryLetter(3, QStringLiteral("E"));
        m_letters->yourletters(QStringLiteral("1+f+1+sxcxs+STEAK+"));
        QVERIFY(samePicture(m_letters->slot(1, 1)->pixmap(), BoardPictures::markBall(4)));
        QVERIFY(m_letters->slot(1, 2)->pixmap().isNull());
        QVERIFY(samePicture(m_letters->slot(1, 3)->pixmap(), BoardPictures::markBall(0)));
        QVERIFY(m_letters->slot(1, 4)->pixmap().isNull());
        QVERIFY(samePicture(m_letters->slot(1, 5)->pixmap(), BoardPictures::markBall(4)));
        QCOMPARE(model().shade(1, 5), BoardModel::Shade::Played);
        QCOMPARE(model().mark(1, 5), 4);
        QCOMPARE(cells(), QStringLiteral("....."));

        // The next round clears the pictures and shows the new object ball.
        m_letters->loadball(QStringLiteral("5+B+"));
        QVERIFY(m_letters->slot(1, 1)->pixmap().isNull());
        QCOMPARE(row(1), QStringLiteral("B...."));
        QCOMPARE(model().objectBall(), 5);
        QCOMPARE(m_board->findChild<QLabel *>(QStringLiteral("label_theball"))->text(), QStringLiteral("Five Ball"));
        QVERIFY(samePicture(m_board->findChild<PictureBox *>(QStringLiteral("image_theball"))->pixmap(),
                            BoardPictures::ball(5)));
    }

    void clock_data()
    {
        QTest::addColumn<int>("before");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("open");
        QTest::newRow("10 left") << 11 << "Time: 10" << true;
        QTest::newRow("9 left") << 10 << "Time: 09" << true;
        QTest::newRow("1 left") << 2 << "Time: 01" << true;
        QTest::newRow("0 left") << 1 << "Time: 00" << false;
        QTest::newRow("past zero") << 0 << "Time: 00" << false;
    }

    void clock()
    {
        QFETCH(int, before);
        QFETCH(QString, shown);
        QFETCH(bool, open);
        openTurn(3, 3);
        m_letters->setSecondsLeft(before);
        m_letters->Timer2Timer();
        QCOMPARE(m_board->findChild<QLabel *>(QStringLiteral("label_time"))->text(), shown);
        QCOMPARE(m_state.turnSeat, open ? 3 : 0);
    }

    void clockRunsOutAfterTwentyTicks()
    {
        openTurn(3, 3);
        QCOMPARE(m_letters->secondsLeft(), 20);
        for (int i = 0; i < 19; ++i)
            m_letters->Timer2Timer();
        QCOMPARE(m_state.turnSeat, 3);
        m_letters->Timer2Timer();
        QCOMPARE(m_state.turnSeat, 0);
        QTest::keyClick(cell(1), 'a');
        QCOMPARE(cells(), QStringLiteral("....."));
    }

    void header_data()
    {
        QTest::addColumn<bool>("lateJoin");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("header");
        QTest::addColumn<QString>("score");
        QTest::newRow("start most") << false << "most" << "MOST BALLS POCKETED" << "";
        QTest::newRow("start high") << false << "high" << "HIGH SCORE GAME" << "0";
        QTest::newRow("start nine") << false << "nine" << "NINE BALL" << "";
        QTest::newRow("start race") << false << "race" << "RACE TO 9" << "";
        QTest::newRow("late race") << true << "race" << "RACE TO NINE" << "";
        QTest::newRow("late high") << true << "high" << "HIGH SCORE GAME" << "0";
        QTest::newRow("start unknown") << false << "pool" << "previous" << "5";
        QTest::newRow("late upper case") << true << "RACE" << "previous" << "5";
    }

    void header()
    {
        QFETCH(bool, lateJoin);
        QFETCH(QString, key);
        QFETCH(QString, header);
        QFETCH(QString, score);
        model().setHeader(QStringLiteral("previous"));
        for (int seat = 1; seat <= 5; ++seat)
            model().setScore(seat, 5);
        if (lateJoin)
            m_letters->gamestats(key + QStringLiteral("+1+1+A+"));
        else
            m_letters->startthegame(QStringLiteral("Ann+") + key + QStringLiteral("+"));
        QCOMPARE(m_letters->header()->text(), header);
        QCOMPARE(m_state.gameType, key);
        for (int seat = 1; seat <= 5; ++seat)
            QCOMPARE(m_letters->score(seat)->text(), score);
    }

    void gameStart()
    {
        model().setWatching(3, true);
        m_table->updatescores(2, 1);
        m_state.seatNames[3] = ClientState::kWaiting;
        QSignalSpy named(m_letters, &LetterBoard::seatNamed);
        m_letters->startthegame(QStringLiteral("Ann+Bo+high+"));
        QCOMPARE(m_lines, QStringList{QStringLiteral("Ann+Bo has started a game.")});
        QCOMPARE(m_state.gameType, QStringLiteral("high"));
        QCOMPARE(named.size(), 1);
        QCOMPARE(named.at(0), (QVariantList{2, QStringLiteral("Dira")}));
        QVERIFY(m_letters->eyes(3)->isHidden());
        QVERIFY(model().rack(2).isEmpty());
        QCOMPARE(m_untick, 1);
        QCOMPARE(m_table->catchUpCount(), 0);
    }

    void lateJoin()
    {
        m_state.turnSeat = 3;
        m_letters->gamestats(QStringLiteral("most+3+4+T+"));
        QCOMPARE(row(1), QStringLiteral("T****"));
        QCOMPARE(row(2), QStringLiteral("*****"));
        QCOMPARE(row(3), QStringLiteral("....."));
        QCOMPARE(model().shade(2, 3), BoardModel::Shade::Missed);
        QCOMPARE(m_state.firstLetter, QStringLiteral("T"));
        QCOMPARE(m_state.turnSeat, 0);
        QCOMPARE(model().objectBall(), 4);
        QCOMPARE(m_board->findChild<QLabel *>(QStringLiteral("label_theball"))->text(), QStringLiteral("Four Ball"));

        // A row past the grid stars all five rows and touches nothing else.
        m_letters->gamestats(QStringLiteral("most+99+4+T+"));
        QCOMPARE(row(5), QStringLiteral("*****"));
    }

    void nextPlayer_data()
    {
        QTest::addColumn<int>("turn");
        QTest::addColumn<int>("turnSound");
        QTest::addColumn<QString>("status");
        QTest::addColumn<BoardModel::Entry>("entry");
        QTest::addColumn<QString>("sound");
        QTest::addColumn<QPoint>("marker");
        QTest::newRow("own seat, classic") << 2 << 0 << "Your Turn." << BoardModel::Entry::Open << "turn" << QPoint(231, 361);
        QTest::newRow("own seat, new") << 2 << 1 << "Your Turn." << BoardModel::Entry::Open << "turnnew" << QPoint(231, 361);
        QTest::newRow("seat 4") << 4 << 0 << "Dan's turn." << BoardModel::Entry::Locked << "" << QPoint(231, 441);
        QTest::newRow("seat 7") << 7 << 0 << "unchanged" << BoardModel::Entry::Locked << "" << QPoint(231, 400);
    }

    void nextPlayer()
    {
        QFETCH(int, turn);
        QFETCH(int, turnSound);
        QFETCH(QString, status);
        QFETCH(BoardModel::Entry, entry);
        QFETCH(QString, sound);
        QFETCH(QPoint, marker);
        m_state.ownSeat = 2;
        m_turnSound = turnSound;
        m_letters->loadball(QStringLiteral("3+R+"));
        m_letters->submitted(QStringLiteral("1+"));
        m_letters->submitted(QStringLiteral("9+"));
        QVERIFY(m_letters->chalk(1)->isVisible());
        // Seat 3's row keeps the marker when the seat named has no row.
        model().showTurnMarker(3);
        model().hideTurnMarker();
        model().setStatus(QStringLiteral("unchanged"));
        model().setEntryLetter(4, QStringLiteral("Z"));

        m_letters->getnextplayer(QStringLiteral("%1+3+").arg(turn));
        QCOMPARE(m_state.turnSeat, turn);
        QCOMPARE(m_letters->status()->text(), status);
        QCOMPARE(row(3), QStringLiteral("R...."));
        QCOMPARE(m_letters->secondsLeft(), 20);
        QCOMPARE(cells(), QStringLiteral("....."));
        QCOMPARE(model().entry(), entry);
        QCOMPARE(m_sounds, sound.isEmpty() ? QStringList() : QStringList{sound});
        QCOMPARE(focusedCell(), turn == 2 ? 1 : 0);
        QVERIFY(m_letters->chalk(1)->isHidden());
        QVERIFY(m_letters->turnMarker()->isVisible());
        QCOMPARE(m_letters->turnMarker()->pos(), marker);
    }

    void timeUp_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("letters");
        QTest::newRow("row 1 keeps its first letter") << 1 << "G****";
        QTest::newRow("row 2") << 2 << "*****";
    }

    void timeUp()
    {
        QFETCH(int, row);
        QFETCH(QString, letters);
        openTurn(1, 1);
        m_letters->loadball(QStringLiteral("2+G+"));
        m_letters->getnextplayer(QStringLiteral("1+%1+").arg(row));
        model().setEntryLetter(1, QStringLiteral("G"));
        m_sounds.clear();
        m_letters->timeup(QStringLiteral("%1+").arg(row));
        QCOMPARE(this->row(row), letters);
        for (int c = 1; c <= 5; ++c)
            QCOMPARE(model().shade(row, c), BoardModel::Shade::Missed);
        QCOMPARE(cells(), QStringLiteral("....."));
        QCOMPARE(m_letters->status()->text(), QStringLiteral("Time is Up!"));
        QCOMPARE(m_sounds, QStringList{QStringLiteral("wrongguess")});
        QVERIFY(m_letters->turnMarker()->isHidden());
        QVERIFY(m_chat->hasFocus());
    }

    void scores()
    {
        m_letters->playerscores(QStringLiteral("1+1000+2+7+3+1000+4+1000+5+1000"));
        QCOMPARE(m_letters->score(1)->text(), QString());
        QCOMPARE(m_letters->score(2)->text(), QStringLiteral("7"));

        m_state.ownSeat = 2;
        m_letters->startthegame(QStringLiteral("Ann+high+"));
        m_letters->loadball(QStringLiteral("1+C+"));
        model().setScore(3, 4);
        m_letters->heguessed(QStringLiteral("3+CHAIR+1+1000+"));
        QCOMPARE(m_letters->score(3)->text(), QStringLiteral("4"));
        m_letters->heguessed(QStringLiteral("3+CHAIR+2+14+"));
        QCOMPARE(m_letters->score(3)->text(), QStringLiteral("14"));
        QCOMPARE(m_letters->status()->text(), QStringLiteral("CHAIR is the word. Cid got it!"));
        QCOMPARE(model().rack(3), (QList<int>{1, 2}));
        QCOMPARE(cells(), QStringLiteral("CHAIR"));
        QCOMPARE(model().entry(), BoardModel::Entry::Locked);
        QVERIFY(model().answerShown());
        QVERIFY(cell(1)->isReadOnly());

        QVERIFY_THROWS_EXCEPTION(ConversionError, m_letters->playerscores(QStringLiteral("1+x")));
        QVERIFY_THROWS_EXCEPTION(ConversionError, m_letters->loadball(QStringLiteral("four+A+")));
    }

    void rightAnswerShot_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("finder");
        QTest::addColumn<bool>("shot");
        QTest::addColumn<QStringList>("sounds");
        QTest::newRow("race, own seat") << "race" << 1 << true << QStringList{QStringLiteral("rightguess")};
        QTest::newRow("race, other seat") << "race" << 3 << false << QStringList();
        QTest::newRow("most, other seat") << "most" << 3 << true << QStringList();
    }

    void rightAnswerShot()
    {
        QFETCH(QString, key);
        QFETCH(int, finder);
        QFETCH(bool, shot);
        QFETCH(QStringList, sounds);
        m_state.ownSeat = 1;
        m_letters->startthegame(QStringLiteral("Ann+") + key + QStringLiteral("+"));
        m_letters->loadball(QStringLiteral("1+C+"));
        m_sounds.clear();
        const int before = m_table->model()->scriptStep();
        m_letters->heguessed(QStringLiteral("%1+CHAIR+1+1000+").arg(finder));
        QCOMPARE(m_table->model()->scriptStep(), shot ? before + 1 : before);
        QCOMPARE(model().rack(finder).size(), 1);
        QCOMPARE(m_sounds, sounds);
        QCOMPARE(m_letters->secondsLeft(), 0);
    }

    void noAnswer()
    {
        openTurn(1, 1);
        m_letters->nooneguessed(QStringLiteral("QUART+"));
        QCOMPARE(m_letters->status()->text(), QStringLiteral("QUART is the correct answer."));
        QCOMPARE(cells(), QStringLiteral("QUART"));
        QCOMPARE(model().entry(), BoardModel::Entry::Locked);
        QVERIFY(m_letters->turnMarker()->isHidden());
        QVERIFY(m_sounds.isEmpty());
    }

    void wordList_data()
    {
        QTest::addColumn<bool>("preference");
        QTest::newRow("Show Word List ticked") << true;
        QTest::newRow("unticked") << false;
    }

    void wordList()
    {
        QFETCH(bool, preference);
        m_showWordList = preference;
        m_letters->wordlist(QStringLiteral("3+1+crane+2++3+chair+4++5+"));
        WordListPanel *panel = m_letters->wordListPanel();
        QCOMPARE(panel->name(), QStringLiteral("Cid"));
        QCOMPARE(panel->word(1), QStringLiteral("CRANE"));
        QCOMPARE(panel->word(2), QString());
        QCOMPARE(panel->word(3), QStringLiteral("CHAIR"));
        QCOMPARE(panel->isVisible(), preference);

        m_letters->loadball(QStringLiteral("2+A+"));
        QVERIFY(panel->isHidden());
        QCOMPARE(panel->word(1), QString());
        QCOMPARE(panel->name(), QString());
    }

    void wordListDragAndClose()
    {
        m_letters->wordlist(QStringLiteral("1+1+crane+2++3++4++5+"));
        WordListPanel *panel = m_letters->wordListPanel();
        const QPoint start = panel->pos();
        // Over the picture that fills the panel, as a player grabs it.
        auto *picture = panel->findChild<PictureBox *>(QStringLiteral("Image3"));
        QTest::mousePress(picture, Qt::LeftButton, {}, QPoint(60, 100));
        QVERIFY(panel->isDragging());
        QTest::mouseMove(panel, QPoint(90, 100));
        QCOMPARE(panel->pos(), start + QPoint(30, 0));
        // The mouse is at the same spot of the moved panel again when it is let go.
        QTest::mouseRelease(panel, Qt::LeftButton, {}, QPoint(60, 100));
        QVERIFY(!panel->isDragging());
        QCOMPARE(panel->pos(), start + QPoint(30, 0));
        QTest::mouseMove(panel, QPoint(10, 10));
        QCOMPARE(panel->pos(), start + QPoint(30, 0));

        QTest::mouseClick(panel->findChild<QWidget *>(QStringLiteral("FlatSpeedButton1")), Qt::LeftButton);
        QVERIFY(panel->isHidden());
    }

    // Every mark and the rejected word, with wide and narrow letters, as every eye sees them.
    void lettersReadOnEveryMark_data()
    {
        QTest::addColumn<int>("ball");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<double>("least");
        QTest::addColumn<Vision>("vision");
        for (Vision vision : {Vision::Normal, Vision::Protanopia, Vision::Deuteranopia, Vision::Tritanopia}) {
            QTest::addRow("cue ball, %s", visionName(vision)) << 1 << QStringLiteral("ccccx") << 4.5 << vision;
            for (int ball = 1; ball <= 9; ++ball)
                QTest::addRow("ball %d, %s", ball, visionName(vision)) << ball << QStringLiteral("ssssx") << 4.5 << vision;
            QTest::addRow("rejected word, silver, %s", visionName(vision)) << 1 << QString() << 3.0 << vision;
        }
    }
    void lettersReadOnEveryMark()
    {
        QFETCH(int, ball);
        QFETCH(QString, pattern);
        QFETCH(double, least);
        QFETCH(Vision, vision);
        m_state.ownSeat = 1;
        m_letters->loadball(QStringLiteral("%1+R+").arg(ball));
        if (pattern.isEmpty())
            m_letters->notvalid(QStringLiteral("1+t+ROSWA+1+"));
        else
            m_letters->yourletters(QStringLiteral("1+t+1+%1+ROSWA+").arg(pattern));
        for (int c = 1; c <= 4; ++c) {
            const double ratio = letterContrast(1, c, vision);
            QVERIFY2(ratio >= least, qPrintable(QStringLiteral("%1 in column %2: %3:1")
                                                    .arg(m_letters->letter(1, c)->text()).arg(c).arg(ratio)));
        }
    }

    // A right-place mark and an elsewhere mark under the same open letter differ by at
    // least 3:1 over a fifth of the cell, whatever the ball and however the eye sees colour.
    void marksToldApart_data()
    {
        QTest::addColumn<int>("ball");
        QTest::addColumn<Vision>("vision");
        for (Vision vision : {Vision::Normal, Vision::Protanopia, Vision::Deuteranopia, Vision::Tritanopia}) {
            for (int ball = 1; ball <= 9; ++ball)
                QTest::addRow("ball %d, %s", ball, visionName(vision)) << ball << vision;
        }
    }
    void marksToldApart()
    {
        QFETCH(int, ball);
        QFETCH(Vision, vision);
        m_state.ownSeat = 1;
        m_letters->loadball(QStringLiteral("%1+C+").arg(ball));
        m_letters->yourletters(QStringLiteral("1+t+1+scxxx+CCXXX+"));
        const QImage right = rendered(1, 1), elsewhere = rendered(1, 2);
        QList<double> ratios;
        for (int y = 0; y < right.height(); ++y) {
            for (int x = 0; x < right.width(); ++x)
                ratios.append(contrast(luminance(right.pixel(x, y), vision), luminance(elsewhere.pixel(x, y), vision)));
        }
        std::sort(ratios.begin(), ratios.end(), std::greater<>());
        const double fifth = ratios.at(ratios.size() / 5);
        QVERIFY2(fifth >= 3.0, qPrintable(QStringLiteral("%1:1").arg(fifth, 0, 'f', 2)));
    }

    // Inside an open letter the ball shows its colour, never its number.
    void markShowsNoNumberInsideOpenLetters()
    {
        m_state.ownSeat = 1;
        for (int ball = 1; ball <= 9; ++ball) {
            m_letters->loadball(QStringLiteral("%1+C+").arg(ball));
            m_letters->yourletters(QStringLiteral("1+t+%1+sxxxx+CXXXX+").arg(std::min(ball, 5)));
            const QImage slot = m_letters->slot(std::min(ball, 5), 1)->pixmap().toImage();
            const QImage numbered = BoardPictures::ball(ball).toImage();
            QVERIFY2(slot != numbered, qPrintable(QString::number(ball)));
            // The centre, where the number sat, holds the ball's own colour.
            const QColor centre = slot.pixelColor(slot.width() / 2, slot.height() / 2);
            const QColor body = BoardPictures::ballColor(ball);
            QVERIFY2(std::abs(centre.lightness() - body.lightness()) < 40,
                     qPrintable(QStringLiteral("ball %1: %2 against %3").arg(ball).arg(centre.name(), body.name())));
        }
    }

    void cueBallMarkStandsOut()
    {
        m_state.ownSeat = 1;
        m_letters->loadball(QStringLiteral("3+O+"));
        m_letters->yourletters(QStringLiteral("1+t+1+cxxxx+OOXXX+"));
        const QImage cue = rendered(1, 1), none = rendered(1, 2);
        int changed = 0;
        for (int y = 0; y < cue.height(); ++y) {
            for (int x = 0; x < cue.width(); ++x)
                changed += std::abs(luminance(cue.pixel(x, y)) - luminance(none.pixel(x, y))) > 0.25;
        }
        const double share = double(changed) / (cue.width() * cue.height());
        QVERIFY2(share >= 0.15, qPrintable(QString::number(share)));
    }

    void gridCentredInItsPanel()
    {
        const QImage grid = m_letters->panel()->findChild<PictureBox *>(QStringLiteral("image_grid"))->pixmap().toImage();
        int left = grid.width(), right = -1;
        for (int y = 0; y < grid.height(); ++y) {
            for (int x = 0; x < grid.width(); ++x) {
                if (qAlpha(grid.pixel(x, y)) > 0) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
            }
        }
        const int rightMargin = grid.width() - 1 - right;
        QVERIFY2(left > 0 && std::abs(left - rightMargin) <= 1,
                 qPrintable(QStringLiteral("margins %1 and %2").arg(left).arg(rightMargin)));
        const QRect panel = m_letters->panel()->rect();
        for (int c = 1; c <= 5; ++c) {
            QVERIFY(panel.contains(m_letters->cell(c)->geometry()));
            for (int r = 1; r <= 5; ++r)
                QVERIFY(panel.contains(m_letters->letter(r, c)->geometry()));
        }
    }

    void nameBesideEyes()
    {
        auto *name = m_board->findChild<QLabel *>(QStringLiteral("label_playername1"));
        PictureBox *eyes = m_letters->eyes(1);
        model().setWatching(1, true);
        QVERIFY(eyes->isVisible());
        QVERIFY(name->x() + name->contentsRect().left() > eyes->geometry().right());
        QVERIFY(name->contentsRect().width() >= name->fontMetrics().horizontalAdvance(name->text()));
        model().setWatching(1, false);
        QCOMPARE(name->contentsRect(), name->rect());
    }

    void wordListStaysOnBoard_data()
    {
        QTest::addColumn<QPoint>("drag");
        QTest::newRow("far right and down") << QPoint(2000, 900);
        QTest::newRow("far left and up") << QPoint(-2000, -900);
    }
    void wordListStaysOnBoard()
    {
        QFETCH(QPoint, drag);
        m_letters->wordlist(QStringLiteral("1+1+crane+2++3++4++5+"));
        WordListPanel *panel = m_letters->wordListPanel();
        QTest::mousePress(panel, Qt::LeftButton, {}, QPoint(60, 60));
        QTest::mouseMove(panel, QPoint(60, 60) + drag);
        QTest::mouseRelease(panel, Qt::LeftButton, {}, QPoint(60, 60) + drag);
        QVERIFY(m_board->rect().contains(panel->geometry()));
    }

    void seatsOutsideTheBoardAreIgnored()
    {
        m_letters->submitted(QStringLiteral("6+"));
        m_letters->submitted(QStringLiteral("0+"));
        for (int seat = 1; seat <= 5; ++seat)
            QVERIFY(m_letters->chalk(seat)->isHidden());
        m_letters->submitted(QStringLiteral("3+"));
        QVERIFY(m_letters->chalk(3)->isVisible());
        m_letters->playerscores(QStringLiteral("6+4+-1+2"));
        m_letters->heguessed(QStringLiteral("8+CHAIR+1+12+"));
        m_letters->yourletters(QStringLiteral("1+t+9+sssss+CHAIR+"));
        m_letters->timeup(QStringLiteral("0+"));
        QCOMPARE(m_letters->status()->text(), QStringLiteral("Time is Up!"));
        QVERIFY_THROWS_EXCEPTION(ConversionError, m_letters->submitted(QStringLiteral("three+")));
    }
};

QTEST_MAIN(TestLetterBoard)
#include "test_letterboard.moc"
