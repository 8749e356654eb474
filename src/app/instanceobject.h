// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// A named object that exists while any instance of the program runs. Nothing waits on it: a
// second instance opens the same object and goes on. On Windows it is a named mutex; elsewhere
// a shared lock on a file of that name in the user's runtime folder, which a script can test
// with "flock -n -x".
class TInstanceObject
{
public:
    explicit TInstanceObject(const QString &name);
    ~TInstanceObject();

    TInstanceObject(const TInstanceObject &) = delete;
    TInstanceObject &operator=(const TInstanceObject &) = delete;

    // The lock file of the object called name: $XDG_RUNTIME_DIR/name, or, without a runtime
    // folder, name-<user id> in the temporary folder.
    static QString LockFileName(const QString &name);

private:
#ifdef Q_OS_WIN
    void *FHandle = nullptr;
#else
    int FDescriptor = -1;
#endif
};
