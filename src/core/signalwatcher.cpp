// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#include "core/signalwatcher.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace brelvox {

namespace {

int g_pipe[2] = {-1, -1}; // [0] written by the handler, [1] read by the loop

extern "C" void onSignal(int signalNumber)
{
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    [[maybe_unused]] const ssize_t n = ::write(g_pipe[0], &byte, 1);
    errno = saved;
}

} // namespace

SignalWatcher::SignalWatcher(QObject *parent)
    : QObject(parent)
{
}

SignalWatcher::~SignalWatcher()
{
    for (const int signalNumber : m_watched)
        std::signal(signalNumber, SIG_DFL);
    m_notifier.reset();
    for (int &fd : g_pipe) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
}

bool SignalWatcher::watch(std::initializer_list<int> signalNumbers)
{
    if (g_pipe[0] < 0) {
        if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, g_pipe) != 0)
            return false;
        m_notifier = std::make_unique<QSocketNotifier>(g_pipe[1], QSocketNotifier::Read);
        connect(m_notifier.get(), &QSocketNotifier::activated, this, &SignalWatcher::readPending);
    }
    for (const int signalNumber : signalNumbers) {
        struct sigaction action = {};
        action.sa_handler = onSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        if (::sigaction(signalNumber, &action, nullptr) != 0)
            return false;
        m_watched.append(signalNumber);
    }
    return true;
}

void SignalWatcher::readPending()
{
    unsigned char byte = 0;
    while (::read(g_pipe[1], &byte, 1) == 1)
        Q_EMIT caught(int(byte));
}

} // namespace brelvox
