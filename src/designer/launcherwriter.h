// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Writes a desktop entry that starts one web app like any program: into the user's
// applications folder, so it shows in the applications menu, and on request onto the desktop.
// The entry is named after the web app's application id, so writing it again replaces it.
class TLauncherWriter
{
public:
    // The running program, the user's applications folder and desktop folder.
    TLauncherWriter();

    void SetProgram(const QString &program) { FProgram = program; }
    void SetApplicationsFolder(const QString &folder) { FApplicationsFolder = folder; }
    void SetDesktopFolder(const QString &folder) { FDesktopFolder = folder; }

    // The entry for the document at documentPath whose Id is id.
    QString DesktopEntry(const QString &documentPath, const QByteArray &id) const;

    // Writes the entry and returns the files written. Throws TLumivaneError
    // "Unable to write to <path>" when a file cannot be written.
    QStringList Write(const QString &documentPath, const QByteArray &id, bool onDesktop) const;

private:
    QString FProgram;
    QString FApplicationsFolder;
    QString FDesktopFolder;
};

// One argument of an Exec line, quoted when it holds a reserved character, with its percent
// signs doubled; the escapes of string values are not applied yet.
QString QuoteExecArgument(const QString &argument);

// A string value as a desktop entry stores it: backslashes, line breaks, tabs and a leading
// blank escaped.
QString EscapeDesktopValue(const QString &value);
