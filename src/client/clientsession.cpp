// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "client/clientsession.h"

#include "core/conversion.h"
#include "core/version.h"
#include "net/hostaddress.h"
#include "net/socketerrortext.h"
#include "net/tsock.h"
#include "protocol/catalogue.h"
#include "protocol/fieldreader.h"
#include "protocol/message.h"

#include <QElapsedTimer>

#include <algorithm>

namespace brelvox {

namespace {
const QString kHostEnded = QStringLiteral("The host has ended the game (or the connection to it was lost).");
const QString kRemoved = QStringLiteral("You have been removed from the game.");
const QString kLinkLost = QStringLiteral("Connection lost — reconnecting…");
// Slack for the host's one-second ticks when judging whether a guess can still make its row.
constexpr int kRowSlackMs = 250;

bool isCommand(const QString &text, QLatin1StringView command)
{
    return text.size() > command.size() && text.startsWith(command) && text.at(command.size()) == u'+';
}
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
        if (!m_everConnected || m_reconnecting)
            m_sock->open();
    });
    m_seatOffer = new QTimer(this);
    m_seatOffer->setSingleShot(true);
    m_seatOffer->setInterval(kSeatOfferWaitMs);
    connect(m_seatOffer, &QTimer::timeout, this, [this] {
        if (m_reconnecting)
            m_sock->close(); // something answers but does not seat us: try again
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

void ClientSession::open(const QString &host)
{
    m_host = host;
    m_sock->setHostName(host);
    m_sock->setPortName(QString::number(m_port));
    m_sock->open();
}

bool ClientSession::send(const Message &message)
{
    if (!m_state.loggedIn)
        return false;
    // Back on the host but not yet seated again: only the login may go. Nothing waits to
    // be sent later, when it would land in another row.
    if (!m_sock->isConnected() || (m_reconnecting && !isCommand(message.text(), cmd::logininfo))) {
        if (isCommand(message.text(), cmd::myword))
            addline(QStringLiteral("Not connected to the host: your guess was not sent."));
        return false;
    }
    if (rowClosedFor(message)) {
        addline(QStringLiteral("Too late: that row has ended, so your guess was not sent."));
        return false;
    }
    m_sock->sendText(message.wire());
    return true;
}

bool ClientSession::rowClosedFor(const Message &message) const
{
    if (!isCommand(message.text(), cmd::myword))
        return false;
    if (!m_rowOpen)
        return true;
    // It would reach the host after the row's time is up there.
    const int roundTrip = std::max(0, m_sock->roundTripMs());
    return m_rowClock.elapsed() > kRowMs - roundTrip - kRowSlackMs;
}

void ClientSession::watchRow(const QString &command, const QString &)
{
    if (command == cmd::nextplayer) {
        m_rowOpen = true;
        m_rowClock.start();
    } else if (command == cmd::timeup || command == cmd::nooneguessed || command == cmd::heguessed
               || command == cmd::winner || command == cmd::tiegame || command == cmd::loadball
               || command == cmd::startgame || command == cmd::gamestats) {
        m_rowOpen = false;
    }
}

void ClientSession::updateLead()
{
    const bool leads = m_state.loggedIn && !m_state.host && !m_reconnecting && m_state.startsGames();
    if (leads == m_leads)
        return;
    m_leads = leads;
    Q_EMIT leadChanged(leads);
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
        if (m_reconnecting)
            m_seatOffer->start();
    } else if (code == TSock::InfoError && !m_sock->isConnected()) {
        if (m_reconnecting)
            retryLink(text);
        else if (!m_everConnected)
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
    m_retry->start(kRetryMs);
}

void ClientSession::hostGone()
{
    if (m_reconnecting) {
        // A try that got through but did not last.
        m_seatOffer->stop();
        retryLink(QString());
        return;
    }
    // What the host said before it went still reaches the board; then the player is told.
    m_hostGone = true;
    if (m_noticeShown)
        return; // its box closes the window once dismissed
    if (m_ended) {
        Q_EMIT closeRequested();
        return;
    }
    if (m_queue.isEmpty())
        closed();
    else
        wake();
}

void ClientSession::closed()
{
    if (m_removed) {
        endSession(kRemoved);
    } else if (m_state.loggedIn) {
        m_hostGone = false;
        linkLost();
    } else {
        endSession(kHostEnded);
    }
}

void ClientSession::linkLost()
{
    m_reconnecting = true;
    m_rowOpen = false;
    m_reconnectUntil = QDeadlineTimer(kReconnectForMs);
    for (int seat = 1; seat <= 5; ++seat)
        m_namesBefore[seat] = m_state.present[seat] ? m_state.seatName(seat) : QString();
    updateLead();
    addline(kLinkLost);
    Q_EMIT status(kLinkLost);
    m_retry->start(0); // not from inside the socket's own notice
}

void ClientSession::retryLink(const QString &errorText)
{
    // Refused: the machine answers and nothing listens any more, the host has ended.
    const bool refused = errorText == socketErrorText(QAbstractSocket::ConnectionRefusedError);
    if (refused || m_reconnectUntil.hasExpired()) {
        m_reconnecting = false;
        endSession(kHostEnded);
        return;
    }
    m_retry->start(kRetryMs);
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
        closed();
    if (m_queue.isEmpty())
        updateLead();
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
    const CommandLine parts = splitCommand(line);
    watchRow(parts.name, parts.arguments);
    try {
        m_table.dispatch(line);
    } catch (const ConversionError &e) {
        Q_EMIT dispatchFailed(e.message());
    } catch (const std::exception &e) {
        Q_EMIT dispatchFailed(QString::fromLocal8Bit(e.what()));
    }
    if (parts.name == cmd::gamestats && m_state.ownSeat >= 1 && m_state.ownSeat <= 5) {
        // Typing does nothing until then; say why.
        const bool nine = FieldReader(parts.arguments).next() == QLatin1String("nine");
        addline(nine ? QStringLiteral("A game is under way: you play when your turn comes.")
                     : QStringLiteral("A game is under way: you play from the next row."));
    }
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
    if (m_reconnecting) {
        // The host says again who is here; until then nobody is.
        m_seatOffer->stop();
        m_state.present.fill(false);
        for (int seat = 1; seat <= 5; ++seat)
            setSeatName(seat, seat == 2 ? QStringLiteral("Dira") : ClientState::kWaiting);
    }
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
    if (seat <= 9)
        m_state.present[seat] = true;
    if (seat == m_state.ownSeat && m_reconnecting) {
        m_reconnecting = false;
        addline(QStringLiteral("Reconnected."));
        Q_EMIT status(QStringLiteral("Reconnected."));
        if (seat <= 5)
            setSeatName(seat, name);
        return;
    }
    // Back after a dropped link: who was already here is not announced again.
    const bool known = seat != m_state.ownSeat
        && (seat <= 5 ? !m_namesBefore[seat].isEmpty() && m_namesBefore[seat] == name
                      : m_spies.contains(seat, name));
    if (seat <= 5)
        m_namesBefore[seat].clear();
    if (known) {
        if (seat <= 5)
            setSeatName(seat, name);
        return;
    }
    if (seat == m_state.ownSeat) {
        addline(QStringLiteral("You are Connected."));
        Q_EMIT ownArrival();
    } else {
        addline(name + QStringLiteral(" is Connected."));
    }
    if (seat >= 6) {
        m_spies.add(seat, name);
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
    if (seat >= 1 && seat <= 9) {
        m_state.present[seat] = false;
        m_namesBefore[seat].clear();
    }
    if (seat == m_state.ownSeat && m_state.loggedIn)
        m_removed = true; // the host tells a removed copy before it closes the link
    if (seat >= 6) {
        if (m_spies.remove(seat, name))
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
