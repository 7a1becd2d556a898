// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include "boardmodel/clientstate.h"
#include "protocol/commandtable.h"
#include "widgets/colortext.h"

#include <QObject>
#include <QPointer>
#include <QString>

class QLabel;

namespace brelvox {

class BoardModel;
class FlatButton;
class FlatPanel;
class Tgamestart;
class TallyRecorder;

// The end of a game on the board: the winner banner (panel_winner) with its shadowed
// caption, the announcements of CMD_winner, CMD_tiegame and CMD_impossible, the tally
// entry of a won game, and the start button that opens the game-options dialog. The banner
// is drawn from the board model; whether the start button is offered is the model's too.
class GameEnd : public QObject
{
    Q_OBJECT
public:
    // Puts panel_winner on board (panel_board) over the table, and gives start, when there
    // is one, its picture and its click. A null tally records nothing.
    GameEnd(QWidget *board, ClientState &state, BoardModel &model, FlatButton *start, Tgamestart *dialog,
            TallyRecorder *tally = nullptr, QObject *parent = nullptr);

    void setTallyRecorder(TallyRecorder *tally) { m_tally = tally; }
    // Binds the three handlers below in the client's dispatch table.
    void bindHandlers(CommandTable<> &table);

    void winner(const QString &args);   // CMD_winner: seat
    void tiegame(const QString &args);  // CMD_tiegame: the names joined by " and "
    void impossible(const QString &args); // CMD_impossible: no fields

    // button_start and the "Start Game" menu item.
    void button_startClick();

    FlatPanel *banner() const { return m_banner; }
    QString bannerText() const;

Q_SIGNALS:
    void chatLine(const QString &text, ColorRef color);
    void soundRequested(const QString &name);

private:
    void showBanner(const QString &text);
    void drawBanner();
    QString seatName(int seat) const;
    void addline(const QString &text);

    QWidget *m_board;
    ClientState &m_state;
    BoardModel &m_model;
    QPointer<Tgamestart> m_dialog;
    TallyRecorder *m_tally;
    FlatPanel *m_banner = nullptr;
    QLabel *m_caption = nullptr;
    QLabel *m_shadow = nullptr;
};

} // namespace brelvox
