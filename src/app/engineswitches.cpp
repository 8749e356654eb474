// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/engineswitches.h"

#include <QDir>
#include <QFile>
#include <QtGlobal>

#ifndef Q_OS_WIN
#include <cctype>
#include <cstring>
#include <dirent.h>
#endif

namespace {
const QByteArray ChromiumFlags = QByteArrayLiteral("QTWEBENGINE_CHROMIUM_FLAGS");
const QByteArray GlIntegration = QByteArrayLiteral("QT_XCB_GL_INTEGRATION");
const QByteArray QuickBackend = QByteArrayLiteral("QT_QUICK_BACKEND");

QByteArray SwitchName(const QByteArray &option)
{
    const qsizetype equals = option.indexOf('=');
    return equals < 0 ? option : option.left(equals);
}

#ifndef Q_OS_WIN
// Whether `folder` holds an entry other than a folder whose name `accepts`. Read with readdir:
// Qt's listing of /dev costs most of a millisecond of every start, wildcard filters more.
bool HasDeviceEntry(const QString &folder, bool (*accepts)(const char *name))
{
    DIR *directory = opendir(QFile::encodeName(folder).constData());
    if (!directory)
        return false;
    bool found = false;
    while (const dirent *entry = readdir(directory)) {
        if (entry->d_type != DT_DIR && accepts(entry->d_name)) {
            found = true;
            break;
        }
    }
    closedir(directory);
    return found;
}

bool StartsWith(const char *name, const char *prefix)
{
    return std::strncmp(name, prefix, std::strlen(prefix)) == 0;
}
#endif
} // namespace

#ifndef Q_OS_WIN
bool HasGpuDevice(const QString &deviceRoot)
{
    const QString dri = QDir(deviceRoot).filePath(QStringLiteral("dri"));
    if (HasDeviceEntry(dri, [](const char *name) {
            return StartsWith(name, "renderD") || StartsWith(name, "card");
        }))
        return true;
    return HasDeviceEntry(deviceRoot, [](const char *name) {
        return StartsWith(name, "nvidia") && std::isdigit(static_cast<unsigned char>(name[6]));
    });
}
#endif

QByteArray MergeChromiumFlags(const QByteArray &flags, const QByteArrayList &switches)
{
    QByteArrayList named;
    for (const QByteArray &option : flags.simplified().split(' '))
        named.append(SwitchName(option));
    QByteArray merged = flags.trimmed();
    for (const QByteArray &option : switches) {
        if (named.contains(SwitchName(option)))
            continue;
        if (!merged.isEmpty())
            merged += ' ';
        merged += option;
    }
    return merged;
}

QMap<QByteArray, QByteArray> EngineEnvironment(bool gpuDevice,
                                               const QMap<QByteArray, QByteArray> &current)
{
    QMap<QByteArray, QByteArray> wanted;
    QByteArrayList switches{QByteArrayLiteral("--no-unsandboxed-zygote")};
    if (!gpuDevice) {
        // Qt's X11 windows without OpenGL need the software scene graph, or the engine's view
        // cannot draw; so the two go together, and a user who chose either keeps both as they
        // are.
        if (!current.contains(GlIntegration) && !current.contains(QuickBackend)) {
            wanted.insert(GlIntegration, QByteArrayLiteral("none"));
            wanted.insert(QuickBackend, QByteArrayLiteral("software"));
        }
        switches.append(QByteArrayLiteral("--disable-gpu"));
    }
    const QByteArray flags = current.value(ChromiumFlags);
    const QByteArray merged = MergeChromiumFlags(flags, switches);
    if (merged != flags)
        wanted.insert(ChromiumFlags, merged);
    return wanted;
}

void ApplyEngineEnvironment()
{
    QMap<QByteArray, QByteArray> current;
    for (const QByteArray &name : {ChromiumFlags, GlIntegration, QuickBackend}) {
        if (qEnvironmentVariableIsSet(name.constData()))
            current.insert(name, qgetenv(name.constData()));
    }
#ifdef Q_OS_WIN
    // Windows has no device files to look at, and its graphics stack falls back to software
    // by itself.
    const bool gpuDevice = true;
#else
    const bool gpuDevice = HasGpuDevice();
#endif
    const QMap<QByteArray, QByteArray> wanted = EngineEnvironment(gpuDevice, current);
    for (auto variable = wanted.cbegin(); variable != wanted.cend(); ++variable)
        qputenv(variable.key().constData(), variable.value());
}
