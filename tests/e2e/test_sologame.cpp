// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "board/gameend.h"
#include "board/letterboard.h"
#include "board/tgamestart.h"
#include "client/chatview.h"
#include "client/clientsession.h"
#include "core/randomsource.h"
#include "core/userfiles.h"
#include "host/rules/wordlists.h"
#include "host/tserver.h"
#include "shell/appwindows.h"
#include "shell/tchat.h"
#include "tally/ttallylist.h"
#include "widgets/dialogs.h"
#include "widgets/flatbutton.h"
#include "widgets/flatpanel.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

using namespace brelvox;

// The whole program hosting a solo High Score game: a scripted typist on seat 1 plays the
// real board against Dira on seat 2 until the banner shows.
class TestSoloGame : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private Q_SLOTS:
    void initTestCase()
    {
        setUserFileDir(m_dir.path());
        dialogs::setHandler([](dialogs::Kind, const QString &, const QString &) { return true; });
    }

    void highScoreGameToTheBanner()
    {
        AppWindows app;
        app.setHostPort(0);
        Tchat *chat = app.chat();
        TServer *host = app.server();
        // Every command of both dispatch lists has its handler.
        auto unbound = [](const QList<QLatin1StringView> &names) {
            QStringList out;
            for (const QLatin1StringView name : names)
                out << name;
            return out;
        };
        QCOMPARE(unbound(chat->session()->dispatchTable().unbound()), QStringList());
        QCOMPARE(unbound(host->commands().unbound()), QStringList());
        chat->processparams({}); // solo: hosting as "You"
        QTRY_COMPARE(chat->seatLabel(1)->text(), QStringLiteral("You"));
        QVERIFY(chat->state().host);
        host->turntimer().setInterval(2); // a game's seconds pass in milliseconds here
        RandomSource::instance().seed(7);

        chat->gameEnd()->button_startClick();
        QVERIFY(app.gameStart()->isVisible());
        app.gameStart()->image_1Click(1); // High Score Game
        app.gameStart()->button_startClick();
        QTRY_COMPARE(chat->state().gameType, QStringLiteral("high"));
        QCOMPARE(chat->seatLabel(2)->text(), QStringLiteral("Dira"));

        const WordLists words = WordLists::shipped();
        QWidget *board = chat->board();
        auto edit = [board](int col) { return board->findChild<QLineEdit *>(QStringLiteral("edit_%1").arg(col)); };
        int guesses = 0;
        QElapsedTimer clock;
        clock.start();
        const FlatPanel *banner = chat->gameEnd()->banner();
        while (banner->isHidden() && clock.elapsed() < 60000) {
            QTest::qWait(1);
            if (host->computertimer().isActive()) {
                host->computertimer().stop();
                host->computertimerTimer();
            }
            ClientState &st = chat->state();
            if (st.turnSeat != st.ownSeat || st.firstLetter.isEmpty())
                continue;
            const QStringList &fitting = words.startingWith(st.firstLetter.at(0));
            QVERIFY(!fitting.isEmpty());
            const QString guess = fitting.at(guesses++ % fitting.size());
            for (int col = 1; col <= 5; ++col)
                QTest::keyClick(edit(col), guess.at(col - 1).toLatin1());
            QTest::keyClick(edit(5), Qt::Key_Return);
        }
        QVERIFY2(!banner->isHidden(), qPrintable(chat->chat()->mainchat()->toPlainText().right(600)));
        QVERIFY(guesses > 0);
        const QString chatText = chat->chat()->mainchat()->toPlainText();
        QVERIFY(chatText.contains(QStringLiteral(" has Won the Game!")) || chatText.contains(QStringLiteral(" have Won!")));
        QVERIFY(!chat->startButton()->isHidden());
    }
};

QTEST_MAIN(TestSoloGame)
#include "test_sologame.moc"
