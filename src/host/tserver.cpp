// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "host/tserver.h"

#include "core/conversion.h"
#include "host/hostoptions.h"
#include "net/sockerror.h"
#include "protocol/catalogue.h"
#include "protocol/fieldreader.h"
#include "protocol/message.h"

#include <QPointer>

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
    : QObject(parent)
    , m_options(options)
    , m_commands(cmd::hostCommands())
{
    FormCreate();
    m_listener.setOnAccept([this](TSock *s) { Sock1Accept(s); });
    m_listener.setOnRead([this](TSock *s, int n) { Sock1Read(s, n); });

    m_commands.bind(cmd::logininfo, [this](const QString &a) { receivedlogininfo(a); });
    m_commands.bind(cmd::kickhim, [this](const QString &a) { kickhim(a); });
    m_commands.bind(cmd::chat, [this](const QString &a) { chat(a); });
    m_commands.bind(cmd::action, [this](const QString &a) { action(a); });
    m_commands.bind(cmd::justwatch, [this](const QString &a) { justwatch(a); });
    m_commands.bind(cmd::playasound, [this](const QString &a) { playasound(a); });

    m_socktimer.setInterval(kSocktimerInterval);
    connect(&m_socktimer, &QTimer::timeout, this, &TServer::socktimerTimer);
    m_socktimer.start();
    m_turntimer.setInterval(1000);
    m_computertimer.setSingleShot(true);
}

TServer::~TServer() = default;

void TServer::FormCreate()
{
    m_players.seat(2).alternateName = QStringLiteral("Dira");
}

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
    if (!PlayerTable::isSeat(seat))
        return;
    const SeatRecord &record = m_players.seat(seat);
    TSock *sock = record.connection;
    if (!record.connected || !sock || !sock->isConnected())
        return;
    try {
        sock->sendText(message.wire());
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

bool TServer::mayAct(const QString &command, const QString &arguments, int senderSeat)
{
    if (!PlayerTable::isSeat(senderSeat))
        return false;
    if (command == cmd::startgame)
        return senderSeat == 1;
    const int seat = leadingSeat(arguments);
    if (!seat)
        return false;
    if (command == cmd::kickhim)
        return senderSeat == 1 && seat == 1;
    if (command == cmd::justwatch)
        return seat == senderSeat || (senderSeat == 1 && PlayerTable::isPlayerSeat(seat));
    // logininfo, chat, action, playasound, myword and anything bound later: own seat.
    return seat == senderSeat;
}

void TServer::socktimerTimer()
{
    const QueuedMessage message = m_queue.take();
    if (message.text.isEmpty())
        return;
    const auto link = m_links.constFind(message.source);
    const int senderSeat = link == m_links.constEnd() ? 0 : m_players.seatOf(link->sock);
    const CommandLine line = splitCommand(message.text);
    if (line.name.isEmpty() || !mayAct(line.name, line.arguments, senderSeat))
        return;
    m_sender = senderSeat;
    try {
        m_commands.dispatch(message.text);
    } catch (const std::exception &) {
        // A malformed field ends this message here; the host tells nobody.
    }
    m_sender = 0;
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
    sock->setOnDisconnect([this](TSock *s) { tempsockDisconnect(s); });
    sock->setOnInfo([this](TSock *s, int code, const QString &text) { tempsockInfo(s, code, text); });
    sock->setOnRead([this](TSock *s, int n) { Sock1Read(s, n); });
    m_links.insert(sock->id(), Link{sock});
    sendTo(seat, Message(cmd::sendlogininfo).add(seat));
}

void TServer::Sock1Read(TSock *sender, int)
{
    const QByteArray bytes = sender->receiveText();
    const auto link = m_links.find(sender->id());
    if (link == m_links.end())
        return;
    const QStringList messages = link->splitter.feed(bytes);
    for (const QString &text : messages)
        m_queue.push(text, sender->id());
    if (link->splitter.overflowed() || m_queue.countFrom(sender->id()) > kMaxQueuedPerConnection)
        dropConnection(sender);
}

void TServer::dropConnection(TSock *sock)
{
    m_queue.removeFrom(sock->id());
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
    m_queue.removeFrom(sock->id());
    sock->deleteLater();
    const int seat = sock->tag();
    if (!PlayerTable::isSeat(seat) || m_players.seat(seat).connection != sock)
        return;
    SeatRecord &record = m_players.seat(seat);
    if (record.connected)
        sendToOthers(seat, Message(cmd::playerdisconnected).add(seat).addRest(record.name));
    m_players.leave(seat);

    if (m_game.type == HostGameState::Type::Nine && seat != 1) {
        const int last = qMin(m_players.seatCount(), PlayerTable::kPlayerSeats);
        bool anyPlaying = false;
        for (int s = 1; s <= last; ++s)
            anyPlaying = anyPlaying || (m_players.seat(s).connected && !m_players.seat(s).watching);
        if (!anyPlaying) {
            for (int s = 1; s <= last; ++s) {
                if (m_players.seat(s).connected && m_players.seat(s).watching)
                    justwatch(QString::number(s) + QStringLiteral("+2"));
            }
        }
    }
    Q_EMIT seatLeft(seat);
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
    const QString name = fields.rest();
    SeatRecord &record = m_players.seat(seat);
    record.name = name;
    record.connected = true;

    sendToAll(Message(cmd::newplayerinfo).add(seat).addRest(name));
    for (int s = 1; s <= m_players.seatCount(); ++s) {
        if (s != seat && m_players.seat(s).connected)
            sendTo(seat, Message(cmd::existingplayers).add(s).addRest(m_players.seat(s).name));
    }
    if (version != m_options.versionText()) {
        sendTo(1, Message(cmd::havewrongversion).addRest(name));
        sendTo(seat, Message(cmd::wrongversion));
    }
    if (m_game.running)
        sendLateJoinerState(seat);
}

void TServer::sendLateJoinerState(int seat)
{
    using Type = HostGameState::Type;
    const bool race = m_game.type == Type::Race;
    const bool high = m_game.type == Type::High;
    const int ball = race ? (PlayerTable::isPlayerSeat(seat) ? m_players.seat(seat).raceCount : 1) : m_game.round;
    sendTo(seat, Message(cmd::gamestats)
                     .add(HostGameState::typeKey(m_game.type))
                     .add(m_game.row)
                     .add(ball)
                     .add(m_game.word.left(1)));
    Message scores(cmd::playerscores);
    for (int s = 1; s <= PlayerTable::kPlayerSeats; ++s)
        scores.add(s).add(high ? m_players.seat(s).score : 1000);
    sendTo(seat, scores);
    if (race) {
        Message owned(cmd::theyown);
        for (int s = 1; s <= PlayerTable::kPlayerSeats; ++s)
            owned.add(s).add(m_players.seat(s).score);
        sendTo(seat, owned);
    } else {
        Message owners(cmd::ballowners);
        for (int b = 1; b <= 9; ++b)
            owners.add(b).add(m_game.ballOwners[b]);
        sendTo(seat, owners);
    }
}

void TServer::kickhim(const QString &arguments)
{
    FieldReader fields(arguments);
    const int requester = fields.nextInt();
    const int target = fields.nextInt();
    if (requester == 1)
        disconnectsock(target);
}

void TServer::chat(const QString &arguments)
{
    FieldReader fields(arguments);
    const int seat = fields.nextInt();
    sendToAll(Message(cmd::chat).addRest(m_players.seat(seat).name + QStringLiteral(" chats: ") + fields.rest()));
}

void TServer::action(const QString &arguments)
{
    FieldReader fields(arguments);
    const int seat = fields.nextInt();
    sendToAll(Message(cmd::action).addRest(m_players.seat(seat).name + QLatin1Char(' ') + fields.rest()));
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
    if (!PlayerTable::isSeat(seat))
        return;
    const QString value = fields.next();
    SeatRecord &record = m_players.seat(seat);
    if (value == QLatin1String("2")) {
        record.watching = false;
        sendToAll(Message(cmd::justwatching).add(seat).add(QStringLiteral("2")));
    } else if (value == QLatin1String("1")) {
        record.watching = true;
        sendToAll(Message(cmd::justwatching).add(seat).add(QStringLiteral("1")));
        if (m_game.type == HostGameState::Type::Nine && seat == m_game.currentPlayer)
            restartComputerTimer();
    }
}

} // namespace brelvox
