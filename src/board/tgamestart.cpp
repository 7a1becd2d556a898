// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "board/tgamestart.h"

#include "board/boardpictures.h"
#include "board/picturebox.h"
#include "core/gametype.h"
#include "protocol/catalogue.h"
#include "protocol/message.h"
#include "widgets/accessible.h"
#include "widgets/flatpanel.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <algorithm>

namespace brelvox {

namespace {

constexpr int BoxTop = 40;
constexpr int BoxPitch = 26;
constexpr int BoxLeft = 40;

const char *const OptionTextNames[4] = {"label_gametype", "Label1", "Label4", "Label5"};

int optionCount()
{
    return int(gameTypes().size());
}

} // namespace

Tgamestart::Tgamestart(ClientState &state, QWidget *parent)
    : QDialog(parent, Qt::Tool)
    , m_state(state)
{
    setObjectName(QStringLiteral("Tgamestart"));
    setWindowTitle(QStringLiteral("Brelvox - Game Start"));
    setFixedSize(255, 181);
    accessible::install();

    m_background = new FlatPanel(this);
    m_background->setObjectName(QStringLiteral("background"));
    m_background->setColor(Qt::white);
    m_background->setGeometry(0, 0, 255, 181);

    auto *heading = new QLabel(QStringLiteral("GAME OPTIONS"), this);
    heading->setObjectName(QStringLiteral("Label3"));
    heading->setFont(QFont(QStringLiteral("Arial"), 11, QFont::Bold));
    heading->setAlignment(Qt::AlignCenter);
    heading->setGeometry(0, 10, 255, 22);

    m_boxPictures = BoardPictures::optionBoxes();
    QFont text(QStringLiteral("Arial"), 10, QFont::Bold);
    for (const GameTypeInfo &type : gameTypes()) {
        const int n = type.option;
        const int top = BoxTop + BoxPitch * (n - 1);
        auto *box = new PictureBox(this);
        box->setObjectName(QStringLiteral("image_%1").arg(n));
        box->setTag(n);
        box->setGeometry(BoxLeft, top, 28, 22);
        box->setCursor(Qt::PointingHandCursor);
        box->setFocusPolicy(Qt::StrongFocus);
        box->installEventFilter(this);
        accessible::setRole(box, QAccessible::RadioButton);
        box->setAccessibleName(QString::fromLatin1(type.caption));
        m_boxes.append(box);

        auto *label = new QLabel(QString::fromLatin1(type.caption), this);
        label->setObjectName(n <= 4 ? QString::fromLatin1(OptionTextNames[n - 1]) : QStringLiteral("label_option%1").arg(n));
        label->setFont(text);
        label->setGeometry(BoxLeft + 36, top, 150, 22);
        label->setCursor(Qt::PointingHandCursor);
        label->installEventFilter(this);
        // The box carries the option's name; its text would only say it twice.
        accessible::hideFromTree(label);
        m_optionTexts.append(label);
    }

    m_start = new PictureBox(this);
    m_start->setObjectName(QStringLiteral("Image4"));
    m_start->setGeometry((255 - 146) / 2, 144, 146, 34);
    m_start->setPixmap(BoardPictures::startButton());
    m_start->setCursor(Qt::PointingHandCursor);
    m_start->setFocusPolicy(Qt::StrongFocus);
    m_start->installEventFilter(this);
    accessible::setRole(m_start, QAccessible::PushButton);
    m_start->setAccessibleName(QStringLiteral("Start"));
    setTabOrder(m_boxes.last(), m_start);

    setChosenType(1);
}

QString Tgamestart::keyFor(int option)
{
    const GameTypeInfo *type = gameTypeByOption(option);
    return QString::fromLatin1(type ? type->key : gameTypes().front().key);
}

void Tgamestart::FormCreate(const QPixmap &background)
{
    if (!background.isNull())
        m_background->setTile(background);
}

void Tgamestart::showOver(QWidget *over)
{
    if (over) {
        const QRect frame = over->frameGeometry();
        move(frame.center() - QPoint(width() / 2, height() / 2));
    }
    show();
    raise();
    activateWindow();
    m_boxes[m_chosenType - 1]->setFocus(Qt::ActiveWindowFocusReason);
}

void Tgamestart::setChosenType(int option)
{
    if (!gameTypeByOption(option))
        option = gameTypes().front().option;
    for (int n = 1; n <= optionCount(); ++n)
        changebox(QStringLiteral("image_%1").arg(n), n == option ? 1 : 0);
    m_chosenType = option;
}

int Tgamestart::chosenType() const
{
    return m_chosenType;
}

void Tgamestart::changebox(const QString &widgetName, int picture)
{
    auto *box = findChild<PictureBox *>(widgetName);
    if (!box || picture < 0 || picture >= m_boxPictures.size())
        return;
    box->setPixmap(QPixmap());
    box->setPixmap(m_boxPictures.at(picture));
    accessible::setChecked(box, picture == 1);
}

void Tgamestart::image_1Click(int tag)
{
    if (!gameTypeByOption(tag))
        return;
    for (int n = 1; n <= optionCount(); ++n)
        changebox(QStringLiteral("image_%1").arg(n), 0);
    changebox(QStringLiteral("image_%1").arg(tag), 1);
    m_chosenType = tag;
}

void Tgamestart::button_startClick()
{
    const int option = chosenType();
    if (m_state.loggedIn)
        Q_EMIT sendRequested(Message(cmd::startgame).add(m_state.playerName).add(keyFor(option)));
    Q_EMIT chosen(option);
    hide();
}

void Tgamestart::keyPressEvent(QKeyEvent *event)
{
    // Enter takes the default: start with the chosen type. Escape cancels, as in any dialog.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && event->modifiers() == Qt::NoModifier) {
        button_startClick();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool Tgamestart::optionKey(int option, const QKeyEvent *key)
{
    int to = 0;
    switch (key->key()) {
    case Qt::Key_Space:
        to = option;
        break;
    case Qt::Key_Up:
    case Qt::Key_Left:
        to = option == 1 ? optionCount() : option - 1;
        break;
    case Qt::Key_Down:
    case Qt::Key_Right:
        to = option == optionCount() ? 1 : option + 1;
        break;
    default:
        return false;
    }
    image_1Click(to);
    m_boxes[to - 1]->setFocus(Qt::TabFocusReason);
    return true;
}

bool Tgamestart::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            return QDialog::eventFilter(watched, event);
        if (watched == m_start && key->key() == Qt::Key_Space) {
            button_startClick();
            return true;
        }
        const auto box = std::find(m_boxes.begin(), m_boxes.end(), watched);
        if (box != m_boxes.end())
            return optionKey(int(box - m_boxes.begin()) + 1, key);
        return QDialog::eventFilter(watched, event);
    }
    if (event->type() != QEvent::MouseButtonRelease
        || static_cast<QMouseEvent *>(event)->button() != Qt::LeftButton)
        return QDialog::eventFilter(watched, event);
    if (watched == m_start) {
        button_startClick();
        return true;
    }
    // Each option is its box and its text, in the order 1..4.
    if (const auto box = std::find(m_boxes.begin(), m_boxes.end(), watched); box != m_boxes.end()) {
        image_1Click(int(box - m_boxes.begin()) + 1);
        return true;
    }
    if (const qsizetype text = m_optionTexts.indexOf(watched); text >= 0) {
        image_1Click(int(text) + 1);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace brelvox
