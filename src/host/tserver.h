// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include "host/hostgamestate.h"
#include "host/playertable.h"
#include "net/tsock.h"
#include "protocol/commandtable.h"
#include "protocol/messagesplitter.h"
#include "protocol/receivequeue.h"

#include <QHash>
#include <QObject>
#include <QTimer>

namespace brelvox {

class HostOptions;
class Message;

// The in-process game server. Clients, the hosting copy's own one included, reach it
// only through messages on their connections; one queued message is handled per
// socktimer tick, in arrival order whichever connection it came by.
//
// A message acts only for the seat of the connection that sent it (see mayAct()): a
// client cannot speak, watch or kick in another seat's name. Bad input from the network
// is dropped without a word; nothing here ever opens a dialog.
class TServer : public QObject
{
    Q_OBJECT
public:
    static constexpr int kSocktimerInterval = 10;
    // A connection past either bound is closed like any departure.
    static constexpr int kMaxQueuedPerConnection = 64;
    static constexpr qsizetype kMaxUnterminated = MessageSplitter::kDefaultMaxPending;
    // A peer that stops reading is dropped before its backlog grows past this.
    static constexpr qint64 kMaxOutgoing = 1024 * 1024;

    explicit TServer(const HostOptions &options, QObject *parent = nullptr);
    ~TServer() override;

    // Sock1 listens on port (0 picks a free one) at bindAddress (empty: every IPv4
    // address). Throws SockError.
    void listen(quint16 port, const QString &bindAddress = QString());
    quint16 port() const { return m_listener.localPort(); }

    const HostOptions &options() const { return m_options; }
    PlayerTable &players() { return m_players; }
    const PlayerTable &players() const { return m_players; }
    HostGameState &game() { return m_game; }
    const HostGameState &game() const { return m_game; }
    ReceiveQueue &receivedlist() { return m_queue; }

    // The dispatch table; the round and judging code binds "CMD_startgame" and
    // "CMD_myword" here. Handlers run only after mayAct() allowed the message.
    CommandTable<> &commands() { return m_commands; }
    // The seat whose connection sent the message being handled, 0 outside dispatch.
    int sender() const { return m_sender; }

    // Timers: socktimer runs from construction; turntimer (1 s) and computertimer
    // (one shot) are driven by the round and computer-player code.
    QTimer &socktimer() { return m_socktimer; }
    QTimer &turntimer() { return m_turntimer; }
    QTimer &computertimer() { return m_computertimer; }
    // Computer timer off, interval the bot delay, on.
    void restartComputerTimer();

    // Sending: seats without a connection are skipped; a failed send is silent.
    void sendTo(int seat, const Message &message);
    void sendToAll(const Message &message);
    void sendToOthers(int seat, const Message &message);

    // Takes one queued message and runs its handler.
    void socktimerTimer();
    // Whether the message may act, given the seat of the connection it came by.
    static bool mayAct(const QString &command, const QString &arguments, int senderSeat);

    // Handlers.
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

Q_SIGNALS:
    // After a departure has been told and the seat freed (the round code gives up a
    // Nine Ball word whose turn holder left).
    void seatLeft(int seat);

private:
    void FormCreate();
    void sendLateJoinerState(int seat);
    void departure(TSock *sock);
    void dropConnection(TSock *sock);

    const HostOptions &m_options;
    TSock m_listener; // Sock1
    PlayerTable m_players;
    HostGameState m_game;
    ReceiveQueue m_queue;
    struct Link
    {
        TSock *sock = nullptr;
        MessageSplitter splitter{kMaxUnterminated};
    };
    QHash<quint64, Link> m_links; // by TSock::id(), one per accepted connection
    CommandTable<> m_commands;
    int m_sender = 0;
    QTimer m_socktimer;
    QTimer m_turntimer;
    QTimer m_computertimer;
};

} // namespace brelvox
