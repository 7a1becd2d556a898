// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "board/boardspeech.h"

#include "board/gridletter.h"
#include "board/letterboard.h"
#include "board/picturebox.h"
#include "board/pooltable.h"
#include "widgets/accessible.h"
#include "widgets/announcer.h"
#include "widgets/flatpanel.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

namespace brelvox {

BoardSpeech::BoardSpeech(QWidget *board, LetterBoard *letters, PoolTable *table, const ClientState &state,
                         Announcer *announcer, QObject *parent)
    : QObject(parent)
    , m_board(board)
    , m_letters(letters)
    , m_table(table)
    , m_state(state)
    , m_announcer(announcer)
{
    nameBoard();
    nameSeats();
    connect(m_letters, &LetterBoard::statusChanged, this, [this](const QString &text) {
        if (m_announcer)
            m_announcer->announce(text);
    });
    // After the board's own tick, which counts the second down.
    connect(m_letters->timer2(), &QTimer::timeout, this, &BoardSpeech::clockTicked);
}

void BoardSpeech::watchBanner(QWidget *banner)
{
    m_banner = banner;
    m_banner->installEventFilter(this);
    // The caption's shadow is a second copy of its text.
    if (auto *shadow = m_banner->findChild<QWidget *>(QStringLiteral("label_winner2")))
        accessible::hideFromTree(shadow);
}

void BoardSpeech::nameBoard()
{
    FlatPanel *panel = m_letters->panel();
    panel->setAccessibleName(QStringLiteral("Letter grid"));
    for (const char *decoration : {"image_grid", "image_theball"})
        if (auto *w = panel->findChild<QWidget *>(QLatin1String(decoration)))
            accessible::hideFromTree(w);
    if (auto *clock = panel->findChild<QLabel *>(QStringLiteral("label_time")))
        accessible::setQuiet(clock, QStringLiteral("Time left in the turn"));
    for (int r = 1; r <= 5; ++r) {
        for (int c = 1; c <= 5; ++c) {
            // The ball behind a letter is told with the letter.
            accessible::hideFromTree(m_letters->slot(r, c));
            auto *letter = static_cast<GridLetter *>(m_letters->letter(r, c));
            accessible::setNameProvider(letter, [letter] { return letter->spokenName(); });
        }
    }
    for (int c = 1; c <= 5; ++c)
        m_letters->cell(c)->setAccessibleName(QStringLiteral("Guess, letter %1").arg(c));
    if (auto *close = m_board->findChild<QWidget *>(QStringLiteral("FlatSpeedButton1")))
        close->setAccessibleName(QStringLiteral("Close the word list"));

    if (m_table) {
        m_table->setAccessibleName(QStringLiteral("Pool table"));
        accessible::setRole(m_table, QAccessible::Graphic);
        // The balls' pictures and the hidden movement scripts are the animation's own.
        for (QObject *o : m_table->children())
            if (o->isWidgetType())
                accessible::hideFromTree(static_cast<QWidget *>(o));
    }
}

void BoardSpeech::nameSeats()
{
    for (int seat = 1; seat <= 5; ++seat) {
        const auto name = [this, seat]() -> QString { return m_state.seatName(seat); };
        if (QLabel *score = m_letters->score(seat)) {
            accessible::setNameProvider(score, [name, score]() -> QString {
                const QString points = score->text().isEmpty() ? QStringLiteral("none") : score->text();
                return QStringLiteral("Score of ") + name() + QStringLiteral(": ") + points;
            });
        }
        if (PictureBox *chalk = m_letters->chalk(seat)) {
            accessible::setRole(chalk, QAccessible::Graphic);
            accessible::setNameProvider(chalk, [name]() -> QString { return name() + QStringLiteral(" has guessed"); });
        }
        if (PictureBox *eyes = m_letters->eyes(seat)) {
            accessible::setRole(eyes, QAccessible::Graphic);
            accessible::setNameProvider(eyes, [name]() -> QString { return name() + QStringLiteral(" is just watching"); });
        }
        if (PictureBox *rack = m_table ? m_table->rack(seat) : nullptr) {
            accessible::setRole(rack, QAccessible::Graphic);
            accessible::setNameProvider(rack, [name, rack]() -> QString {
                const QString balls = rack->hint().isEmpty() ? QStringLiteral("none")
                                                             : rack->hint().split(u'+').join(QStringLiteral(", "));
                return QStringLiteral("Balls of ") + name() + QStringLiteral(": ") + balls;
            });
        }
        if (auto *holder = m_board->findChild<QWidget *>(QStringLiteral("holder%1").arg(seat)))
            accessible::hideFromTree(holder);
    }
    PictureBox *marker = m_letters->turnMarker();
    accessible::setRole(marker, QAccessible::Graphic);
    accessible::setNameProvider(marker, [this]() -> QString {
        const int seat = turnMarkerSeat();
        return seat ? QStringLiteral("Turn of ") + m_state.seatName(seat) : QStringLiteral("Turn marker");
    });
}

int BoardSpeech::turnMarkerSeat() const
{
    const PictureBox *marker = m_letters->turnMarker();
    for (int seat = 1; seat <= 5; ++seat) {
        const PictureBox *chalk = m_letters->chalk(seat);
        if (chalk && chalk->x() == marker->x() && chalk->y() - 12 == marker->y())
            return seat;
    }
    return 0;
}

void BoardSpeech::clockTicked()
{
    if (!m_announcer || m_state.turnSeat == 0 || m_state.turnSeat != m_state.ownSeat)
        return;
    const int left = m_letters->secondsLeft();
    for (int warning : Warnings)
        if (left == warning)
            m_announcer->announce(QStringLiteral("%1 seconds left.").arg(left));
}

bool BoardSpeech::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_banner && event->type() == QEvent::Show && m_announcer) {
        if (auto *caption = m_banner->findChild<QLabel *>(QStringLiteral("label_winner1")))
            m_announcer->announce(caption->text());
    }
    return QObject::eventFilter(watched, event);
}

} // namespace brelvox
