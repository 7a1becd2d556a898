// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include "host/playertable.h"
#include "host/rules/gameengine.h"
#include "host/rules/wordlists.h"
#include "net/tsock.h"
#include "protocol/commandtable.h"
#include "protocol/messagesplitter.h"
#include "protocol/receivequeue.h"

#include <QDeadlineTimer>
#include <QHash>
#include <QObject>
#include <QSet>

#include <array>
#include <deque>
#include <QElapsedTimer>
#include <QTimer>

namespace brelvox {

class HostOptions;
class Message;

// The in-process game server. Clients, the hosting copy's own one included, reach it
// only through messages on their connections. Each socktimer tick handles one round:
// one queued message of every connection that has any, so a guess waits at most a tick
// however much the other seats chat; each connection's messages keep their order.
//
// A message acts only for the seat of the connection that sent it (see mayAct()): a
// client cannot speak, watch, guess or kick in another seat's name. Bad input from the
// network is dropped without a word; nothing here ever opens a dialog.
//
// The game itself is the GameEngine's: TServer mirrors seats into it, hands it the
// game messages and timer ticks, and turns the events it returns into messages and
// timer starts and stops (dispatch()). The engine's state is the one record of names,
// watching, scores and the running game; the player table holds only connections.
class TServer : public QObject
{
    Q_OBJECT
public:
    static constexpr int kSocktimerInterval = 10;
    // A connection with more waiting is closed like any departure. A message longer
    // than the receive queue takes is cut, never a reason to close.
    static constexpr int kMaxQueuedPerConnection = 64;
    // A peer that stops reading is dropped before its backlog grows past this.
    static constexpr qint64 kMaxOutgoing = 1024 * 1024;
    // A connection that has not logged in by then is closed: silent connections must not
    // hold the seats a player needs.
    static constexpr int kLoginTimeoutMs = 15000;

    // Plays with the shipped word lists.
    explicit TServer(const HostOptions &options, QObject *parent = nullptr);
    // Plays with these lists (tests that need known words).
    TServer(const HostOptions &options, WordLists words, QObject *parent = nullptr);
    ~TServer() override;

    // Sock1 listens on port (0 picks a free one) at bindAddress (empty: every IPv4
    // address). Throws SockError.
    void listen(quint16 port, const QString &bindAddress = QString());
    quint16 port() const { return m_listener.localPort(); }

    const HostOptions &options() const { return m_options; }
    PlayerTable &players() { return m_players; }
    const PlayerTable &players() const { return m_players; }
    const GameEngine &engine() const { return m_engine; }
    // The game and every seat's name, watching flag and score.
    const GameState &game() const { return m_engine.state(); }
    const WordLists &words() const { return m_words; }
    ReceiveQueue &receivedlist() { return m_queue; }

    // The dispatch table. Handlers run only after mayAct() allowed the message.
    CommandTable<> &commands() { return m_commands; }
    // The seat whose connection sent the message being handled, 0 outside dispatch.
    int sender() const { return m_sender; }

    // Timers: socktimer runs only while the receive queue holds messages, one round a
    // tick; turntimer (1 s unless its interval is changed) and computertimer (one
    // shot after the bot delay) follow the engine's events.
    QTimer &socktimer() { return m_socktimer; }
    QTimer &turntimer() { return m_turntimer; }
    QTimer &computertimer() { return m_computertimer; }
    // Computer timer off, interval the bot delay, on.
    void restartComputerTimer();

    // Sending: seats without a connection are skipped; a failed send is silent.
    void sendTo(int seat, const Message &message);
    void sendToAll(const Message &message);
    void sendToOthers(int seat, const Message &message);

    // Takes one round of queued messages (one per connection that has any) and runs
    // their handlers one after another; stops socktimer once the queue is empty.
    void socktimerTimer();
    // While held, socktimer is never started: a test takes messages with
    // socktimerTimer() itself. Releasing starts it if messages wait.
    void setDispatchHeld(bool held);
    bool isDispatchHeld() const { return m_dispatchHeld; }
    // For tests: a shorter wait for logins.
    void setLoginTimeout(int ms) { m_loginTimeoutMs = ms; }
    // Closes the connections whose time to log in is up; logintimer calls it.
    void logintimerTimer();
    QTimer &logintimer() { return m_logintimer; }

    // Whether the message may act, given the seat of the connection it came by.
    // leadSeat is the seat that may start games and remove players.
    static bool mayAct(const QString &command, const QString &arguments, int senderSeat, int leadSeat = 1);
    // Seat 1 on a copy that hosts; on a headless host the lowest seat whose player is
    // logged in (0 while nobody is).
    int leadSeat() const;
    // Whether a seat is kept for a player whose connection dropped.
    bool isHeld(int seat) const { return PlayerTable::isSeat(seat) && m_players.seat(seat).held; }
    // Frees every held seat whose time has run out.
    void releaseHeldSeats();

    // Handlers; each message's fields are listed in protocol/WIRE.md.
    void Sock1Accept(TSock *sender);
    void Sock1Read(TSock *sender, int count);
    void tempsockDisconnect(TSock *sender);
    void tempsockInfo(TSock *sender, int code, const QString &text);
    void receivedlogininfo(const QString &arguments);
    void kickhim(const QString &arguments);
    void chat(const QString &arguments);
    void action(const QString &arguments);
    void playasound(const QString &arguments);
    void justwatch(const QString &arguments);
    void disconnectsock(int seat);
    void startgame(const QString &arguments);
    void myword(const QString &arguments);
    void turntimerTimer();
    void computertimerTimer();

    // Carries out the engine's events in order: timer kinds on the timers, every other
    // kind as its message to each connected seat that is told something.
    void dispatch(const GameEvents &events);

private:
    void departure(TSock *sock);
    // The connection on `from` logs in as the player a held seat waits for: it moves
    // there and is offered that seat.
    void returnToHeldSeat(int from, int held);
    bool guessIsStale(int seat) const;
    void forgetQueued(quint64 source);
    void dropConnection(TSock *sock);
    void sendText(int seat, const QString &text);
    void startDispatching();
    void handle(const QueuedMessage &message);
    const QString &nameOf(int seat) const { return m_engine.state().seat(seat).name; }

    const HostOptions &m_options;
    WordLists m_words;
    GameEngine m_engine;
    TSock m_listener; // Sock1
    PlayerTable m_players;
    ReceiveQueue m_queue;
    struct Link
    {
        TSock *sock = nullptr;
        MessageSplitter splitter;
        QDeadlineTimer loginDeadline; // forever once logged in
    };
    QHash<quint64, Link> m_links; // by TSock::id(), one per accepted connection
    CommandTable<> m_commands;
    int m_sender = 0;
    bool m_dispatchHeld = false;
    QTimer m_socktimer;
    QElapsedTimer m_lastDispatch;
    QTimer m_turntimer;
    QTimer m_computertimer;
    QTimer m_logintimer;
    int m_loginTimeoutMs = kLoginTimeoutMs;
    // Held seats: whose they are and until when.
    struct Hold
    {
        QString name;
        QDeadlineTimer until;
    };
    std::array<Hold, PlayerTable::kMaxSeats + 1> m_holds; // [1..9]
    QTimer m_holdTimer;
    QSet<quint64> m_removed; // connections closed by a removal: their seats are not held
    // Per seat: bytes sent to it up to the latest row opening. A guess whose bytes were
    // read before the player's side acknowledged them was typed for an earlier row.
    std::array<quint64, PlayerTable::kMaxSeats + 1> m_rowMark{};
    // Per connection, for each message waiting in the queue: how much the peer had
    // acknowledged when it was read (-1 unknown). The message being handled has its own
    // in m_handledAck.
    QHash<quint64, std::deque<qint64>> m_readAcks;
    qint64 m_handledAck = -1;
};

} // namespace brelvox
