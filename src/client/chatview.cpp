// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "client/chatview.h"

#include "widgets/flatbutton.h"

#include <QLineEdit>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextEdit>

namespace brelvox {

namespace {
const char *const kBuiltIn[ChatView::kPhraseCount] = {
    "Way To Go!", "Good One!", "Nice Try!", "Excellent!", "Brilliant!",
    "Wow, WTG!", "Thanks!", "Way To Go Teamie!", "Good Game Everyone!",
};
const QString kPrompt = QStringLiteral("<Enter Chat Here>");
} // namespace

QString ChatView::builtInPhrase(int n)
{
    return n >= 1 && n <= kPhraseCount ? QString::fromLatin1(kBuiltIn[n - 1]) : QString();
}

ChatView::ChatView(QWidget *board, const QRect &area, QObject *parent)
    : QObject(parent)
{
    const int buttonWidth = 22;
    const int entryHeight = 22;
    m_mainchat = new QTextEdit(board);
    m_mainchat->setObjectName(QStringLiteral("mainchat"));
    m_mainchat->setReadOnly(true);
    m_mainchat->setUndoRedoEnabled(false);
    m_mainchat->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_mainchat->setGeometry(area.x(), area.y(), area.width() - buttonWidth - 2, area.height() - entryHeight - 2);
    QPalette pal = m_mainchat->palette();
    pal.setColor(QPalette::Base, toQColor(0xC4D5DF));
    pal.setColor(QPalette::Text, toQColor(kSystemColor));
    // The selection stays visible when the view loses focus.
    pal.setColor(QPalette::Inactive, QPalette::Highlight, pal.color(QPalette::Active, QPalette::Highlight));
    pal.setColor(QPalette::Inactive, QPalette::HighlightedText, pal.color(QPalette::Active, QPalette::HighlightedText));
    m_mainchat->setPalette(pal);
    setTextSize(8);

    m_mychat = new QLineEdit(board);
    m_mychat->setObjectName(QStringLiteral("mychat"));
    m_mychat->setGeometry(area.x(), area.bottom() - entryHeight + 1, area.width(), entryHeight);
    m_mychat->setFont(QFont(QStringLiteral("Arial"), 10));
    m_mychat->setText(kPrompt);

    const int buttonHeight = m_mainchat->height() / 10;
    for (int i = 0; i < 10; ++i) {
        auto *b = new FlatButton(QString(), board);
        b->setObjectName(QStringLiteral("b_phrase%1").arg(i + 1));
        b->setTag(i + 1);
        b->setColors(QColor(0xFF, 0xFF, 0x00), Qt::black, QColor(0xFF, 0xFF, 0x99));
        b->setGeometry(area.right() - buttonWidth + 1, area.y() + i * buttonHeight, buttonWidth, buttonHeight - 1);
        m_buttons[i] = b;
        if (i < kPhraseCount)
            setPhrase(i + 1, builtInPhrase(i + 1));
    }
    m_buttons[9]->setToolTip(QStringLiteral("/me waves \"Good-Bye\""));
}

FlatButton *ChatView::phraseButton(int n) const
{
    return n >= 1 && n <= 10 ? m_buttons[n - 1] : nullptr;
}

void ChatView::setTextSize(int points)
{
    m_textSize = points;
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setPointSize(points > 0 ? points : 8);
    m_mainchat->setFont(f);
    m_mainchat->document()->setDefaultFont(f);
}

void ChatView::setOwnColor(ColorRef color)
{
    m_ownColor = color;
    QPalette pal = m_mychat->palette();
    pal.setColor(QPalette::Text, toQColor(color));
    m_mychat->setPalette(pal);
}

QString ChatView::phrase(int n) const
{
    return n >= 1 && n <= kPhraseCount ? m_buttons[n - 1]->toolTip() : QString();
}

void ChatView::setPhrase(int n, const QString &text)
{
    if (n < 1 || n > kPhraseCount)
        return;
    m_buttons[n - 1]->setToolTip(text);
}

void ChatView::addlinetochat(const QString &text, ColorRef color)
{
    QScrollBar *bar = m_mainchat->verticalScrollBar();
    const int keptScroll = bar->value();
    const QTextCursor keptCursor = m_mainchat->textCursor();
    m_mainchat->setUpdatesEnabled(false);

    const qsizetype colon = text.indexOf(QLatin1Char(':'));
    const QString leadIn = colon < 0 ? QString() : text.left(colon + 1);
    const QString rest = colon < 0 ? text : text.mid(colon + 1);

    QTextCursor c(m_mainchat->document());
    c.movePosition(QTextCursor::End);
    QTextCharFormat fmt;
    fmt.setForeground(toQColor(color));
    if (!m_mainchat->document()->isEmpty())
        c.insertBlock();
    fmt.setFontWeight(QFont::Bold);
    c.insertText(leadIn, fmt);
    fmt.setFontWeight(QFont::Normal);
    c.insertText(rest, fmt);

    if (m_scrollOff) {
        m_mainchat->setTextCursor(keptCursor);
        bar->setValue(keptScroll);
    } else {
        m_mainchat->setTextCursor(c);
        bar->setValue(bar->maximum());
    }
    m_mainchat->setUpdatesEnabled(true);
    m_mainchat->viewport()->update();
}

} // namespace brelvox
