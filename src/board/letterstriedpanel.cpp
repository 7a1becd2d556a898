// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "board/letterstriedpanel.h"

#include "board/boardpictures.h"
#include "board/boardspeech.h"
#include "board/gridletter.h"
#include "board/picturebox.h"
#include "widgets/accessible.h"
#include "widgets/flatbutton.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace brelvox {

namespace {

constexpr int Left = 8;
constexpr int Top = 34;
constexpr int PitchX = GridLetter::Width - 2; // the tiles keep a pixel apart
constexpr int PitchY = GridLetter::Height + 1;

// Nine to a row; the last row of eight sits centred under the others.
QPoint cellPlace(int index)
{
    const int row = index / LettersTriedPanel::Columns;
    const int column = index % LettersTriedPanel::Columns;
    const int shift = row == 2 ? PitchX / 2 : 0;
    return {Left + shift + column * PitchX, Top + row * PitchY};
}

int indexOf(QChar letter)
{
    const QChar up = letter.toUpper();
    return up >= u'A' && up <= u'Z' ? up.unicode() - u'A' : -1;
}

} // namespace

LettersTriedPanel::LettersTriedPanel(QWidget *board, const BoardModel &model)
    : FlatPanel(board)
    , m_model(model)
{
    setObjectName(QStringLiteral("panel_letterstried"));
    setAccessibleName(QStringLiteral("Letters tried"));
    setColor(QColor(0x4e, 0x2e, 0x12));
    setGeometry(OpeningPlace.x(), OpeningPlace.y(), Width, Height);
    setCursor(Qt::SizeAllCursor);

    QPixmap slate = BoardPictures::slate(Width, Height);
    {
        QPainter p(&slate);
        p.setRenderHint(QPainter::Antialiasing);
        for (int i = 0; i < 26; ++i)
            BoardPictures::paintTile(p, GridLetter::tileRect().translated(cellPlace(i)));
    }
    auto *picture = new PictureBox(this);
    picture->setGeometry(0, 0, Width, Height);
    picture->setPixmap(slate);
    accessible::hideFromTree(picture);

    auto *title = new QLabel(QStringLiteral("Letters Tried"), this);
    title->setFont(QFont(QStringLiteral("Arial"), 9, QFont::Bold));
    title->setStyleSheet(QStringLiteral("color:#FFFF00;"));
    title->setGeometry(12, 9, Width - 40, 20);

    // The grid's letter and ball, so a mark here reads as it does there.
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(32);
    font.setBold(true);
    for (int i = 0; i < 26; ++i) {
        const QPoint at = cellPlace(i);
        auto *slot = new PictureBox(this);
        slot->setGeometry(at.x() + GridLetter::SlotLeft, at.y() + GridLetter::SlotTop, BoardPictures::BallSize,
                          BoardPictures::BallSize);
        accessible::hideFromTree(slot);
        m_slots[i] = slot;
        auto *letter = new GridLetter(this);
        letter->setObjectName(QStringLiteral("label_tried%1").arg(QChar(u'A' + i)));
        letter->setFont(font);
        letter->setText(QString(QChar(u'A' + i)));
        letter->setGeometry(at.x(), at.y(), GridLetter::Width, GridLetter::Height);
        m_letters[i] = letter;
        m_balls[i] = BoardModel::NoMark - 1; // drawn below whatever the grid holds
    }

    m_close = new FlatButton(QStringLiteral("X"), this);
    m_close->setObjectName(QStringLiteral("button_closeletterstried"));
    m_close->setAccessibleName(QStringLiteral("Close the letters tried"));
    m_close->setColors(QColor(0x6b, 0x1e, 0x1e), Qt::white);
    m_close->setGeometry(Width - 26, 9, 16, 16);
    m_close->setCursor(Qt::ArrowCursor);
    connect(m_close, &FlatButton::clicked, this, &LettersTriedPanel::closeRequested);

    refresh();
    connect(&m_model, &BoardModel::cellChanged, this, &LettersTriedPanel::refresh);
    hide();
}

BoardModel::Verdict LettersTriedPanel::best(QChar letter) const
{
    const int i = indexOf(letter);
    return i < 0 ? BoardModel::Verdict::None : m_best[i];
}

GridLetter *LettersTriedPanel::letter(QChar letter) const
{
    const int i = indexOf(letter);
    return i < 0 ? nullptr : m_letters[i];
}

QString LettersTriedPanel::spokenName(QChar letter, BoardModel::Verdict verdict)
{
    const QString words = verdict == BoardModel::Verdict::None ? QStringLiteral("not tried")
                                                                : BoardSpeech::verdictWords(verdict);
    return QStringLiteral("Letter %1: %2").arg(letter, words);
}

// A grid of 25 cells: reading it whole on each change costs less than tracking it.
void LettersTriedPanel::refresh()
{
    std::array<BoardModel::Verdict, 26> best{};
    std::array<int, 26> balls;
    balls.fill(BoardModel::NoMark);
    for (int r = 1; r <= BoardModel::Size; ++r) {
        for (int c = 1; c <= BoardModel::Size; ++c) {
            const QString text = m_model.letter(r, c);
            const int i = text.size() == 1 ? indexOf(text.at(0)) : -1;
            const BoardModel::Verdict verdict = m_model.verdict(r, c);
            if (i >= 0 && verdict > best[i]) {
                best[i] = verdict;
                balls[i] = m_model.mark(r, c);
            }
        }
    }
    m_best = best;
    for (int i = 0; i < 26; ++i)
        drawLetter(i, balls[i]);
}

// ball: the one behind the letter's best mark in the grid.
void LettersTriedPanel::drawLetter(int index, int ball)
{
    const BoardModel::Verdict verdict = m_best[index];
    GridLetter *letter = m_letters[index];
    const QString name = spokenName(QChar(u'A' + index), verdict);
    if (letter->accessibleName() != name)
        letter->setAccessibleName(name);
    QPalette pal = letter->palette();
    pal.setColor(QPalette::WindowText, verdict == BoardModel::Verdict::Absent ? QColor(0x80, 0x80, 0x80) : Qt::black);
    letter->setPalette(pal);
    letter->setMark(ball);
    if (m_balls[index] != ball) {
        m_balls[index] = ball;
        m_slots[index]->setPixmap(ball == BoardModel::NoMark ? QPixmap() : BoardPictures::ball(ball));
    }
}

// Never dragged off the board, where it could not be grabbed back.
void LettersTriedPanel::dragTo(const QPoint &pos)
{
    QPoint to = this->pos() + (pos - m_grab);
    if (const QWidget *board = parentWidget()) {
        to.setX(std::clamp(to.x(), 0, std::max(0, board->width() - width())));
        to.setY(std::clamp(to.y(), 0, std::max(0, board->height() - height())));
    }
    move(to);
}

void LettersTriedPanel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_dragging = true;
        m_grab = event->position().toPoint();
    }
    event->accept();
}

void LettersTriedPanel::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragging)
        dragTo(event->position().toPoint());
    event->accept();
}

void LettersTriedPanel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && m_dragging) {
        m_dragging = false;
        dragTo(event->position().toPoint());
    }
    event->accept();
}

} // namespace brelvox
