// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "client/spylist.h"

namespace brelvox {

SpyList::SpyList(QObject *parent)
    : QObject(parent)
{
}

QString SpyList::text(const Entry &entry)
{
    return QString::number(entry.seat) + QStringLiteral(": ") + entry.name;
}

int SpyList::seatAt(int row) const
{
    return row >= 0 && row < count() ? m_entries.at(row).seat : -1;
}

int SpyList::indexOf(int seat, const QString &name) const
{
    for (int row = 0; row < count(); ++row) {
        const Entry &e = m_entries.at(row);
        if (e.seat == seat && e.name.compare(name, Qt::CaseInsensitive) == 0)
            return row;
    }
    return -1;
}

void SpyList::add(int seat, const QString &name)
{
    m_entries.append({seat, name});
    Q_EMIT added(count() - 1);
}

bool SpyList::remove(int seat, const QString &name)
{
    const int row = indexOf(seat, name);
    if (row < 0)
        return false;
    m_entries.removeAt(row);
    Q_EMIT removed(row);
    return true;
}

bool SpyList::contains(int seat, const QString &name) const
{
    return indexOf(seat, name) >= 0;
}

void SpyList::clear()
{
    while (!m_entries.isEmpty()) {
        m_entries.removeLast();
        Q_EMIT removed(count());
    }
}

} // namespace brelvox
