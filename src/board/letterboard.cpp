// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "board/letterboard.h"

#include "board/boardpictures.h"
#include "board/gridletter.h"
#include "board/guesstail.h"
#include "board/picturebox.h"
#include "board/pooltable.h"
#include "board/wordlistpanel.h"
#include "core/conversion.h"
#include "protocol/catalogue.h"
#include "protocol/fieldreader.h"
#include "protocol/message.h"
#include "widgets/flatpanel.h"

#include <QApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QRegularExpressionValidator>
#include <QTimer>
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

constexpr int ScoreTops[5] = {324, 365, 404, 444, 481};
constexpr int ChalkTops[5] = {331, 373, 412, 453, 491};
constexpr int EyesTops[5] = {330, 372, 411, 452, 490};

const QRect StatusArea(256, 262, 473, 18);

const char *const BallNames[9] = {"One Ball", "Two Ball", "Three Ball", "Four Ball", "Five Ball",
                                  "Six Ball", "Seven Ball", "Eight Ball", "Nine Ball"};

bool validSeat(int seat)
{
    return seat >= 1 && seat <= 5;
}

bool validRow(int row)
{
    return row >= 1 && row <= 5;
}

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
            QLinearGradient face(cell.topLeft(), cell.bottomLeft());
            face.setColorAt(0, QColor(0xfb, 0xf8, 0xec));
            face.setColorAt(1, QColor(0xdc, 0xd6, 0xbf));
            p.setPen(QPen(QColor(0x8c, 0x86, 0x70), 1));
            p.setBrush(face);
            p.drawRoundedRect(cell, 4, 4);
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

// While a seat's eyes show, its name starts right of them: the eyes keep their place over
// the start of the name label, and the name stays whole.
class NameBesideEyes : public QObject
{
public:
    NameBesideEyes(QWidget *eyes, QLabel *name)
        : QObject(eyes)
        , m_eyes(eyes)
        , m_name(name)
    {
        eyes->installEventFilter(this);
    }

    bool eventFilter(QObject *, QEvent *event) override
    {
        if ((event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent) && m_name) {
            const int gap = m_eyes->isHidden() ? 0 : m_eyes->geometry().right() + 3 - m_name->x();
            m_name->setContentsMargins(std::max(gap, 0), 0, 0, 0);
        }
        return false;
    }

private:
    QWidget *m_eyes;
    QPointer<QLabel> m_name;
};

} // namespace

LetterBoard::LetterBoard(QWidget *board, ClientState &state, PoolTable *table, Queries queries, QObject *parent)
    : QObject(parent)
    , m_board(board)
    , m_state(state)
    , m_table(table)
    , m_queries(std::move(queries))
{
    if (auto *chat = board->findChild<QWidget *>(QStringLiteral("mychat")))
        m_tail = new GuessTail(chat, this);
    m_panel = new FlatPanel(board);
    m_panel->setObjectName(QStringLiteral("panel_word"));
    m_panel->setColor(Qt::black);
    m_panel->setGeometry(5, 4, 233, 311);

    auto *backdrop = new PictureBox(m_panel);
    backdrop->setObjectName(QStringLiteral("image_grid"));
    backdrop->setGeometry(0, 0, 233, 311);
    backdrop->setPixmap(gridBackdrop(233, 311));

    QFont headerFont(QStringLiteral("Arial"), 10, QFont::Bold);
    m_gametype = new QLabel(m_panel);
    m_gametype->setObjectName(QStringLiteral("label_gametype"));
    m_gametype->setAlignment(Qt::AlignCenter);
    m_gametype->setFont(headerFont);
    m_gametype->setStyleSheet(QStringLiteral("color:#FFFF00;"));
    m_gametype->setGeometry(0, 4, 233, 20);

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
            setLetterColor(label, clBlack);
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
        setCellColor(edit, clYellow);
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
    m_time = new QLabel(QStringLiteral("Time: 00"), m_panel);
    m_time->setObjectName(QStringLiteral("label_time"));
    m_time->setFont(small);
    m_time->setStyleSheet(QStringLiteral("color:#FFFFFF;"));
    m_time->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_time->setGeometry(136, 289, 89, 20);

    m_status = board->findChild<QLabel *>(QStringLiteral("label_status"));
    if (!m_status) {
        m_status = new QLabel(QStringLiteral("Welcome to Brelvox by Ostrel Software!"), board);
        m_status->setObjectName(QStringLiteral("label_status"));
        m_status->setAlignment(Qt::AlignCenter);
        m_status->setFont(small);
        m_status->setStyleSheet(QStringLiteral("color:#FFFF00;"));
        m_status->setGeometry(StatusArea);
    }

    const QPixmap chalkPicture = BoardPictures::chalk();
    const QPixmap eyesPicture = BoardPictures::eyes();
    for (int seat = 1; seat <= 5; ++seat) {
        auto *score = new QLabel(board);
        score->setObjectName(QStringLiteral("label_score%1").arg(seat));
        score->setFont(small);
        score->setStyleSheet(QStringLiteral("color:#FFFF00;"));
        score->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        score->setGeometry(196, ScoreTops[seat - 1], 28, 19);
        m_scores[seat - 1] = score;

        auto *chalk = new PictureBox(board);
        chalk->setObjectName(QStringLiteral("image_chalk%1").arg(seat));
        chalk->setGeometry(231, ChalkTops[seat - 1], 14, 15);
        chalk->setPixmap(chalkPicture);
        chalk->hide();
        m_chalks[seat - 1] = chalk;

        auto *eyes = new PictureBox(board);
        eyes->setObjectName(QStringLiteral("image_eyes%1").arg(seat));
        eyes->setGeometry(234, EyesTops[seat - 1], 27, 14);
        eyes->setPixmap(eyesPicture);
        eyes->hide();
        if (auto *name = board->findChild<QLabel *>(QStringLiteral("label_playername%1").arg(seat))) {
            new NameBesideEyes(eyes, name);
            m_names[seat - 1] = name;
        }
        m_eyes[seat - 1] = eyes;
    }

    m_turn = new PictureBox(board);
    m_turn->setObjectName(QStringLiteral("image_Turn"));
    m_turn->setGeometry(231, ChalkTops[0] - 12, 119, 11);
    m_turn->setPixmap(BoardPictures::turnMarker());
    m_turn->hide();

    m_wordList = new WordListPanel(board);

    m_timer2 = new QTimer(this);
    m_timer2->setObjectName(QStringLiteral("Timer2"));
    m_timer2->setInterval(1000);
    connect(m_timer2, &QTimer::timeout, this, &LetterBoard::Timer2Timer);
    m_timer2->start();

    clearall();
}

// ---- widgets and state -------------------------------------------------------------

QLabel *LetterBoard::letter(int row, int column) const
{
    return validRow(row) && validRow(column) ? m_letters[row - 1][column - 1] : nullptr;
}

PictureBox *LetterBoard::slot(int row, int column) const
{
    return validRow(row) && validRow(column) ? m_slots[row - 1][column - 1] : nullptr;
}

QLineEdit *LetterBoard::cell(int column) const
{
    return validRow(column) ? m_cells[column - 1] : nullptr;
}

ColorRef LetterBoard::letterColor(int row, int column) const
{
    QLabel *label = letter(row, column);
    return label ? fromQColor(label->palette().color(QPalette::WindowText)) : clBlack;
}

ColorRef LetterBoard::cellColor(int column) const
{
    QLineEdit *edit = cell(column);
    return edit ? fromQColor(edit->palette().color(QPalette::Text)) : clRed;
}

QLabel *LetterBoard::score(int seat) const
{
    return validSeat(seat) ? m_scores[seat - 1] : nullptr;
}

PictureBox *LetterBoard::chalk(int seat) const
{
    return validSeat(seat) ? m_chalks[seat - 1] : nullptr;
}

PictureBox *LetterBoard::eyes(int seat) const
{
    return validSeat(seat) ? m_eyes[seat - 1] : nullptr;
}

void LetterBoard::setLetterColor(QLabel *label, ColorRef color)
{
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, toQColor(color));
    label->setPalette(pal);
}

void LetterBoard::setCellColor(QLineEdit *edit, ColorRef color)
{
    QPalette pal = edit->palette();
    pal.setColor(QPalette::Base, Qt::black);
    pal.setColor(QPalette::Text, toQColor(color));
    edit->setPalette(pal);
}

void LetterBoard::setCells(ColorRef color)
{
    for (QLineEdit *edit : m_cells)
        setCellColor(edit, color);
}

QString LetterBoard::seatName(int seat) const
{
    return m_state.seatName(seat);
}

void LetterBoard::play(const QString &sound)
{
    Q_EMIT soundRequested(sound);
}

void LetterBoard::setStatus(const QString &text)
{
    m_status->setText(text);
    Q_EMIT statusChanged(text);
}

bool LetterBoard::windowActive() const
{
    if (m_queries.windowActive)
        return m_queries.windowActive();
    return m_board->window()->isActiveWindow();
}

void LetterBoard::focusChat()
{
    if (auto *chat = m_board->findChild<QWidget *>(QStringLiteral("mychat")))
        chat->setFocus(Qt::OtherFocusReason);
}

// The game moves the focus away while the player may be typing: the rest of the guess
// must not become a chat line.
void LetterBoard::focusChatMidGuess(int letters)
{
    focusChat();
    if (m_tail && letters >= 0)
        m_tail->begin(letters);
}

// The letters of the row typed so far when an entry cell, open for typing, has the
// keyboard; -1 when no guess is being typed.
int LetterBoard::lettersOfAGuessInProgress() const
{
    QWidget *focus = QApplication::focusWidget();
    const auto at = std::find(m_cells.begin(), m_cells.end(), focus);
    if (focus == nullptr || at == m_cells.end() || !typingOpen(int(at - m_cells.begin()) + 1))
        return -1;
    return int(std::count_if(m_cells.begin(), m_cells.end(), [](const QLineEdit *e) { return !e->text().isEmpty(); }));
}

// Entering a cell empties it; the focus event may not come while the window is inactive,
// so the entry rule runs here as well.
void LetterBoard::focusCell(int column)
{
    edit_1Enter(column);
    m_cells[column - 1]->setFocus(Qt::OtherFocusReason);
}

void LetterBoard::applyHeader(const QString &key, bool lateJoin)
{
    QString header;
    bool scored = false;
    if (key == QLatin1String("most")) {
        header = QStringLiteral("MOST BALLS POCKETED");
    } else if (key == QLatin1String("high")) {
        header = QStringLiteral("HIGH SCORE GAME");
        scored = true;
    } else if (key == QLatin1String("nine")) {
        header = QStringLiteral("NINE BALL");
    } else if (key == QLatin1String("race")) {
        header = lateJoin ? QStringLiteral("RACE TO NINE") : QStringLiteral("RACE TO 9");
    }
    if (!header.isEmpty()) {
        m_gametype->setText(header);
        for (QLabel *score : m_scores)
            score->setText(scored ? QStringLiteral("0") : QString());
    }
    m_state.gameType = key;
}

void LetterBoard::showObjectBall(int ball)
{
    m_ball->setPixmap(QPixmap());
    if (ball >= 0 && ball <= 9)
        m_ball->setPixmap(BoardPictures::ball(ball));
    if (ball >= 1 && ball <= 9)
        m_ballName->setText(QString::fromLatin1(BallNames[ball - 1]));
    m_state.objectBall = ball;
}

void LetterBoard::showAnswer(const QString &answer)
{
    for (int c = 1; c <= 5; ++c) {
        QLineEdit *edit = m_cells[c - 1];
        edit->setText(answer.mid(c - 1, 1));
        setCellColor(edit, clRed);
        edit->setReadOnly(true);
    }
}

// ---- game and round start ----------------------------------------------------------

void LetterBoard::clearall()
{
    for (PictureBox *eyes : m_eyes)
        eyes->hide();
    if (m_table)
        m_table->clearRacks();
}

void LetterBoard::startthegame(const QString &args)
{
    if (auto *banner = m_board->findChild<QWidget *>(QStringLiteral("panel_winner")))
        banner->hide();
    if (auto *start = m_board->findChild<QWidget *>(QStringLiteral("button_start")))
        start->hide();
    Q_EMIT gameStarted();
    clearall();

    // The game type is the last field, as the host reads it, so a starter's name may
    // hold "+".
    QString fields = args;
    if (fields.endsWith(u'+'))
        fields.chop(1);
    const qsizetype cut = fields.lastIndexOf(u'+');
    const QString name = cut < 0 ? fields : fields.left(cut);
    const QString key = cut < 0 ? QString() : fields.mid(cut + 1);
    applyHeader(key, false);
    Q_EMIT chatLine(name + QStringLiteral(" has started a game."), kSystemColor);

    // Without a second person the computer player sits in seat 2.
    if (m_state.seatNames[1] == ClientState::kWaiting) {
        m_state.seatNames[1] = QStringLiteral("Dira");
        if (m_names[1])
            m_names[1]->setText(m_state.seatNames[1]);
    }

    if (m_table) {
        m_table->setCatchUpCount(0);
        m_table->setuptable();
    }
}

void LetterBoard::loadball(const QString &args)
{
    m_wordList->hide();
    FieldReader fields(args);
    const int ball = fields.nextInt();
    const QString first = fields.next();
    m_state.firstLetter = first;
    m_wordList->clearwords();

    for (int r = 0; r < 5; ++r) {
        for (int c = 0; c < 5; ++c) {
            m_letters[r][c]->clear();
            m_slots[r][c]->setPixmap(QPixmap());
            m_letters[r][c]->setMark(-1);
            setLetterColor(m_letters[r][c], clBlack);
        }
    }
    for (QLineEdit *edit : m_cells) {
        edit->clear();
        setCellColor(edit, clYellow);
        edit->setReadOnly(false);
    }
    m_letters[0][0]->setText(first);
    showObjectBall(ball);
}

void LetterBoard::gamestats(const QString &args)
{
    FieldReader fields(args);
    const QString key = fields.next();
    const int row = fields.nextInt();
    const int ball = fields.nextInt();
    const QString first = fields.next();

    applyHeader(key, true);
    // The rows played before this player came in.
    const int seenRows = std::min(row - 1, 5);
    for (int r = 1; r <= seenRows; ++r) {
        for (int c = 1; c <= 5; ++c) {
            QLabel *label = m_letters[r - 1][c - 1];
            if (label->text().isEmpty()) {
                label->setText(QStringLiteral("*"));
                setLetterColor(label, clGray);
                m_cells[c - 1]->clear();
            }
        }
    }
    m_letters[0][0]->setText(first);
    m_state.firstLetter = first;
    m_state.turnSeat = 0;
    showObjectBall(ball);
}

// ---- typing ------------------------------------------------------------------------

bool LetterBoard::checkforletter(QChar c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

// Nobody's turn (0) never opens the cells, also not before this copy has a seat.
bool LetterBoard::typingOpen(int column) const
{
    return m_state.turnSeat != 0 && m_state.turnSeat == m_state.ownSeat && cellColor(column) != clRed;
}

void LetterBoard::edit_1Enter(int column)
{
    if (validRow(column) && typingOpen(column))
        m_cells[column - 1]->clear();
}

void LetterBoard::edit_5KeyPress(int column, QChar key)
{
    if (!validRow(column) || !typingOpen(column))
        return;
    QLineEdit *edit = m_cells[column - 1];
    if (key == QChar(8)) {
        if (column == 5 && !edit->text().isEmpty())
            edit->clear();
        else if (column >= 2)
            focusCell(column - 1);
        else
            edit->clear();
        play(QStringLiteral("backspace"));
        return;
    }
    if (checkforletter(key)) {
        if (column <= 4)
            focusCell(column + 1);
        play(QStringLiteral("typing1"));
        if (edit->text().isEmpty() && !edit->isReadOnly())
            edit->setText(key.toUpper());
        return;
    }
    if (key == QChar(13) && column == 5)
        submit();
}

void LetterBoard::submit()
{
    QString word;
    for (QLineEdit *edit : m_cells)
        word += edit->text();
    if (word.size() != 5)
        return;
    if (m_state.ownSeat == m_state.turnSeat && m_state.loggedIn)
        Q_EMIT sendRequested(Message(cmd::myword).add(m_state.ownSeat).add(word));
    setCells(clSilver);
    m_state.turnSeat = 0;
    focusChat();
    m_turn->hide();
}

bool LetterBoard::eventFilter(QObject *watched, QEvent *event)
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
        edit_5KeyPress(column, ch);
        // Every key is handled above; none reaches the cell by itself.
        return true;
    }
    if (event->type() == QEvent::FocusIn) {
        // Coming back to the window is not entering a cell.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            edit_1Enter(column);
    }
    return false;
}

// ---- judged guesses ----------------------------------------------------------------

void LetterBoard::yourletters(const QString &args)
{
    FieldReader fields(args);
    const int seat = fields.nextInt();
    const QString flag = fields.next();
    if (seat != m_state.ownSeat && flag == QLatin1String("f"))
        return;
    const int row = fields.nextInt();
    const QString pattern = fields.next();
    const QString letters = fields.next();

    for (int c = 1; c <= 5; ++c) {
        if (validRow(row)) {
            const QChar mark = pattern.size() >= c ? pattern.at(c - 1) : QChar();
            GridLetter *label = m_letters[row - 1][c - 1];
            if (mark == u'c') {
                m_slots[row - 1][c - 1]->setPixmap(BoardPictures::ball(0));
                label->setMark(0);
            } else if (mark == u's') {
                m_slots[row - 1][c - 1]->setPixmap(BoardPictures::ball(m_state.objectBall));
                label->setMark(m_state.objectBall);
            } else {
                label->setMark(GridLetter::NotInWord);
            }
            label->setText(letters.mid(c - 1, 1));
            setLetterColor(label, clBlack);
        }
        m_cells[c - 1]->clear();
    }
    play(QStringLiteral("wrongguess"));
}

void LetterBoard::notvalid(const QString &args)
{
    FieldReader fields(args);
    const int seat = fields.nextInt();
    const QString flag = fields.next();
    if (seat != m_state.ownSeat && flag == QLatin1String("f"))
        return;
    const QString word = fields.next();
    const int row = fields.nextInt();

    if (validRow(row)) {
        for (int c = 1; c <= 5; ++c) {
            QLabel *label = m_letters[row - 1][c - 1];
            label->setText(word.mid(c - 1, 1));
            setLetterColor(label, clSilver);
        }
    }
    setStatus(word + QStringLiteral(" is not a valid word!"));
    play(QStringLiteral("wrongguess"));
}

void LetterBoard::submitted(const QString &args)
{
    FieldReader fields(args);
    const int seat = fields.nextInt();
    if (validSeat(seat))
        m_chalks[seat - 1]->show();
}

// ---- turns and round ends ----------------------------------------------------------

void LetterBoard::getnextplayer(const QString &args)
{
    FieldReader fields(args);
    m_state.turnSeat = fields.nextInt();
    const int row = fields.nextInt();
    const int seat = m_state.turnSeat;

    for (QLineEdit *edit : m_cells) {
        edit->clear();
        setCellColor(edit, clYellow);
    }
    for (PictureBox *chalk : m_chalks)
        chalk->hide();
    if (validRow(row))
        m_letters[row - 1][0]->setText(m_state.firstLetter);
    if (validSeat(seat)) {
        const PictureBox *mark = m_chalks[seat - 1];
        m_turn->move(mark->x(), mark->y() - 12);
    }
    m_turn->show();
    m_turn->raise();

    if (seat == m_state.ownSeat) {
        setStatus(QStringLiteral("Your Turn."));
        const int turnSound = m_queries.turnSound ? m_queries.turnSound() : 0;
        play(turnSound == 1 ? QStringLiteral("turnnew") : QStringLiteral("turn"));
        if (windowActive())
            focusCell(1);
    } else {
        if (validSeat(seat))
            setStatus(seatName(seat) + QStringLiteral("'s turn."));
        setCells(clRed);
    }
    m_secondsLeft = TurnSeconds;
}

void LetterBoard::heguessed(const QString &args)
{
    FieldReader fields(args);
    const int seat = fields.nextInt();
    const QString answer = fields.next();
    const int ball = fields.nextInt();
    const int points = fields.nextInt();
    const int typed = lettersOfAGuessInProgress();

    if (points != 1000 && validSeat(seat))
        m_scores[seat - 1]->setText(QString::number(points));
    setStatus(answer + QStringLiteral(" is the word. ") + seatName(seat) + QStringLiteral(" got it!"));
    if (m_table)
        m_table->updatescores(seat, ball);
    showAnswer(answer);
    m_secondsLeft = 0;
    if (seat == m_state.ownSeat)
        play(QStringLiteral("rightguess"));
    if (windowActive())
        focusChatMidGuess(typed);
    m_turn->hide();
    // In Race to 9 each table shows only its own player's balls.
    const bool othersRace = m_state.gameType == QLatin1String("race") && seat != m_state.ownSeat;
    if (m_table && !othersRace)
        m_table->fireShot();
}

void LetterBoard::nooneguessed(const QString &args)
{
    FieldReader fields(args);
    const QString answer = fields.next();
    setStatus(answer + QStringLiteral(" is the correct answer."));
    showAnswer(answer);
    m_secondsLeft = 0;
    m_turn->hide();
}

void LetterBoard::timeup(const QString &args)
{
    FieldReader fields(args);
    const int row = fields.nextInt();
    const int typed = lettersOfAGuessInProgress();
    setStatus(QStringLiteral("Time is Up!"));
    m_secondsLeft = 0;
    for (int c = 1; c <= 5; ++c) {
        if (validRow(row)) {
            QLabel *label = m_letters[row - 1][c - 1];
            if (row != 1 || c != 1)
                label->setText(QStringLiteral("*"));
            setLetterColor(label, clGray);
        }
        m_cells[c - 1]->clear();
    }
    play(QStringLiteral("wrongguess"));
    m_turn->hide();
    if (windowActive())
        focusChatMidGuess(typed);
}

void LetterBoard::playerscores(const QString &args)
{
    FieldReader fields(args);
    const auto pairs = fields.pairs();
    for (const auto &[seatText, scoreText] : pairs) {
        const int seat = toInt(seatText);
        const int points = toInt(scoreText);
        if (validSeat(seat))
            m_scores[seat - 1]->setText(points == 1000 ? QString() : QString::number(points));
    }
}

void LetterBoard::wordlist(const QString &args)
{
    FieldReader fields(args);
    const int seat = fields.nextInt();
    const QString name = seatName(seat);
    const auto pairs = fields.pairs();
    for (const auto &[rowText, word] : pairs)
        m_wordList->loadwords(name, word.toUpper(), toInt(rowText));
    const bool show = m_queries.showWordList ? m_queries.showWordList() : true;
    if (show) {
        m_wordList->show();
        m_wordList->raise();
    }
}

// ---- clock -------------------------------------------------------------------------

void LetterBoard::Timer2Timer()
{
    // Below zero the clock only repeats "Time: 00"; it stops there rather than count on.
    if (m_secondsLeft > 0)
        --m_secondsLeft;
    if (m_secondsLeft < 1) {
        m_time->setText(QStringLiteral("Time: 00"));
        m_state.turnSeat = 0;
    } else if (m_secondsLeft > 9) {
        m_time->setText(QStringLiteral("Time: ") + QString::number(m_secondsLeft));
    } else {
        m_time->setText(QStringLiteral("Time: 0") + QString::number(m_secondsLeft));
    }
}

} // namespace brelvox
