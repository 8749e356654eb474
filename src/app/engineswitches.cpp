#include "engineswitches.h"

#include <QDir>
#include <QtGlobal>

namespace {
const QByteArray ChromiumFlags = QByteArrayLiteral("QTWEBENGINE_CHROMIUM_FLAGS");
const QByteArray GlIntegration = QByteArrayLiteral("QT_XCB_GL_INTEGRATION");
const QByteArray QuickBackend = QByteArrayLiteral("QT_QUICK_BACKEND");

QByteArray SwitchName(const QByteArray &option)
{
    const qsizetype equals = option.indexOf('=');
    return equals < 0 ? option : option.left(equals);
}
} // namespace

bool HasGpuDevice(const QString &deviceRoot)
{
    const QDir root(deviceRoot);
    const QDir dri(root.filePath(QStringLiteral("dri")));
    const QDir::Filters files = QDir::Files | QDir::System;
    if (!dri.entryList({QStringLiteral("renderD*"), QStringLiteral("card*")}, files).isEmpty())
        return true;
    return !root.entryList({QStringLiteral("nvidia[0-9]*")}, files).isEmpty();
}

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
    const QMap<QByteArray, QByteArray> wanted = EngineEnvironment(HasGpuDevice(), current);
    for (auto variable = wanted.cbegin(); variable != wanted.cend(); ++variable)
        qputenv(variable.key().constData(), variable.value());
}
