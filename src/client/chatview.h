// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include "widgets/colortext.h"

#include <QObject>
#include <QString>
#include <array>

class QLineEdit;
class QTextEdit;
class QWidget;

namespace brelvox {

class FlatButton;

// The chat area of the board: the view `mainchat`, the entry `mychat` and the ten small
// buttons `b_phrase1`..`b_phrase10` beside the view.
class ChatView : public QObject
{
    Q_OBJECT
public:
    static constexpr int kPhraseCount = 9;

    // Creates the widgets as children of board, inside the given area.
    ChatView(QWidget *board, const QRect &area, QObject *parent = nullptr);

    QTextEdit *mainchat() const { return m_mainchat; }
    QLineEdit *mychat() const { return m_mychat; }
    FlatButton *phraseButton(int n) const; // 1..10

    // One chat line: the text up to and including its first ":" bold, all in colour.
    void addlinetochat(const QString &text, ColorRef color);

    bool scrollOff() const { return m_scrollOff; }
    void setScrollOff(bool on) { m_scrollOff = on; }

    int textSize() const { return m_textSize; }
    void setTextSize(int points);

    ColorRef ownColor() const { return m_ownColor; }
    void setOwnColor(ColorRef color);
    ColorRef actionColor() const { return m_actionColor; }
    void setActionColor(ColorRef color) { m_actionColor = color; }

    QString phrase(int n) const;                  // 1..9
    void setPhrase(int n, const QString &text);   // 1..9

    static QString builtInPhrase(int n);

private:
    QTextEdit *m_mainchat = nullptr;
    QLineEdit *m_mychat = nullptr;
    std::array<FlatButton *, 10> m_buttons{};
    bool m_scrollOff = false;
    int m_textSize = 8;
    ColorRef m_ownColor = 0;
    ColorRef m_actionColor = 0;
};

} // namespace brelvox
