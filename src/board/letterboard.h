// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include "client/clientstate.h"
#include "protocol/message.h"
#include "widgets/colortext.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <array>
#include <functional>

class QLabel;
class QLineEdit;
class QTimer;

namespace brelvox {

class FlatPanel;
class GridLetter;
class GuessTail;
class PictureBox;
class PoolTable;
class WordListPanel;

// The word half of the board: the letter grid with its entry cells, object ball and turn
// clock (panel_word), the game-type header, the status line, the seat rows (scores,
// chalk marks, watching marks, turn marker) and the word-list panel; the handlers of the
// host's round and turn messages; the player's typing and CMD_myword.
//
// Each handler takes a message's argument text (what follows "CMD_name+"); a number
// field that is not a number throws ConversionError, leaving what was done so far.
class LetterBoard : public QObject
{
    Q_OBJECT
public:
    // Colours of the grid letters and of the entry cells, the cells' colour being their lock.
    static constexpr ColorRef clBlack = 0x000000;
    static constexpr ColorRef clSilver = 0xC0C0C0;
    static constexpr ColorRef clGray = 0x808080;
    static constexpr ColorRef clYellow = 0x00FFFF;
    static constexpr ColorRef clRed = 0x0000FF;

    static constexpr int TurnSeconds = 20;

    // What the board asks of its window's menus each time it needs them.
    struct Queries {
        std::function<bool()> showWordList;  // "Show Word List" ticked; unset: true
        std::function<int()> turnSound;      // Turn Sound tag, 1 New, 0 Classic; unset: 0
        std::function<bool()> windowActive;  // unset: the board's window is the active one
    };

    // Puts every widget on board (panel_board). Uses label_playername1..5, label_status
    // (made here when board has none), button_start, panel_winner and mychat when board
    // holds them. The table's racks are its own; this only empties them.
    LetterBoard(QWidget *board, ClientState &state, PoolTable *table, Queries queries,
                QObject *parent = nullptr);

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

    // The turn clock's tick (Timer2, every second).
    void Timer2Timer();
    int secondsLeft() const { return m_secondsLeft; }
    void setSecondsLeft(int seconds) { m_secondsLeft = seconds; }
    QTimer *timer2() const { return m_timer2; }

    FlatPanel *panel() const { return m_panel; }
    QLabel *letter(int row, int column) const;      // label_<r><c>, 1..5, else nullptr
    PictureBox *slot(int row, int column) const;    // image_<r><c>, 1..5, else nullptr
    QLineEdit *cell(int column) const;              // edit_<c>, 1..5, else nullptr
    ColorRef letterColor(int row, int column) const;
    ColorRef cellColor(int column) const;
    QLabel *status() const { return m_status; }
    QLabel *header() const { return m_gametype; }
    QLabel *score(int seat) const;                  // 1..5, else nullptr
    PictureBox *chalk(int seat) const;              // 1..5, else nullptr
    PictureBox *eyes(int seat) const;               // 1..5, else nullptr
    PictureBox *turnMarker() const { return m_turn; }
    WordListPanel *wordListPanel() const { return m_wordList; }

Q_SIGNALS:
    void sendRequested(const Message &message); // for the host
    void chatLine(const QString &text, ColorRef color);
    void soundRequested(const QString &name);
    void gameStarted(); // a new game: nobody is just watching
    void statusChanged(const QString &text); // the status line's news

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void applyHeader(const QString &key, bool lateJoin);
    void showObjectBall(int ball);
    void showAnswer(const QString &answer);
    void setCells(ColorRef color);
    void focusCell(int column);
    void focusChat();
    void focusChatMidGuess(int letters);
    int lettersOfAGuessInProgress() const;
    bool windowActive() const;
    bool typingOpen(int column) const;
    QString seatName(int seat) const;
    void play(const QString &sound);
    void setStatus(const QString &text);

    static void setLetterColor(QLabel *label, ColorRef color);
    static void setCellColor(QLineEdit *edit, ColorRef color);

    QWidget *m_board;
    ClientState &m_state;
    PoolTable *m_table;
    Queries m_queries;

    FlatPanel *m_panel = nullptr;
    std::array<std::array<GridLetter *, 5>, 5> m_letters{};
    std::array<std::array<PictureBox *, 5>, 5> m_slots{};
    std::array<QLineEdit *, 5> m_cells{};
    PictureBox *m_ball = nullptr;
    QLabel *m_ballName = nullptr;
    QLabel *m_time = nullptr;
    QLabel *m_status = nullptr;
    QLabel *m_gametype = nullptr;
    std::array<QLabel *, 5> m_scores{};
    std::array<QPointer<QLabel>, 5> m_names{}; // the board's seat labels: written, never read
    std::array<PictureBox *, 5> m_chalks{};
    std::array<PictureBox *, 5> m_eyes{};
    PictureBox *m_turn = nullptr;
    WordListPanel *m_wordList = nullptr;
    QTimer *m_timer2 = nullptr;
    int m_secondsLeft = 0;
    GuessTail *m_tail = nullptr;
};

} // namespace brelvox
