// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QUrl>

// Where a window that a page asks for goes, given the web app's own address. Only a request the
// user made (a click or a key the page acted on) opens anything; each one opens at most one
// window, as the engine takes the user's action with the first.
enum class TNewWindowPlace {
    App,         // a further window of the web app: the same site, or a blank one
    SignInPopup, // a small window with window features, any site: sign-in flows live in them
    Desktop,     // another site's page: the user's default browser (or the desktop's opener)
    Blocked,     // no user action: shown as a notice the user may act on
};

// dialog: the page asked for window features (a size, no toolbars), as sign-in popups do.
TNewWindowPlace NewWindowPlace(const QUrl &appUrl, const QUrl &requested, bool dialog,
                               bool userInitiated);

// A window opened blank is the web app's as long as it shows what its opener writes into it, or
// a page of the web app's site; its first navigation elsewhere goes to the desktop instead.
bool IsBlankWindowUrl(const QUrl &url);
