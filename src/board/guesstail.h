// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <functional>

class QKeyEvent;
class QWidget;

namespace brelvox {

// Keeps a guess out of the chat. When the game takes the focus from the entry cells to the
// chat entry (another player's find, the time running out) the player may still be typing
// the guess: the chat entry swallows the rest of it. And while the player's own row is open,
// letters typed into the empty chat entry belong to the row, unless the player clicked into
// the chat to talk.
//
// The rest of a guess is, each key within kWindowMs of the move: letters while the row had
// room for them (five less those already in the cells), Backspace, and one Enter, which ends
// it. Any other key, a click into the entry or the focus leaving it ends it too; from then
// on the keys are chat.
class GuessTail : public QObject
{
public:
    static constexpr int kWindowMs = 3000;

    explicit GuessTail(QWidget *chatEntry, QObject *parent = nullptr);

    // The focus was just moved while `letters` letters of the row were typed.
    void begin(int letters);
    bool active() const;
    // Offered each key pressed in the empty chat entry the player has not clicked into;
    // true when the row took it.
    void setRowKeys(std::function<bool(const QKeyEvent &)> rowKeys) { m_rowKeys = std::move(rowKeys); }
    // A row of the player's own opened: an earlier click into the chat no longer counts.
    void rowOpened() { m_chosen = false; }
    // The chat entry has its window's focus by the player's choice: clicked into in this
    // row, or holding text the player typed.
    bool chatChosen() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool swallow(const QKeyEvent &key);

    QPointer<QWidget> m_entry;
    QElapsedTimer m_since;
    std::function<bool(const QKeyEvent &)> m_rowKeys;
    int m_room = 0;
    bool m_active = false;
    bool m_chosen = false; // the player clicked into the chat entry
    bool m_typed = false;  // the entry holds text the player typed
};

} // namespace brelvox
