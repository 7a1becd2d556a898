// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QTextEdit>
#include <functional>

namespace brelvox {

// The chat view's text control. Mouse moves and presses reach the owner after the control
// has handled them, so the owner's pointer shape and link selection are the last word.
class ChatTextEdit : public QTextEdit
{
    Q_OBJECT
public:
    using MouseHook = std::function<void(QMouseEvent *event)>;

    explicit ChatTextEdit(QWidget *parent = nullptr);

    void setMouseMoveHook(MouseHook hook) { m_move = std::move(hook); }
    void setMousePressHook(MouseHook hook) { m_press = std::move(hook); }

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    MouseHook m_move;
    MouseHook m_press;
};

} // namespace brelvox
