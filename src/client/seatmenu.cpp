// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "client/seatmenu.h"

#include "boardmodel/boardmodel.h"
#include "client/clientsession.h"
#include "protocol/catalogue.h"
#include "protocol/fieldreader.h"
#include "protocol/message.h"
#include "widgets/dialogs.h"

#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QMenu>
#include <QWidget>

namespace brelvox {

namespace {
constexpr int kWatch = 1;
constexpr int kPlay = 2;

bool playerSeat(int seat)
{
    return seat >= 1 && seat <= 5;
}
} // namespace

SeatMenu::SeatMenu(const std::array<QLabel *, 5> &seatLabels, ClientState &state, BoardModel *model,
                   ClientSession *session, QAction *justWatch, std::function<void(int)> kick, QObject *parent)
    : QObject(parent)
    , m_state(state)
    , m_model(model)
    , m_session(session)
    , m_justWatch(justWatch)
    , m_kick(std::move(kick))
{
    // The menu belongs to the board the labels sit on.
    QWidget *board = seatLabels[0] ? seatLabels[0]->parentWidget() : nullptr;
    m_popup = new QMenu(board);
    m_popup->setObjectName(QStringLiteral("popup_kick"));
    m_remove = m_popup->addAction(QStringLiteral("Remove From Game"));
    m_remove->setObjectName(QStringLiteral("RemoveFromGame1"));
    m_set = m_popup->addAction(QStringLiteral("Set to Just Watch"));
    m_set->setObjectName(QStringLiteral("SettoJustWatch1"));
    m_unset = m_popup->addAction(QStringLiteral("Unset Just Watch"));
    m_unset->setObjectName(QStringLiteral("UnsetJustWatch1"));
    connect(m_remove, &QAction::triggered, this, [this] { dialogs::guarded([this] { RemoveFromGame1Click(); }); });
    connect(m_set, &QAction::triggered, this, [this] { dialogs::guarded([this] { SettoJustWatch1Click(); }); });
    connect(m_unset, &QAction::triggered, this, [this] { dialogs::guarded([this] { UnsetJustWatch1Click(); }); });

    for (int seat = 1; seat <= 5; ++seat) {
        QLabel *label = seatLabels[seat - 1];
        if (!label)
            continue;
        label->setContextMenuPolicy(Qt::CustomContextMenu);
        // Reached with Tab, the menu opens with the Menu key or Shift+F10; a box shows the focus.
        label->setFocusPolicy(Qt::TabFocus);
        label->installEventFilter(this);
        connect(label, &QWidget::customContextMenuRequested, this, [this, seat, label](const QPoint &pos) {
            label_playername1ContextPopup(seat);
            m_popup->popup(label->mapToGlobal(pos));
        });
    }

    if (m_justWatch) {
        // Choosing the item would move its mark; the mark shows what the host said instead.
        connect(m_justWatch, &QAction::triggered, this, [this](bool checked) {
            m_justWatch->setChecked(!checked);
            dialogs::guarded([this] { JustWatch1Click(); });
        });
    }
    if (m_session)
        m_session->dispatchTable().bind(cmd::justwatching, [this](const QString &args) { justwatching(args); });
}

bool SeatMenu::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        if (auto *label = qobject_cast<QLabel *>(watched))
            label->setFrameStyle(event->type() == QEvent::FocusIn ? QFrame::Box | QFrame::Plain : QFrame::NoFrame);
    }
    return QObject::eventFilter(watched, event);
}

void SeatMenu::request(int seat, int flag)
{
    if (m_state.loggedIn && playerSeat(seat) && m_session)
        m_session->send(Message(cmd::justwatch).add(seat).add(flag));
}

void SeatMenu::JustWatch1Click()
{
    if (!m_state.loggedIn || !playerSeat(m_state.ownSeat))
        return;
    request(m_state.ownSeat, m_justWatch && m_justWatch->isChecked() ? kPlay : kWatch);
}

void SeatMenu::label_playername1ContextPopup(int seat)
{
    // Whoever starts the games runs the table: the host takes removals and others' switches from seat 1.
    for (QAction *item : {m_remove, m_set, m_unset})
        item->setEnabled(m_state.startsGames());
    m_seat = seat;
    if (m_state.seatName(seat) == ClientState::kWaiting)
        m_remove->setEnabled(false);
}

void SeatMenu::SettoJustWatch1Click()
{
    request(m_seat, kWatch);
}

void SeatMenu::UnsetJustWatch1Click()
{
    request(m_seat, kPlay);
}

void SeatMenu::RemoveFromGame1Click()
{
    if (playerSeat(m_seat) && m_kick)
        m_kick(m_seat);
}

void SeatMenu::justwatching(const QString &args)
{
    FieldReader f(args);
    const int seat = f.nextInt();
    const QString flag = f.next();
    if (!playerSeat(seat))
        return; // a spectator seat has nothing to show it on
    const bool watching = flag == QLatin1String("1");
    if (seat == m_state.ownSeat && m_justWatch)
        m_justWatch->setChecked(watching);
    Q_EMIT chatLine(m_state.seatName(seat) + (watching ? QStringLiteral(" is just watching") : QStringLiteral(" now playing again")),
                    kSystemColor);
    if (m_model)
        m_model->setWatching(seat, watching);
}

} // namespace brelvox
