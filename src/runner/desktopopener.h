// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QUrl>

class QWidget;

// What a site may hand to the desktop's opener, and only after the user's click or key:
// - web and mail addresses go to the user's default browser or mail program;
// - other schemes a site may legitimately use (tel:, magnet:, a meeting program's) go only
//   after the user agreed to that one link;
// - local files, scripts, inline data and the engine's own pages never do: they would let a site
//   start any program or open any file.
enum class TDesktopRule { Open, Ask, Never };

TDesktopRule DesktopRuleFor(const QUrl &url);

// The engine loads addresses of this scheme itself; any other belongs to a program of the desktop.
bool IsEngineScheme(const QUrl &url);

// Hands a link the user acted on to the desktop's opener as the rule says. Asks first when the
// rule says so, showing the whole address, Deny being the default; the answer is not kept.
// Returns whether the link went to the desktop.
bool OpenOnDesktop(QWidget *parent, const QUrl &url);
