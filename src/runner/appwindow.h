// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QTimer>
#include <QUrl>
#include <QWidget>
#include <memory>

class QWebEngineProfile;
class TWebAppBrowsing;
class TWebBrowserEx;
class TWrittenBlankCopy;

// A further window of a web app, for a page of its site that a page opened in a window of its
// own (a document, a print view). It shares the web app's profile, and with it the sign-in, the
// user agent, downloads and notifications, and has the everyday browsing of the main window.
// Closing it lets its page ask to leave; it never ends the program.
class TAppWindow : public QWidget
{
    Q_OBJECT

public:
    // openedBlank: the page opened it without an address, to write into it or to send it
    // somewhere; its first navigation to another site goes to the desktop instead, and the
    // window closes.
    TAppWindow(std::shared_ptr<QWebEngineProfile> profile, const QString &settingsGroup,
               const QUrl &home, bool openedBlank, const QRect &requestedGeometry,
               QWidget *mainWindow);
    ~TAppWindow() override;

    TWebBrowserEx *Browser() const { return FBrowser; }
    TWebAppBrowsing *Browsing() const { return FBrowsing; }

    // How long closing waits for the page to agree before the window closes regardless.
    static constexpr int ClosingWaitMs = 5000;

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    bool FirstNavigation(const QUrl &url);
    void CloseNow();
    void LayOut();

    TWebBrowserEx *FBrowser;
    TWebAppBrowsing *FBrowsing;
    QUrl FHome;
    bool FOpenedBlank;
    TWrittenBlankCopy *FWrittenCopy = nullptr; // while the page it opened blank shows a copy
    bool FClosing = false;                     // asked to close, waiting for the page
    bool FCloseAccepted = false;
    QTimer FClosingWait;
};
