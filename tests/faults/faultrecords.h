// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The two records the fault tests alternate between, and the document they start from. Both
// records differ in every key, so a document holding a mixture of the two is told apart.

#include "document/webapp.h"

#include <QByteArray>

inline TWebApp RecordA()
{
    TWebApp webApp;
    webApp.Id = "{6B29FC40-CA47-1067-B31D-00DD010662DA}";
    webApp.URL = "https://a.example/mail?folder=inbox";
    webApp.Mimic = "Default";
    webApp.WindowStyle = 1;
    webApp.WindowSize = 1;
    webApp.WindowPosition = 2;
    webApp.Width = 1024;
    webApp.Height = 700;
    webApp.RememberLastPosition = true;
    webApp.ShowControlPanel = true;
    return webApp;
}

inline TWebApp RecordB()
{
    TWebApp webApp;
    webApp.Id = "{00000000-1111-2222-3333-444444444444}";
    webApp.URL = "http://b.example:8080/" + QByteArray(1500, 'b');
    webApp.Mimic = "iphone";
    webApp.WindowStyle = 4;
    webApp.WindowSize = 9;
    webApp.WindowPosition = 8;
    webApp.Width = -5;
    webApp.Height = 2147483647;
    webApp.Flip = true;
    webApp.StayOnTop = true;
    webApp.RememberLastSize = true;
    return webApp;
}

// A hand-edited document: foreign lines before, inside and after the section.
inline QByteArray ForeignDocument()
{
    return QByteArrayLiteral("; kept by hand\r\n"
                             "[Other]\r\n"
                             "URL=not ours\r\n"
                             "\r\n"
                             "[configuration]\r\n"
                             "url = https://old.example/\r\n"
                             "Extra=stays\r\n"
                             "# a comment line\r\n"
                             "\r\n"
                             "[Last]\r\n"
                             "Key=value");
}
