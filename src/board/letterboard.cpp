// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "board/letterboard.h"

#include "board/gridletter.h"
#include "board/gridview.h"
#include "board/guesstail.h"
#include "board/pooltable.h"
#include "board/seatrows.h"
#include "board/wordlistpanel.h"
#include "boardmodel/boardmodel.h"
#include "core/conversion.h"
#include "core/gametype.h"
#include "protocol/catalogue.h"
#include "protocol/fieldreader.h"
#include "protocol/message.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <algorithm>

namespace brelvox {

namespace {

bool validSeat(int seat)
{
    return seat >= 1 && seat <= 5;
}

bool validRow(int row)
{
    return row >= 1 && row <= 5;
}

} // namespace

LetterBoard::LetterBoard(QWidget *board, QWidget *chatEntry, ClientState &state, BoardModel &model, PoolTable *table,
                         Queries queries, QObject *parent)
    : QObject(parent)
    , m_board(board)
    , m_chatEntry(chatEntry)
    , m_state(state)
    , m_model(model)
    , m_table(table)
    , m_queries(std::move(queries))
{
    if (chatEntry)
        m_tail = new GuessTail(chatEntry, this);
    if (m_tail)
        m_tail->setRowKeys([this](const QKeyEvent &key) { return typeIntoRow(key); });
    m_grid = new GridView(board, m_model, this);
    board->window()->installEventFilter(this);
    connect(m_grid, &GridView::keyPressed, this, &LetterBoard::edit_5KeyPress);
    connect(m_grid, &GridView::cellEntered, this, &LetterBoard::edit_1Enter);
    m_seats = new SeatRows(board, m_model, this);
    m_wordList = new WordListPanel(board);

    m_timer2 = new QTimer(this);
    m_timer2->setObjectName(QStringLiteral("Timer2"));
    m_timer2->setInterval(1000);
    connect(m_timer2, &QTimer::timeout, this, &LetterBoard::Timer2Timer);
    m_timer2->start();

    clearall();
}

void LetterBoard::bindHandlers(CommandTable<> &table)
{
    table.bind(cmd::startgame, [this](const QString &a) { startthegame(a); });
    table.bind(cmd::nextplayer, [this](const QString &a) { getnextplayer(a); });
    table.bind(cmd::loadball, [this](const QString &a) { loadball(a); });
    table.bind(cmd::yourletters, [this](const QString &a) { yourletters(a); });
    table.bind(cmd::heguessed, [this](const QString &a) { heguessed(a); });
    table.bind(cmd::nooneguessed, [this](const QString &a) { nooneguessed(a); });
    table.bind(cmd::timeup, [this](const QString &a) { timeup(a); });
    table.bind(cmd::notvalid, [this](const QString &a) { notvalid(a); });
    table.bind(cmd::gamestats, [this](const QString &a) { gamestats(a); });
    table.bind(cmd::submitted, [this](const QString &a) { submitted(a); });
    table.bind(cmd::wordlist, [this](const QString &a) { wordlist(a); });
    table.bind(cmd::playerscores, [this](const QString &a) { playerscores(a); });
    if (!m_table)
        return;
    auto intPairs = [](const QString &args) {
        QList<std::pair<int, int>> out;
        for (const auto &[a, b] : FieldReader(args).pairs())
            out.append({toInt(a), toInt(b)});
        return out;
    };
    table.bind(cmd::ballowners, [this, intPairs](const QString &a) { m_table->ballowners(intPairs(a)); });
    table.bind(cmd::theyown, [this, intPairs](const QString &a) { m_table->theyown(intPairs(a), m_state.ownSeat); });
}

// ---- widgets -----------------------------------------------------------------------

FlatPanel *LetterBoard::panel() const
{
    return m_grid->panel();
}

QLabel *LetterBoard::letter(int row, int column) const
{
    return m_grid->letter(row, column);
}

PictureBox *LetterBoard::slot(int row, int column) const
{
    return m_grid->slot(row, column);
}

QLineEdit *LetterBoard::cell(int column) const
{
    return m_grid->cell(column);
}

QLabel *LetterBoard::status() const
{
    return m_grid->status();
}

QLabel *LetterBoard::header() const
{
    return m_grid->header();
}

QLabel *LetterBoard::score(int seat) const
{
    return m_seats->score(seat);
}

PictureBox *LetterBoard::chalk(int seat) const
{
    return m_seats->chalk(seat);
}

PictureBox *LetterBoard::eyes(int seat) const
{
    return m_seats->eyes(seat);
}

PictureBox *LetterBoard::turnMarker() const
{
    return m_seats->turnMarker();
}

// ---- helpers -----------------------------------------------------------------------

QString LetterBoard::seatName(int seat) const
{
    return m_state.seatName(seat);
}

void LetterBoard::play(const QString &sound)
{
    Q_EMIT soundRequested(sound);
}

bool LetterBoard::windowActive() const
{
    if (m_queries.windowActive)
        return m_queries.windowActive();
    return m_board->window()->isActiveWindow();
}

void LetterBoard::focusChat()
{
    if (m_chatEntry)
        m_chatEntry->setFocus(Qt::OtherFocusReason);
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
    if (m_grid->focusedColumn() == 0 || !typingOpen())
        return -1;
    return m_model.entryCount();
}

bool LetterBoard::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::WindowActivate && watched == m_board->window())
        focusOwnRowOnActivation();
    return QObject::eventFilter(watched, event);
}

// A turn may come before the window is active (a compositor activates it late, and the
// focus stays where it was): once the window is active the row gets the keyboard, at the
// first cell not yet typed, unless the player chose the chat entry in this row.
void LetterBoard::focusOwnRowOnActivation()
{
    if (!typingOpen() || (m_tail && m_tail->chatChosen()))
        return;
    QWidget *remembered = m_board->window()->focusWidget();
    for (int c = 1; c <= 5; ++c) {
        if (m_grid->cell(c) == remembered)
            return;
    }
    int column = 1;
    while (column < 5 && !m_model.entryLetter(column).isEmpty())
        ++column;
    // Coming back to the window is not entering a cell: nothing typed is emptied.
    m_grid->cell(column)->setFocus(Qt::ActiveWindowFocusReason);
}

// Entering a cell empties it; the focus event may not come while the window is inactive,
// so the entry rule runs here as well.
void LetterBoard::focusCell(int column)
{
    edit_1Enter(column);
    m_grid->focusCell(column);
}

void LetterBoard::applyHeader(const QString &key, bool lateJoin)
{
    // An unknown key leaves the header and the scores as they are.
    if (const GameTypeInfo *type = gameTypeByKey(key)) {
        m_model.setHeader(QString::fromLatin1(lateJoin ? type->lateHeader : type->header));
        const bool scored = type->scoring == Scoring::Points;
        for (int seat = 1; seat <= 5; ++seat)
            m_model.setScore(seat, scored ? 0 : BoardModel::NoScore);
    }
    m_state.gameType = key;
}

void LetterBoard::showObjectBall(int ball)
{
    m_model.setObjectBall(ball);
}

void LetterBoard::showAnswer(const QString &answer)
{
    for (int c = 1; c <= 5; ++c)
        m_model.setEntryLetter(c, answer.mid(c - 1, 1));
    m_model.setEntry(BoardModel::Entry::Locked);
    m_model.setAnswerShown(true);
}

// ---- game and round start ----------------------------------------------------------

void LetterBoard::clearall()
{
    for (int seat = 1; seat <= 5; ++seat)
        m_model.setWatching(seat, false);
    m_model.clearRacks();
}

void LetterBoard::startthegame(const QString &args)
{
    m_model.hideBanner();
    m_model.setStartOffered(false);
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
    if (m_state.seatNames[1] == ClientState::kWaiting)
        Q_EMIT seatNamed(2, QStringLiteral("Dira"));

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

    m_model.clearGrid();
    m_model.clearEntry();
    m_model.setEntry(BoardModel::Entry::Open);
    m_model.setAnswerShown(false);
    m_model.setLetter(1, 1, first);
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
            if (m_model.letter(r, c).isEmpty()) {
                m_model.setLetter(r, c, QStringLiteral("*"));
                m_model.setShade(r, c, BoardModel::Shade::Missed);
                m_model.setEntryLetter(c, QString());
            }
        }
    }
    m_model.setLetter(1, 1, first);
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
bool LetterBoard::typingOpen() const
{
    return m_state.turnSeat != 0 && m_state.turnSeat == m_state.ownSeat
           && m_model.entry() != BoardModel::Entry::Locked;
}

void LetterBoard::edit_1Enter(int column)
{
    if (validRow(column) && typingOpen())
        m_model.setEntryLetter(column, QString());
}

void LetterBoard::edit_5KeyPress(int column, QChar key)
{
    if (!validRow(column) || !typingOpen())
        return;
    if (key == QChar(8)) {
        if (column == 5 && !m_model.entryLetter(column).isEmpty())
            m_model.setEntryLetter(column, QString());
        else if (column >= 2)
            focusCell(column - 1);
        else
            m_model.setEntryLetter(column, QString());
        play(QStringLiteral("backspace"));
        return;
    }
    if (checkforletter(key)) {
        if (column <= 4)
            focusCell(column + 1);
        play(QStringLiteral("typing1"));
        if (m_model.entryLetter(column).isEmpty() && !m_model.answerShown())
            m_model.setEntryLetter(column, key.toUpper());
        return;
    }
    if (key == QChar(13) && column == 5)
        submit();
}

// A key pressed in the empty chat entry while the own row is open goes to the row: the
// focus may have stayed in the chat when the row opened behind another window.
bool LetterBoard::typeIntoRow(const QKeyEvent &key)
{
    if (!typingOpen() || (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return false;
    const int count = m_model.entryCount();
    if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) {
        if (count == 5)
            submit();
        else
            focusCell(count + 1);
    } else if (key.key() == Qt::Key_Backspace) {
        focusCell(std::max(count, 1)); // entering a cell empties it
        play(QStringLiteral("backspace"));
    } else if (key.text().size() == 1 && checkforletter(key.text().at(0))) {
        if (count < 5) {
            focusCell(count + 1);
            edit_5KeyPress(count + 1, key.text().at(0));
        }
    } else {
        return false;
    }
    return true;
}

void LetterBoard::submit()
{
    const QString word = m_model.entryWord();
    if (word.size() != 5)
        return;
    if (m_state.ownSeat == m_state.turnSeat && m_state.loggedIn)
        Q_EMIT sendRequested(Message(cmd::myword).add(m_state.ownSeat).add(word));
    m_model.setEntry(BoardModel::Entry::Sent);
    m_state.turnSeat = 0;
    focusChat();
    m_model.hideTurnMarker();
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
            if (mark == u'c')
                m_model.setMark(row, c, 0);
            else if (mark == u's')
                m_model.setMark(row, c, m_model.objectBall());
            m_model.setLetter(row, c, letters.mid(c - 1, 1));
            m_model.setShade(row, c, BoardModel::Shade::Played);
        }
        m_model.setEntryLetter(c, QString());
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
            m_model.setLetter(row, c, word.mid(c - 1, 1));
            m_model.setShade(row, c, BoardModel::Shade::Rejected);
        }
    }
    m_model.setStatus(word + QStringLiteral(" is not a valid word!"));
    play(QStringLiteral("wrongguess"));
}

void LetterBoard::submitted(const QString &args)
{
    FieldReader fields(args);
    m_model.setSubmitted(fields.nextInt(), true);
}

// ---- turns and round ends ----------------------------------------------------------

void LetterBoard::getnextplayer(const QString &args)
{
    FieldReader fields(args);
    m_state.turnSeat = fields.nextInt();
    const int row = fields.nextInt();
    const int seat = m_state.turnSeat;

    m_model.clearEntry();
    m_model.setEntry(BoardModel::Entry::Open);
    for (int s = 1; s <= 5; ++s)
        m_model.setSubmitted(s, false);
    if (validRow(row))
        m_model.setLetter(row, 1, m_state.firstLetter);
    m_model.showTurnMarker(seat);

    if (seat == m_state.ownSeat) {
        m_model.setStatus(QStringLiteral("Your Turn."));
        const int turnSound = m_queries.turnSound ? m_queries.turnSound() : 0;
        play(turnSound == 1 ? QStringLiteral("turnnew") : QStringLiteral("turn"));
        if (m_tail)
            m_tail->rowOpened();
        if (windowActive())
            focusCell(1);
    } else {
        if (validSeat(seat))
            m_model.setStatus(seatName(seat) + QStringLiteral("'s turn."));
        m_model.setEntry(BoardModel::Entry::Locked);
    }
    m_model.setSecondsLeft(TurnSeconds);
}

void LetterBoard::heguessed(const QString &args)
{
    FieldReader fields(args);
    const int seat = fields.nextInt();
    const QString answer = fields.next();
    const int ball = fields.nextInt();
    const int points = fields.nextInt();
    const int typed = lettersOfAGuessInProgress();

    if (points != 1000)
        m_model.setScore(seat, points);
    m_model.setStatus(answer + QStringLiteral(" is the word. ") + seatName(seat) + QStringLiteral(" got it!"));
    if (m_table)
        m_table->updatescores(seat, ball);
    showAnswer(answer);
    m_model.setSecondsLeft(0);
    if (seat == m_state.ownSeat)
        play(QStringLiteral("rightguess"));
    if (windowActive())
        focusChatMidGuess(typed);
    m_model.hideTurnMarker();
    // In a race each table shows only its own player's balls.
    const bool othersRace = scoringOf(gameTypeFromKey(m_state.gameType)) == Scoring::Race && seat != m_state.ownSeat;
    if (m_table && !othersRace)
        m_table->fireShot();
}

void LetterBoard::nooneguessed(const QString &args)
{
    FieldReader fields(args);
    const QString answer = fields.next();
    m_model.setStatus(answer + QStringLiteral(" is the correct answer."));
    showAnswer(answer);
    m_model.setSecondsLeft(0);
    m_model.hideTurnMarker();
}

void LetterBoard::timeup(const QString &args)
{
    FieldReader fields(args);
    const int row = fields.nextInt();
    const int typed = lettersOfAGuessInProgress();
    m_model.setStatus(QStringLiteral("Time is Up!"));
    m_model.setSecondsLeft(0);
    for (int c = 1; c <= 5; ++c) {
        if (validRow(row)) {
            if (row != 1 || c != 1)
                m_model.setLetter(row, c, QStringLiteral("*"));
            m_model.setShade(row, c, BoardModel::Shade::Missed);
        }
        m_model.setEntryLetter(c, QString());
    }
    play(QStringLiteral("wrongguess"));
    m_model.hideTurnMarker();
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
        m_model.setScore(seat, points == 1000 ? BoardModel::NoScore : points);
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

int LetterBoard::secondsLeft() const
{
    return m_model.secondsLeft();
}

void LetterBoard::setSecondsLeft(int seconds)
{
    m_model.setSecondsLeft(seconds);
}

void LetterBoard::Timer2Timer()
{
    // Below zero the clock only repeats "Time: 00"; it stops there rather than count on.
    int seconds = m_model.secondsLeft();
    if (seconds > 0)
        m_model.setSecondsLeft(--seconds);
    m_model.setClock(seconds < 1 ? 0 : seconds);
    if (seconds < 1)
        m_state.turnSeat = 0;
}

} // namespace brelvox
