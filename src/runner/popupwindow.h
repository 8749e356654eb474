// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QWidget>
#include <memory>

class QWebEngineProfile;
class TWebBrowserEx;

// A small window for a popup that a page opens with window features (typically a sign-in
// dialog). It shares the opener's profile, so the sign-in reaches the web app, and closes when
// its page asks to.
class TPopupWindow : public QWidget
{
    Q_OBJECT

public:
    // openedBlank: the page opened it without an address, to write into it or send it somewhere.
    TPopupWindow(QWidget *owner, std::shared_ptr<QWebEngineProfile> profile,
                 const QRect &requestedGeometry, bool openedBlank);

    TWebBrowserEx *Browser() const { return FBrowser; }

private:
    TWebBrowserEx *FBrowser;
};
