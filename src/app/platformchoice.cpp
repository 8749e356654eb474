// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/platformchoice.h"

#include <QCoreApplication>
#include <QtGlobal>

namespace {
// Runs inside the application object's constructor, once Qt has read the variable: programs
// that we start (a link opened in the user's browser) then get the session's own platform.
void ForgetPlatformChoice()
{
    qunsetenv("QT_QPA_PLATFORM");
}
} // namespace

TPlatformEnvironment TPlatformEnvironment::FromProcess()
{
    return {qgetenv("QT_QPA_PLATFORM"), qgetenv("WAYLAND_DISPLAY"), qgetenv("XDG_SESSION_TYPE"),
            qgetenv("DISPLAY")};
}

QByteArray ChooseQtPlatform(const TPlatformEnvironment &environment)
{
    if (!environment.QtQpaPlatform.trimmed().isEmpty())
        return {};
    // Either sign means Qt, or a Qt built for Wayland, may put the windows there.
    const bool wayland = !environment.WaylandDisplay.isEmpty() ||
                         environment.SessionType.trimmed().toLower() == "wayland";
    if (wayland && !environment.Display.trimmed().isEmpty())
        return QByteArrayLiteral("xcb");
    return {};
}

void ApplyPlatformChoice()
{
    const QByteArray platform = ChooseQtPlatform(TPlatformEnvironment::FromProcess());
    if (platform.isEmpty())
        return;
    qputenv("QT_QPA_PLATFORM", platform);
    qAddPreRoutine(ForgetPlatformChoice);
}
