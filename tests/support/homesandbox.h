// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A home folder of the test's own while it lives: HOME names a temporary folder and the XDG
// folders that follow from it are not overridden, so whatever the code under test finds in or
// writes to the user's folders (desktop, menu entries, settings) stays in the test's folder.
// The old values come back when it ends.

#include <QByteArray>
#include <QList>
#include <QFile>
#include <QTemporaryDir>

class THomeSandbox
{
public:
    THomeSandbox()
    {
        for (const char *name : Variables)
            FSaved.append({name, qEnvironmentVariableIsSet(name), qgetenv(name)});
        qputenv("HOME", QFile::encodeName(FDir.path()));
        qunsetenv("XDG_CONFIG_HOME");
        qunsetenv("XDG_DATA_HOME");
    }
    ~THomeSandbox()
    {
        for (const TSaved &saved : FSaved) {
            if (saved.Set)
                qputenv(saved.Name, saved.Value);
            else
                qunsetenv(saved.Name);
        }
    }
    THomeSandbox(const THomeSandbox &) = delete;
    THomeSandbox &operator=(const THomeSandbox &) = delete;

    bool IsValid() const { return FDir.isValid(); }
    QString Path() const { return FDir.path(); }
    QString FilePath(const QString &name) const { return FDir.filePath(name); }

private:
    static constexpr const char *Variables[] = {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME"};
    struct TSaved
    {
        const char *Name;
        bool Set;
        QByteArray Value;
    };

    QTemporaryDir FDir;
    QList<TSaved> FSaved;
};
