// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <array>
#include <limits>

namespace brelvox {

// Everything the board shows, held apart from the widgets that draw it: the letter grid
// with its marks, the entry row and its lock, the clock, the header, the status line, the
// seat rows (scores, chalk marks, watching marks, turn marker), the winner banner, the
// seat racks and the table's movement scripts. Setters emit only on a change.
//
// Rows, columns and seats count 1..5; a setter ignores anything else.
class BoardModel : public QObject
{
    Q_OBJECT
public:
    static constexpr int Size = 5;
    static constexpr int NoMark = -1;  // a letter with no ball behind it
    static constexpr int NoScore = std::numeric_limits<int>::min(); // a seat row shows no score
    static inline const QString kWelcome = QStringLiteral("Welcome to Brelvox by Ostrel Software!");

    // A grid letter: a judged guess, a word that is not one, or a missed row (time up, or
    // played before this copy came in).
    enum class Shade { Played, Rejected, Missed };
    // The entry row: open while it is this seat's turn, sent once the guess went, locked
    // while someone else guesses or the answer is shown.
    enum class Entry { Open, Sent, Locked };
    // What a grid letter tells about the word, weakest first: nothing (empty, a missed row,
    // a word that is not one, a row not judged yet), not in it, elsewhere, right place.
    enum class Verdict { None, Absent, Elsewhere, RightPlace };

    explicit BoardModel(QObject *parent = nullptr);

    static bool valid(int n) { return n >= 1 && n <= Size; }

    // The grid. A mark is the ball behind a letter: the round's object ball 1..9 (right
    // place), 0 the cue ball (in the word elsewhere), NoMark none.
    QString letter(int row, int column) const;
    Shade shade(int row, int column) const;
    int mark(int row, int column) const;
    void setLetter(int row, int column, const QString &letter);
    void setShade(int row, int column, Shade shade);
    void setMark(int row, int column, int ball);
    Verdict verdict(int row, int column) const;
    void clearGrid();
    // A word's first row: an empty grid but its first letter, an open entry row, no answer.
    void startWord(int ball, const QString &first);
    // Brings a copy that comes in mid-word to the word's row. A grid still showing
    // another word (the copy was away when it ended) starts this one; the rows played
    // without this copy show as missed. True when the grid was started afresh.
    bool catchUp(int row, int ball, const QString &first);

    // The entry row.
    QString entryLetter(int column) const;
    QString entryWord() const; // the letters typed, left to right
    int entryCount() const;    // cells holding a letter
    void setEntryLetter(int column, const QString &letter);
    void clearEntry();
    Entry entry() const { return m_entry; }
    void setEntry(Entry entry);
    // The answer stands in the row: no letter lands there until the next round.
    bool answerShown() const { return m_answerShown; }
    void setAnswerShown(bool shown);

    // Header, status line, object ball and clock.
    QString header() const { return m_header; }
    void setHeader(const QString &header);
    QString status() const { return m_status; }
    void setStatus(const QString &status);
    int objectBall() const { return m_objectBall; }
    void setObjectBall(int ball);
    // The turn's count-down, and the seconds the clock shows (it follows on each tick).
    int secondsLeft() const { return m_secondsLeft; }
    void setSecondsLeft(int seconds) { m_secondsLeft = seconds; }
    int clock() const { return m_clock; }
    void setClock(int seconds);

    // Seat rows.
    int score(int seat) const;
    void setScore(int seat, int score);
    bool submitted(int seat) const; // the chalk mark: the seat sent its guess
    void setSubmitted(int seat, bool submitted);
    bool watching(int seat) const;
    void setWatching(int seat, bool watching);
    // The turn marker over a seat row; it keeps its last seat while hidden.
    int turnMarkerSeat() const { return m_turnMarkerSeat; }
    bool turnMarkerShown() const { return m_turnMarkerShown; }
    // Shows the marker, over seat when seat is 1..5, else where it was.
    void showTurnMarker(int seat);
    void hideTurnMarker();

    // Game end: the winner banner and whether this copy is offered the start button.
    QString banner() const { return m_banner; }
    bool bannerShown() const { return m_bannerShown; }
    void showBanner(const QString &text);
    void hideBanner();
    bool startOffered() const { return m_startOffered; }
    void setStartOffered(bool offered);

    // The balls each seat pocketed, in order.
    QList<int> rack(int seat) const;
    void addToRack(int seat, int ball);
    void clearRacks();

    // The table's two movement scripts, which one plays (1 or 2) and its current line.
    QStringList script(int tag) const;
    void setScript(int tag, const QStringList &lines);
    int scriptTag() const { return m_scriptTag; }
    void setScriptTag(int tag);
    int scriptStep() const { return m_scriptStep; }
    void setScriptStep(int step);

Q_SIGNALS:
    void cellChanged(int row, int column);
    void entryChanged();
    void headerChanged();
    void statusChanged();
    void objectBallChanged();
    void clockChanged();
    void seatChanged(int seat); // score, chalk mark or watching mark
    void turnMarkerChanged();
    void bannerChanged();
    void startOfferedChanged();
    void rackChanged(int seat);
    void scriptChanged(); // tag or step

private:
    struct Cell {
        QString letter;
        Shade shade = Shade::Played;
        int mark = NoMark;
    };
    struct Seat {
        int score = NoScore;
        bool submitted = false;
        bool watching = false;
        QList<int> rack;
    };

    std::array<std::array<Cell, Size>, Size> m_grid{};
    std::array<QString, Size> m_entryLetters{};
    Entry m_entry = Entry::Open;
    bool m_answerShown = false;
    QString m_header;
    QString m_status = kWelcome;
    int m_objectBall = NoMark;
    QString m_wordFirst; // the first letter of the word on the grid
    int m_secondsLeft = 0;
    int m_clock = 0;
    std::array<Seat, Size> m_seats{};
    int m_turnMarkerSeat = 1;
    bool m_turnMarkerShown = false;
    QString m_banner;
    bool m_bannerShown = false;
    bool m_startOffered = false;
    std::array<QStringList, 2> m_scripts{};
    int m_scriptTag = 1;
    int m_scriptStep = -1;
};

} // namespace brelvox
