// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/webapp.h"

#include <QSize>
#include <QUrl>

// The record most window tests run: one page in a window of a set size, nothing remembered.
// Tests change the fields they are about.
inline TWebApp TestWebApp(const QUrl &url, QSize size = {640, 480})
{
    TWebApp webApp;
    webApp.Id = "{7E57AB1E-0000-4000-8000-000000000001}";
    webApp.URL = url.toEncoded();
    webApp.WindowSize = wsCustom;
    webApp.Width = size.width();
    webApp.Height = size.height();
    return webApp;
}
