// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QSocketNotifier;

// The signals a desktop sends a program it wants gone (SIGTERM at logout or shutdown, SIGHUP,
// SIGINT from a terminal), turned into a Qt signal, so that the program can close its window as
// the user would: a web app then writes its cookies and where its window was. By default the
// process died on the spot. One at a time; nothing happens on Windows.
class TTerminationSignals : public QObject
{
    Q_OBJECT

public:
    explicit TTerminationSignals(QObject *parent = nullptr);
    ~TTerminationSignals() override;

signals:
    // Emitted in the event loop, once per signal received.
    void Received(int signalNumber);

private:
#ifndef Q_OS_WIN
    void ReadSignals();
    QSocketNotifier *FNotifier = nullptr;
#endif
};
