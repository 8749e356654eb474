// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up: the command line decides the program's role.
#pragma once

#include <QString>
#include <QStringList>

enum class TStartRole {
    Designer, // no arguments
    Runner,   // "/l" and the path of an existing file
    None,     // anything else: the process ends at once, silently
};

struct TStartDecision
{
    TStartRole Role = TStartRole::None;
    QString FirstArgument; // lower-cased
    QString DocumentPath;  // exactly as passed
};

// Lower-cases the letters A to Z and nothing else, so that no locale can make another
// character equal to "l".
QString LowerAscii(QString text);

// True only for a regular file (or a link to one): not a directory, FIFO or device.
bool IsExistingFile(const QString &path);

// The role for the arguments after the program name. Arguments after the second are ignored.
TStartDecision DecideRole(const QStringList &arguments);

// The whole program: returns the process's exit code.
int RunLumivane(int argc, char **argv);
