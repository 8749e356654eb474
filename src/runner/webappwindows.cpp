// SPDX-License-Identifier: GPL-3.0-or-later
#include "runner/webappwindows.h"

#include "runner/appwindow.h"
#include "runner/desktopopener.h"
#include "runner/newwindowpolicy.h"
#include "runner/originstrip.h"
#include "runner/popupwindow.h"
#include "runner/siterule.h"
#include "runner/webappbrowsing.h"
#include "runner/webbrowserex.h"
#include "shared/application.h"

#include <QWebEngineNewWindowRequest>

TWebAppWindows::TWebAppWindows(QWidget *mainWindow, std::shared_ptr<QWebEngineProfile> profile,
                               const QString &settingsGroup, QObject *parent)
    : QObject(parent)
    , FMainWindow(mainWindow)
    , FProfile(std::move(profile))
    , FSettingsGroup(settingsGroup)
{
}

TWebAppWindows::~TWebAppWindows()
{
    // Their pages must go before the profile does.
    for (const QPointer<TAppWindow> &window : std::as_const(FWindows))
        delete window.data();
}

void TWebAppWindows::SetHome(const QUrl &home)
{
    FHome = home;
}

void TWebAppWindows::Watch(TWebBrowserEx *browser, TWebAppBrowsing *browsing)
{
    connect(browser, &TWebBrowserEx::OnNewWindow, this,
            [this, browser, browsing](QWebEngineNewWindowRequest &request) {
                RunCommand([&] { NewWindowRequested(browser, browsing, request); });
            });
    connect(browser, &TWebBrowserEx::OnExternalLink, this,
            [browser](const QUrl &url) { OpenOnDesktop(browser->window(), url); });
    if (browsing) {
        browsing->SetHome(FHome);
        connect(browsing->BlockedWindowNotice(), &TBlockedWindowNotice::OpenRequested, this,
                [this, browser](const QUrl &url) {
                    RunCommand([&] { OpenForUser(browser->window(), url); });
                });
    }
}

QList<TAppWindow *> TWebAppWindows::Windows() const
{
    QList<TAppWindow *> windows;
    for (const QPointer<TAppWindow> &window : FWindows) {
        if (window)
            windows.append(window);
    }
    return windows;
}

void TWebAppWindows::CloseAll()
{
    for (TAppWindow *window : Windows())
        window->close();
}

void TWebAppWindows::OpenForUser(QWidget *from, const QUrl &url)
{
    if (IsBlankWindowUrl(url) || IsSameSite(FHome, url)) {
        TAppWindow *window = CreateAppWindow({}, false);
        window->Browser()->Navigate(url.isEmpty() ? QUrl(QStringLiteral("about:blank")) : url);
        window->show();
        return;
    }
    OpenOnDesktop(from, url);
}

void TWebAppWindows::NewWindowRequested(TWebBrowserEx *browser, TWebAppBrowsing *browsing,
                                        QWebEngineNewWindowRequest &request)
{
    const QUrl url = request.requestedUrl();
    const bool dialog = request.destination() == QWebEngineNewWindowRequest::InNewDialog;
    switch (NewWindowPlace(FHome, url, dialog, request.isUserInitiated())) {
    case TNewWindowPlace::App: {
        TAppWindow *window = CreateAppWindow(request.requestedGeometry(), IsBlankWindowUrl(url));
        request.openIn(window->Browser()->page());
        window->show();
        break;
    }
    case TNewWindowPlace::SignInPopup: {
        // Sign-in flows open small popups and talk to them; they stay in this profile.
        auto *popup = new TPopupWindow(browser->window(), FProfile, request.requestedGeometry(),
                                       IsBlankWindowUrl(url));
        Watch(popup->Browser(), nullptr);
        request.openIn(popup->Browser()->page());
        popup->show();
        break;
    }
    case TNewWindowPlace::Desktop:
        OpenOnDesktop(browser->window(), url);
        break;
    case TNewWindowPlace::Blocked:
        if (browsing)
            browsing->BlockedWindowNotice()->Block(url);
        break;
    }
}

TAppWindow *TWebAppWindows::CreateAppWindow(const QRect &requestedGeometry, bool openedBlank)
{
    auto *window = new TAppWindow(FProfile, FSettingsGroup, FHome, openedBlank, requestedGeometry,
                                  FMainWindow);
    Watch(window->Browser(), window->Browsing());
    FWindows.removeAll(nullptr);
    FWindows.append(window);
    return window;
}
