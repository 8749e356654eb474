// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

// Native Wayland clients cannot place their windows or learn where they are, so a web app's
// position and remembered placement would be lost there. In a Wayland session that also offers
// an X server (XWayland), the program asks Qt for its X11 platform instead, unless the user
// chose a platform.

// The variables the choice depends on, as the environment holds them (empty when unset).
struct TPlatformEnvironment
{
    QByteArray QtQpaPlatform;  // QT_QPA_PLATFORM: the user's explicit choice
    QByteArray WaylandDisplay; // WAYLAND_DISPLAY
    QByteArray SessionType;    // XDG_SESSION_TYPE
    QByteArray Display;        // DISPLAY: an X server to connect to

    static TPlatformEnvironment FromProcess();
};

// The platform to ask Qt for, or empty to leave Qt's own choice in force.
QByteArray ChooseQtPlatform(const TPlatformEnvironment &environment);

// Sets QT_QPA_PLATFORM from ChooseQtPlatform for the application object about to be made, and
// removes it again once that object has read it. Call before the application object exists.
void ApplyPlatformChoice();
