// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QUrl>
#include <memory>

class QRect;
class QWebEngineNewWindowRequest;
class QWebEngineProfile;
class QWidget;
class TAppWindow;
class TWebAppBrowsing;
class TWebBrowserEx;

// The windows a web app's pages open, and the links they hand to the desktop: same-site and
// blank windows open as further windows of the web app, sign-in popups as small windows of its
// profile, other sites' windows in the user's browser; nothing opens without the user's action,
// and what was blocked is shown in the window's notice. The main window owns it; the windows it
// opened close with the main window.
class TWebAppWindows : public QObject
{
    Q_OBJECT

public:
    TWebAppWindows(QWidget *mainWindow, std::shared_ptr<QWebEngineProfile> profile,
                   const QString &settingsGroup, QObject *parent = nullptr);
    ~TWebAppWindows() override;

    // The web app's own address, whose site is the web app's.
    void SetHome(const QUrl &home);
    const QUrl &Home() const { return FHome; }

    // Handles the new windows and the links of a program's scheme of this browser; browsing, when
    // given, shows the windows blocked.
    void Watch(TWebBrowserEx *browser, TWebAppBrowsing *browsing);

    // The further windows open now.
    QList<TAppWindow *> Windows() const;
    // Asks each further window to close; each page may ask to leave first.
    void CloseAll();

    // Opens an address the user asked for from a window: in the web app when it is of its site
    // (or blank), else on the desktop.
    void OpenForUser(QWidget *from, const QUrl &url);

private:
    void NewWindowRequested(TWebBrowserEx *browser, TWebAppBrowsing *browsing,
                            QWebEngineNewWindowRequest &request);
    TAppWindow *CreateAppWindow(const QRect &requestedGeometry, bool openedBlank);

    QWidget *FMainWindow;
    std::shared_ptr<QWebEngineProfile> FProfile;
    QString FSettingsGroup;
    QUrl FHome;
    QList<QPointer<TAppWindow>> FWindows;
};
