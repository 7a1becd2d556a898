// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "board/gameend.h"

#include "board/boardpictures.h"
#include "board/tallyrecorder.h"
#include "board/tgamestart.h"
#include "boardmodel/boardmodel.h"
#include "protocol/catalogue.h"
#include "protocol/fieldreader.h"
#include "widgets/accessible.h"
#include "widgets/dialogs.h"
#include "widgets/flatbutton.h"
#include "widgets/flatpanel.h"

#include <QLabel>

namespace brelvox {

namespace {

// Over the middle of the table (FlatPanel1 at (252, 4), 473 x 257).
const QRect BannerArea(252 + (473 - 416) / 2, 4 + 60, 416, 41);

} // namespace

GameEnd::GameEnd(QWidget *board, ClientState &state, BoardModel &model, FlatButton *start, Tgamestart *dialog,
                 TallyRecorder *tally, QObject *parent)
    : QObject(parent)
    , m_board(board)
    , m_state(state)
    , m_model(model)
    , m_dialog(dialog)
    , m_tally(tally)
{
    m_banner = new FlatPanel(board);
    m_banner->setObjectName(QStringLiteral("panel_winner"));
    m_banner->setColor(QColor(0x12, 0x3d, 0x1f));
    m_banner->setBorderColor(QColor(0xff, 0xd7, 0x00));
    m_banner->setGeometry(BannerArea);

    QFont font(QStringLiteral("Arial"), 14, QFont::Bold);
    font.setUnderline(true);
    // The black copy lies two pixels down and right under the yellow one.
    m_shadow = new QLabel(m_banner);
    m_shadow->setObjectName(QStringLiteral("label_winner2"));
    m_shadow->setFont(font);
    m_shadow->setAlignment(Qt::AlignCenter);
    m_shadow->setStyleSheet(QStringLiteral("color:#000000;"));
    m_shadow->setGeometry(2, 2, 416, 39);
    // A second copy of the caption's text, for the eye only.
    accessible::hideFromTree(m_shadow);
    m_caption = new QLabel(m_banner);
    m_caption->setObjectName(QStringLiteral("label_winner1"));
    m_caption->setFont(font);
    m_caption->setAlignment(Qt::AlignCenter);
    m_caption->setStyleSheet(QStringLiteral("color:#FFFF00;"));
    m_caption->setGeometry(0, 0, 416, 39);
    drawBanner();
    connect(&m_model, &BoardModel::bannerChanged, this, &GameEnd::drawBanner);

    if (start) {
        const QPixmap face = BoardPictures::startButton();
        start->setText(QString());
        start->setIcon(QIcon(face));
        start->setIconSize(face.deviceIndependentSize().toSize());
        start->setStyleSheet(QStringLiteral("QPushButton{border:none;padding:0;background:transparent;}"
                                            "QPushButton:focus{border:2px solid #FFFF00;}"));
        start->setCursor(Qt::PointingHandCursor);
        // The table is made after the frame's button and would cover it.
        start->raise();
        connect(start, &FlatButton::clicked, this, [this] { dialogs::guarded([this] { button_startClick(); }); });
    }
}

void GameEnd::bindHandlers(CommandTable<> &table)
{
    table.bind(cmd::winner, [this](const QString &a) { winner(a); });
    table.bind(cmd::tiegame, [this](const QString &a) { tiegame(a); });
    table.bind(cmd::impossible, [this](const QString &a) { impossible(a); });
}

QString GameEnd::bannerText() const
{
    return m_model.banner();
}

QString GameEnd::seatName(int seat) const
{
    return m_state.seatName(seat);
}

void GameEnd::addline(const QString &text)
{
    Q_EMIT chatLine(text, kSystemColor);
}

void GameEnd::showBanner(const QString &text)
{
    if (m_state.startsGames())
        m_model.setStartOffered(true);
    m_model.showBanner(text);
    Q_EMIT soundRequested(QStringLiteral("gameover"));
}

void GameEnd::drawBanner()
{
    m_caption->setText(m_model.banner());
    m_shadow->setText(m_model.banner());
    m_banner->setVisible(m_model.bannerShown());
    if (m_model.bannerShown())
        m_banner->raise();
}

void GameEnd::winner(const QString &args)
{
    FieldReader fields(args);
    const int seat = fields.nextInt();
    const bool seated = seat >= 1 && seat <= 5;
    const QString name = seated ? seatName(seat) : QStringLiteral("Seat %1").arg(seat);

    // Only the five player seats keep a tally, and only a seat's winner is counted.
    const bool ownSeated = m_state.ownSeat >= 1 && m_state.ownSeat <= 5;
    if (m_tally && seated && ownSeated)
        m_tally->addgame(seat == m_state.ownSeat ? TallyRecorder::kAddToMine : name);

    const QString text = name + QStringLiteral(" has Won the Game!");
    addline(text);
    showBanner(text);
}

void GameEnd::tiegame(const QString &args)
{
    FieldReader fields(args);
    const QString text = fields.next() + QStringLiteral(" have Won!");
    addline(text);
    showBanner(text);
}

void GameEnd::impossible(const QString &)
{
    addline(QStringLiteral("It is impossible for anyone else to win!"));
}

void GameEnd::button_startClick()
{
    if (!m_state.loggedIn) {
        dialogs::information(QStringLiteral("You are not connected"), m_board->window());
        return;
    }
    if (m_dialog)
        m_dialog->showOver(m_board->window());
}

} // namespace brelvox
