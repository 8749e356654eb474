// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/instanceobject.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

// Failures are silent: the object has no effect on this process, and start-up prints nothing.

#ifdef Q_OS_WIN

TInstanceObject::TInstanceObject(const QString &name)
    : FHandle(CreateMutexA(nullptr, FALSE, name.toLocal8Bit().constData()))
{
}

TInstanceObject::~TInstanceObject()
{
    if (FHandle)
        CloseHandle(FHandle);
}

QString TInstanceObject::LockFileName(const QString &name)
{
    return name;
}

#else

TInstanceObject::TInstanceObject(const QString &name)
{
    const QByteArray path = QFile::encodeName(LockFileName(name));
    // O_NOFOLLOW: in a shared temporary folder another user could plant a link.
    FDescriptor = ::open(path.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (FDescriptor < 0)
        FDescriptor = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    // Shared and non-blocking, so that instances never wait for each other.
    if (FDescriptor >= 0 && ::flock(FDescriptor, LOCK_SH | LOCK_NB) != 0) {
        ::close(FDescriptor);
        FDescriptor = -1;
    }
}

TInstanceObject::~TInstanceObject()
{
    if (FDescriptor >= 0)
        ::close(FDescriptor);
}

QString TInstanceObject::LockFileName(const QString &name)
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (QDir::isAbsolutePath(runtime) && QFileInfo(runtime).isDir())
        return QDir(runtime).filePath(name);
    return QDir(QDir::tempPath()).filePath(name + u'-' + QString::number(::getuid()));
}

#endif
