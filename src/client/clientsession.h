// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include "boardmodel/clientstate.h"
#include "client/spylist.h"
#include "core/colorref.h"
#include "protocol/commandtable.h"
#include "protocol/messagesplitter.h"
#include "protocol/receivequeue.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <array>
#include <functional>


namespace brelvox {

class Message;
class TSock;

// The client's one connection to the host: it cuts what arrives into the receive queue,
// hands the waiting messages out on each Timer1 tick to the handlers of their commands, logs in when the
// host gives a seat, and shows who comes and goes.
//
// Timer1 runs only while there is work: a message waiting, or a ticker (phrase pause,
// table animation) that says it still needs ticks. An idle client wakes for nothing.
class ClientSession : public QObject
{
    Q_OBJECT
public:
    static constexpr int kTickMs = 15;
    // A host that is not up yet is tried again this often until it answers.
    static constexpr int kRetryMs = 2000;
    // A tick handles messages until none wait or this much of the tick is spent.
    static constexpr int kDispatchBudgetMs = 5;
    // With this many messages waiting, reading stops until half of them are handled: a
    // host that sends faster than the board can show is held back by TCP, not queued.
    static constexpr int kMaxQueued = 512;
    // A dropped connection is tried again this long: within the host's grace period the
    // copy gets its seat back, after it a seat as a newcomer.
    static constexpr int kReconnectForMs = 300000;
    // A connection that brings no seat offer by then is dropped and tried again.
    static constexpr int kSeatOfferWaitMs = 5000;
    // The host ends a row this long after it opens it.
    static constexpr int kRowMs = 23000;

    explicit ClientSession(ClientState &state, QObject *parent = nullptr);
    ~ClientSession() override;

    // Who is spying, kept from the host's arrivals and departures.
    SpyList &spies() { return m_spies; }
    TSock *sock() const { return m_sock; }
    CommandTable<> &dispatchTable() { return m_table; }
    ReceiveQueue &receivedlist() { return m_queue; }
    QTimer *timer1() const { return m_timer1; }

    // The port the connection goes to; the game's own unless a test says otherwise.
    void setPort(quint16 port) { m_port = port; }
    quint16 port() const { return m_port; }
    // Points `sock` at host and opens it, non-blocking. Until the host first answers, a
    // failed attempt says whom it waits for and tries again every kRetryMs.
    void open(const QString &host);
    QTimer *retryTimer() const { return m_retry; }
    // The link dropped and is being tried again; nothing is sent meanwhile.
    bool isReconnecting() const { return m_reconnecting; }

    // Sends a whole message in one call while the logged-in flag is set; false otherwise.
    bool send(const Message &message);

    // Ticker: run once per tick after the dispatch; returns whether it wants more ticks.
    void addTicker(std::function<bool()> ticker);
    // Something started that needs ticks (a phrase pause, a shot).
    void wake();

    void sockRead();
    void sockInfo(int code, const QString &text);
    void Timer1Timer();
    // Takes one message and calls its handler.
    void processsocktimer();

    // Seat 1..5 gets a name: written to the state, then seatNameChanged.
    void setSeatName(int seat, const QString &name);

    void sendloginfo(const QString &args);
    void newplayerinfo(const QString &args);
    void playerdisconnected(const QString &args);

Q_SIGNALS:
    void chatLine(const QString &text, ColorRef color);
    void soundRequested(const QString &name);
    void ownArrival();                          // this copy is seated and known to all
    void closeRequested();                      // the session is over: end the program
    void notice(const QString &text);           // shown modally before closeRequested
    void seated();                              // the host gave this copy its seat
    void seatNameChanged(int seat, const QString &name); // seats 1..5, already in the state
    void seatEmptied(int seat);                 // its player left: no watching mark
    void status(const QString &text);           // for the board's status line
    void leadChanged(bool leads);               // this copy now starts games, or no longer
    // A handler failed on what the host sent (a field that is not a number, say); the
    // messages behind it are still handled.
    void dispatchFailed(const QString &text);

private:
    void connectFailed(const QString &errorText);
    void hostGone();
    void closed();
    void linkLost();
    void retryLink(const QString &errorText);
    void watchRow(const QString &command, const QString &arguments);
    bool rowClosedFor(const Message &message) const;
    void updateLead();
    void endSession(const QString &notice);
    void addline(const QString &text, ColorRef color = kSystemColor);

    ClientState &m_state;
    SpyList m_spies;
    TSock *m_sock = nullptr;
    QTimer *m_timer1 = nullptr;
    QElapsedTimer m_lastTick; // when Timer1 last ran: an early first tick keeps the spacing
    QTimer *m_retry = nullptr;
    QString m_host;
    QString m_lastFailure; // what the player was last told about connecting
    bool m_everConnected = false;
    bool m_hostGone = false; // the connection closed: what it brought is shown first
    bool m_ended = false;
    bool m_noticeShown = false; // its box is up
    bool m_removed = false;      // the host announced this copy's own departure
    bool m_reconnecting = false; // the link dropped; trying again
    bool m_leads = false;
    QDeadlineTimer m_reconnectUntil;
    std::array<QString, 10> m_namesBefore; // who sat where before the link dropped
    QTimer *m_seatOffer = nullptr;
    bool m_rowOpen = false;
    QElapsedTimer m_rowClock; // since this copy saw the open row begin
    MessageSplitter m_splitter;
    ReceiveQueue m_queue;
    CommandTable<> m_table;
    QList<std::function<bool()>> m_tickers;
    quint16 m_port = 7772;
};

} // namespace brelvox
