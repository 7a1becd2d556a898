// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "board/seatrows.h"

#include "board/boardpictures.h"
#include "board/picturebox.h"
#include "boardmodel/boardmodel.h"

#include <QEvent>
#include <QLabel>
#include <QPointer>
#include <algorithm>

namespace brelvox {

namespace {

constexpr int ScoreTops[5] = {324, 365, 404, 444, 481};
constexpr int ChalkTops[5] = {331, 373, 412, 453, 491};
constexpr int EyesTops[5] = {330, 372, 411, 452, 490};
constexpr int MarkLeft = 231;

// While a seat's eyes show, its name starts right of them: the eyes keep their place over
// the start of the name label, and the name stays whole.
class NameBesideEyes : public QObject
{
public:
    NameBesideEyes(QWidget *eyes, QLabel *name)
        : QObject(eyes)
        , m_eyes(eyes)
        , m_name(name)
    {
        eyes->installEventFilter(this);
    }

    bool eventFilter(QObject *, QEvent *event) override
    {
        if ((event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent) && m_name) {
            const int gap = m_eyes->isHidden() ? 0 : m_eyes->geometry().right() + 3 - m_name->x();
            m_name->setContentsMargins(std::max(gap, 0), 0, 0, 0);
        }
        return false;
    }

private:
    QWidget *m_eyes;
    QPointer<QLabel> m_name;
};

bool validSeat(int seat)
{
    return seat >= 1 && seat <= 5;
}

} // namespace

SeatRows::SeatRows(QWidget *board, const BoardModel &model, QObject *parent)
    : QObject(parent)
    , m_model(model)
{
    QFont small(QStringLiteral("Arial"), 9, QFont::Bold);
    const QPixmap chalkPicture = BoardPictures::chalk();
    const QPixmap eyesPicture = BoardPictures::eyes();
    for (int seat = 1; seat <= 5; ++seat) {
        auto *score = new QLabel(board);
        score->setObjectName(QStringLiteral("label_score%1").arg(seat));
        score->setFont(small);
        score->setStyleSheet(QStringLiteral("color:#FFFF00;"));
        score->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        score->setGeometry(196, ScoreTops[seat - 1], 28, 19);
        m_scores[seat - 1] = score;

        auto *chalk = new PictureBox(board);
        chalk->setObjectName(QStringLiteral("image_chalk%1").arg(seat));
        chalk->setGeometry(MarkLeft, ChalkTops[seat - 1], 14, 15);
        chalk->setPixmap(chalkPicture);
        chalk->hide();
        m_chalks[seat - 1] = chalk;

        auto *eyes = new PictureBox(board);
        eyes->setObjectName(QStringLiteral("image_eyes%1").arg(seat));
        eyes->setGeometry(234, EyesTops[seat - 1], 27, 14);
        eyes->setPixmap(eyesPicture);
        eyes->hide();
        if (auto *name = board->findChild<QLabel *>(QStringLiteral("label_playername%1").arg(seat)))
            new NameBesideEyes(eyes, name);
        m_eyes[seat - 1] = eyes;
    }

    m_turn = new PictureBox(board);
    m_turn->setObjectName(QStringLiteral("image_Turn"));
    m_turn->setPixmap(BoardPictures::turnMarker());
    m_turn->hide();

    for (int seat = 1; seat <= 5; ++seat)
        drawSeat(seat);
    drawTurnMarker();
    connect(&m_model, &BoardModel::seatChanged, this, &SeatRows::drawSeat);
    connect(&m_model, &BoardModel::turnMarkerChanged, this, &SeatRows::drawTurnMarker);
}

QLabel *SeatRows::score(int seat) const
{
    return validSeat(seat) ? m_scores[seat - 1] : nullptr;
}

PictureBox *SeatRows::chalk(int seat) const
{
    return validSeat(seat) ? m_chalks[seat - 1] : nullptr;
}

PictureBox *SeatRows::eyes(int seat) const
{
    return validSeat(seat) ? m_eyes[seat - 1] : nullptr;
}

void SeatRows::drawSeat(int seat)
{
    const int points = m_model.score(seat);
    m_scores[seat - 1]->setText(points == BoardModel::NoScore ? QString() : QString::number(points));
    m_chalks[seat - 1]->setVisible(m_model.submitted(seat));
    m_eyes[seat - 1]->setVisible(m_model.watching(seat));
}

// Just above the seat's chalk mark.
void SeatRows::drawTurnMarker()
{
    const int seat = m_model.turnMarkerSeat();
    m_turn->setGeometry(MarkLeft, ChalkTops[seat - 1] - 12, 119, 11);
    m_turn->setVisible(m_model.turnMarkerShown());
    if (m_model.turnMarkerShown())
        m_turn->raise();
}

} // namespace brelvox
