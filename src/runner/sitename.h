// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QUrl>

// How a site is named to the user in the runner's questions: its host, with the port when it is
// not the scheme's own; the whole address, without user name or query, when there is no host.
QString SiteName(const QUrl &url);
