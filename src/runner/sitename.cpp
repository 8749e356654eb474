// SPDX-License-Identifier: GPL-3.0-or-later
#include "runner/sitename.h"

QString SiteName(const QUrl &url)
{
    if (url.host().isEmpty())
        return url.toDisplayString(QUrl::RemoveUserInfo | QUrl::RemoveQuery | QUrl::RemoveFragment);
    if (url.port() == -1)
        return url.host();
    return url.host() + u':' + QString::number(url.port());
}
