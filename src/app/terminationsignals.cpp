// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/terminationsignals.h"

#ifndef Q_OS_WIN
#include <QSocketNotifier>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
// The handler may only write: the number goes through a socket to the event loop.
int SignalSocket[2] = {-1, -1};
const int HandledSignals[] = {SIGTERM, SIGHUP, SIGINT};

void HandleSignal(int signalNumber)
{
    const int savedErrno = errno;
    const unsigned char number = static_cast<unsigned char>(signalNumber);
    [[maybe_unused]] const ssize_t written = ::write(SignalSocket[0], &number, 1);
    errno = savedErrno;
}
} // namespace
#endif

TTerminationSignals::TTerminationSignals(QObject *parent)
    : QObject(parent)
{
#ifndef Q_OS_WIN
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, SignalSocket) != 0)
        return;
    // A full socket drops a signal rather than blocking the handler.
    ::fcntl(SignalSocket[0], F_SETFL, ::fcntl(SignalSocket[0], F_GETFL) | O_NONBLOCK);
    ::fcntl(SignalSocket[1], F_SETFL, ::fcntl(SignalSocket[1], F_GETFL) | O_NONBLOCK);
    FNotifier = new QSocketNotifier(SignalSocket[1], QSocketNotifier::Read, this);
    connect(FNotifier, &QSocketNotifier::activated, this, &TTerminationSignals::ReadSignals);
    struct sigaction action = {};
    action.sa_handler = HandleSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signalNumber : HandledSignals)
        ::sigaction(signalNumber, &action, nullptr);
#endif
}

TTerminationSignals::~TTerminationSignals()
{
#ifndef Q_OS_WIN
    if (!FNotifier)
        return;
    for (const int signalNumber : HandledSignals)
        ::signal(signalNumber, SIG_DFL);
    delete FNotifier;
    ::close(SignalSocket[0]);
    ::close(SignalSocket[1]);
    SignalSocket[0] = SignalSocket[1] = -1;
#endif
}

#ifndef Q_OS_WIN
void TTerminationSignals::ReadSignals()
{
    unsigned char number = 0;
    while (::read(SignalSocket[1], &number, 1) == 1)
        emit Received(number);
}
#endif
