// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "host/rules/gameengine.h"

#include "core/randomsource.h"
#include "host/rules/computerplayer.h"
#include "host/rules/judge.h"
#include "host/rules/wordlists.h"
#include "protocol/catalogue.h"
#include "protocol/message.h"

#include <utility>

namespace brelvox {

GameEngine::GameEngine(WordLists &lists, std::function<int()> pauseSeconds)
    : m_lists(lists)
    , m_pauseSeconds(std::move(pauseSeconds))
{
}

GameEvents GameEngine::takeEvents()
{
    return std::exchange(m_events, {});
}

void GameEngine::seatTaken(int seat)
{
    if (SeatState *s = m_state.seatOrNull(seat)) {
        s->connected = true;
        // A newcomer plays until it asks to watch, whatever the seat's last holder did.
        s->watching = false;
        // Its board opens with the next row; the running one is not held up for it.
        s->lateForRow = m_state.running && m_state.wordOpen;
    }
}

void GameEngine::seatNamed(int seat, const QString &name)
{
    if (SeatState *s = m_state.seatOrNull(seat)) {
        s->name = name;
        s->connected = true;
    }
}

GameEvents GameEngine::seatLeft(int seat)
{
    SeatState *s = m_state.seatOrNull(seat);
    if (!s)
        return {};
    s->connected = false;
    s->name.clear();
    if (!takesTurns(m_state.type)) {
        // The row may have been waiting only for the one who left.
        if (m_state.running && m_state.wordOpen && m_state.timerMode == GameState::TimerRow)
            processwords();
        return takeEvents();
    }
    // The hosting copy's own seat leaves only when the game ends with it.
    if (seat == 1 && m_seatOneHosts)
        return {};
    bool anyonePlaying = false;
    for (int p = 1; p <= GameState::kPlayerSeats; ++p)
        anyonePlaying = anyonePlaying || m_state.seats[p].playing();
    if (!anyonePlaying) {
        for (int p = 1; p <= GameState::kPlayerSeats; ++p) {
            if (m_state.seats[p].connected && m_state.seats[p].watching)
                setWatching(p, false);
        }
    }
    // Only an open word can be given up; between words there is no turn to lose.
    if (seat == m_state.currentPlayer && m_state.wordOpen) {
        m_state.row = GameState::kRows;
        processwords();
    }
    return takeEvents();
}

GameEvents GameEngine::justwatch(int seat, const QString &mode)
{
    if (!GameState::isSeat(seat))
        return {};
    if (mode == QLatin1String("2")) {
        SeatState &s = m_state.seats[seat];
        // Back from watching in an open row: like an arrival, it plays from the next row.
        if (s.watching && m_state.running && m_state.wordOpen)
            s.lateForRow = true;
        setWatching(seat, false);
    } else if (mode == QLatin1String("1")) {
        setWatching(seat, true);
        if (takesTurns(m_state.type) && seat == m_state.currentPlayer)
            restartComputerTimer();
        // The shared row may have been waiting only for this seat.
        else if (isSharedRow(m_state.type) && m_state.running && m_state.wordOpen && m_state.timerMode == GameState::TimerRow)
            processwords();
    }
    return takeEvents();
}

void GameEngine::setWatching(int seat, bool watching)
{
    m_state.seats[seat].watching = watching;
    GameEvent e(GameEvent::WatchSwitched, seat);
    e.row = watching ? 1 : 2;
    emitEvent(e);
}

QStringList GameEngine::catchUpMessages(int seat) const
{
    if (!m_state.running || !GameState::isSeat(seat))
        return {};
    QStringList messages;
    messages << Message(cmd::gamestats)
                    .add(gameTypeKey(m_state.type))
                    .add(m_state.row)
                    .add(m_state.ballFor(seat))
                    .add(m_state.firstLetter())
                    .text();
    Message scores(cmd::playerscores);
    for (int p = 1; p <= GameState::kPlayerSeats; ++p)
        scores.add(p).add(m_state.scoreFieldFor(p));
    messages << scores.text();
    if (scoringOf(m_state.type) == Scoring::Race) {
        Message own(cmd::theyown);
        for (int p = 1; p <= GameState::kPlayerSeats; ++p)
            own.add(p).add(m_state.seats[p].score);
        messages << own.text();
    } else {
        Message owners(cmd::ballowners);
        for (int b = 1; b <= GameState::kBalls; ++b)
            owners.add(b).add(m_state.ballOwners[b]);
        messages << owners.text();
    }
    return messages;
}

GameEvents GameEngine::startgame(const QString &starter, const QString &typeKey)
{
    const GameType type = gameTypeFromKey(typeKey);
    if (type == GameType::None)
        return {};
    m_state.running = true;
    m_state.type = type;
    GameEvent started(GameEvent::GameStarted);
    started.text = starter;
    started.text2 = typeKey;
    emitEvent(started);
    int present = 0;
    for (int p = 1; p <= GameState::kPlayerSeats; ++p) {
        SeatState &s = m_state.seats[p];
        s.score = 0;
        s.watching = false;
        s.raceCount = 1;
        present += s.connected ? 1 : 0;
    }
    m_state.ballOwners.fill(0);
    m_state.round = 0;
    m_state.row = 0;
    m_state.nextStart = randomBelow(present + 1);
    startround();
    return takeEvents();
}

void GameEngine::startround()
{
    ++m_state.round;
    newword();
}

void GameEngine::newword()
{
    m_state.wordOpen = true;
    m_state.row = 1;
    m_state.word = m_lists.drawWord();
    for (int p = 1; p <= GameState::kPlayerSeats; ++p) {
        SeatState &s = m_state.seats[p];
        s.submitted = false;
        s.lateForRow = false;
        for (QString &g : s.guesses)
            g.clear();
    }
    GameEvent loaded(GameEvent::BallLoaded);
    loaded.ball = m_state.round;
    loaded.text = m_state.firstLetter();
    for (int seat = 1; seat <= GameState::kMaxSeat; ++seat)
        loaded.ballFor[seat] = m_state.ballFor(seat);
    emitEvent(loaded);
    findplayer();
    startTurnTimer(GameState::TimerRow, GameState::kRowSeconds);
}

void GameEngine::findplayer()
{
    m_state.currentPlayer = m_state.nextStart;
    for (int p = 1; p <= GameState::kPlayerSeats; ++p)
        m_state.seats[p].pattern.clear();
    GameEvent next(GameEvent::NextPlayer);
    next.row = m_state.row;
    if (takesTurns(m_state.type)) {
        int &current = m_state.currentPlayer;
        // Seat 2 always stops the search: the computer takes it when nobody before
        // it qualifies, so the loop ends within five steps.
        do {
            current = current % GameState::kPlayerSeats + 1;
        } while (!m_state.seats[current].playing() && current != GameState::kComputerSeat);
        next.seat = current;
        emitEvent(next);
        if (computerPlays(current))
            restartComputerTimer();
    } else {
        emitEvent(next);
        if (computerPlays(GameState::kComputerSeat))
            restartComputerTimer();
    }
}

void GameEngine::processwords()
{
    const bool shared = isSharedRow(m_state.type);
    if (shared) {
        for (int p = 1; p <= GameState::kPlayerSeats; ++p) {
            if (m_state.seats[p].owesGuess())
                return;
        }
    }
    if (m_state.timerMode == GameState::TimerRow)
        stopTurnTimer();
    ++m_state.row;
    if (m_state.row > GameState::kRows) {
        // Closed, so that nothing is judged during the pause into a sixth row.
        m_state.wordOpen = false;
        GameEvent gaveUp(GameEvent::NoOneGuessed);
        gaveUp.text = m_state.word;
        emitEvent(gaveUp);
        startTurnTimer(GameState::TimerNewWord, pauseLength());
        return;
    }
    for (int p = 1; p <= GameState::kPlayerSeats; ++p) {
        m_state.seats[p].submitted = false;
        m_state.seats[p].lateForRow = false;
    }
    GameEvent next(GameEvent::NextPlayer);
    next.row = m_state.row;
    if (shared) {
        m_state.currentPlayer = m_state.nextStart;
        emitEvent(next);
        if (computerPlays(GameState::kComputerSeat))
            restartComputerTimer();
    } else {
        next.seat = m_state.currentPlayer;
        emitEvent(next);
        if (computerPlays(m_state.currentPlayer))
            restartComputerTimer();
    }
    startTurnTimer(GameState::TimerRow, GameState::kRowSeconds);
}

GameEvents GameEngine::myword(int seat, const QString &guessText)
{
    if (!GameState::isPlayerSeat(seat) || !m_state.running || !m_state.wordOpen)
        return {};
    if (takesTurns(m_state.type) && seat != m_state.currentPlayer)
        return {};
    SeatState &s = m_state.seats[seat];
    const QString guess = guessText.toUpper();
    s.currentGuess = guess;
    s.submitted = true;
    m_state.nextStart = m_state.currentPlayer;
    emitEvent(GameEvent(GameEvent::Submitted, seat));
    if (guess.isEmpty())
        return takeEvents();
    const int row = m_state.row;
    s.guesses[row] = guess.left(5);
    const bool onlookers = takesTurns(m_state.type);
    if (!m_lists.isWord(guess)) {
        GameEvent refused(GameEvent::NotValid, seat);
        refused.text = guess;
        refused.row = row;
        refused.onlookers = onlookers;
        emitEvent(refused);
        processwords();
        return takeEvents();
    }
    s.pattern = judge::feedbackPattern(guess, m_state.word);
    GameEvent letters(GameEvent::Letters, seat);
    letters.row = row;
    letters.text = s.pattern;
    letters.text2 = guess.left(5);
    letters.onlookers = onlookers;
    emitEvent(letters);
    if (guess == m_state.word)
        itsguessed(seat);
    else
        processwords();
    return takeEvents();
}

void GameEngine::itsguessed(int seat)
{
    SeatState &s = m_state.seats[seat];
    m_state.wordOpen = false;
    stopTurnTimer();
    if (takesTurns(m_state.type)) {
        m_state.nextStart = m_state.currentPlayer - 1;
    } else {
        m_state.nextStart = m_state.currentPlayer;
        GameEvent list(GameEvent::WordList, seat);
        for (int r = 1; r <= GameState::kRows; ++r)
            list.guesses << s.guesses[r];
        emitEvent(list);
    }
    m_state.currentPlayer = 0;
    s.score += scoringOf(m_state.type) == Scoring::Points ? m_state.round : 1;
    if (m_state.round >= 1 && m_state.round <= GameState::kBalls)
        m_state.ballOwners[m_state.round] = seat;
    GameEvent found(GameEvent::Guessed, seat);
    found.text = m_state.word;
    found.ball = scoringOf(m_state.type) == Scoring::Race ? s.raceCount : m_state.round;
    found.score = scoringOf(m_state.type) == Scoring::Points ? s.score : GameState::kNoScore;
    emitEvent(found);
    ++s.raceCount;
    if (scoringOf(m_state.type) == Scoring::Race) {
        if (s.raceCount > GameState::kBalls)
            findwinner(seat);
        else
            startTurnTimer(GameState::TimerNextBall, pauseLength());
        return;
    }
    if (m_state.round >= GameState::kBalls) {
        findwinner(seat);
    } else if (checkforcantwin()) {
        findwinner(seat);
        emitEvent(GameEvent(GameEvent::Impossible));
    } else {
        startTurnTimer(GameState::TimerNextBall, pauseLength());
    }
}

bool GameEngine::checkforcantwin() const
{
    judge::SeatScores scores;
    for (int p = 1; p <= GameState::kPlayerSeats; ++p)
        scores[p - 1] = m_state.seats[p].score;
    return judge::checkforcantwin(m_state.type, m_state.round, scores);
}

void GameEngine::findwinner(int seat)
{
    m_state.running = false;
    stopTurnTimer();
    judge::SeatScores scores;
    judge::SeatNames names;
    for (int p = 1; p <= GameState::kPlayerSeats; ++p) {
        scores[p - 1] = m_state.seats[p].score;
        names[p - 1] = m_state.seats[p].displayName();
    }
    const judge::Outcome outcome = judge::findwinner(m_state.type, seat, scores, names);
    if (outcome.isTie()) {
        GameEvent tie(GameEvent::Tie);
        tie.text = outcome.tieText;
        emitEvent(tie);
    } else if (outcome.winner != 0) {
        emitEvent(GameEvent(GameEvent::Winner, outcome.winner));
    }
}

GameEvents GameEngine::turntimerTimer()
{
    if (!m_state.timerOn)
        return {};
    if (--m_state.countdown >= 0)
        return {};
    switch (m_state.timerMode) {
    case GameState::TimerRow: {
        stopTurnTimer();
        GameEvent timeUp(GameEvent::TimeUp);
        timeUp.row = m_state.row;
        for (int seat = 1; seat <= GameState::kMaxSeat; ++seat) {
            if (m_state.seats[seat].connected && !m_state.seats[seat].submitted)
                timeUp.seats << seat;
        }
        emitEvent(timeUp);
        // Seats 6..9 never guess, so their flags stay clear and they hear every time-out.
        for (int p = 1; p <= GameState::kPlayerSeats; ++p)
            m_state.seats[p].submitted = true;
        processwords();
        break;
    }
    case GameState::TimerNextBall:
        startround();
        break;
    case GameState::TimerNewWord:
        newword();
        break;
    default:
        stopTurnTimer();
        break;
    }
    return takeEvents();
}

int GameEngine::computerSeat() const
{
    if (takesTurns(m_state.type) && m_state.currentPlayer != 0)
        return m_state.currentPlayer;
    return GameState::kComputerSeat;
}

GameEvents GameEngine::computertimerTimer()
{
    if (!m_state.running || !m_state.wordOpen)
        return {};
    const int seat = computerSeat();
    SeatState &s = m_state.seats[seat];
    if (s.playing())
        return {};
    if (isSharedRow(m_state.type) && s.submitted)
        return {};
    QStringList earlier;
    for (int r = 1; r < GameState::kRows; ++r) {
        if (!s.guesses[r].isEmpty())
            earlier << s.guesses[r];
    }
    const ComputerGuess pick = ComputerPlayer::computerfindword(m_lists, m_state.word, s.pattern, earlier,
                                                                m_state.countdown);
    s.pattern = pick.pattern;
    if (!pick.found())
        return {};
    return myword(seat, pick.guess);
}

void GameEngine::startTurnTimer(int mode, int countdown)
{
    m_state.timerMode = mode;
    m_state.countdown = countdown;
    m_state.timerOn = true;
    emitEvent(GameEvent(GameEvent::TurnTimerStart));
}

void GameEngine::stopTurnTimer()
{
    if (!m_state.timerOn)
        return;
    m_state.timerOn = false;
    emitEvent(GameEvent(GameEvent::TurnTimerStop));
}

void GameEngine::restartComputerTimer()
{
    emitEvent(GameEvent(GameEvent::ComputerTimerRestart));
}

} // namespace brelvox
