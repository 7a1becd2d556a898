// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <QList>
#include <QObject>

#include <initializer_list>
#include <memory>

class QSocketNotifier;

namespace brelvox {

// Turns SIGINT, SIGTERM and the like into a signal on the event loop. The handler
// only writes one byte into a socket pair; everything else happens in the loop.
// One watcher per process; its signals get their default action back when it goes.
class SignalWatcher : public QObject
{
    Q_OBJECT
public:
    explicit SignalWatcher(QObject *parent = nullptr);
    ~SignalWatcher() override;

    // False (errno set) when the socket pair or a handler could not be set up.
    bool watch(std::initializer_list<int> signalNumbers);

Q_SIGNALS:
    void caught(int signalNumber);

private:
    void readPending();

    std::unique_ptr<QSocketNotifier> m_notifier;
    QList<int> m_watched;
};

} // namespace brelvox
