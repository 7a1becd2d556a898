// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include "boardmodel/clientstate.h"
#include "protocol/commandtable.h"
#include "protocol/message.h"
#include "widgets/colortext.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class QKeyEvent;
class QLabel;
class QLineEdit;
class QTimer;

namespace brelvox {

class BoardModel;
class FlatPanel;
class GridLetter;
class GridView;
class GuessTail;
class PictureBox;
class PoolTable;
class SeatRows;
class WordListPanel;

// The word half of the board: the handlers of the host's round and turn messages, which
// update the board model; the player's typing and CMD_myword; the turn clock. The grid
// view and the seat rows draw the model; the word-list panel shows a round's words.
//
// Each handler takes a message's argument text (what follows "CMD_name+"); a number
// field that is not a number throws ConversionError, leaving what was done so far.
class LetterBoard : public QObject
{
    Q_OBJECT
public:
    static constexpr int TurnSeconds = 20;

    // What the board asks of its window's menus each time it needs them.
    struct Queries {
        std::function<bool()> showWordList;  // "Show Word List" ticked; unset: true
        std::function<int()> turnSound;      // Turn Sound tag, 1 New, 0 Classic; unset: 0
        std::function<bool()> windowActive;  // unset: the board's window is the active one
    };

    // Puts every widget on board (panel_board). Uses label_playername1..5 and label_status
    // (made here when board has none) when board holds them. chatEntry, when given, is the
    // chat's entry: the focus goes there when the game takes it from the entry cells. The
    // table shares the model; it may be null.
    LetterBoard(QWidget *board, QWidget *chatEntry, ClientState &state, BoardModel &model, PoolTable *table,
                Queries queries, QObject *parent = nullptr);

    BoardModel &model() const { return m_model; }

    // Binds the handlers below, and the table's CMD_ballowners and CMD_theyown when there
    // is a table, in the client's dispatch table.
    void bindHandlers(CommandTable<> &table);

    // Messages from the host.
    void startthegame(const QString &args);  // CMD_startgame: name, key
    void loadball(const QString &args);      // CMD_loadball: ball, first letter
    void gamestats(const QString &args);     // CMD_gamestats: key, row, ball, first letter
    void yourletters(const QString &args);   // CMD_yourletters: seat, f/t, row, pattern, letters
    void notvalid(const QString &args);      // CMD_notvalid: seat, f/t, word, row
    void submitted(const QString &args);     // CMD_submitted: seat
    void getnextplayer(const QString &args); // CMD_nextplayer: seat, row
    void heguessed(const QString &args);     // CMD_heguessed: seat, answer, ball, score or 1000
    void nooneguessed(const QString &args);  // CMD_nooneguessed: answer
    void timeup(const QString &args);        // CMD_timeup: row
    void playerscores(const QString &args);  // CMD_playerscores: (seat, score) pairs
    void wordlist(const QString &args);      // CMD_wordlist: seat, then (row, word) pairs

    // Watching marks hidden, racks emptied; also run once at window creation.
    void clearall();

    // Typing. OnEnter of a cell (1..5) and OnKeyPress (key 8 Backspace, 13 Enter).
    static bool checkforletter(QChar c);
    void edit_1Enter(int column);
    void edit_5KeyPress(int column, QChar key);
    // Sends the five letters as CMD_myword when it is this seat's turn; closes the row.
    void submit();
    // Letters land in the entry row while it is this seat's turn and the row is not locked.
    bool typingOpen() const;

    // The turn clock's tick (Timer2, every second).
    void Timer2Timer();
    int secondsLeft() const;
    void setSecondsLeft(int seconds);
    QTimer *timer2() const { return m_timer2; }

    FlatPanel *panel() const;
    QLabel *letter(int row, int column) const;      // label_<r><c>, 1..5, else nullptr
    PictureBox *slot(int row, int column) const;    // image_<r><c>, 1..5, else nullptr
    QLineEdit *cell(int column) const;              // edit_<c>, 1..5, else nullptr
    QLabel *status() const;
    QLabel *header() const;
    QLabel *score(int seat) const;                  // 1..5, else nullptr
    PictureBox *chalk(int seat) const;              // 1..5, else nullptr
    PictureBox *eyes(int seat) const;               // 1..5, else nullptr
    PictureBox *turnMarker() const;
    WordListPanel *wordListPanel() const { return m_wordList; }

Q_SIGNALS:
    void sendRequested(const Message &message); // for the host
    void chatLine(const QString &text, ColorRef color);
    void soundRequested(const QString &name);
    void gameStarted(); // a new game: nobody is just watching
    // A seat's name the board itself fills in: the computer player taking an empty seat 2.
    void seatNamed(int seat, const QString &name);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void applyHeader(const QString &key, bool lateJoin);
    void showObjectBall(int ball);
    void showAnswer(const QString &answer);
    void focusCell(int column);
    void focusOwnRowOnActivation();
    void focusChat();
    void focusChatMidGuess(int letters);
    bool typeIntoRow(const QKeyEvent &key);
    int lettersOfAGuessInProgress() const;
    bool windowActive() const;
    QString seatName(int seat) const;
    void play(const QString &sound);

    QWidget *m_board;
    QPointer<QWidget> m_chatEntry;
    ClientState &m_state;
    BoardModel &m_model;
    PoolTable *m_table;
    Queries m_queries;

    GridView *m_grid = nullptr;
    SeatRows *m_seats = nullptr;
    WordListPanel *m_wordList = nullptr;
    QTimer *m_timer2 = nullptr;
    GuessTail *m_tail = nullptr;
};

} // namespace brelvox
