// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include "board/ballrecord.h"
#include "widgets/flatpanel.h"

#include <QList>
#include <QPointF>
#include <QString>
#include <array>
#include <utility>

namespace brelvox {

class BoardModel;
class PictureBox;

// The pool table (this panel is FlatPanel1, 473 x 257) with its ten balls playing a
// scripted nine-ball game, and the five seat racks beside the seat names.
//
// Which script plays, its line and the racks live in the board model; the table draws the
// racks from it and keeps only the balls' animation. The owner calls moveballs() once per client dispatch tick (15 ms), after the tick's
// message; balls step every seventh tick and glide in between. An idle table costs a
// counter increment per tick.
class PoolTable : public FlatPanel
{
    Q_OBJECT
public:
    static constexpr int ScriptLines = 27;
    static constexpr int TicksPerStep = 7;

    // The table is a child of board; the racks (holder1..5 under image_balls1..5) are put on
    // board at their seat-row places and belong to it. Without a board they sit inside the
    // table, out of sight. Without a model the table keeps one of its own. The model's
    // scripts are loaded here.
    explicit PoolTable(QWidget *board = nullptr, BoardModel *model = nullptr);

    BoardModel *model() const { return m_model; }

    // Racks the balls and plays the break with the other script than last time; uses the
    // catch-up count, which the caller sets first.
    void setuptable();
    // One shot: the balls pause for a moment, then the next script line plays.
    void fireShot();
    // Loads the next script line into its ball's record.
    void loadballmovements();
    // One dispatch tick of the animation.
    void moveballs();

    // After a late join: one more than the highest ball already pocketed; 0 after a start.
    int catchUpCount() const { return m_catchUp; }
    void setCatchUpCount(int count) { m_catchUp = count; }

    int moveTick() const { return m_moveTick; }
    // 0 <= n <= 9
    const BallRecord &ballRecord(int n) const { return m_records.at(n); }
    // True while some ball still has a step to make or an arrival to handle, or is still
    // gliding to where its record puts it.
    bool isAnimating() const;
    // Adds ball (1..9) to the rack of seat (1..5); anything else is ignored.
    void updatescores(int seat, int ball);
    // The rack part of clearall: every rack empty.
    void clearRacks();
    // CMD_ballowners, fields converted by the caller: (ball, owner seat) pairs, owner 0 for
    // a ball still on the table. Fills the racks, then sets the table up to catch up.
    void ballowners(const QList<std::pair<int, int>> &ballSeatPairs);
    // CMD_theyown, fields converted by the caller: (seat, balls pocketed) pairs. A seat's
    // rack gets balls 1..count; the pair for ownSeat also sets the table up to catch up.
    void theyown(const QList<std::pair<int, int>> &seatCountPairs, int ownSeat);
    // image_balls<seat> for seat 1..5, else nullptr.
    PictureBox *rack(int seat) const;

Q_SIGNALS:
    void soundRequested(const QString &name); // "ballhit"; unconnected means silence

private:
    void play(const QString &sound);
    void aim(int n);
    void arrive(int n);
    bool moves(const BallRecord &record) const;
    void glide();
    void placeBall(int n);
    void redrawRack(int seat);

    BoardModel *m_model;
    PictureBox *m_table = nullptr;
    std::array<PictureBox *, 10> m_ballWidgets{};
    std::array<BallRecord, 10> m_records{};
    std::array<QPointF, 10> m_shown{};
    std::array<PictureBox *, 5> m_racks{};
    std::array<bool, 10> m_onTable{};
    QList<QPixmap> m_ballPictures;
    int m_moveTick = 0;
    int m_catchUp = 0;
};

} // namespace brelvox
