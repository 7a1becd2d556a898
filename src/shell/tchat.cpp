// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "shell/tchat.h"

#include "board/boardspeech.h"
#include "board/gameend.h"
#include "board/letterboard.h"
#include "board/letterstriedpanel.h"
#include "board/pooltable.h"
#include "board/tgamestart.h"
#include "boardmodel/boardmodel.h"
#include "client/chatview.h"
#include "client/clientsession.h"
#include "client/seatmenu.h"
#include "core/conversion.h"
#include "core/inifile.h"
#include "core/randomsource.h"
#include "core/userfiles.h"
#include "net/hostaddress.h"
#include "protocol/catalogue.h"
#include "protocol/message.h"
#include "protocol/wiretext.h"
#include "shell/lobbylink.h"
#include "sound/soundplayer.h"
#include "widgets/accessible.h"
#include "widgets/announcer.h"
#include "widgets/dialogs.h"
#include "widgets/flatbutton.h"
#include "widgets/flatpanel.h"
#include "windows/brelvoxlogo.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>

#include <algorithm>

namespace brelvox {

namespace {
constexpr int kSeatTops[5] = {330, 372, 411, 452, 490};
// Board areas: the letter board and seat rows on the left, the table on the right with
// the status line and the chat under it.
const QRect kStatusArea(256, 262, 473, 18);
const QRect kChatArea(356, 282, 372, 226);
const QPoint kTablePlace(252, 4);
const QRect kLogoArea(247, 288, 106, 28);
const QRect kStartButton(256 + 163, 3 + 111, 146, 34);

// The window fits in the work area of the screen it is meant for (or the primary one),
// whatever place and size the file claims.
QRect fitToWorkArea(const QRect &b)
{
    QScreen *screen = QGuiApplication::screenAt(QPoint(b.x(), b.y()));
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect work = screen ? screen->availableGeometry() : QRect();
    if (!work.isValid())
        return b;
    const int width = std::min(b.width(), work.width());
    const int height = std::min(b.height(), work.height());
    const int left = std::clamp(b.x(), work.left(), std::max(work.left(), work.right() + 1 - width));
    const int top = std::clamp(b.y(), work.top(), std::max(work.top(), work.bottom() + 1 - height));
    return QRect(left, top, width, height);
}

} // namespace

Tchat::Tchat(QWidget *parent)
    : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Brelvox"));
    setFont(QFont(QStringLiteral("Arial"), 9));
    accessible::install();
    m_prefs = new LivePreferences(this);
    // Made first, so it goes first: the parts' connections to it end with it.
    m_sounds = new SoundPlayer(nullptr, this);
    buildBoard();
    buildMenus();
    showPreferences();
    connect(m_prefs, &LivePreferences::changed, this, &Tchat::showPreferences);
    m_sounds->setSwitches({[this] { return m_prefs->value().playSounds; },
                           [this] { return m_prefs->value().chatterSounds; },
                           [this] { return turnSound(); }});
    connect(m_table, &PoolTable::soundRequested, m_sounds, &SoundPlayer::playsounds);
    buildSession();

    LetterBoard::Queries queries;
    queries.showWordList = [this] { return m_prefs->value().showWordList; };
    queries.turnSound = [this] { return turnSound(); };
    queries.windowActive = [this] { return isActiveWindow(); };
    m_letters = new LetterBoard(m_board, m_chat->mychat(), m_state, *m_model, m_table, std::move(queries), this);
    connect(m_letters, &LetterBoard::seatNamed, m_session, &ClientSession::setSeatName);
    m_announcer = new Announcer(m_board);
    m_speech = new BoardSpeech(m_board, m_letters, m_table, m_state, m_announcer, this);
    connect(m_letters, &LetterBoard::sendRequested, m_session, &ClientSession::send);
    connect(m_letters, &LetterBoard::chatLine, m_chat, &ChatView::addlinetochat);
    connect(m_letters, &LetterBoard::soundRequested, m_sounds, &SoundPlayer::playsounds);
    connect(m_letters, &LetterBoard::gameStarted, action("JustWatch1"), [item = action("JustWatch1")] { item->setChecked(false); });
    connect(m_session, &ClientSession::seatEmptied, m_model, [this](int seat) { m_model->setWatching(seat, false); });
    m_letters->bindHandlers(m_session->dispatchTable());
    wireChat();
    // Each Timer1 tick: the message, the phrase pause (the chat's ticker), then the table.
    m_session->addTicker([this] {
        m_table->moveballs();
        return m_table->isAnimating();
    });
    m_lobby = new LobbyLink(this);
    setMinimumSize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
    setWindowBounds(QRect(3, 3, kClientWidth + kFrameWidth, kClientHeight + kFrameHeight));
    FormCreate();
}

Tchat::~Tchat() = default;

void Tchat::buildBoard()
{
    m_model = new BoardModel(this);
    auto *client = new FlatPanel(this);
    client->setObjectName(QStringLiteral("client"));
    client->setColor(toQColor(0x5887A7));
    setCentralWidget(client);

    m_board = new FlatPanel(client);
    m_board->setObjectName(QStringLiteral("panel_board"));
    m_board->setColor(QColor(0x23, 0x4A, 0x33));
    m_board->setBorderColor(QColor(0x12, 0x26, 0x1A));
    m_board->setGeometry(4, 4, 732, 511);

    QFont bold(QStringLiteral("Arial"), 9, QFont::Bold);
    for (int seat = 1; seat <= 5; ++seat) {
        auto *label = new QLabel(m_state.seatName(seat), m_board);
        label->setObjectName(QStringLiteral("label_playername%1").arg(seat));
        label->setProperty("tag", seat);
        label->setFont(bold);
        label->setStyleSheet(QStringLiteral("color:#FFFF00;"));
        label->setGeometry(245, kSeatTops[seat - 1], 105, 20);
        m_seats[seat - 1] = label;
    }

    m_status = new QLabel(QStringLiteral("Welcome to Brelvox by Ostrel Software!"), m_board);
    m_status->setObjectName(QStringLiteral("label_status"));
    m_status->setAlignment(Qt::AlignCenter);
    m_status->setFont(bold);
    m_status->setStyleSheet(QStringLiteral("color:#FFFF00;"));
    m_status->setGeometry(kStatusArea);

    m_chat = new ChatView(m_board, kChatArea, this);

    auto *logo = new QLabel(m_board);
    logo->setObjectName(QStringLiteral("image_logo"));
    logo->setAccessibleName(QStringLiteral("Brelvox logo"));
    logo->setGeometry(kLogoArea);
    logo->setPixmap(brelvoxLogo(QSize(231, 56).scaled(kLogoArea.size(), Qt::KeepAspectRatio)));
    logo->setCursor(Qt::PointingHandCursor);
    logo->installEventFilter(this);

    m_table = new PoolTable(m_board, m_model);
    m_table->move(kTablePlace);

    m_lettersTried = new LettersTriedPanel(m_board, *m_model);
    connect(m_lettersTried, &LettersTriedPanel::closeRequested, this, [this] {
        editPreferences([](Preferences &p) { p.showLettersTried = false; });
        saveinifile();
    });

    m_start = new FlatButton(QStringLiteral("Start Game"), m_board);
    m_start->setObjectName(QStringLiteral("button_start"));
    m_start->setGeometry(kStartButton);
    m_start->setColors(QColor(0x1E, 0x6B, 0x2E), QColor(0xFF, 0xFF, 0x00));
    m_start->setAccessibleName(QStringLiteral("Start Game"));
    m_start->hide();
    connect(m_model, &BoardModel::startOfferedChanged, m_start, [this] {
        m_start->setVisible(m_model->startOffered());
        if (m_model->startOffered())
            m_start->raise();
    });
}

QAction *Tchat::addItem(QMenu *menu, const char *name, const QString &caption, bool checkable, bool checked, int tag)
{
    QAction *a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    a->setCheckable(checkable);
    a->setChecked(checked);
    a->setData(tag);
    return a;
}

QAction *Tchat::action(const char *objectName) const
{
    return findChild<QAction *>(QString::fromLatin1(objectName));
}

void Tchat::chooseInGroup(QActionGroup *group, QAction *chosen)
{
    for (QAction *a : group->actions())
        a->setChecked(a == chosen);
}

void Tchat::editPreferences(const std::function<void(Preferences &)> &edit)
{
    Preferences p = m_prefs->value();
    edit(p);
    m_prefs->set(p);
}

// The menus show the live preferences; the text size's marks follow the settings file only.
void Tchat::showPreferences()
{
    const Preferences &p = m_prefs->value();
    action("PlaySounds1")->setChecked(p.playSounds);
    action("PlayChatterSounds1")->setChecked(p.chatterSounds);
    action("ShowWordList1")->setChecked(p.showWordList);
    action("LettersTried1")->setChecked(p.showLettersTried);
    if (p.showLettersTried != m_lettersTried->isVisibleTo(m_board)) {
        m_lettersTried->setVisible(p.showLettersTried);
        m_lettersTried->raise();
    }
    action("TimeBetweenRounds1")->setData(p.betweenRounds);
    chooseInGroup(m_roundsGroup, action(p.betweenRounds == 10 ? "Long1" : "Short1"));
    chooseInGroup(m_botGroup, action(p.botSpeed == 2000 ? "Slow1" : p.botSpeed == 500 ? "Fast1" : "Normal1"));
    action("TurnSound1")->setData(p.turnSound);
    chooseInGroup(m_turnGroup, action(p.turnSound == 1 ? "New1" : "Classic1"));
    if (m_gameStart)
        m_gameStart->setChosenType(p.gameType);
}

void Tchat::setChosenGameType(int type)
{
    editPreferences([type](Preferences &p) { p.gameType = type; });
}

void Tchat::buildMenus()
{
    QMenuBar *bar = menuBar();

    QMenu *file = bar->addMenu(QStringLiteral("&File"));
    QAction *start = addItem(file, "StartGame1", QStringLiteral("Start Game"));
    start->setEnabled(false);
    file->addSeparator();
    QAction *exit = addItem(file, "Exit1", QStringLiteral("Exit"));

    QMenu *options = bar->addMenu(QStringLiteral("&Options"));
    QAction *sounds = addItem(options, "PlaySounds1", QStringLiteral("Play Sounds"), true, true);
    QAction *chatter = addItem(options, "PlayChatterSounds1", QStringLiteral("Play Chatter Sounds"), true, false);

    QMenu *turn = options->addMenu(QStringLiteral("Turn Sound"));
    turn->menuAction()->setObjectName(QStringLiteral("TurnSound1"));
    turn->menuAction()->setData(0);
    m_turnGroup = new QActionGroup(this);
    m_turnGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);
    m_turnGroup->addAction(addItem(turn, "Classic1", QStringLiteral("Classic"), true, true, 0));
    m_turnGroup->addAction(addItem(turn, "New1", QStringLiteral("New"), true, false, 1));

    QMenu *bot = options->addMenu(QStringLiteral("Bot Speed"));
    bot->menuAction()->setObjectName(QStringLiteral("BotSpeed1"));
    m_botGroup = new QActionGroup(this);
    m_botGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);
    m_botGroup->addAction(addItem(bot, "Slow1", QStringLiteral("Slow"), true, false, 2000));
    m_botGroup->addAction(addItem(bot, "Normal1", QStringLiteral("Normal"), true, true, 1000));
    m_botGroup->addAction(addItem(bot, "Fast1", QStringLiteral("Fast"), true, false, 500));

    QMenu *rounds = options->addMenu(QStringLiteral("Time Between Rounds"));
    rounds->menuAction()->setObjectName(QStringLiteral("TimeBetweenRounds1"));
    rounds->menuAction()->setData(5);
    m_roundsGroup = new QActionGroup(this);
    m_roundsGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);
    m_roundsGroup->addAction(addItem(rounds, "Short1", QStringLiteral("Short"), true, true, 5));
    m_roundsGroup->addAction(addItem(rounds, "Long1", QStringLiteral("Long"), true, false, 10));

    QAction *wordList = addItem(options, "ShowWordList1", QStringLiteral("Show Word List"), true, true);
    options->addSeparator();
    addItem(options, "TextColor1", QStringLiteral("Text Color"));
    addItem(options, "ActionColor1", QStringLiteral("Action Color"));
    QMenu *size = options->addMenu(QStringLiteral("Text Size"));
    size->menuAction()->setObjectName(QStringLiteral("TextSize1"));
    m_sizeGroup = new QActionGroup(this);
    m_sizeGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);
    for (int points : {8, 10, 12, 14})
        m_sizeGroup->addAction(addItem(size, QStringLiteral("N%1").arg(points).toLatin1().constData(),
                                       QString::number(points), true, false, points));
    QAction *scroll = addItem(options, "ScrollChatOff1", QStringLiteral("Scroll Chat Off"), true, false);
    scroll->setShortcut(QKeySequence(QStringLiteral("Ctrl+S")));
    addItem(options, "ClearMainChat1", QStringLiteral("Clear Main Chat"));
    QAction *reset = addItem(options, "ResetScreenLocation1", QStringLiteral("Reset Screen Location"));
    options->addSeparator();
    addItem(options, "JustWatch1", QStringLiteral("Just Watch"), true, false);

    QMenu *view = bar->addMenu(QStringLiteral("&View"));
    addItem(view, "ViewTally1", QStringLiteral("View Tally"));
    addItem(view, "SpyList1", QStringLiteral("Spy List"));
    addItem(view, "PrhaseList1", QStringLiteral("Phrase List"));
    view->addSeparator();
    QAction *lettersTried = addItem(view, "LettersTried1", QStringLiteral("Letters Tried"), true, false);

    QMenu *help = bar->addMenu(QStringLiteral("&Help"));
    QAction *content = addItem(help, "Help2", QStringLiteral("Content"));
    content->setShortcut(QKeySequence(Qt::Key_F1));
    help->addSeparator();
    addItem(help, "About1", QStringLiteral("About"));

    auto guard = [](auto f) { return [f] { dialogs::guarded(f); }; };
    connect(exit, &QAction::triggered, this, guard([this] { Exit1Click(); }));
    connect(reset, &QAction::triggered, this, guard([this] { ResetScreenLocation1Click(); }));
    connect(sounds, &QAction::triggered, this, guard([this, sounds] {
                editPreferences([sounds](Preferences &p) { p.playSounds = sounds->isChecked(); });
                saveinifile();
            }));
    connect(chatter, &QAction::triggered, this, guard([this, chatter] {
                editPreferences([chatter](Preferences &p) { p.chatterSounds = chatter->isChecked(); });
                saveinifile();
            }));
    connect(lettersTried, &QAction::triggered, this, guard([this, lettersTried] {
                editPreferences([lettersTried](Preferences &p) { p.showLettersTried = lettersTried->isChecked(); });
                saveinifile();
            }));
    connect(wordList, &QAction::triggered, this, guard([this, wordList] {
                editPreferences([wordList](Preferences &p) { p.showWordList = wordList->isChecked(); });
                saveinifile();
            }));
    for (QAction *a : m_botGroup->actions())
        connect(a, &QAction::triggered, this, guard([this, a] {
                    editPreferences([a](Preferences &p) { p.botSpeed = a->data().toInt(); });
                    showPreferences(); // the mark comes back when the choice was already made
                    saveinifile();
                }));
    for (QAction *a : m_turnGroup->actions())
        connect(a, &QAction::triggered, this, guard([this, a] {
                    editPreferences([a](Preferences &p) { p.turnSound = a->data().toInt(); });
                    showPreferences();
                    saveinifile();
                }));
    for (QAction *a : m_sizeGroup->actions())
        connect(a, &QAction::triggered, this, guard([this, a] {
                    a->setChecked(!a->isChecked()); // the marks follow the settings file only
                    m_chat->N14Click(a->data().toInt());
                }));
    // The host reads the pause from the preferences; a choice is kept for the next start as well.
    for (QAction *a : m_roundsGroup->actions())
        connect(a, &QAction::triggered, this, guard([this, a] {
                    editPreferences([a](Preferences &p) { p.betweenRounds = a->data().toInt(); });
                    showPreferences();
                    IniFile ini(settingsPath());
                    if (!ini.writeString(settingsfile::kSection, QStringLiteral("Betweenrounds"), a->data().toString()))
                        dialogs::error(QStringLiteral("Unable to write to %1").arg(ini.path()), this);
                }));
}

void Tchat::buildSession()
{
    m_session = new ClientSession(m_state, this);
    connect(m_session, &ClientSession::chatLine, m_chat, &ChatView::addlinetochat);
    // A bad value is shown; the arrival itself still goes on.
    connect(m_session, &ClientSession::ownArrival, this, [this] { dialogs::guarded([this] { loadinifile(); }); });
    connect(m_session, &ClientSession::soundRequested, m_sounds, &SoundPlayer::playsounds);
    connect(m_session, &ClientSession::closeRequested, this, &QWidget::close);
    connect(m_session, &ClientSession::notice, this, [this](const QString &text) { dialogs::information(text, this); });
    // The box returns at once: the messages behind the failed one are still handled.
    connect(m_session, &ClientSession::dispatchFailed, this, [](const QString &text) { dialogs::error(text); });
    connect(m_session, &ClientSession::seatNameChanged, this, &Tchat::setSeatName);
    // On a headless host the lowest seated player starts the games and removes players.
    connect(m_session, &ClientSession::leadChanged, this, [this](bool leads) {
        m_model->setStartOffered(leads);
        action("StartGame1")->setEnabled(leads);
        if (leads)
            Q_EMIT hostingStarted(); // that host takes removals from this seat too
    });
    connect(m_session, &ClientSession::status, m_model, &BoardModel::setStatus);
}

void Tchat::attachGameOptions(Tgamestart *dialog, TallyRecorder *tally)
{
    m_gameStart = dialog;
    m_gameStart->setChosenType(chosenGameType());
    m_gameEnd = new GameEnd(m_board, m_state, *m_model, m_start, dialog, tally, this);
    connect(m_gameEnd, &GameEnd::chatLine, m_chat, &ChatView::addlinetochat);
    connect(m_gameEnd, &GameEnd::soundRequested, m_sounds, &SoundPlayer::playsounds);
    m_gameEnd->bindHandlers(m_session->dispatchTable());
    connect(action("StartGame1"), &QAction::triggered, this, [this] { dialogs::guarded([this] { m_gameEnd->button_startClick(); }); });
}

void Tchat::image_logoClick()
{
    if (m_logoClick)
        m_logoClick();
}

bool Tchat::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease && watched->objectName() == QLatin1String("image_logo"))
        dialogs::guarded([this] { image_logoClick(); });
    return QMainWindow::eventFilter(watched, event);
}

// The chat, chatter sounds and the seat menu: their menu items, sends and received lines.
void Tchat::wireChat()
{
    m_chat->attach(m_state, m_session, m_sounds);
    m_chat->setSaveSettings([this] { saveinifile(); });
    m_chat->setOptionsScrollItem(action("ScrollChatOff1"));
    m_seatMenu = new SeatMenu(m_seats, m_state, m_model, m_session, action("JustWatch1"), [this](int seat) { kicking(seat); }, this);
    connect(m_seatMenu, &SeatMenu::chatLine, m_chat, &ChatView::addlinetochat);

    auto guard = [](auto f) { return [f] { dialogs::guarded(f); }; };
    connect(action("ScrollChatOff1"), &QAction::triggered, this, guard([this] { m_chat->ScrollChatOff1Click(); }));
    connect(action("ClearMainChat1"), &QAction::triggered, this, guard([this] { m_chat->ClearMainChat1Click(); }));
    connect(action("TextColor1"), &QAction::triggered, this, guard([this] { m_chat->TextColor1Click(); }));
    connect(action("ActionColor1"), &QAction::triggered, this, guard([this] { m_chat->ActionColor1Click(); }));
}

void Tchat::kicking(int seat)
{
    if (m_state.startsGames() && m_state.loggedIn)
        m_session->send(Message(cmd::kickhim).add(m_state.ownSeat).add(seat));
}

QLabel *Tchat::seatLabel(int seat) const
{
    return seat >= 1 && seat <= 5 ? m_seats[seat - 1] : nullptr;
}

void Tchat::setSeatName(int seat, const QString &name)
{
    if (QLabel *label = seatLabel(seat)) {
        m_state.seatNames[seat - 1] = name;
        label->setText(name);
    }
}

void Tchat::FormCreate()
{
    m_state.phraseReady = true;
    RandomSource::instance().seedFromClock();
    m_state.host = false;
    m_state.turnSeat = 0;
}

void Tchat::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    QStringList params = m_commandLine.value_or(QCoreApplication::arguments().mid(1));
    dialogs::guarded([this, params] { processparams(params); });
}

void Tchat::processparams(const QStringList &params)
{
    m_model->setStartOffered(false);
    action("StartGame1")->setEnabled(false);
    m_state.loginName.clear();

    if (params.isEmpty()) {
        m_chat->addlinetochat(QStringLiteral("Loading Solo Game..Please wait."), kSystemColor);
        Q_EMIT downloadRequested();
        m_state.hostAddress = QStringLiteral("127.0.0.1");
        m_state.playerName = QStringLiteral("You");
        hostpress();
        return;
    }

    m_chat->addlinetochat(QStringLiteral("Loading Multi-player Game.. Please Wait."), kSystemColor);
    m_state.playerName = params.value(0).left(wire::kMaxNameLength);
    if (params.size() >= 2)
        m_state.hostAddress = params.value(1);
    if (params.size() >= 3) {
        if (params.value(2) == QLatin1String("true"))
            hostpress();
        else
            joinpress();
        m_lobby->open();
    }
}

void Tchat::hostpress()
{
    Q_EMIT hostingRequested();
    m_state.loginName = m_state.playerName;
    m_state.host = true;
    Q_EMIT connectRequested(QStringLiteral("127.0.0.1"), 0);
    m_model->setStartOffered(true);
    action("StartGame1")->setEnabled(true);
    Q_EMIT hostingStarted();
}

void Tchat::joinpress()
{
    m_state.loginName = m_state.playerName;
    const std::optional<HostAddress> address = parseHostAddress(m_state.hostAddress);
    if (!address) {
        // The chat bolds up to the first colon: keep the address after it.
        m_chat->addlinetochat(QStringLiteral("Not a host address: %1. Give HOST, HOST:PORT or [IPv6]:PORT.")
                                  .arg(m_state.hostAddress),
                              kSystemColor);
    } else {
        Q_EMIT connectRequested(address->host, address->portGiven ? address->port : 0);
    }
    m_model->setStartOffered(false);
    action("StartGame1")->setEnabled(false);
}

QString Tchat::settingsPath() const
{
    return userFilePath(settingsfile::kFileName);
}

Preferences Tchat::currentPreferences() const
{
    Preferences p = m_prefs->value();
    p.textSize = m_chat->textSize();
    p.bounds = windowBounds();
    p.textColor = m_chat->ownColor();
    p.actionColor = m_chat->actionColor();
    for (int n = 1; n <= 9; ++n)
        p.phrases[n - 1] = m_chat->phrase(n);
    return p;
}

void Tchat::applyPreferences(const Preferences &p)
{
    const QRect bounds = fitToWorkArea(p.bounds);
    setWindowBounds(bounds);
    m_storedBounds = bounds;
    m_chat->setTextSize(p.textSize);
    QAction *size = action(QStringLiteral("N%1").arg(p.textSize).toLatin1().constData());
    chooseInGroup(m_sizeGroup, size && m_sizeGroup->actions().contains(size) ? size : nullptr);
    m_chat->setOwnColor(p.textColor);
    m_chat->setActionColor(p.actionColor);
    for (int n = 1; n <= 9; ++n)
        if (!p.phrases[n - 1].isEmpty())
            m_chat->setPhrase(n, p.phrases[n - 1]);
    m_prefs->set(p);
    // What the chat and the window kept of p (a phrase left empty keeps the button's text).
    m_prefs->set(currentPreferences());
    showPreferences();
}

void Tchat::loadinifile()
{
    const IniFile ini(settingsPath());
    Preferences p = currentPreferences();
    m_settingsLoaded = true;
    try {
        settingsfile::load(ini, p);
    } catch (const ConversionError &) {
        applyPreferences(p); // every other key was read and stands
        throw;
    }
    applyPreferences(p);
    // A pause out of range was taken as the nearest one allowed; the file says so too.
    bool isNumber = false;
    const int stored = toInt(ini.readString(settingsfile::kSection, QStringLiteral("Betweenrounds"), QString()), &isNumber);
    if (isNumber && stored != p.betweenRounds) {
        IniFile out(settingsPath());
        out.writeString(settingsfile::kSection, QStringLiteral("Betweenrounds"), QString::number(p.betweenRounds));
    }
}

void Tchat::saveinifile()
{
    IniFile ini(settingsPath());
    m_prefs->set(currentPreferences());
    const QString failure = settingsfile::save(ini, m_prefs->value());
    if (!failure.isEmpty())
        dialogs::error(failure, this);
}

QRect Tchat::windowBounds() const
{
    const int bar = menuBar()->sizeHint().height();
    return QRect(pos().x(), pos().y(), width() + kFrameWidth, height() - bar + kFrameHeight);
}

void Tchat::setWindowBounds(const QRect &b)
{
    const int bar = menuBar()->sizeHint().height();
    move(b.x(), b.y());
    resize(b.width() - kFrameWidth, b.height() - kFrameHeight + bar);
}

void Tchat::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    FormResize();
}

void Tchat::FormResize()
{
    const int bar = menuBar()->sizeHint().height();
    const int clientHeight = height() - bar;
    if (clientHeight < m_board->height() + 6 || width() < m_board->width() + 8)
        resize(std::max(width(), m_board->width() + 8), std::max(clientHeight, m_board->height() + 6) + bar);
}

void Tchat::ResetScreenLocation1Click()
{
    setWindowBounds(QRect(3, 3, 748, 563));
}

void Tchat::Exit1Click()
{
    close();
}

void Tchat::FormClose()
{
    QRect b = windowBounds();
    // A copy that never had the player's settings would write its initial ones over them.
    if (!m_settingsLoaded || b == m_storedBounds)
        return;
    const QRect work = screen() ? screen()->availableGeometry() : QRect();
    if (work.isValid()) {
        if (b.width() > work.width())
            b.setWidth(b.width() - 15);
        if (b.height() > work.height())
            b.setHeight(b.height() - 15);
    }
    m_storedBounds = b;
    setWindowBounds(b);
    IniFile ini(settingsPath());
    Preferences p = currentPreferences();
    p.bounds = b;
    const QString failure = settingsfile::save(ini, p);
    if (!failure.isEmpty())
        dialogs::errorAtEnd(failure, this); // the program ends right after
}

void Tchat::closing()
{
    if (m_closing)
        return;
    m_closing = true;
    dialogs::guarded([this] { FormClose(); });
}

void Tchat::closeEvent(QCloseEvent *event)
{
    closing();
    event->accept();
    QCoreApplication::quit();
}

} // namespace brelvox
