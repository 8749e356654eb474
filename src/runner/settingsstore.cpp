// SPDX-License-Identifier: GPL-3.0-or-later
#include "runner/settingsstore.h"

#if !defined(Q_OS_WIN) && !defined(Q_OS_DARWIN)
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QMap>
#include <QTemporaryFile>
#include <QUuid>
#include <cstdio>
#endif

namespace {
#if !defined(Q_OS_WIN) && !defined(Q_OS_DARWIN)
// Two windows closing at once wait for each other this long at most; a closing window is not
// held up longer for its settings.
constexpr int LockWaitMs = 1000;

// What a store holds, in a form that compares equal whether a value was just set or read back.
QMap<QString, QString> Contents(const QSettings &settings)
{
    QMap<QString, QString> contents;
    for (const QString &key : settings.allKeys()) {
        const QVariant value = settings.value(key);
        contents.insert(key, value.typeId() == QMetaType::QStringList
                                 ? value.toStringList().join(QChar(0))
                                 : value.toString());
    }
    return contents;
}

bool Rename(const QString &from, const QString &to)
{
    // Replaces the target in one step, which QFile::rename does not.
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}
#endif
} // namespace

QSettings OpenSettingsStore()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Veldrane"),
                     QStringLiteral("Lumivane"));
}

bool ChangeSettingsStore(const std::function<void(QSettings &)> &change)
{
#if defined(Q_OS_WIN) || defined(Q_OS_DARWIN)
    // The system's own store takes each value whole.
    QSettings store = OpenSettingsStore();
    change(store);
    store.sync();
    return store.status() == QSettings::NoError;
#else
    // The settings class writes its file through a buffer whose failed flush it misses (Qt 6.4),
    // and a full disk left the store empty or cut short: every web app's settings were lost. So
    // the change is made on a copy, the copy is read back under a name the class has not seen
    // (it would answer from its cache), and only a copy that holds everything replaces the store.
    QString path = OpenSettingsStore().fileName();
    const QFileInfo info(path);
    if (info.isSymLink())
        path = info.symLinkTarget(); // the link stays, its target is replaced
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        return false;
    // The lock the settings class itself takes for this file.
    QLockFile lock(path + QStringLiteral(".lock"));
    if (!lock.tryLock(LockWaitMs))
        return false;

    QString copyName;
    {
        QTemporaryFile copy(path + QStringLiteral(".XXXXXX"));
        if (!copy.open())
            return false;
        QFile old(path);
        if (old.exists()) {
            if (!old.open(QIODevice::ReadOnly))
                return false;
            const QByteArray text = old.readAll();
            if (copy.write(text) != text.size() || !copy.flush())
                return false;
            copy.setPermissions(old.permissions());
        } else {
            copy.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                QFile::ReadOther);
        }
        copy.setAutoRemove(false);
        copyName = copy.fileName();
    }
    const QString checkedName =
        folder + QStringLiteral("/.Lumivane-") + QUuid::createUuid().toString(QUuid::Id128);
    const auto fail = [&] {
        QFile::remove(copyName);
        QFile::remove(checkedName);
        return false;
    };

    QMap<QString, QString> expected;
    bool edited = false;
    {
        QSettings edit(copyName, QSettings::IniFormat);
        change(edit);
        edit.sync();
        edited = edit.status() == QSettings::NoError;
        expected = Contents(edit);
    }
    if (!edited || !Rename(copyName, checkedName))
        return fail();
    if (Contents(QSettings(checkedName, QSettings::IniFormat)) != expected)
        return fail();
    // The settings class tells a changed file by its size and time, to the millisecond. Two
    // changes of one size within a tick of the file system's clock (one or a few milliseconds:
    // a zoom key pressed twice) would look unchanged to it, and it would go on answering from
    // its cache. So the new store is made newer than the one it replaces; where its time cannot
    // be set, the change is still kept, only seen later.
    const QFileInfo replaced(path);
    if (replaced.exists() && QFileInfo(checkedName).lastModified() <= replaced.lastModified()) {
        QFile checked(checkedName);
        if (checked.open(QIODevice::ReadOnly))
            checked.setFileTime(replaced.lastModified().addMSecs(1),
                                QFileDevice::FileModificationTime);
    }
    if (!Rename(checkedName, path))
        return fail();
    return true;
#endif
}
