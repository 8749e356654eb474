// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QString>
#include <QUrl>
#include <QWebEngineView>
#include <functional>
#include <memory>

class QWebEngineNewWindowRequest;
class QWebEngineProfile;
class TPageDialogs;

// The browser host of a web app window: a web view with a page of its own in a profile chosen by
// its window, whose user agent the window can replace.
class TWebBrowserEx : public QWebEngineView
{
    Q_OBJECT

public:
    // Throws TLumivaneError when the web engine cannot start (see CheckWebEngineCanStart).
    explicit TWebBrowserEx(QWidget *owner);
    ~TWebBrowserEx() override;

    // Gives the host its own page in this profile, replacing any earlier page. The user agent is
    // a setting of the profile, so it is chosen after this. Without a call the host makes an
    // off-the-record profile on first use.
    void SetProfile(std::shared_ptr<QWebEngineProfile> profile);
    const std::shared_ptr<QWebEngineProfile> &Profile();

    // The text every request of this host carries as its user agent from now on. Empty leaves
    // the engine's own.
    QByteArray UserAgent() const { return FUserAgent; }
    void SetUserAgent(const QByteArray &userAgent);

    // Starts loading the address, given in the system's 8-bit encoding. Addresses without a
    // scheme are completed as a browser's address bar does; one that still cannot be loaded
    // throws TLumivaneError "Unable to open <url>".
    void Navigate(const QByteArray &url);
    void Navigate(const QUrl &url);

    // The title of the document on show.
    QString DocumentTitle() const;

    // Asked before the page itself goes to another web address (not its frames); false keeps it
    // where it is. Without one every such navigation goes ahead.
    void SetNavigationFilter(std::function<bool(const QUrl &url)> filter);

signals:
    // A navigation of the page has completed (also one that failed and shows an error page).
    void OnNavigateComplete2(const QUrl &url);
    // The page asks to close its window.
    void OnWindowClosing();
    // The page asks the user to confirm something (its leave prompt too), and the answer.
    void OnConfirmShown();
    void OnConfirmAnswered(bool accepted);
    // The page's process has ended (crashed, killed, or never started): nothing it would still
    // have done, such as loading a page, is coming.
    void OnPageProcessEnded();
    // The page asks for a new window. A request nobody opens opens nothing.
    void OnNewWindow(QWebEngineNewWindowRequest &request);
    // The user clicked a link that no page shows, of a program's scheme (mailto:, tel:...). The
    // engine tells of these only on the user's click or key; it hands nothing to the desktop.
    void OnExternalLink(const QUrl &url);

private:
    void RenderProcessEnded();

    std::shared_ptr<QWebEngineProfile> FProfile;
    QWebEnginePage *FPage = nullptr;
    TPageDialogs *FDialogs;
    QByteArray FUserAgent;
    QElapsedTimer FLastRecovery; // since the page last came back by itself after its process ended
    std::function<bool(const QUrl &)> FNavigationFilter;
};

// The web address a text names, completed as a browser's address bar does; throws
// TLumivaneError "Unable to open <text>" when it names none.
QUrl WebAddressFromText(const QByteArray &text);

// Throws TLumivaneError when the web engine's sandbox cannot start: it refuses to run as root
// unless the user turned it off with QTWEBENGINE_DISABLE_SANDBOX=1. We never turn it off
// ourselves. Called before any web engine object exists.
void CheckWebEngineCanStart();

// The web engine and its version as the running engine reports them, such as
// "Qt WebEngine 6.4.2 (Chromium 102.0.5005.177)". Throws TLumivaneError when the engine cannot
// start (see CheckWebEngineCanStart).
QString WebEngineVersion();

// The major and minor version of the running system ("6.1"); "0.0" when it cannot be read. On
// Linux these are the kernel release's.
QByteArray WindowsVersion();

// The user agents a web app can present.
QByteArray GetIPhoneUserAgent();
QByteArray GetIPadUserAgent();
QByteArray GetWindowsPhone7UserAgent();
// ieVersion is "10.0", "9.0", "8.0", "7.0" or "6.0"; anything else gives an empty text.
QByteArray GetIEUserAgent(const QByteArray &ieVersion, const QByteArray &windowsVersion);

// The user agent a mimic value selects (compared after lower-casing ASCII letters, untrimmed);
// empty when it selects none.
QByteArray MimicUserAgent(const QByteArray &mimic);

// Gives the host the user agent the mimic selects; a mimic that selects none changes nothing.
void ApplyMimic(TWebBrowserEx &browser, const QByteArray &mimic);
