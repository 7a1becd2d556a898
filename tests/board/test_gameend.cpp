// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "board/boardpictures.h"
#include "board/gameend.h"
#include "board/letterboard.h"
#include "board/picturebox.h"
#include "board/tallyrecorder.h"
#include "board/tgamestart.h"
#include "boardmodel/boardmodel.h"
#include "core/conversion.h"
#include "protocol/message.h"
#include "support/standinboard.h"
#include "widgets/dialogs.h"
#include "widgets/flatbutton.h"
#include "widgets/flatpanel.h"

#include <QLabel>
#include <QTest>

using namespace brelvox;
using support::samePicture;

namespace {

class RecordingTally : public TallyRecorder
{
public:
    void addgame(const QString &winner) override { games.append(winner); }
    QStringList games;
};

} // namespace

class TestGameEnd : public QObject
{
    Q_OBJECT
private:
    QWidget *m_board = nullptr;
    FlatButton *m_start = nullptr;
    BoardModel *m_model = nullptr;
    Tgamestart *m_dialog = nullptr;
    GameEnd *m_end = nullptr;
    RecordingTally m_tally;
    ClientState m_state;
    QStringList m_lines;
    QStringList m_sounds;
    QList<QByteArray> m_sent;
    QList<int> m_chosen;
    QStringList m_boxes;

    QLabel *seat(int n) const { return m_board->findChild<QLabel *>(QStringLiteral("label_playername%1").arg(n)); }
    PictureBox *box(int n) const { return m_dialog->findChild<PictureBox *>(QStringLiteral("image_%1").arg(n)); }
    int tickedBox() const
    {
        int ticked = 0;
        for (int n = 1; n <= 4; ++n) {
            if (samePicture(box(n)->pixmap(), BoardPictures::optionBox(true)))
                ticked = ticked ? -1 : n;
            else if (!samePicture(box(n)->pixmap(), BoardPictures::optionBox(false)))
                return -2;
        }
        return ticked;
    }

private Q_SLOTS:
    void init()
    {
        m_state = ClientState();
        m_state.loggedIn = true;
        m_state.playerName = QStringLiteral("Ann");
        m_tally.games.clear();
        m_lines.clear();
        m_sounds.clear();
        m_sent.clear();
        m_chosen.clear();
        m_boxes.clear();
        dialogs::setHandler([this](dialogs::Kind kind, const QString &, const QString &text) {
            m_boxes.append(QString::number(int(kind)) + u':' + text);
            return true;
        });

        m_state.seatNames = {QStringLiteral("Ann"), QStringLiteral("Bob"), QStringLiteral("<Waiting>"),
                             QStringLiteral("Ann"), QStringLiteral("Eve")};
        m_board = support::standInBoard({});
        m_start = new FlatButton(QStringLiteral("Start Game"), m_board);
        m_start->setObjectName(QStringLiteral("button_start"));
        m_start->setGeometry(419, 114, 146, 34);
        m_start->hide();
        m_model = new BoardModel(m_board);
        // The window shows the button while the model offers it.
        connect(m_model, &BoardModel::startOfferedChanged, m_start, [this] { m_start->setVisible(m_model->startOffered()); });

        m_dialog = new Tgamestart(m_state, m_board);
        connect(m_dialog, &Tgamestart::sendRequested, this, [this](const Message &m) { m_sent.append(m.wire()); });
        connect(m_dialog, &Tgamestart::chosen, this, [this](int option) { m_chosen.append(option); });

        m_end = new GameEnd(m_board, m_state, *m_model, m_start, m_dialog, &m_tally, m_board);
        connect(m_end, &GameEnd::chatLine, this, [this](const QString &text, ColorRef color) {
            QCOMPARE(color, kSystemColor);
            m_lines.append(text);
        });
        connect(m_end, &GameEnd::soundRequested, this, [this](const QString &name) { m_sounds.append(name); });
        m_board->show();
    }

    void cleanup()
    {
        delete m_board;
        dialogs::setHandler({});
    }

    void winner_data()
    {
        QTest::addColumn<int>("own");
        QTest::addColumn<bool>("host");
        QTest::addColumn<int>("winner");
        QTest::addColumn<QStringList>("tally");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("offered"); // the start button comes back
        QTest::newRow("own seat wins, host") << 1 << true << 1 << QStringList{"addtomine"} << "Ann has Won the Game!" << true;
        QTest::newRow("other seat wins, joined") << 3 << false << 2 << QStringList{"Bob"} << "Bob has Won the Game!" << false;
        QTest::newRow("seat 1 of a headless host") << 1 << false << 2 << QStringList{"Bob"} << "Bob has Won the Game!" << true;
        QTest::newRow("watching from seat 7") << 7 << false << 2 << QStringList() << "Bob has Won the Game!" << false;
        QTest::newRow("own seat 5 wins") << 5 << false << 5 << QStringList{"addtomine"} << "Eve has Won the Game!" << false;
        QTest::newRow("namesake on another seat") << 1 << true << 4 << QStringList{"Ann"} << "Ann has Won the Game!" << true;
        QTest::newRow("winner seat beyond the board") << 1 << true << 8 << QStringList() << "Seat 8 has Won the Game!" << true;
    }

    void winner()
    {
        QFETCH(int, own);
        QFETCH(bool, host);
        QFETCH(int, winner);
        QFETCH(QStringList, tally);
        QFETCH(QString, text);
        QFETCH(bool, offered);
        m_state.ownSeat = own;
        m_state.host = host;
        m_end->winner(QStringLiteral("%1+").arg(winner));
        QCOMPARE(m_tally.games, tally);
        QCOMPARE(m_lines, QStringList{text});
        QVERIFY(m_end->banner()->isVisible());
        QCOMPARE(m_board->findChild<QLabel *>(QStringLiteral("label_winner1"))->text(), text);
        QCOMPARE(m_board->findChild<QLabel *>(QStringLiteral("label_winner2"))->text(), text);
        QCOMPARE(m_start->isVisible(), offered);
        QCOMPARE(m_sounds, QStringList{QStringLiteral("gameover")});
    }

    void tieAndImpossible()
    {
        m_state.ownSeat = 1;
        m_state.host = true;
        m_end->tiegame(QStringLiteral("Ann and Bob+"));
        m_end->impossible(QString());
        QCOMPARE(m_lines, (QStringList{QStringLiteral("Ann and Bob have Won!"),
                                       QStringLiteral("It is impossible for anyone else to win!")}));
        QCOMPARE(m_end->bannerText(), QStringLiteral("Ann and Bob have Won!"));
        QVERIFY(m_end->banner()->isVisible());
        QVERIFY(m_start->isVisible());
        QVERIFY(m_tally.games.isEmpty());
        QCOMPARE(m_sounds, QStringList{QStringLiteral("gameover")});
    }

    void nullTallyAndBadSeat()
    {
        m_end->setTallyRecorder(nullptr);
        m_state.ownSeat = 1;
        m_end->winner(QStringLiteral("1+"));
        QCOMPARE(m_end->bannerText(), QStringLiteral("Ann has Won the Game!"));
        QVERIFY_THROWS_EXCEPTION(ConversionError, m_end->winner(QStringLiteral("one+")));
    }

    void gameStartHidesBannerAndButton()
    {
        ClientState state;
        LetterBoard letters(m_board, nullptr, state, *m_model, nullptr, {});
        m_state.host = true;
        m_end->winner(QStringLiteral("2+"));
        QVERIFY(m_start->isVisible());
        letters.startthegame(QStringLiteral("Ann+nine+"));
        QVERIFY(m_end->banner()->isHidden());
        QVERIFY(m_start->isHidden());
    }

    void startButtonNeedsConnection()
    {
        m_state.loggedIn = false;
        m_start->show();
        QTest::mouseClick(m_start, Qt::LeftButton);
        QCOMPARE(m_boxes, QStringList{QStringLiteral("1:You are not connected")});
        QVERIFY(m_dialog->isHidden());

        m_state.loggedIn = true;
        QTest::mouseClick(m_start, Qt::LeftButton);
        QVERIFY(m_dialog->isVisible());
        QCOMPARE(m_boxes.size(), 1);
        QVERIFY(m_sent.isEmpty());
    }

    void startButtonFace()
    {
        QVERIFY(m_start->text().isEmpty());
        QVERIFY(!m_start->icon().isNull());
    }

    void dialogRoundTrip_data()
    {
        QTest::addColumn<int>("option");
        QTest::addColumn<QByteArray>("wire");
        QTest::newRow("High Score Game") << 1 << QByteArray("CMD_startgame+Ann+high+\xff");
        QTest::newRow("Most Balls Pocketed") << 2 << QByteArray("CMD_startgame+Ann+most+\xff");
        QTest::newRow("9 Ball") << 3 << QByteArray("CMD_startgame+Ann+nine+\xff");
        QTest::newRow("Race to 9") << 4 << QByteArray("CMD_startgame+Ann+race+\xff");
    }

    void dialogRoundTrip()
    {
        QFETCH(int, option);
        QFETCH(QByteArray, wire);
        m_end->button_startClick();
        QVERIFY(m_dialog->isVisible());
        QCOMPARE(m_dialog->windowTitle(), QStringLiteral("Brelvox - Game Start"));
        QCOMPARE(tickedBox(), 1);
        QTest::mouseClick(box(option), Qt::LeftButton);
        QCOMPARE(tickedBox(), option);
        QCOMPARE(m_dialog->chosenType(), option);
        QTest::mouseClick(m_dialog->findChild<QWidget *>(QStringLiteral("Image4")), Qt::LeftButton);
        QCOMPARE(m_sent, QList<QByteArray>{wire});
        QCOMPARE(m_chosen, QList<int>{option});
        QVERIFY(m_dialog->isHidden());

        // The next program start loads the saved option back.
        ClientState state;
        Tgamestart reopened(state, {});
        reopened.setChosenType(m_chosen.first());
        QCOMPARE(reopened.chosenType(), option);
        QCOMPARE(Tgamestart::keyFor(reopened.chosenType()), QString::fromLatin1(wire.mid(18, 4)));
    }

    void optionTextsPickTheirBox()
    {
        m_dialog->show();
        QTest::mouseClick(m_dialog->findChild<QWidget *>(QStringLiteral("Label4")), Qt::LeftButton);
        QCOMPARE(tickedBox(), 3);
    }

    void savedOption_data()
    {
        QTest::addColumn<int>("saved");
        QTest::addColumn<int>("ticked");
        QTest::newRow("0 (empty value)") << 0 << 1;
        QTest::newRow("3") << 3 << 3;
        QTest::newRow("4") << 4 << 4;
        QTest::newRow("out of range") << 9 << 1;
    }

    void savedOption()
    {
        QFETCH(int, saved);
        QFETCH(int, ticked);
        m_dialog->setChosenType(saved);
        QCOMPARE(tickedBox(), ticked);
        QCOMPARE(m_dialog->chosenType(), ticked);
    }

    void startNotLoggedInSendsNothing()
    {
        m_state.loggedIn = false;
        m_dialog->button_startClick();
        QVERIFY(m_sent.isEmpty());
    }
};

QTEST_MAIN(TestGameEnd)
#include "test_gameend.moc"
