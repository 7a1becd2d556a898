// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "boardmodel/boardmodel.h"

#include <algorithm>

namespace brelvox {

namespace {

// Writes value into field; true when it changed.
template<typename T>
bool assign(T &field, const T &value)
{
    if (field == value)
        return false;
    field = value;
    return true;
}

} // namespace

BoardModel::BoardModel(QObject *parent)
    : QObject(parent)
{
}

QString BoardModel::letter(int row, int column) const
{
    return valid(row) && valid(column) ? m_grid[row - 1][column - 1].letter : QString();
}

BoardModel::Shade BoardModel::shade(int row, int column) const
{
    return valid(row) && valid(column) ? m_grid[row - 1][column - 1].shade : Shade::Played;
}

int BoardModel::mark(int row, int column) const
{
    return valid(row) && valid(column) ? m_grid[row - 1][column - 1].mark : NoMark;
}

void BoardModel::setLetter(int row, int column, const QString &letter)
{
    if (valid(row) && valid(column) && assign(m_grid[row - 1][column - 1].letter, letter))
        Q_EMIT cellChanged(row, column);
}

void BoardModel::setShade(int row, int column, Shade shade)
{
    if (valid(row) && valid(column) && assign(m_grid[row - 1][column - 1].shade, shade))
        Q_EMIT cellChanged(row, column);
}

void BoardModel::setMark(int row, int column, int ball)
{
    if (valid(row) && valid(column) && assign(m_grid[row - 1][column - 1].mark, ball))
        Q_EMIT cellChanged(row, column);
}

BoardModel::Verdict BoardModel::verdict(int row, int column) const
{
    if (!valid(row) || !valid(column))
        return Verdict::None;
    const Cell &cell = m_grid[row - 1][column - 1];
    if (cell.letter.isEmpty() || cell.shade != Shade::Played)
        return Verdict::None;
    if (cell.mark > 0)
        return Verdict::RightPlace;
    if (cell.mark == 0)
        return Verdict::Elsewhere;
    // Only a judged row is full; a lone first letter is not judged yet.
    for (const Cell &other : m_grid[row - 1])
        if (other.letter.isEmpty())
            return Verdict::None;
    return Verdict::Absent;
}

void BoardModel::clearGrid()
{
    for (int r = 1; r <= Size; ++r) {
        for (int c = 1; c <= Size; ++c) {
            Cell &cell = m_grid[r - 1][c - 1];
            if (!cell.letter.isEmpty() || cell.shade != Shade::Played || cell.mark != NoMark) {
                cell = Cell{};
                Q_EMIT cellChanged(r, c);
            }
        }
    }
}

void BoardModel::startWord(int ball, const QString &first)
{
    clearGrid();
    clearEntry();
    setEntry(Entry::Open);
    setAnswerShown(false);
    setLetter(1, 1, first);
    setObjectBall(ball);
    m_wordFirst = first;
}

bool BoardModel::catchUp(int row, int ball, const QString &first)
{
    // Rows after the current one are still empty in this word; only its first letter is
    // known on the first row.
    bool otherWord = ball != m_objectBall || first != m_wordFirst;
    for (int r = std::max(row + 1, 1); r <= Size && !otherWord; ++r) {
        for (int c = 1; c <= Size && !otherWord; ++c)
            otherWord = !letter(r, c).isEmpty();
    }
    if (otherWord)
        startWord(ball, first);
    const int seenRows = std::min(row - 1, Size);
    for (int r = 1; r <= seenRows; ++r) {
        for (int c = 1; c <= Size; ++c) {
            if (letter(r, c).isEmpty()) {
                setLetter(r, c, QStringLiteral("*"));
                setShade(r, c, Shade::Missed);
                setEntryLetter(c, QString());
            }
        }
    }
    setLetter(1, 1, first);
    setObjectBall(ball);
    m_wordFirst = first;
    return otherWord;
}

QString BoardModel::entryLetter(int column) const
{
    return valid(column) ? m_entryLetters[column - 1] : QString();
}

QString BoardModel::entryWord() const
{
    QString word;
    for (const QString &letter : m_entryLetters)
        word += letter;
    return word;
}

int BoardModel::entryCount() const
{
    return int(std::count_if(m_entryLetters.begin(), m_entryLetters.end(), [](const QString &l) { return !l.isEmpty(); }));
}

void BoardModel::setEntryLetter(int column, const QString &letter)
{
    if (valid(column) && assign(m_entryLetters[column - 1], letter))
        Q_EMIT entryChanged();
}

void BoardModel::clearEntry()
{
    bool changed = false;
    for (QString &letter : m_entryLetters)
        changed = assign(letter, QString()) || changed;
    if (changed)
        Q_EMIT entryChanged();
}

void BoardModel::setEntry(Entry entry)
{
    if (assign(m_entry, entry))
        Q_EMIT entryChanged();
}

void BoardModel::setAnswerShown(bool shown)
{
    if (assign(m_answerShown, shown))
        Q_EMIT entryChanged();
}

void BoardModel::setHeader(const QString &header)
{
    if (assign(m_header, header))
        Q_EMIT headerChanged();
}

void BoardModel::setStatus(const QString &status)
{
    if (assign(m_status, status))
        Q_EMIT statusChanged();
}

void BoardModel::setObjectBall(int ball)
{
    if (assign(m_objectBall, ball))
        Q_EMIT objectBallChanged();
}

void BoardModel::setClock(int seconds)
{
    if (assign(m_clock, seconds))
        Q_EMIT clockChanged();
}

int BoardModel::score(int seat) const
{
    return valid(seat) ? m_seats[seat - 1].score : NoScore;
}

void BoardModel::setScore(int seat, int score)
{
    if (valid(seat) && assign(m_seats[seat - 1].score, score))
        Q_EMIT seatChanged(seat);
}

bool BoardModel::submitted(int seat) const
{
    return valid(seat) && m_seats[seat - 1].submitted;
}

void BoardModel::setSubmitted(int seat, bool submitted)
{
    if (valid(seat) && assign(m_seats[seat - 1].submitted, submitted))
        Q_EMIT seatChanged(seat);
}

bool BoardModel::watching(int seat) const
{
    return valid(seat) && m_seats[seat - 1].watching;
}

void BoardModel::setWatching(int seat, bool watching)
{
    if (valid(seat) && assign(m_seats[seat - 1].watching, watching))
        Q_EMIT seatChanged(seat);
}

void BoardModel::showTurnMarker(int seat)
{
    const bool moved = valid(seat) && assign(m_turnMarkerSeat, seat);
    if (assign(m_turnMarkerShown, true) || moved)
        Q_EMIT turnMarkerChanged();
}

void BoardModel::hideTurnMarker()
{
    if (assign(m_turnMarkerShown, false))
        Q_EMIT turnMarkerChanged();
}

void BoardModel::showBanner(const QString &text)
{
    const bool changed = assign(m_banner, text);
    if (assign(m_bannerShown, true) || changed)
        Q_EMIT bannerChanged();
}

void BoardModel::hideBanner()
{
    if (assign(m_bannerShown, false))
        Q_EMIT bannerChanged();
}

void BoardModel::setStartOffered(bool offered)
{
    if (assign(m_startOffered, offered))
        Q_EMIT startOfferedChanged();
}

QList<int> BoardModel::rack(int seat) const
{
    return valid(seat) ? m_seats[seat - 1].rack : QList<int>();
}

void BoardModel::addToRack(int seat, int ball)
{
    if (!valid(seat))
        return;
    m_seats[seat - 1].rack.append(ball);
    Q_EMIT rackChanged(seat);
}

void BoardModel::clearRacks()
{
    for (int seat = 1; seat <= Size; ++seat) {
        if (!m_seats[seat - 1].rack.isEmpty()) {
            m_seats[seat - 1].rack.clear();
            Q_EMIT rackChanged(seat);
        }
    }
}

QStringList BoardModel::script(int tag) const
{
    return tag == 1 || tag == 2 ? m_scripts[tag - 1] : QStringList();
}

void BoardModel::setScript(int tag, const QStringList &lines)
{
    if (tag == 1 || tag == 2)
        m_scripts[tag - 1] = lines;
}

void BoardModel::setScriptTag(int tag)
{
    if (assign(m_scriptTag, tag))
        Q_EMIT scriptChanged();
}

void BoardModel::setScriptStep(int step)
{
    if (assign(m_scriptStep, step))
        Q_EMIT scriptChanged();
}

} // namespace brelvox
