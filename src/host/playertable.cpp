// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "host/playertable.h"

#include <stdexcept>

namespace brelvox {

SeatRecord &PlayerTable::seat(int seat)
{
    if (seat < 1 || seat > kRefusedSeat)
        throw std::out_of_range("seat out of range");
    return m_seats[seat];
}

const SeatRecord &PlayerTable::seat(int seat) const
{
    return const_cast<PlayerTable *>(this)->seat(seat);
}

int PlayerTable::takeSeat(TSock *connection)
{
    int taken = 0;
    int held = 0;
    for (int s = 1; s <= m_seatCount && !taken; ++s) {
        if (m_seats[s].connected)
            continue;
        if (!m_seats[s].held)
            taken = s;
        else if (!held)
            held = s;
    }
    if (!taken) {
        if (m_seatCount < kMaxSeats)
            taken = ++m_seatCount;
        else if (held)
            taken = held;
        else
            return kRefusedSeat;
    }
    m_seats[taken].connected = true;
    m_seats[taken].held = false;
    m_seats[taken].connection = connection;
    return taken;
}

void PlayerTable::leave(int seat)
{
    SeatRecord &record = this->seat(seat);
    record.connected = false;
    record.connection = nullptr;
}

QList<int> PlayerTable::connectedSeats() const
{
    QList<int> seats;
    for (int s = 1; s <= m_seatCount; ++s) {
        if (m_seats[s].connected)
            seats.append(s);
    }
    return seats;
}

int PlayerTable::seatOf(const TSock *connection) const
{
    if (!connection)
        return 0;
    for (int s = 1; s <= m_seatCount; ++s) {
        if (m_seats[s].connected && m_seats[s].connection == connection)
            return s;
    }
    return 0;
}

} // namespace brelvox
