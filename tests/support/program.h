// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Starting a program from a test (the built one or a desktop tool) and waiting for its end, the
// one way every test does it: under TTimeout::Program, with the test's own event loop running,
// so the test server a program talks to keeps answering.

#include "support/wait.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <csignal>

// The built program, as CTest names it to every test.
inline QString ProgramBinary()
{
    return qEnvironmentVariable("LUMIVANE_BINARY");
}

// The environment the program gets: headless, with a home of the test's own holding its
// settings, data, cache and runtime folders, so nothing it remembers reaches the user's.
inline QProcessEnvironment ProgramEnvironment(const QString &home)
{
    // Qt warns about a runtime folder that others may enter, and that warning is output that
    // tests check for.
    const QString runtime = home + QStringLiteral("/runtime");
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("HOME"), home);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/config"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/data"));
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), home + QStringLiteral("/cache"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    return environment;
}

// Waits until the process has ended; false when it still runs after timeout ms.
[[nodiscard]] inline bool WaitForEnd(QProcess &process, int timeout = TTimeout::Program)
{
    return WaitFor([&process] { return process.state() == QProcess::NotRunning; }, timeout);
}

// Starts the process as set up and waits for its end; false when it did not start or did not
// end in time, and then it is ended.
[[nodiscard]] inline bool RunToEnd(QProcess &process)
{
    process.start();
    if (process.waitForStarted(TTimeout::Event) && WaitForEnd(process))
        return true;
    process.kill();
    process.waitForFinished(TTimeout::Event);
    return false;
}

// Whether the process catches SIGTERM. The program sets that up once its window is on
// screen, right before its event loop runs: a test sees from it that the program got through
// its start.
inline bool CatchesTermination(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("SigCgt:"))
            return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (SIGTERM - 1)) & 1;
    }
    return false;
}
