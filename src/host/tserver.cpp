// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "host/tserver.h"

#include "core/conversion.h"
#include "host/hostoptions.h"
#include "net/sockerror.h"
#include "protocol/catalogue.h"
#include "protocol/fieldreader.h"
#include "protocol/message.h"
#include "protocol/wiretext.h"

#include <QPointer>

#include <algorithm>
#include <utility>

namespace brelvox {

namespace {

// The seat field at the front of an argument text, 0 when it is no seat.
int leadingSeat(const QString &arguments)
{
    bool ok = false;
    const int seat = toInt(FieldReader(arguments).next(), &ok);
    return ok && PlayerTable::isSeat(seat) ? seat : 0;
}

} // namespace

TServer::TServer(const HostOptions &options, QObject *parent)
    : TServer(options, WordLists::shipped(), parent)
{
}

TServer::TServer(const HostOptions &options, WordLists words, QObject *parent)
    : QObject(parent)
    , m_options(options)
    , m_words(std::move(words))
    , m_engine(m_words, [this] { return m_options.pauseBetweenWords(); })
    , m_commands(cmd::hostCommands())
{
    m_listener.setOnAccept([this](TSock *s) { Sock1Accept(s); });
    m_listener.setOnRead([this](TSock *s, int n) { Sock1Read(s, n); });

    m_commands.bind(cmd::logininfo, [this](const QString &a) { receivedlogininfo(a); });
    m_commands.bind(cmd::kickhim, [this](const QString &a) { kickhim(a); });
    m_commands.bind(cmd::chat, [this](const QString &a) { chat(a); });
    m_commands.bind(cmd::action, [this](const QString &a) { action(a); });
    m_commands.bind(cmd::startgame, [this](const QString &a) { startgame(a); });
    m_commands.bind(cmd::justwatch, [this](const QString &a) { justwatch(a); });
    m_commands.bind(cmd::myword, [this](const QString &a) { myword(a); });
    m_commands.bind(cmd::playasound, [this](const QString &a) { playasound(a); });

    m_socktimer.setInterval(kSocktimerInterval);
    connect(&m_socktimer, &QTimer::timeout, this, &TServer::socktimerTimer);
    m_turntimer.setInterval(1000);
    connect(&m_turntimer, &QTimer::timeout, this, &TServer::turntimerTimer);
    m_computertimer.setSingleShot(true);
    connect(&m_computertimer, &QTimer::timeout, this, &TServer::computertimerTimer);
    m_logintimer.setInterval(1000);
    connect(&m_logintimer, &QTimer::timeout, this, &TServer::logintimerTimer);
    m_holdTimer.setSingleShot(true);
    connect(&m_holdTimer, &QTimer::timeout, this, &TServer::releaseHeldSeats);
    m_engine.setSeatOneHosts(m_options.seatOneHosts());
}

TServer::~TServer() = default;

void TServer::listen(quint16 port, const QString &bindAddress)
{
    m_listener.setHostName(bindAddress);
    m_listener.setPortName(QString::number(port));
    m_listener.setListen(true);
}

void TServer::restartComputerTimer()
{
    m_computertimer.stop();
    m_computertimer.setInterval(m_options.botDelay());
    m_computertimer.start();
}

void TServer::sendTo(int seat, const Message &message)
{
    sendText(seat, message.text());
}

void TServer::sendText(int seat, const QString &text)
{
    if (!PlayerTable::isSeat(seat))
        return;
    const SeatRecord &record = m_players.seat(seat);
    TSock *sock = record.connection;
    if (!record.connected || !sock || !sock->isConnected())
        return;
    QByteArray bytes = wire::encode(text);
    bytes.append(wire::kTerminator);
    try {
        sock->sendText(bytes);
    } catch (const SockError &) {
        return;
    }
    if (sock->pendingOutgoing() > kMaxOutgoing) {
        // Not now: a departure in the middle of a broadcast would reorder it.
        QPointer<TSock> guard(sock);
        QMetaObject::invokeMethod(this, [guard]() {
            if (guard)
                guard->close();
        }, Qt::QueuedConnection);
    }
}

void TServer::sendToAll(const Message &message)
{
    for (int s = 1; s <= m_players.seatCount(); ++s)
        sendTo(s, message);
}

void TServer::sendToOthers(int seat, const Message &message)
{
    for (int s = 1; s <= m_players.seatCount(); ++s) {
        if (s != seat)
            sendTo(s, message);
    }
}

bool TServer::mayAct(const QString &command, const QString &arguments, int senderSeat, int leadSeat)
{
    if (!PlayerTable::isSeat(senderSeat))
        return false;
    if (command == cmd::startgame)
        return senderSeat == leadSeat;
    const int seat = leadingSeat(arguments);
    if (!seat)
        return false;
    if (command == cmd::kickhim)
        return senderSeat == leadSeat && seat == leadSeat;
    if (command == cmd::justwatch)
        return seat == senderSeat || (senderSeat == 1 && PlayerTable::isPlayerSeat(seat));
    // logininfo, chat, action, playasound, myword and anything bound later: own seat.
    return seat == senderSeat;
}

void TServer::socktimerTimer()
{
    m_lastDispatch.start();
    // The round is counted first: a connection closed by a handler leaves the turns.
    for (int left = m_queue.sourceCount(); left > 0 && !m_queue.isEmpty(); --left)
        handle(m_queue.take());
    if (m_queue.isEmpty())
        m_socktimer.stop(); // nothing to do until the next read queues something
    else if (m_socktimer.interval() != kSocktimerInterval)
        m_socktimer.start(kSocktimerInterval); // back to one round per tick
}

void TServer::handle(const QueuedMessage &message)
{
    std::deque<qint64> &acks = m_readAcks[message.source];
    m_handledAck = -1;
    if (!acks.empty()) {
        m_handledAck = acks.front();
        acks.pop_front();
    }
    if (message.text.isEmpty())
        return;
    const auto link = m_links.constFind(message.source);
    const int senderSeat = link == m_links.constEnd() ? 0 : m_players.seatOf(link->sock);
    const CommandLine line = splitCommand(message.text);
    if (line.name.isEmpty() || !mayAct(line.name, line.arguments, senderSeat, leadSeat()))
        return;
    m_sender = senderSeat;
    try {
        m_commands.dispatch(message.text);
    } catch (const std::exception &) {
        // A malformed field ends this message here; the host tells nobody.
    }
    m_sender = 0;
}

void TServer::setDispatchHeld(bool held)
{
    m_dispatchHeld = held;
    if (held)
        m_socktimer.stop();
    else
        startDispatching();
}

void TServer::startDispatching()
{
    if (m_dispatchHeld || m_queue.isEmpty() || m_socktimer.isActive())
        return;
    // A message reaching a rested host is handled at once; after it, one round a tick.
    const qint64 since = m_lastDispatch.isValid() ? m_lastDispatch.elapsed() : kSocktimerInterval;
    m_socktimer.start(int(std::max<qint64>(0, kSocktimerInterval - since)));
}

void TServer::Sock1Accept(TSock *sender)
{
    TSock *sock = sender->accept();
    if (!sock)
        return;
    sock->setParent(this);
    const int seat = m_players.takeSeat(sock);
    if (seat == PlayerTable::kRefusedSeat) {
        // Nobody hears of a refused connection, so it reports to nobody.
        sock->setOnRead(nullptr);
        sock->setOnInfo(nullptr);
        sock->setOnDisconnect(nullptr);
        sock->setOnWrite(nullptr);
        try {
            sock->sendText(Message(cmd::full).wire());
        } catch (const SockError &) {
        }
        sock->close();
        sock->deleteLater();
        return;
    }
    sock->setTag(seat);
    m_rowMark[seat] = 0;
    sock->setOnDisconnect([this](TSock *s) { tempsockDisconnect(s); });
    sock->setOnInfo([this](TSock *s, int code, const QString &text) { tempsockInfo(s, code, text); });
    sock->setOnRead([this](TSock *s, int n) { Sock1Read(s, n); });
    m_links.insert(sock->id(), Link{sock, MessageSplitter(), QDeadlineTimer(m_loginTimeoutMs)});
    if (!m_logintimer.isActive())
        m_logintimer.start(std::min(1000, m_loginTimeoutMs));
    m_engine.seatTaken(seat);
    sendTo(seat, Message(cmd::sendlogininfo).add(seat));
}

void TServer::Sock1Read(TSock *sender, int)
{
    const QByteArray bytes = sender->receiveText();
    const auto link = m_links.find(sender->id());
    if (link == m_links.end())
        return;
    const QStringList messages = link->splitter.feed(bytes);
    const qint64 acknowledged = sender->bytesAcknowledged();
    std::deque<qint64> &acks = m_readAcks[sender->id()];
    for (const QString &text : messages) {
        m_queue.push(text, sender->id());
        acks.push_back(acknowledged);
    }
    if (m_queue.countFrom(sender->id()) > kMaxQueuedPerConnection)
        dropConnection(sender);
    startDispatching();
}

void TServer::logintimerTimer()
{
    QList<TSock *> late;
    bool waiting = false;
    for (const Link &link : std::as_const(m_links)) {
        if (link.loginDeadline.hasExpired())
            late << link.sock;
        else
            waiting = waiting || !link.loginDeadline.isForever();
    }
    if (!waiting)
        m_logintimer.stop();
    for (TSock *sock : late)
        dropConnection(sock);
}

void TServer::forgetQueued(quint64 source)
{
    m_queue.removeFrom(source);
    m_readAcks.remove(source);
}

void TServer::dropConnection(TSock *sock)
{
    forgetQueued(sock->id());
    sock->close(); // reports "Socket Closed": the departure follows from it
}

void TServer::tempsockDisconnect(TSock *sender)
{
    const int seat = sender->tag();
    if (PlayerTable::isSeat(seat) && m_players.seat(seat).connected)
        sender->close();
}

void TServer::tempsockInfo(TSock *sender, int, const QString &text)
{
    if (text == QLatin1String("Socket Closed"))
        departure(sender);
}

void TServer::departure(TSock *sock)
{
    m_links.remove(sock->id());
    forgetQueued(sock->id());
    const bool removed = m_removed.remove(sock->id());
    sock->deleteLater();
    const int seat = sock->tag();
    if (!PlayerTable::isSeat(seat) || m_players.seat(seat).connection != sock)
        return;
    const QString name = nameOf(seat);
    if (m_players.seat(seat).connected)
        sendToOthers(seat, Message(cmd::playerdisconnected).add(seat).addRest(name));
    m_players.leave(seat);
    if (!removed && !name.isEmpty() && m_options.graceSeconds() > 0) {
        // A player whose link dropped may log in again: nobody else gets the seat meanwhile.
        m_players.seat(seat).held = true;
        m_holds[seat] = Hold{name, QDeadlineTimer(std::chrono::seconds(m_options.graceSeconds()))};
        if (!m_holdTimer.isActive())
            m_holdTimer.start(std::chrono::seconds(m_options.graceSeconds()));
    }
    dispatch(m_engine.seatLeft(seat));
}

void TServer::releaseHeldSeats()
{
    qint64 next = -1;
    for (int s = 1; s <= PlayerTable::kMaxSeats; ++s) {
        if (!m_players.seat(s).held)
            continue;
        if (m_holds[s].until.hasExpired()) {
            m_players.seat(s).held = false;
            m_holds[s] = Hold{};
        } else {
            const qint64 left = m_holds[s].until.remainingTime();
            next = next < 0 ? left : std::min(next, left);
        }
    }
    if (next >= 0)
        m_holdTimer.start(int(next) + 1);
}

void TServer::returnToHeldSeat(int from, int held)
{
    TSock *sock = m_players.seat(from).connection;
    // The seat it was offered was never announced: it goes without a word.
    m_players.leave(from);
    dispatch(m_engine.seatLeft(from));
    m_holds[held] = Hold{};
    SeatRecord &record = m_players.seat(held);
    record.held = false;
    record.connected = true;
    record.connection = sock;
    sock->setTag(held);
    m_rowMark[held] = 0;
    m_engine.seatTaken(held);
    sendTo(held, Message(cmd::sendlogininfo).add(held));
}

int TServer::leadSeat() const
{
    if (m_options.seatOneHosts())
        return 1;
    for (int s = 1; s <= m_players.seatCount(); ++s) {
        if (m_players.seat(s).connected && !nameOf(s).isEmpty())
            return s;
    }
    return 0;
}

void TServer::disconnectsock(int seat)
{
    if (!PlayerTable::isSeat(seat))
        return;
    const SeatRecord &record = m_players.seat(seat);
    if (record.connected && record.connection)
        record.connection->close();
}

void TServer::receivedlogininfo(const QString &arguments)
{
    FieldReader fields(arguments);
    const int seat = fields.nextInt();
    if (!PlayerTable::isSeat(seat))
        return;
    const QString version = fields.next();
    // However long the name, a chat line with it still fits in one message.
    const QString name = fields.rest().left(wire::kMaxNameLength);
    if (TSock *sock = m_players.seat(seat).connection)
        if (const auto link = m_links.find(sock->id()); link != m_links.end())
            link->loginDeadline = QDeadlineTimer(QDeadlineTimer::Forever);
    if (!name.isEmpty() && nameOf(seat).isEmpty()) {
        // The player may be back before this end noticed the old link die.
        for (int old = 1; old <= m_players.seatCount(); ++old) {
            const SeatRecord &record = m_players.seat(old);
            if (old != seat && record.connected && record.connection && nameOf(old) == name
                && record.connection->isStalled())
                record.connection->close(); // its departure holds the seat
        }
        for (int held = 1; held <= m_players.seatCount(); ++held) {
            if (held != seat && m_players.seat(held).held && m_holds[held].name == name
                && !m_holds[held].until.hasExpired()) {
                returnToHeldSeat(seat, held);
                return;
            }
        }
    }
    m_players.seat(seat).connected = true;
    m_engine.seatNamed(seat, name);

    sendToAll(Message(cmd::newplayerinfo).add(seat).addRest(name));
    for (int s = 1; s <= m_players.seatCount(); ++s) {
        if (s != seat && m_players.seat(s).connected)
            sendTo(seat, Message(cmd::existingplayers).add(s).addRest(nameOf(s)));
    }
    if (version != m_options.versionText()) {
        sendTo(1, Message(cmd::havewrongversion).addRest(name));
        sendTo(seat, Message(cmd::wrongversion));
    }
    for (const QString &text : m_engine.catchUpMessages(seat))
        sendText(seat, text);
}

void TServer::kickhim(const QString &arguments)
{
    FieldReader fields(arguments);
    const int requester = fields.nextInt();
    const int target = fields.nextInt();
    if (requester != leadSeat() || !PlayerTable::isSeat(target))
        return;
    const SeatRecord &record = m_players.seat(target);
    if (!record.connected || !record.connection)
        return;
    // The removed copy hears of its own departure first, so it can tell it was removed.
    m_removed.insert(record.connection->id());
    sendTo(target, Message(cmd::playerdisconnected).add(target).addRest(nameOf(target)));
    disconnectsock(target);
}

void TServer::chat(const QString &arguments)
{
    FieldReader fields(arguments);
    const int seat = fields.nextInt();
    sendToAll(Message(cmd::chat).addRest(nameOf(seat) + QStringLiteral(" chats: ") + fields.rest()));
}

void TServer::action(const QString &arguments)
{
    FieldReader fields(arguments);
    const int seat = fields.nextInt();
    sendToAll(Message(cmd::action).addRest(nameOf(seat) + QLatin1Char(' ') + fields.rest()));
}

void TServer::playasound(const QString &arguments)
{
    FieldReader fields(arguments);
    const int seat = fields.nextInt();
    sendToAll(Message(cmd::playasound).add(seat).addRest(fields.rest()));
}

void TServer::justwatch(const QString &arguments)
{
    FieldReader fields(arguments);
    const int seat = fields.nextInt();
    dispatch(m_engine.justwatch(seat, fields.next()));
}

void TServer::startgame(const QString &arguments)
{
    // The type is the last field: a starter's name may itself hold "+".
    QString fields = arguments;
    if (fields.endsWith(QLatin1Char('+')))
        fields.chop(1);
    const qsizetype cut = fields.lastIndexOf(QLatin1Char('+'));
    if (cut < 0)
        return;
    dispatch(m_engine.startgame(fields.left(cut), fields.mid(cut + 1)));
}

void TServer::myword(const QString &arguments)
{
    FieldReader fields(arguments);
    const int seat = fields.nextInt();
    if (guessIsStale(seat))
        return; // typed before the player saw the row it would now be judged in
    dispatch(m_engine.myword(seat, fields.next()));
}

bool TServer::guessIsStale(int seat) const
{
    if (!PlayerTable::isSeat(seat) || m_sender != seat)
        return false;
    return m_handledAck >= 0 && quint64(m_handledAck) < m_rowMark[seat];
}

void TServer::turntimerTimer()
{
    dispatch(m_engine.turntimerTimer());
}

void TServer::computertimerTimer()
{
    m_computertimer.stop();
    dispatch(m_engine.computertimerTimer());
}

void TServer::dispatch(const GameEvents &events)
{
    for (const GameEvent &event : events) {
        switch (event.kind) {
        case GameEvent::TurnTimerStart:
            m_turntimer.start();
            break;
        case GameEvent::TurnTimerStop:
            m_turntimer.stop();
            break;
        case GameEvent::ComputerTimerRestart:
            restartComputerTimer();
            break;
        default:
            for (int seat = 1; seat <= m_players.seatCount(); ++seat) {
                if (!m_players.seat(seat).connected)
                    continue;
                const QString text = event.messageFor(seat);
                if (text.isEmpty())
                    continue;
                sendText(seat, text);
                if (event.kind == GameEvent::NextPlayer && m_players.seat(seat).connection)
                    m_rowMark[seat] = m_players.seat(seat).connection->bytesSent();
            }
            break;
        }
    }
}

} // namespace brelvox
