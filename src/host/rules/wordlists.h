// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

namespace brelvox {

// The host's three word lists: answers still to draw, the spelling list that
// decides what counts as a word, and the backup that refills the answers.
class WordLists
{
public:
    // Entries as shipped: lower case, the backup's first entry is never copied.
    WordLists(const QStringList &answers, const QStringList &spelling, const QStringList &backup);

    // The lists embedded in the program (assets/words). Throws std::runtime_error
    // if the resource is missing, which only a broken build can cause.
    static WordLists shipped();

    // Refills from the backup when fewer than 2 answers are left, then removes and
    // returns a random answer in upper case. Empty only if both lists are empty.
    QString drawWord();

    // Case-insensitive whole-entry lookup; hashed, no scan.
    bool isWord(const QString &guess) const;

    // A uniformly chosen spelling entry, upper case; empty for an empty list.
    QString randomCandidate() const;
    // Spelling entries (upper case) beginning with the letter, in list order.
    const QStringList &startingWith(QChar letter) const;

    const QStringList &answers() const { return m_answers; }
    const QStringList &backup() const { return m_backup; }
    int spellingCount() const { return int(m_spelling.size()); }

private:
    QStringList m_answers;
    QStringList m_backup;
    QStringList m_spelling; // upper case, list order
    QSet<QString> m_spellingSet;
    QHash<QChar, QStringList> m_byFirstLetter;
};

} // namespace brelvox
