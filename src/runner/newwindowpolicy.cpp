// SPDX-License-Identifier: GPL-3.0-or-later
#include "runner/newwindowpolicy.h"

#include "runner/siterule.h"

TNewWindowPlace NewWindowPlace(const QUrl &appUrl, const QUrl &requested, bool dialog,
                               bool userInitiated)
{
    if (!userInitiated)
        return TNewWindowPlace::Blocked;
    const QString scheme = requested.scheme().toLower();
    const bool web = scheme == u"http" || scheme == u"https";
    if (dialog && (web || IsBlankWindowUrl(requested)))
        return TNewWindowPlace::SignInPopup;
    if (IsBlankWindowUrl(requested) || IsSameSite(appUrl, requested))
        return TNewWindowPlace::App;
    return TNewWindowPlace::Desktop;
}

bool IsBlankWindowUrl(const QUrl &url)
{
    // The engine names a window opened blank about:blank#blocked until its opener writes into it
    // or sends it somewhere.
    return url.isEmpty() || url.matches(QUrl(QStringLiteral("about:blank")), QUrl::RemoveFragment);
}
