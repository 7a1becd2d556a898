// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
//
// letterboard_demo --stage round|winner|options|marks|eyes|shot [--ticks N] [--grab file.png]
// Builds the board as the main window lays it out, feeds it the host's messages of a
// High Score game up to the chosen moment, prints READY and stays open. "marks" shows
// every mark, a rejected and a timed-out row; "eyes" a watching seat; "shot" a Most
// Balls game whose word list is open while the shot for ball --ball plays --ticks ticks.

#include "board/gameend.h"
#include "board/letterboard.h"
#include "board/pooltable.h"
#include "board/tgamestart.h"
#include "boardmodel/boardmodel.h"
#include "client/chatview.h"
#include "protocol/message.h"
#include "widgets/flatbutton.h"
#include "board/picturebox.h"
#include "widgets/flatpanel.h"
#include "widgets/fonts.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <cstdio>

using namespace brelvox;

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    useArialMetrics();
    app.setFont(QFont(QStringLiteral("Arial"), 9));
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("stage"), QStringLiteral("round, winner or options"), QStringLiteral("stage"),
                      QStringLiteral("round")});
    parser.addOption({QStringLiteral("grab"), QStringLiteral("also save the board here"), QStringLiteral("file")});
    parser.addOption({QStringLiteral("ball"), QStringLiteral("shot stage: the ball pocketed"), QStringLiteral("n"),
                      QStringLiteral("3")});
    parser.addOption({QStringLiteral("ticks"), QStringLiteral("shot stage: ticks played"), QStringLiteral("n"),
                      QStringLiteral("60")});
    parser.addOption({QStringLiteral("script"), QStringLiteral("shot stage: movement script 1 or 2"),
                      QStringLiteral("n"), QStringLiteral("1")});
    parser.process(app);
    const QString stage = parser.value(QStringLiteral("stage"));
    const QString grabFile = parser.value(QStringLiteral("grab"));

    auto *client = new FlatPanel;
    client->setColor(toQColor(0x5887A7));
    client->resize(740, 517);
    auto *board = new FlatPanel(client);
    board->setObjectName(QStringLiteral("panel_board"));
    board->setColor(QColor(0x23, 0x4A, 0x33));
    board->setBorderColor(QColor(0x12, 0x26, 0x1A));
    board->setGeometry(4, 4, 732, 511);

    QFont bold(QStringLiteral("Arial"), 9, QFont::Bold);
    const int seatTops[5] = {330, 372, 411, 452, 490};
    for (int seat = 1; seat <= 5; ++seat) {
        auto *label = new QLabel(seat == 1 ? QStringLiteral("You") : QStringLiteral("<Waiting>"), board);
        label->setObjectName(QStringLiteral("label_playername%1").arg(seat));
        label->setFont(bold);
        label->setStyleSheet(QStringLiteral("color:#FFFF00;"));
        label->setGeometry(245, seatTops[seat - 1], 105, 20);
    }
    auto *status = new QLabel(QStringLiteral("Welcome to Brelvox by Ostrel Software!"), board);
    status->setObjectName(QStringLiteral("label_status"));
    status->setAlignment(Qt::AlignCenter);
    status->setFont(bold);
    status->setStyleSheet(QStringLiteral("color:#FFFF00;"));
    status->setGeometry(256, 262, 473, 18);
    ChatView chat(board, QRect(356, 282, 372, 226));
    auto *table = new PoolTable(board);
    table->move(252, 4);
    auto *start = new FlatButton(QStringLiteral("Start Game"), board);
    start->setObjectName(QStringLiteral("button_start"));
    start->setGeometry(419, 114, 146, 34);
    start->hide();

    ClientState state;
    state.ownSeat = 1;
    state.loggedIn = true;
    state.host = true;
    state.playerName = QStringLiteral("You");

    LetterBoard::Queries queries;
    queries.windowActive = [] { return true; };
    BoardModel &model = *table->model();
    QObject::connect(&model, &BoardModel::startOfferedChanged, start, [start, &model] { start->setVisible(model.startOffered()); });
    LetterBoard letters(board, chat.mychat(), state, model, table, queries);
    QObject::connect(&letters, &LetterBoard::chatLine, &chat, &ChatView::addlinetochat);
    QObject::connect(&letters, &LetterBoard::sendRequested, [](const Message &m) { std::printf("sent %s\n", qPrintable(m.text())); });
    letters.timer2()->stop();
    Tgamestart dialog(state);
    GameEnd end(board, state, model, start, &dialog);
    QObject::connect(&end, &GameEnd::chatLine, &chat, &ChatView::addlinetochat);

    auto settle = [table] {
        for (int i = 0; i < 5000 && table->isAnimating(); ++i)
            table->moveballs();
    };

    chat.addlinetochat(QStringLiteral("Loading Solo Game..Please wait."), kSystemColor);
    if (stage == QLatin1String("marks") || stage == QLatin1String("eyes") || stage == QLatin1String("shot")) {
        letters.startthegame(QStringLiteral("You+most+"));
        if (stage == QLatin1String("shot") && model.scriptTag() != parser.value(QStringLiteral("script")).toInt())
            letters.startthegame(QStringLiteral("You+most+"));
        settle();
    }
    if (stage == QLatin1String("marks")) {
        // Row 1: balls 1..5, row 2: balls 6..9 and the cue ball, row 3 no marks.
        letters.loadball(QStringLiteral("1+R+"));
        for (int ball = 1; ball <= 9; ++ball) {
            const int row = ball <= 5 ? 1 : 2;
            const int column = ball <= 5 ? ball : ball - 5;
            QString pattern(5, u'x');
            pattern[column - 1] = u's';
            if (row == 2 && ball == 9)
                pattern[4] = u'c';
            letters.gamestats(QStringLiteral("most+1+%1+R+").arg(ball));
            letters.yourletters(QStringLiteral("1+t+%1+%2+%3+").arg(row).arg(pattern,
                                row == 1 ? QStringLiteral("ROSWB") : QStringLiteral("WORSC")));
        }
        letters.yourletters(QStringLiteral("1+t+3+xcxcx+RCXCO+"));
        letters.notvalid(QStringLiteral("1+t+QWXYZ+4+"));
        letters.timeup(QStringLiteral("5+"));
    } else if (stage == QLatin1String("eyes")) {
        for (int seat = 1; seat <= 5; ++seat)
            model.setWatching(seat, true);
        letters.loadball(QStringLiteral("1+R+"));
    } else if (stage == QLatin1String("shot")) {
        const int last = parser.value(QStringLiteral("ball")).toInt();
        for (int ball = 1; ball <= last; ++ball) {
            letters.loadball(QStringLiteral("%1+C+").arg(ball));
            letters.wordlist(QStringLiteral("1+1+crane+2+chaos+3+clasp+4++5+"));
            letters.heguessed(QStringLiteral("1+CLASP+%1+1000+").arg(ball));
            if (ball < last)
                settle();
        }
        const int ticks = parser.value(QStringLiteral("ticks")).toInt();
        for (int i = 0; i < ticks; ++i)
            table->moveballs();
    } else {
        letters.startthegame(QStringLiteral("You+high+"));
        settle();
        // Balls 1 and 2 went to Dira and to this player before this round.
        letters.loadball(QStringLiteral("1+T+"));
        letters.heguessed(QStringLiteral("2+TOAST+1+1+"));
        settle();
        letters.loadball(QStringLiteral("2+G+"));
        letters.heguessed(QStringLiteral("1+GRAPE+2+2+"));
        settle();

        letters.loadball(QStringLiteral("3+C+"));
        letters.getnextplayer(QStringLiteral("1+1+"));
        letters.submitted(QStringLiteral("1+"));
        letters.submitted(QStringLiteral("2+"));
        letters.yourletters(QStringLiteral("1+f+1+sxsxx+CRANE+"));
        letters.getnextplayer(QStringLiteral("1+2+"));
        letters.yourletters(QStringLiteral("1+f+2+sxsxc+CHAOS+"));
        letters.getnextplayer(QStringLiteral("1+3+"));
        letters.timeup(QStringLiteral("3+"));
        letters.getnextplayer(QStringLiteral("1+4+"));
        letters.notvalid(QStringLiteral("1+f+CQXZT+4+"));
        letters.getnextplayer(QStringLiteral("1+4+"));
        letters.submitted(QStringLiteral("2+"));
        for (int i = 0; i < 6; ++i)
            letters.Timer2Timer();
        letters.edit_5KeyPress(1, u'c');
        letters.edit_5KeyPress(2, u'l');
        letters.edit_5KeyPress(3, u'a');

        if (stage != QLatin1String("round")) {
            letters.edit_5KeyPress(4, u's');
            letters.edit_5KeyPress(5, u'p');
            letters.edit_5KeyPress(5, QChar(13));
            letters.submitted(QStringLiteral("1+"));
            letters.yourletters(QStringLiteral("1+f+4+sssss+CLASP+"));
            letters.wordlist(QStringLiteral("1+1+crane+2+chaos+3++4+clasp+5+"));
            letters.heguessed(QStringLiteral("1+CLASP+3+5+"));
            settle();
            end.winner(QStringLiteral("1+"));
            end.impossible(QString());
        }
    }

    client->move(0, 0);
    client->show();
    if (stage == QLatin1String("options"))
        end.button_startClick();

    QTimer::singleShot(400, [&] {
        if (!grabFile.isEmpty())
            client->grab().save(grabFile);
        std::printf("READY\n");
        std::fflush(stdout);
    });
    return app.exec();
}
