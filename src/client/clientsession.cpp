// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "client/clientsession.h"

#include "client/tspylist.h"
#include "core/version.h"
#include "net/hostaddress.h"
#include "net/socketerrortext.h"
#include "net/tsock.h"
#include "protocol/catalogue.h"
#include "protocol/fieldreader.h"
#include "protocol/message.h"
#include "widgets/dialogs.h"

#include <QElapsedTimer>

#include <algorithm>

namespace brelvox {

namespace {
const QString kHostEnded = QStringLiteral("The host has ended the game (or the connection to it was lost).");
} // namespace

ClientSession::ClientSession(ClientState &state, QObject *parent)
    : QObject(parent)
    , m_state(state)
    , m_table(cmd::clientCommands())
{
    m_sock = new TSock(this);
    m_sock->setObjectName(QStringLiteral("sock"));
    m_sock->setOnRead([this](TSock *, int) { sockRead(); });
    m_sock->setOnInfo([this](TSock *, int code, const QString &text) { sockInfo(code, text); });

    m_timer1 = new QTimer(this);
    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setInterval(kTickMs);
    m_timer1->setTimerType(Qt::PreciseTimer);
    connect(m_timer1, &QTimer::timeout, this, &ClientSession::Timer1Timer);

    m_retry = new QTimer(this);
    m_retry->setObjectName(QStringLiteral("retrytimer"));
    m_retry->setSingleShot(true);
    m_retry->setInterval(kRetryMs);
    connect(m_retry, &QTimer::timeout, this, [this] {
        if (!m_everConnected)
            m_sock->open();
    });

    m_table.bind(cmd::sendlogininfo, [this](const QString &a) { sendloginfo(a); });
    m_table.bind(cmd::newplayerinfo, [this](const QString &a) { newplayerinfo(a); });
    m_table.bind(cmd::existingplayers, [this](const QString &a) { newplayerinfo(a); });
    m_table.bind(cmd::playerdisconnected, [this](const QString &a) { playerdisconnected(a); });
    m_table.bind(cmd::havewrongversion, [this](const QString &a) {
        addline(FieldReader(a).next() + QStringLiteral(" has a different version of the game then you."));
    });
    m_table.bind(cmd::wrongversion, [this](const QString &) {
        addline(QStringLiteral("You have a differnt version of the game then the host."));
    });
    m_table.bind(cmd::full, [this](const QString &) { endSession(QStringLiteral("Game is full")); });
}

ClientSession::~ClientSession()
{
    // Going away with the window is not the connection closing under us.
    m_sock->setOnInfo({});
    m_sock->setOnRead({});
}

void ClientSession::setSpyList(Tspylist *spyList)
{
    m_spyList = spyList;
}

void ClientSession::open(const QString &host)
{
    m_host = host;
    m_sock->setHostName(host);
    m_sock->setPortName(QString::number(m_port));
    m_sock->open();
}

bool ClientSession::send(const Message &message)
{
    if (!m_state.loggedIn || !m_sock->isConnected())
        return false;
    m_sock->sendText(message.wire());
    return true;
}

void ClientSession::addTicker(std::function<bool()> ticker)
{
    m_tickers.append(std::move(ticker));
}

void ClientSession::wake()
{
    if (!m_timer1->isActive())
        m_timer1->start();
}

void ClientSession::sockRead()
{
    const QStringList messages = m_splitter.feed(m_sock->receiveText());
    for (const QString &m : messages)
        m_queue.push(m);
    if (m_queue.size() >= kMaxQueued)
        m_sock->setReadPaused(true);
    if (m_queue.isEmpty() || m_timer1->isActive())
        return;
    // A message reaching a client at rest is handled at once, not a whole tick later; the
    // ticks after it keep their spacing.
    const qint64 since = m_lastTick.isValid() ? m_lastTick.elapsed() : kTickMs;
    m_timer1->start(int(std::max<qint64>(0, kTickMs - since)));
}

void ClientSession::sockInfo(int code, const QString &text)
{
    if (text == QLatin1String("Socket Closed")) {
        hostGone();
    } else if (code == TSock::InfoConnected) {
        m_everConnected = true;
        m_retry->stop();
    } else if (code == TSock::InfoError && !m_everConnected && !m_sock->isConnected()) {
        connectFailed(text);
    }
}

void ClientSession::connectFailed(const QString &errorText)
{
    // Said once for each kind of failure, not on every try.
    const bool unknownName = errorText == socketErrorText(QAbstractSocket::HostNotFoundError);
    const QString where = hostAddressText(m_host, m_port);
    const QString line = unknownName
        ? QStringLiteral("Host not found: no computer is named %1. Check the address; trying again every %2 seconds.")
              .arg(m_host)
              .arg(kRetryMs / 1000)
        : QStringLiteral("Waiting for the host: nobody answers at %1 yet. Trying again every %2 seconds.")
              .arg(where)
              .arg(kRetryMs / 1000);
    if (line != m_lastFailure) {
        m_lastFailure = line;
        addline(line);
    }
    m_retry->start();
}

void ClientSession::hostGone()
{
    // What the host said before it went still reaches the board; then the player is told.
    m_hostGone = true;
    if (m_noticeShown)
        return; // its box closes the window once dismissed
    if (m_ended) {
        Q_EMIT closeRequested();
        return;
    }
    if (m_queue.isEmpty())
        endSession(kHostEnded);
    else
        wake();
}

void ClientSession::endSession(const QString &notice)
{
    if (m_ended)
        return;
    m_ended = true;
    m_noticeShown = true;
    Q_EMIT this->notice(notice);
    m_noticeShown = false;
    Q_EMIT closeRequested();
}

void ClientSession::Timer1Timer()
{
    m_lastTick.start();
    if (m_timer1->isActive() && m_timer1->interval() != kTickMs)
        m_timer1->start(kTickMs);
    // A busy host sends more than one message a tick: handle what waits, within a budget
    // that leaves the rest of the tick to painting. The tickers still run once a tick, so
    // the phrase pause and the ball steps keep their timing.
    QElapsedTimer spent;
    spent.start();
    do
        processsocktimer();
    while (!m_ended && !m_queue.isEmpty() && spent.elapsed() < kDispatchBudgetMs);
    if (m_sock->isReadPaused() && m_queue.size() <= kMaxQueued / 2)
        m_sock->setReadPaused(false);
    if (m_hostGone && !m_ended && m_queue.isEmpty())
        endSession(kHostEnded);
    bool busy = !m_queue.isEmpty();
    for (const auto &ticker : std::as_const(m_tickers))
        busy = ticker() || busy;
    if (!busy)
        m_timer1->stop();
}

void ClientSession::processsocktimer()
{
    const QString line = m_queue.take().text;
    if (line.isEmpty())
        return;
    dialogs::guarded([&] { m_table.dispatch(line); });
}

void ClientSession::setSeatName(int seat, const QString &name)
{
    if (seat < 1 || seat > 5)
        return;
    m_state.seatNames[seat - 1] = name;
    Q_EMIT seatNameChanged(seat, name);
}

void ClientSession::addline(const QString &text, ColorRef color)
{
    Q_EMIT chatLine(text, color);
}

void ClientSession::sendloginfo(const QString &args)
{
    FieldReader f(args);
    m_state.ownSeat = f.nextInt();
    m_state.loggedIn = true;
    send(Message(cmd::logininfo).add(m_state.ownSeat).add(QString::fromLatin1(kProtocolVersion)).addRest(m_state.loginName));
    Q_EMIT seated();
}

void ClientSession::newplayerinfo(const QString &args)
{
    FieldReader f(args);
    const int seat = f.nextInt();
    const QString name = f.rest();
    if (seat < 1)
        return; // names no seat: the host never sends one
    if (seat == m_state.ownSeat) {
        addline(QStringLiteral("You are Connected."));
        Q_EMIT ownArrival();
    } else {
        addline(name + QStringLiteral(" is Connected."));
    }
    if (seat >= 6) {
        if (m_spyList)
            m_spyList->addEntry(seat, name);
        addline(seat == m_state.ownSeat ? QStringLiteral("You are spying.") : name + QStringLiteral(" is spying."));
    } else if (seat <= 5) {
        setSeatName(seat, name);
    }
    Q_EMIT soundRequested(QStringLiteral("entered"));
}

void ClientSession::playerdisconnected(const QString &args)
{
    FieldReader f(args);
    const int seat = f.nextInt();
    const QString name = f.rest();
    if (seat >= 6) {
        if (m_spyList && m_spyList->removeEntry(seat, name))
            addline(name + QStringLiteral(" has left."));
        return;
    }
    if (seat < 1 || seat > 5)
        return;
    addline(m_state.seatName(seat) + QStringLiteral(" disconnected."));
    setSeatName(seat, seat == 2 ? QStringLiteral("Dira") : ClientState::kWaiting);
    Q_EMIT seatEmptied(seat);
}

} // namespace brelvox
