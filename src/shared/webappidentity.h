// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// How the desktop tells web apps apart. The runner, the designer's launchers and the installed
// desktop entries all derive these names from a document's Id, so they must agree.
//
// The Id comes from a file anyone can edit; only a hash of it reaches file names and window
// classes, so no Id can name a path outside our folders or an odd window class.

// The application id of a web app: its desktop file name (without ".desktop"), its window class
// and the name of its launcher, "lumivane-" followed by twelve hexadecimal digits.
QString WebAppApplicationId(const QByteArray &id);

// Where the runner keeps the site's icon (PNG) for launchers: in the "icons" folder of the
// program's data folder, named after the application id.
QString WebAppIconPath(const QByteArray &id);
