// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/webapp.h"

#include <QList>
#include <QRect>
#include <QString>

// A web app's last position and size, kept per user under "WebApps/<Id>" of the program's
// native settings (the registry on Windows) as the integers Left, Top, Width and Height.

// The settings group of a web app.
QString WindowPlacementGroup(const QByteArray &id);

// Writes what the record's remember flags select from the window's outer bounds.
void SaveWindowPlacement(const TWebApp &webApp, const QRect &outerBounds);

// The outer bounds after restoring what the record's flags select over the bounds the record
// itself gave. A value that is missing or not an integer keeps the given one; a position that
// would leave the window on none of the screens keeps the given position.
QRect RestoreWindowPlacement(const TWebApp &webApp, const QRect &outerBounds,
                             const QList<QRect> &screens);
