// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QList>
#include <QObject>
#include <QString>

namespace brelvox {

// Who is spying: one entry per spectator seat, in order of arrival. The spy list window
// draws from it.
class SpyList : public QObject
{
    Q_OBJECT
public:
    struct Entry {
        int seat = 0;
        QString name;
    };

    explicit SpyList(QObject *parent = nullptr);

    const QList<Entry> &entries() const { return m_entries; }
    int count() const { return int(m_entries.size()); }
    // "seat: name", as the list shows it.
    static QString text(const Entry &entry);
    // The seat of the entry at row, or -1 when there is none.
    int seatAt(int row) const;

    void add(int seat, const QString &name);
    // Takes out the entry seat with this name (any case); false when there is none.
    bool remove(int seat, const QString &name);
    bool contains(int seat, const QString &name) const;
    void clear();

Q_SIGNALS:
    void added(int row);
    void removed(int row);

private:
    int indexOf(int seat, const QString &name) const;

    QList<Entry> m_entries;
};

} // namespace brelvox
