// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "board/guesstail.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>
#include <algorithm>

namespace brelvox {

namespace {
constexpr int kRowLetters = 5;
}

GuessTail::GuessTail(QWidget *chatEntry, QObject *parent)
    : QObject(parent)
    , m_entry(chatEntry)
{
    if (m_entry)
        m_entry->installEventFilter(this);
    if (auto *line = qobject_cast<QLineEdit *>(m_entry)) {
        connect(line, &QLineEdit::textEdited, this, [this](const QString &text) { m_typed = !text.isEmpty(); });
        connect(line, &QLineEdit::textChanged, this, [this](const QString &text) {
            if (text.isEmpty())
                m_typed = false;
        });
    }
}

void GuessTail::begin(int letters)
{
    m_room = std::clamp(kRowLetters - letters, 0, kRowLetters);
    m_active = true;
    m_since.start();
}

bool GuessTail::active() const
{
    return m_active && m_since.isValid() && m_since.elapsed() <= kWindowMs;
}

bool GuessTail::chatChosen() const
{
    return m_entry && m_entry->window()->focusWidget() == m_entry && (m_chosen || m_typed);
}

bool GuessTail::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_entry)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        m_active = false;
        m_chosen = true;
        break;
    case QEvent::FocusOut: {
        m_active = false;
        // Another window or a menu taking the keyboard is no choice of the player's.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            m_chosen = false;
        break;
    }
    case QEvent::KeyPress: {
        const auto &key = *static_cast<QKeyEvent *>(event);
        if (m_active && swallow(key))
            return true;
        const auto *line = qobject_cast<QLineEdit *>(m_entry);
        if (!m_chosen && m_rowKeys && line && line->text().isEmpty() && m_rowKeys(key))
            return true;
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

bool GuessTail::swallow(const QKeyEvent &key)
{
    m_active = active();
    if (!m_active)
        return false;
    const bool plain = !(key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) {
        m_active = false;
        return true;
    }
    if (key.key() == Qt::Key_Backspace) {
        m_room = std::min(m_room + 1, kRowLetters);
    } else if (plain && m_room > 0 && key.text().size() == 1 && key.text().at(0).isLetter()) {
        --m_room;
    } else {
        m_active = false;
        return false;
    }
    return true;
}

} // namespace brelvox
