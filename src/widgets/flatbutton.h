// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QPushButton>

namespace brelvox {

// A flat push button with its own face, text and hover colours, and a tag.
class FlatButton : public QPushButton
{
    Q_OBJECT
public:
    explicit FlatButton(const QString &text = QString(), QWidget *parent = nullptr);

    void setColors(const QColor &face, const QColor &text, const QColor &hoverFace = QColor(),
                   const QColor &hoverText = QColor());

    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }

protected:
    // Return and Enter press the button as Space does.
    void keyPressEvent(QKeyEvent *event) override;

private:
    int m_tag = 0;
};

} // namespace brelvox
