// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Reading and writing whole files in tests, and whether the test runs as root (which file
// permissions do not stop).

#include <QByteArray>
#include <QFile>
#include <QString>

#include <unistd.h>

// The file's bytes, or "<unreadable>" (never a file's contents in these tests).
inline QByteArray ReadAll(const QString &fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

inline QString ReadText(const QString &fileName)
{
    return QString::fromUtf8(ReadAll(fileName));
}

inline bool WriteAll(const QString &fileName, const QByteArray &bytes)
{
    QFile file(fileName);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

inline bool IsRoot()
{
    return ::geteuid() == 0;
}
