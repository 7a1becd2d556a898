// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "host/rules/wordlists.h"

#include "core/randomsource.h"

#include <QFile>

#include <stdexcept>

// Q_INIT_RESOURCE must run outside any namespace; the static library would
// otherwise drop the embedded lists at link time.
static void initWordResources()
{
    Q_INIT_RESOURCE(words);
}

namespace brelvox {

namespace {

QStringList readList(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("word list " + path.toStdString() + " is missing");
    QStringList lines = QString::fromLatin1(file.readAll()).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace

WordLists::WordLists(const QStringList &answers, const QStringList &spelling, const QStringList &backup)
    : m_answers(answers)
    , m_backup(backup)
{
    m_spelling.reserve(spelling.size());
    m_spellingSet.reserve(spelling.size());
    for (const QString &entry : spelling) {
        const QString upper = entry.toUpper();
        m_spelling.append(upper);
        m_spellingSet.insert(upper);
        if (!upper.isEmpty())
            m_byFirstLetter[upper.at(0)].append(upper);
    }
}

WordLists WordLists::shipped()
{
    static const bool registered = (initWordResources(), true);
    Q_UNUSED(registered);
    return WordLists(readList(QStringLiteral(":/words/answers.txt")),
                     readList(QStringLiteral(":/words/spelling.txt")),
                     readList(QStringLiteral(":/words/backup.txt")));
}

QString WordLists::drawWord()
{
    if (m_answers.size() < 2)
        m_answers.append(m_backup.mid(1));
    if (m_answers.isEmpty())
        return QString();
    return m_answers.takeAt(randomBelow(int(m_answers.size()))).toUpper();
}

bool WordLists::isWord(const QString &guess) const
{
    return m_spellingSet.contains(guess.toUpper());
}

QString WordLists::randomCandidate() const
{
    if (m_spelling.isEmpty())
        return QString();
    return m_spelling.at(randomBelow(int(m_spelling.size())));
}

const QStringList &WordLists::startingWith(QChar letter) const
{
    static const QStringList none;
    const auto it = m_byFirstLetter.constFind(letter.toUpper());
    return it == m_byFirstLetter.cend() ? none : *it;
}

} // namespace brelvox
