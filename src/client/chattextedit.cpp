// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "client/chattextedit.h"

#include <QMouseEvent>

namespace brelvox {

ChatTextEdit::ChatTextEdit(QWidget *parent)
    : QTextEdit(parent)
{
    viewport()->setMouseTracking(true);
}

void ChatTextEdit::mouseMoveEvent(QMouseEvent *event)
{
    QTextEdit::mouseMoveEvent(event);
    if (m_move)
        m_move(event);
}

void ChatTextEdit::mousePressEvent(QMouseEvent *event)
{
    QTextEdit::mousePressEvent(event);
    if (m_press)
        m_press(event);
}

} // namespace brelvox
