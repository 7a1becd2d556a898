// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "board/gridview.h"

#include "board/boardpictures.h"
#include "board/gridletter.h"
#include "board/picturebox.h"
#include "boardmodel/boardmodel.h"
#include "widgets/flatpanel.h"

#include <QApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QRegularExpressionValidator>
#include <algorithm>

namespace brelvox {

namespace {

// The slots keep a 45-pixel pitch and sit 8 pixels further right than a board laid out
// from the left edge would put them, so the tiles around them are centred in the panel.
constexpr int SlotLefts[5] = {14, 59, 104, 149, 194};
constexpr int SlotTops[5] = {38, 83, 128, 173, 218};
// A letter's cell around its 24 x 24 ball slot.
constexpr int CellLeftOffset = GridLetter::SlotLeft;
constexpr int CellTopOffset = GridLetter::SlotTop;
constexpr int CellWidth = GridLetter::Width;
constexpr int CellHeight = GridLetter::Height;
constexpr int EntryTop = 252;
constexpr int EntryHeight = 34;

const QRect StatusArea(256, 262, 473, 18);

const char *const BallNames[9] = {"One Ball", "Two Ball", "Three Ball", "Four Ball", "Five Ball",
                                  "Six Ball", "Seven Ball", "Eight Ball", "Nine Ball"};

// The light tiles behind the letters and the frames of the entry cells.
QPixmap gridBackdrop(int width, int height)
{
    QPixmap pixmap = BoardPictures::canvas(width, height);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    for (int r = 0; r < 5; ++r) {
        for (int c = 0; c < 5; ++c) {
            const QRectF cell = GridLetter::tileRect().translated(SlotLefts[c] - CellLeftOffset,
                                                                  SlotTops[r] - CellTopOffset);
            BoardPictures::paintTile(p, cell);
        }
    }
    for (int c = 0; c < 5; ++c) {
        const QRectF cell(SlotLefts[c] - CellLeftOffset + 1.5, EntryTop + 0.5, CellWidth - 3, EntryHeight - 1);
        p.setPen(QPen(QColor(0x5a, 0x5a, 0x5a), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(cell, 3, 3);
    }
    return pixmap;
}

ColorRef shadeColor(BoardModel::Shade shade)
{
    switch (shade) {
    case BoardModel::Shade::Rejected:
        return GridView::clSilver;
    case BoardModel::Shade::Missed:
        return GridView::clGray;
    case BoardModel::Shade::Played:
        break;
    }
    return GridView::clBlack;
}

ColorRef entryColor(BoardModel::Entry entry)
{
    switch (entry) {
    case BoardModel::Entry::Sent:
        return GridView::clSilver;
    case BoardModel::Entry::Locked:
        return GridView::clRed;
    case BoardModel::Entry::Open:
        break;
    }
    return GridView::clYellow;
}

bool validIndex(int n)
{
    return n >= 1 && n <= 5;
}

} // namespace

GridView::GridView(QWidget *board, const BoardModel &model, QObject *parent)
    : QObject(parent)
    , m_model(model)
{
    m_panel = new FlatPanel(board);
    m_panel->setObjectName(QStringLiteral("panel_word"));
    m_panel->setColor(Qt::black);
    m_panel->setGeometry(5, 4, 233, 311);

    auto *backdrop = new PictureBox(m_panel);
    backdrop->setObjectName(QStringLiteral("image_grid"));
    backdrop->setGeometry(0, 0, 233, 311);
    backdrop->setPixmap(gridBackdrop(233, 311));

    QFont headerFont(QStringLiteral("Arial"), 10, QFont::Bold);
    m_header = new QLabel(m_panel);
    m_header->setObjectName(QStringLiteral("label_gametype"));
    m_header->setAlignment(Qt::AlignCenter);
    m_header->setFont(headerFont);
    m_header->setStyleSheet(QStringLiteral("color:#FFFF00;"));
    m_header->setGeometry(0, 4, 233, 20);

    QFont letterFont(QStringLiteral("Arial"));
    letterFont.setPixelSize(32);
    letterFont.setBold(true);
    for (int r = 1; r <= 5; ++r) {
        for (int c = 1; c <= 5; ++c) {
            auto *slot = new PictureBox(m_panel);
            slot->setObjectName(QStringLiteral("image_%1%2").arg(r).arg(c));
            slot->setGeometry(SlotLefts[c - 1], SlotTops[r - 1], BoardPictures::BallSize, BoardPictures::BallSize);
            m_slots[r - 1][c - 1] = slot;
        }
    }
    for (int r = 1; r <= 5; ++r) {
        for (int c = 1; c <= 5; ++c) {
            auto *label = new GridLetter(m_panel);
            label->setObjectName(QStringLiteral("label_%1%2").arg(r).arg(c));
            label->setFont(letterFont);
            label->setGeometry(SlotLefts[c - 1] - CellLeftOffset, SlotTops[r - 1] - CellTopOffset, CellWidth, CellHeight);
            m_letters[r - 1][c - 1] = label;
        }
    }

    QFont cellFont(QStringLiteral("Arial"));
    cellFont.setPixelSize(32);
    auto *lettersOnly = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[A-Za-z]?")), this);
    for (int c = 1; c <= 5; ++c) {
        auto *edit = new QLineEdit(m_panel);
        edit->setObjectName(QStringLiteral("edit_%1").arg(c));
        edit->setMaxLength(1);
        edit->setFrame(false);
        edit->setFont(cellFont);
        edit->setAlignment(Qt::AlignCenter);
        edit->setTextMargins(0, 0, 0, 0);
        edit->setValidator(lettersOnly);
        edit->setDragEnabled(false);
        edit->setAcceptDrops(false);
        edit->setContextMenuPolicy(Qt::NoContextMenu);
        edit->setAttribute(Qt::WA_InputMethodEnabled, false);
        edit->setFocusPolicy(c == 1 ? Qt::StrongFocus : Qt::ClickFocus);
        edit->setGeometry(SlotLefts[c - 1] - CellLeftOffset + 3, EntryTop + 2, CellWidth - 6, EntryHeight - 4);
        edit->installEventFilter(this);
        m_cells[c - 1] = edit;
    }

    m_ball = new PictureBox(m_panel);
    m_ball->setObjectName(QStringLiteral("image_theball"));
    m_ball->setGeometry(SlotLefts[0] - CellLeftOffset + 1, 287, BoardPictures::BallSize, BoardPictures::BallSize);
    QFont small(QStringLiteral("Arial"), 9, QFont::Bold);
    m_ballName = new QLabel(m_panel);
    m_ballName->setObjectName(QStringLiteral("label_theball"));
    m_ballName->setFont(small);
    m_ballName->setStyleSheet(QStringLiteral("color:#FFFFFF;"));
    m_ballName->setGeometry(SlotLefts[0] - CellLeftOffset + 31, 289, 100, 20);
    m_time = new QLabel(m_panel);
    m_time->setObjectName(QStringLiteral("label_time"));
    m_time->setFont(small);
    m_time->setStyleSheet(QStringLiteral("color:#FFFFFF;"));
    m_time->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_time->setGeometry(136, 289, 89, 20);

    m_status = board->findChild<QLabel *>(QStringLiteral("label_status"));
    if (!m_status) {
        m_status = new QLabel(board);
        m_status->setObjectName(QStringLiteral("label_status"));
        m_status->setAlignment(Qt::AlignCenter);
        m_status->setFont(small);
        m_status->setStyleSheet(QStringLiteral("color:#FFFF00;"));
        m_status->setGeometry(StatusArea);
    }

    for (int r = 1; r <= 5; ++r) {
        for (int c = 1; c <= 5; ++c)
            drawCell(r, c);
    }
    drawEntry();
    drawHeader();
    drawStatus();
    drawObjectBall();
    drawClock();
    connect(&m_model, &BoardModel::cellChanged, this, &GridView::drawCell);
    connect(&m_model, &BoardModel::entryChanged, this, &GridView::drawEntry);
    connect(&m_model, &BoardModel::headerChanged, this, &GridView::drawHeader);
    connect(&m_model, &BoardModel::statusChanged, this, &GridView::drawStatus);
    connect(&m_model, &BoardModel::objectBallChanged, this, &GridView::drawObjectBall);
    connect(&m_model, &BoardModel::clockChanged, this, &GridView::drawClock);
}

GridLetter *GridView::letter(int row, int column) const
{
    return validIndex(row) && validIndex(column) ? m_letters[row - 1][column - 1] : nullptr;
}

PictureBox *GridView::slot(int row, int column) const
{
    return validIndex(row) && validIndex(column) ? m_slots[row - 1][column - 1] : nullptr;
}

QLineEdit *GridView::cell(int column) const
{
    return validIndex(column) ? m_cells[column - 1] : nullptr;
}

int GridView::focusedColumn() const
{
    QWidget *focus = QApplication::focusWidget();
    const auto at = std::find(m_cells.begin(), m_cells.end(), focus);
    return focus && at != m_cells.end() ? int(at - m_cells.begin()) + 1 : 0;
}

void GridView::focusCell(int column)
{
    if (QLineEdit *edit = cell(column))
        edit->setFocus(Qt::OtherFocusReason);
}

void GridView::drawCell(int row, int column)
{
    GridLetter *label = m_letters[row - 1][column - 1];
    label->setText(m_model.letter(row, column));
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, toQColor(shadeColor(m_model.shade(row, column))));
    label->setPalette(pal);
    const int mark = m_model.mark(row, column);
    label->setMark(mark);
    m_slots[row - 1][column - 1]->setPixmap(mark == BoardModel::NoMark ? QPixmap() : BoardPictures::markBall(mark));
}

void GridView::drawEntry()
{
    const QColor color = toQColor(entryColor(m_model.entry()));
    for (int c = 1; c <= 5; ++c) {
        QLineEdit *edit = m_cells[c - 1];
        const QString letter = m_model.entryLetter(c);
        if (edit->text() != letter)
            edit->setText(letter);
        QPalette pal = edit->palette();
        pal.setColor(QPalette::Base, Qt::black);
        pal.setColor(QPalette::Text, color);
        edit->setPalette(pal);
        edit->setReadOnly(m_model.answerShown());
    }
}

void GridView::drawHeader()
{
    m_header->setText(m_model.header());
}

void GridView::drawStatus()
{
    m_status->setText(m_model.status());
}

// A ball outside 1..9 keeps the name shown before.
void GridView::drawObjectBall()
{
    const int ball = m_model.objectBall();
    m_ball->setPixmap(ball >= 0 && ball <= 9 ? BoardPictures::ball(ball) : QPixmap());
    if (ball >= 1 && ball <= 9)
        m_ballName->setText(QString::fromLatin1(BallNames[ball - 1]));
}

// Below zero the clock only repeats "Time: 00".
void GridView::drawClock()
{
    const int seconds = std::max(m_model.clock(), 0);
    m_time->setText(QStringLiteral("Time: ") + QString::number(seconds).rightJustified(2, u'0'));
}

bool GridView::eventFilter(QObject *watched, QEvent *event)
{
    const auto at = std::find(m_cells.begin(), m_cells.end(), watched);
    if (at == m_cells.end())
        return QObject::eventFilter(watched, event);
    const int column = int(at - m_cells.begin()) + 1;

    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
            return false;
        QChar ch;
        if (key->key() == Qt::Key_Backspace)
            ch = QChar(8);
        else if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            ch = QChar(13);
        else if (!(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
                 && key->text().size() == 1)
            ch = key->text().at(0);
        Q_EMIT keyPressed(column, ch);
        return true;
    }
    if (event->type() == QEvent::FocusIn) {
        // Coming back to the window is not entering a cell.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            Q_EMIT cellEntered(column);
    }
    return false;
}

} // namespace brelvox
