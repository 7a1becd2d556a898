// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>

class QWidget;

namespace brelvox {

// When the game takes the focus from the entry cells to the chat entry (another player's
// find, the time running out) the player may still be typing the guess. The rest of that
// guess belongs to nobody: the chat entry swallows it instead of sending it as chat.
//
// The rest of a guess is, each key within kGapMs of the move or of the previous swallowed
// key: letters while the row had room for them (five less those already in the cells),
// Backspace, and one Enter, which ends it. Any other key, a click into the entry, the
// focus leaving it or a pause of kGapMs ends it too; from then on the keys are chat.
class GuessTail : public QObject
{
public:
    static constexpr int kGapMs = 1000;

    explicit GuessTail(QWidget *chatEntry, QObject *parent = nullptr);

    // The focus was just moved while `letters` letters of the row were typed.
    void begin(int letters);
    bool active() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<QWidget> m_entry;
    QElapsedTimer m_last;
    int m_room = 0;
    bool m_active = false;
};

} // namespace brelvox
