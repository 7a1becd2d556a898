// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "widgets/flatbutton.h"

#include <QKeyEvent>

namespace brelvox {

FlatButton::FlatButton(const QString &text, QWidget *parent)
    : QPushButton(text, parent)
{
    setFlat(true);
    // Reached with Tab; a click leaves the focus where the player was typing.
    setFocusPolicy(Qt::TabFocus);
    setColors(QColor(0xE0, 0xE0, 0xE0), Qt::black);
}

void FlatButton::setColors(const QColor &face, const QColor &text, const QColor &hoverFace, const QColor &hoverText)
{
    const QColor hf = hoverFace.isValid() ? hoverFace : face.lighter(115);
    const QColor ht = hoverText.isValid() ? hoverText : text;
    setStyleSheet(QStringLiteral("QPushButton{background:%1;color:%2;border:1px solid %3;padding:1px 4px;}"
                                 "QPushButton:hover{background:%4;color:%5;}"
                                 "QPushButton:pressed{background:%6;}"
                                 "QPushButton:focus{border:2px solid %2;}"
                                 "QPushButton:disabled{color:#808080;}")
                      .arg(face.name(), text.name(), face.darker(160).name(), hf.name(), ht.name(),
                           face.darker(115).name()));
}

void FlatButton::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && event->modifiers() == Qt::NoModifier) {
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

} // namespace brelvox
