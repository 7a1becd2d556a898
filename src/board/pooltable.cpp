// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "board/pooltable.h"

#include "board/boardpictures.h"
#include "boardmodel/boardmodel.h"
#include "board/movescriptline.h"
#include "board/picturebox.h"

#include <QFile>
#include <QPainter>
#include <QtMath>
#include <cmath>
#include <cstdlib>

namespace brelvox {

namespace {

constexpr int Balls = 10;

// Start positions (left, top): the cue ball, then a diamond rack with ball 1 at its apex
// facing the cue ball and ball 9 in its centre.
constexpr std::array<std::pair<int, int>, Balls> StartPositions{{
    {337, 102}, {137, 110}, {119, 101}, {119, 120}, {100, 92},
    {100, 131}, {82, 101}, {82, 120}, {64, 109}, {100, 112},
}};

// Bottom first: the last one raised lies on top.
constexpr std::array<int, Balls> StackingOrder{8, 6, 7, 4, 9, 5, 2, 3, 1, 0};

// Seat rows on the board (seats 1..5).
constexpr std::array<int, 5> HolderTops{318, 359, 398, 439, 476};
constexpr std::array<int, 5> RackTops{322, 364, 403, 443, 480};
constexpr int HolderLeft = 5;
constexpr int RackLeft = 10;

// The host awards at most nine balls a game; a rack drawn wider than the board helps nobody.
constexpr int MaxDrawnRackBalls = 30;

QStringList readScript(const QString &resource)
{
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromLatin1(file.readAll()).split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QString &line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
    }
    return lines;
}

} // namespace

PoolTable::PoolTable(QWidget *board, BoardModel *model)
    : FlatPanel(board)
    , m_model(model ? model : new BoardModel(this))
{
    setObjectName(QStringLiteral("FlatPanel1"));
    setFixedSize(473, 257);
    setColor(QColor(0x2b, 0x14, 0x08));

    m_table = new PictureBox(this);
    m_table->setObjectName(QStringLiteral("image_table"));
    m_table->setGeometry(1, 1, BoardPictures::TableWidth, BoardPictures::TableHeight);
    m_table->setPixmap(BoardPictures::table());

    m_ballPictures = BoardPictures::balls();
    for (int n = 0; n < Balls; ++n) {
        auto *ball = new PictureBox(this);
        ball->setObjectName(QStringLiteral("ball_%1").arg(n));
        ball->setPixmap(m_ballPictures.at(n));
        m_ballWidgets[n] = ball;
        m_records[n].left = StartPositions[n].first;
        m_records[n].top = StartPositions[n].second;
        ball->setGeometry(m_records[n].left, m_records[n].top, BoardPictures::BallSize,
                          BoardPictures::BallSize);
        m_shown[n] = QPointF(m_records[n].left, m_records[n].top);
        // Until the first set-up only the cue ball is on the table.
        m_onTable[n] = n == 0;
        ball->setVisible(m_onTable[n]);
    }

    m_model->setScript(1, readScript(QStringLiteral(":/board/listbox_moves1.txt")));
    m_model->setScript(2, readScript(QStringLiteral(":/board/listbox_moves2.txt")));

    QWidget *rackParent = board ? board : this;
    for (int seat = 1; seat <= 5; ++seat) {
        auto *holder = new FlatPanel(rackParent);
        holder->setObjectName(QStringLiteral("holder%1").arg(seat));
        holder->setGeometry(HolderLeft, HolderTops[seat - 1], 225, 30);
        holder->setColor(QColor(0x3d, 0x26, 0x14));
        holder->setBorderColor(QColor(0x22, 0x12, 0x06));
        auto *rack = new PictureBox(rackParent);
        rack->setObjectName(QStringLiteral("image_balls%1").arg(seat));
        rack->setGeometry(RackLeft, RackTops[seat - 1], 0, BoardPictures::BallSize);
        rack->raise();
        m_racks[seat - 1] = rack;
    }
    connect(m_model, &BoardModel::rackChanged, this, &PoolTable::redrawRack);
}

void PoolTable::play(const QString &sound)
{
    Q_EMIT soundRequested(sound);
}

void PoolTable::setuptable()
{
    int tag = m_model->scriptTag() + 1;
    if (tag > 2)
        tag = 1;
    m_model->setScriptTag(tag);

    for (int n = 0; n < Balls; ++n) {
        BallRecord &record = m_records[n];
        record = BallRecord{};
        record.left = StartPositions[n].first;
        record.top = StartPositions[n].second;
        placeBall(n);
        m_onTable[n] = true;
        m_ballWidgets[n]->show();
    }
    for (int n : StackingOrder)
        m_ballWidgets[n]->raise();

    m_model->setScriptStep(-1);
    m_moveTick = -20;
    loadballmovements();
}

void PoolTable::fireShot()
{
    m_moveTick = -30;
    loadballmovements();
}

void PoolTable::loadballmovements()
{
    const int step = m_model->scriptStep() + 1;
    m_model->setScriptStep(step);
    const QStringList lines = m_model->script(m_model->scriptTag() == 1 ? 1 : 2);
    if (step < 0 || step >= lines.size())
        return;
    const std::optional<MoveScriptLine> line = parseMoveScriptLine(lines.at(step));
    if (!line)
        return;
    BallRecord &record = m_records[line->ball];
    record.state = line->state;
    record.targetTop = line->targetTop;
    record.targetLeft = line->targetLeft;
    record.secondTop = line->secondTop;
    record.secondLeft = line->secondLeft;
    aim(line->ball);
}

void PoolTable::aim(int n)
{
    BallRecord &record = m_records[n];
    const double dx = double(record.targetLeft) - record.left;
    const double dy = double(record.targetTop) - record.top;
    const double d = std::sqrt(dx * dx + dy * dy);
    if (d == 0) {
        // Already there: arrive at the next pass instead of stepping away for ever.
        record.stepLeft = 0;
        record.stepTop = 0;
        record.arrivalDue = true;
        return;
    }
    const double length = 180.0 / M_PI;
    record.stepLeft = int(std::trunc(dx * length / d));
    record.stepTop = int(std::trunc(dy * length / d));
    record.arrivalDue = false;
}

bool PoolTable::moves(const BallRecord &record) const
{
    return record.arrivalDue
           || !(record.stepLeft == 0 && (record.stepTop == 0 || record.state == u'n'));
}

bool PoolTable::isAnimating() const
{
    for (int n = 0; n < Balls; ++n) {
        const BallRecord &record = m_records[n];
        if (moves(record) || (m_onTable[n] && m_shown[n] != QPointF(record.left, record.top)))
            return true;
    }
    return false;
}

void PoolTable::moveballs()
{
    if (++m_moveTick < TicksPerStep) {
        glide();
        return;
    }
    m_moveTick = 0;
    std::array<bool, Balls> wasMoving{};
    for (int n = 0; n < Balls; ++n) {
        wasMoving[n] = moves(m_records[n]);
        // A ball that came to rest on a struck ball's first step has glided most of the way.
        if (!wasMoving[n] && m_shown[n] != QPointF(m_records[n].left, m_records[n].top))
            placeBall(n);
    }
    // A line loaded on the way (an arrival) already counts for the higher balls.
    for (int n = 0; n < Balls; ++n) {
        BallRecord &record = m_records[n];
        if (!moves(record))
            continue;
        if (record.arrivalDue) {
            record.arrivalDue = false;
            arrive(n);
            continue;
        }
        record.top += record.stepTop;
        record.left += record.stepLeft;
        // A ball struck in this pass has not been gliding yet: it leaves from where it lay
        // and catches up before the next pass, instead of leaping a whole step now.
        if (wasMoving[n])
            placeBall(n);
        // Each axis stops on its own once within one step of the target.
        if (std::llabs(qint64(record.targetTop) - record.top) < std::abs(record.stepTop))
            record.stepTop = 0;
        if (std::llabs(qint64(record.targetLeft) - record.left) < std::abs(record.stepLeft))
            record.stepLeft = 0;
        if (record.stepLeft != 0 || record.stepTop != 0)
            continue;
        arrive(n);
    }
}

void PoolTable::arrive(int n)
{
    BallRecord &record = m_records[n];
    const char16_t state = record.state.unicode();
    if (state == u'b') {
        if (n == 0)
            loadballmovements();
        record.state = u'm';
        record.targetTop = record.secondTop;
        record.targetLeft = record.secondLeft;
        if (record.targetTop == 0 || record.targetLeft == 0) {
            record.state = u'n';
        } else {
            record.secondTop = 0;
            record.secondLeft = 0;
            aim(n);
        }
        play(QStringLiteral("ballhit"));
    } else if (state == u'p' && n >= 1) {
        m_onTable[n] = false;
        m_ballWidgets[n]->hide();
        record.state = u'n';
        if (n < m_catchUp && m_catchUp < 10)
            loadballmovements();
    } else if (state == u'm') {
        record.state = u'n';
    } else if (state == u's' && n == 0) {
        for (int i = 0; i < 8; ++i) {
            loadballmovements();
            play(QStringLiteral("ballhit"));
        }
        record.state = u'm';
        record.targetTop = record.secondTop;
        record.targetLeft = record.secondLeft;
        record.secondTop = 0;
        record.secondLeft = 0;
        // A break without a second point leaves the cue ball where it hit the rack.
        if (record.targetTop == 0 || record.targetLeft == 0)
            record.state = u'n';
        else
            aim(n);
    }
}

void PoolTable::placeBall(int n)
{
    const BallRecord &record = m_records[n];
    m_shown[n] = QPointF(record.left, record.top);
    m_ballWidgets[n]->move(record.left, record.top);
}

void PoolTable::glide()
{
    // Between two steps a moving ball slides toward where the next step will put it, an
    // even share each tick, so that it lands there when the step is made. The pause
    // before a set-up's or a shot's first pass stays still up to its last interval.
    if (m_moveTick < 1 || m_moveTick >= TicksPerStep)
        return;
    const int ticksLeft = TicksPerStep + 1 - m_moveTick;
    for (int n = 0; n < Balls; ++n) {
        const BallRecord &record = m_records[n];
        if (!m_onTable[n])
            continue;
        QPointF next(record.left, record.top);
        if (!record.arrivalDue && moves(record))
            next += QPointF(record.stepLeft, record.stepTop);
        if (m_shown[n] == next)
            continue;
        m_shown[n] += (next - m_shown[n]) / ticksLeft;
        const QPoint at = m_shown[n].toPoint();
        if (at != m_ballWidgets[n]->pos())
            m_ballWidgets[n]->move(at);
    }
}

PictureBox *PoolTable::rack(int seat) const
{
    return seat >= 1 && seat <= 5 ? m_racks[seat - 1] : nullptr;
}

void PoolTable::updatescores(int seat, int ball)
{
    // A rack holds what is drawn: a host repeating finds must not make it grow, and each
    // redraw slower, without end.
    if (ball >= 1 && ball <= 9 && m_model->rack(seat).size() < MaxDrawnRackBalls)
        m_model->addToRack(seat, ball);
}

void PoolTable::redrawRack(int seat)
{
    PictureBox *target = rack(seat);
    if (!target)
        return;
    const QList<int> balls = m_model->rack(seat);
    const int count = std::min(int(balls.size()), MaxDrawnRackBalls);
    const int size = BoardPictures::BallSize;
    target->resize(size * count, size);
    if (count == 0) {
        target->setPixmap(QPixmap());
        return;
    }
    const qreal ratio = m_ballPictures.first().devicePixelRatio();
    QPixmap picture(qRound(size * count * ratio), qRound(size * ratio));
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    for (int k = 0; k < count; ++k) {
        const int ball = balls.at(k);
        if (ball >= 0 && ball < m_ballPictures.size())
            p.drawPixmap(size * k, 0, m_ballPictures.at(ball));
    }
    p.end();
    target->setPixmap(picture);
}

void PoolTable::clearRacks()
{
    m_model->clearRacks();
}

void PoolTable::ballowners(const QList<std::pair<int, int>> &ballSeatPairs)
{
    int catchUp = 0;
    for (const auto &[ball, seat] : ballSeatPairs) {
        if (seat >= 1 && seat <= 5 && ball >= 1 && ball <= 9) {
            updatescores(seat, ball);
            catchUp = ball + 1;
        }
    }
    m_catchUp = catchUp;
    setuptable();
}

void PoolTable::theyown(const QList<std::pair<int, int>> &seatCountPairs, int ownSeat)
{
    for (const auto &[seat, count] : seatCountPairs) {
        // Each seat pockets its own balls 1, 2, 3 ... and nobody more than nine.
        const int balls = qBound(0, count, 9);
        if (seat >= 1 && seat <= 5) {
            for (int ball = 1; ball <= balls; ++ball)
                updatescores(seat, ball);
        }
        if (seat == ownSeat) {
            m_catchUp = balls + 1;
            setuptable();
        }
    }
}

} // namespace brelvox
