// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "board/wordlistpanel.h"

#include "board/boardpictures.h"
#include "board/picturebox.h"
#include "widgets/flatbutton.h"

#include <QLabel>
#include <QMouseEvent>
#include <algorithm>

namespace brelvox {

WordListPanel::WordListPanel(QWidget *board)
    : FlatPanel(board)
{
    setObjectName(QStringLiteral("panel_winnerwordlist"));
    setColor(QColor(0x4e, 0x2e, 0x12));
    setGeometry(OpeningPlace.x(), OpeningPlace.y(), Width, Height);
    setCursor(Qt::SizeAllCursor);

    m_picture = new PictureBox(this);
    m_picture->setObjectName(QStringLiteral("Image3"));
    m_picture->setGeometry(0, 0, Width, Height);
    m_picture->setPixmap(BoardPictures::slate(Width, Height));

    QFont bold(QStringLiteral("Arial"), 9, QFont::Bold);
    m_name = new QLabel(this);
    m_name->setObjectName(QStringLiteral("label_name"));
    m_name->setFont(bold);
    m_name->setStyleSheet(QStringLiteral("color:#FFFF00;"));
    m_name->setGeometry(12, 9, Width - 40, 20);

    QFont chalk(QStringLiteral("Arial"), 10, QFont::Bold);
    chalk.setLetterSpacing(QFont::AbsoluteSpacing, 2);
    for (int row = 1; row <= 5; ++row) {
        auto *label = new QLabel(this);
        label->setObjectName(QStringLiteral("label_word%1").arg(row));
        label->setFont(chalk);
        label->setStyleSheet(QStringLiteral("color:#F4F4EC;"));
        label->setGeometry(18, 14 + row * 20, Width - 36, 19);
        m_words[row - 1] = label;
    }

    m_close = new FlatButton(QStringLiteral("X"), this);
    m_close->setObjectName(QStringLiteral("FlatSpeedButton1"));
    m_close->setColors(QColor(0x6b, 0x1e, 0x1e), Qt::white);
    m_close->setGeometry(Width - 26, 9, 16, 16);
    m_close->setCursor(Qt::ArrowCursor);
    connect(m_close, &FlatButton::clicked, this, &WordListPanel::FlatSpeedButton1Click);

    hide();
}

void WordListPanel::clearwords()
{
    m_name->clear();
    for (QLabel *label : m_words)
        label->clear();
}

void WordListPanel::loadwords(const QString &name, const QString &word, int row)
{
    m_name->setText(name);
    if (row >= 1 && row <= 5)
        m_words[row - 1]->setText(word);
}

QString WordListPanel::name() const
{
    return m_name->text();
}

QString WordListPanel::word(int row) const
{
    return row >= 1 && row <= 5 ? m_words[row - 1]->text() : QString();
}

void WordListPanel::FlatSpeedButton1Click()
{
    hide();
}

// Qt keeps sending the mouse to the pressed widget until the button is let go, which is
// the capture a drag needs.
void WordListPanel::FlatPanel2MouseDown(const QPoint &pos)
{
    m_dragging = true;
    m_grab = pos;
}

void WordListPanel::FlatPanel2MouseMove(const QPoint &pos)
{
    if (m_dragging)
        dragTo(pos);
}

void WordListPanel::FlatPanel2MouseUp(const QPoint &pos)
{
    if (!m_dragging)
        return;
    m_dragging = false;
    dragTo(pos);
}

// Never dragged off the board, where it could not be grabbed back.
void WordListPanel::dragTo(const QPoint &pos)
{
    QPoint to = this->pos() + (pos - m_grab);
    if (const QWidget *board = parentWidget()) {
        to.setX(std::clamp(to.x(), 0, std::max(0, board->width() - width())));
        to.setY(std::clamp(to.y(), 0, std::max(0, board->height() - height())));
    }
    move(to);
}

// Presses on the picture and the labels reach here too: they pass mouse events on.
void WordListPanel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        FlatPanel2MouseDown(event->position().toPoint());
    event->accept();
}

void WordListPanel::mouseMoveEvent(QMouseEvent *event)
{
    FlatPanel2MouseMove(event->position().toPoint());
    event->accept();
}

void WordListPanel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        FlatPanel2MouseUp(event->position().toPoint());
    event->accept();
}

} // namespace brelvox
