// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include "boardmodel/clientstate.h"
#include "widgets/colortext.h"

#include <QObject>
#include <array>
#include <functional>

class QAction;
class QLabel;
class QMenu;
class QWidget;

namespace brelvox {

class BoardModel;
class ClientSession;

// Sitting out and removal on the board: the menu `popup_kick` of the five seat labels,
// the Options item "Just Watch", and who is just watching, kept in the board model.
class SeatMenu : public QObject
{
    Q_OBJECT
public:
    // seatLabels are the names of seats 1..5, each opening the menu; model, when given,
    // shows who watches; kick sends a removal request for a seat; justWatch is the Options
    // item, whose mark follows the host's answers only.
    SeatMenu(const std::array<QLabel *, 5> &seatLabels, ClientState &state, BoardModel *model, ClientSession *session,
             QAction *justWatch, std::function<void(int seat)> kick, QObject *parent = nullptr);

    QMenu *popup() const { return m_popup; }
    QAction *removeItem() const { return m_remove; }
    QAction *setItem() const { return m_set; }
    QAction *unsetItem() const { return m_unset; }
    int rememberedSeat() const { return m_seat; }

    void JustWatch1Click();
    void label_playername1ContextPopup(int seat);
    void SettoJustWatch1Click();
    void UnsetJustWatch1Click();
    void RemoveFromGame1Click();
    void justwatching(const QString &args);

Q_SIGNALS:
    void chatLine(const QString &text, ColorRef color);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void request(int seat, int flag);

    ClientState &m_state;
    BoardModel *m_model;
    ClientSession *m_session;
    QAction *m_justWatch;
    std::function<void(int)> m_kick;
    QMenu *m_popup = nullptr;
    QAction *m_remove = nullptr;
    QAction *m_set = nullptr;
    QAction *m_unset = nullptr;
    int m_seat = 0;
};

} // namespace brelvox
