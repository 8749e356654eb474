// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

// A D-Bus session bus of the test's own, without the machine's startable services, so a test
// does not depend on the desktop session's bus.
class TPrivateBus
{
public:
    ~TPrivateBus()
    {
        FDaemon.kill();
        FDaemon.waitForFinished();
    }

    // Starts the bus; false when no dbus-daemon can run here.
    bool Start()
    {
        QFile config(FDir.filePath(QStringLiteral("bus.conf")));
        if (!config.open(QIODevice::WriteOnly))
            return false;
        config.write("<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration "
                     "1.0//EN\" \"http://www.freedesktop.org/standards/dbus/1.0/"
                     "busconfig.dtd\">\n<busconfig><type>session</type><listen>unix:dir=" +
                     QFile::encodeName(FDir.path()) +
                     "</listen><auth>EXTERNAL</auth><policy context=\"default\"><allow "
                     "receive_sender=\"*\"/><allow send_destination=\"*\"/><allow "
                     "own=\"*\"/></policy></busconfig>\n");
        config.close();
        FDaemon.start(QStringLiteral("dbus-daemon"),
                      {QStringLiteral("--config-file=") + config.fileName(),
                       QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
        if (!FDaemon.waitForStarted(5000) || !FDaemon.waitForReadyRead(5000))
            return false;
        FAddress = QString::fromLocal8Bit(FDaemon.readLine().trimmed());
        return !FAddress.isEmpty();
    }

    QString Address() const { return FAddress; }

private:
    QTemporaryDir FDir;
    QProcess FDaemon;
    QString FAddress;
};
