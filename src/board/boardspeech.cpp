// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "board/boardspeech.h"

#include "board/letterboard.h"
#include "board/picturebox.h"
#include "board/pooltable.h"
#include "boardmodel/boardmodel.h"
#include "widgets/accessible.h"
#include "widgets/announcer.h"
#include "widgets/flatpanel.h"

#include <QLabel>
#include <QLineEdit>

namespace brelvox {

BoardSpeech::BoardSpeech(QWidget *board, LetterBoard *letters, PoolTable *table, const ClientState &state,
                         Announcer *announcer, QObject *parent)
    : QObject(parent)
    , m_board(board)
    , m_letters(letters)
    , m_model(letters->model())
    , m_table(table)
    , m_state(state)
    , m_announcer(announcer)
{
    nameGrid();
    nameSeats();
    connect(&m_model, &BoardModel::statusChanged, this, [this] { announce(m_model.status()); });
    connect(&m_model, &BoardModel::clockChanged, this, &BoardSpeech::clockChanged);
    connect(&m_model, &BoardModel::bannerChanged, this, [this] {
        if (m_model.bannerShown())
            announce(m_model.banner());
    });
}

QString BoardSpeech::cellName(const BoardModel &model, int row, int column)
{
    QString spoken = QStringLiteral("Row %1, letter %2: ").arg(row).arg(column);
    const QString letter = model.letter(row, column);
    if (letter.isEmpty())
        return spoken + QStringLiteral("empty");
    if (model.shade(row, column) == BoardModel::Shade::Missed)
        return spoken + QStringLiteral("no guess");
    spoken += letter;
    if (model.shade(row, column) == BoardModel::Shade::Rejected)
        return spoken + QStringLiteral(", not a word");
    const QString verdict = verdictWords(model.verdict(row, column));
    return verdict.isEmpty() ? spoken : spoken + QStringLiteral(", ") + verdict;
}

QString BoardSpeech::verdictWords(BoardModel::Verdict verdict)
{
    switch (verdict) {
    case BoardModel::Verdict::RightPlace:
        return QStringLiteral("right place");
    case BoardModel::Verdict::Elsewhere:
        return QStringLiteral("elsewhere in the word");
    case BoardModel::Verdict::Absent:
        return QStringLiteral("not in the word");
    case BoardModel::Verdict::None:
        break;
    }
    return QString();
}

void BoardSpeech::nameGrid()
{
    FlatPanel *panel = m_letters->panel();
    panel->setAccessibleName(QStringLiteral("Letter grid"));
    // The grid's backdrop and the balls behind the letters are told with the letters; the
    // object ball is told by its name beside it.
    for (const char *decoration : {"image_grid", "image_theball"})
        if (auto *w = panel->findChild<QWidget *>(QLatin1String(decoration)))
            accessible::hideFromTree(w);
    if (auto *clock = panel->findChild<QLabel *>(QStringLiteral("label_time")))
        accessible::setQuiet(clock, QStringLiteral("Time left in the turn"));
    for (int r = 1; r <= BoardModel::Size; ++r) {
        for (int c = 1; c <= BoardModel::Size; ++c) {
            accessible::hideFromTree(m_letters->slot(r, c));
            accessible::setNameProvider(m_letters->letter(r, c), [this, r, c] { return cellName(m_model, r, c); });
        }
    }
    for (int c = 1; c <= BoardModel::Size; ++c)
        m_letters->cell(c)->setAccessibleName(QStringLiteral("Guess, letter %1").arg(c));
    if (auto *close = m_board->findChild<QWidget *>(QStringLiteral("FlatSpeedButton1")))
        close->setAccessibleName(QStringLiteral("Close the word list"));

    if (m_table) {
        m_table->setAccessibleName(QStringLiteral("Pool table"));
        accessible::setRole(m_table, QAccessible::Graphic);
        // The balls' pictures are the animation's own.
        for (QObject *o : m_table->children())
            if (o->isWidgetType())
                accessible::hideFromTree(static_cast<QWidget *>(o));
    }
}

void BoardSpeech::nameSeats()
{
    for (int seat = 1; seat <= BoardModel::Size; ++seat) {
        const auto name = [this, seat]() -> QString { return m_state.seatName(seat); };
        if (QLabel *score = m_letters->score(seat)) {
            accessible::setNameProvider(score, [this, name, seat]() -> QString {
                const int points = m_model.score(seat);
                return QStringLiteral("Score of ") + name() + QStringLiteral(": ")
                    + (points == BoardModel::NoScore ? QStringLiteral("none") : QString::number(points));
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
            accessible::setNameProvider(rack, [this, name, seat]() -> QString {
                QStringList balls;
                for (int ball : m_model.rack(seat))
                    balls.append(QString::number(ball));
                return QStringLiteral("Balls of ") + name() + QStringLiteral(": ")
                    + (balls.isEmpty() ? QStringLiteral("none") : balls.join(QStringLiteral(", ")));
            });
        }
        if (auto *holder = m_board->findChild<QWidget *>(QStringLiteral("holder%1").arg(seat)))
            accessible::hideFromTree(holder);
    }
    PictureBox *marker = m_letters->turnMarker();
    accessible::setRole(marker, QAccessible::Graphic);
    accessible::setNameProvider(marker, [this]() -> QString {
        return QStringLiteral("Turn of ") + m_state.seatName(m_model.turnMarkerSeat());
    });
}

void BoardSpeech::announce(const QString &text)
{
    if (m_announcer)
        m_announcer->announce(text);
}

void BoardSpeech::clockChanged()
{
    if (m_state.turnSeat == 0 || m_state.turnSeat != m_state.ownSeat)
        return;
    for (int warning : Warnings)
        if (m_model.clock() == warning)
            announce(QStringLiteral("%1 seconds left.").arg(warning));
}

} // namespace brelvox
