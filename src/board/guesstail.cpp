// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "board/guesstail.h"

#include <QEvent>
#include <QKeyEvent>
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
}

void GuessTail::begin(int letters)
{
    m_room = std::clamp(kRowLetters - letters, 0, kRowLetters);
    m_active = true;
    m_last.start();
}

bool GuessTail::active() const
{
    return m_active && m_last.isValid() && m_last.elapsed() <= kGapMs;
}

bool GuessTail::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_entry || !m_active)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::FocusOut:
        m_active = false;
        break;
    case QEvent::KeyPress: {
        if (!active()) {
            m_active = false;
            break;
        }
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool plain = !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            m_active = false;
            return true;
        }
        if (key->key() == Qt::Key_Backspace) {
            m_room = std::min(m_room + 1, kRowLetters);
        } else if (plain && m_room > 0 && key->text().size() == 1 && key->text().at(0).isLetter()) {
            --m_room;
        } else {
            m_active = false;
            break;
        }
        m_last.start();
        return true;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace brelvox
