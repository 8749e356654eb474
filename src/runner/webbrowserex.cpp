// SPDX-License-Identifier: GPL-3.0-or-later
#include "runner/webbrowserex.h"

#include "document/lumivaneerror.h"
#include "document/webapp.h"
#include "runner/browsingprofile.h"
#include "runner/desktopopener.h"
#include "runner/pagedialogs.h"
#include "runner/signinprompt.h"

#include <QAuthenticator>
#include <QCoreApplication>
#include <QRegularExpression>
#include <QTimer>
#include <QUuid>
#include <QWebEngineNewWindowRequest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QtWebEngineCore/qtwebenginecoreglobal.h>
#include <functional>

#ifdef Q_OS_UNIX
#include <sys/utsname.h>
#include <unistd.h>
#endif
#ifdef Q_OS_WIN
#include <windows.h>
#endif

TWebBrowserEx::TWebBrowserEx(QWidget *owner)
    : QWebEngineView(owner)
{
    CheckWebEngineCanStart();
    setObjectName(QStringLiteral("Browser"));
    FDialogs = new TPageDialogs(this);
    connect(FDialogs, &TPageDialogs::ConfirmShown, this, &TWebBrowserEx::OnConfirmShown);
    connect(FDialogs, &TPageDialogs::ConfirmAnswered, this, &TWebBrowserEx::OnConfirmAnswered);
}

TWebBrowserEx::~TWebBrowserEx()
{
    // The page must go before the profile it lives in.
    delete FPage;
}

namespace {

// The page of a web app window. Its script may close the window at any time: the engine lets a
// script close only a window that a script opened, or one that has not navigated yet, so the
// page's close() is replaced by one that tells the window through the console, with a text the
// page cannot guess before it runs.
class TBrowserPage : public QWebEnginePage
{
public:
    TBrowserPage(QWebEngineProfile *profile, QObject *parent)
        : QWebEnginePage(profile, parent)
        , FCloseMessage(QStringLiteral("close ") +
                        QUuid::createUuid().toString(QUuid::WithoutBraces))
    {
        QWebEngineScript closing;
        closing.setName(QStringLiteral("closing"));
        closing.setInjectionPoint(QWebEngineScript::DocumentCreation);
        closing.setWorldId(QWebEngineScript::MainWorld);
        closing.setRunsOnSubFrames(false);
        // The console's own function is kept before the page's scripts could replace it.
        closing.setSourceCode(QStringLiteral("(function () {\n"
                                             "  var tell = console.info.bind(console);\n"
                                             "  window.close = function close() {\n"
                                             "    if (this === window) tell('%1');\n"
                                             "  };\n"
                                             "})();")
                                  .arg(FCloseMessage));
        scripts().insert(closing);

        // Links of a program's scheme reach us only from the user's click or key, and the
        // engine hands none to the desktop itself (see acceptNavigationRequest).
        settings()->setUnknownUrlSchemePolicy(
            QWebEngineSettings::AllowUnknownUrlSchemesFromUserInteraction);
    }

    TPageDialogs *Dialogs = nullptr;
    std::function<void(const QUrl &)> ExternalLink;
    std::function<bool(const QUrl &)> NavigationFilter;

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override
    {
        if (!IsEngineScheme(url)) {
            // Asked only on the user's action; the engine would open it on the desktop itself.
            ExternalLink(url);
            return false;
        }
        if (isMainFrame && NavigationFilter && !NavigationFilter(url))
            return false;
        return QWebEnginePage::acceptNavigationRequest(url, type, isMainFrame);
    }

    void javaScriptAlert(const QUrl &securityOrigin, const QString &message) override
    {
        Dialogs->Show(TPageDialogs::TKind::Alert, securityOrigin, message);
    }

    bool javaScriptConfirm(const QUrl &securityOrigin, const QString &message) override
    {
        // The engine asks its leave prompt as a confirmation with this text of its own.
        static const QString leaveQuestion = QCoreApplication::translate(
            "QWebEnginePage",
            "Are you sure you want to leave this page? Changes that you made may not be saved.");
        return Dialogs->Show(message == leaveQuestion ? TPageDialogs::TKind::Leave
                                                      : TPageDialogs::TKind::Confirm,
                             securityOrigin, message);
    }

    bool javaScriptPrompt(const QUrl &securityOrigin, const QString &message,
                          const QString &defaultValue, QString *result) override
    {
        QString text = defaultValue;
        if (!Dialogs->Show(TPageDialogs::TKind::Prompt, securityOrigin, message, &text))
            return false;
        *result = text;
        return true;
    }

    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString &message,
                                  int lineNumber, const QString &sourceID) override
    {
        if (level == InfoMessageLevel && message == FCloseMessage) {
            emit windowCloseRequested();
            return;
        }
        QWebEnginePage::javaScriptConsoleMessage(level, message, lineNumber, sourceID);
    }

private:
    const QString FCloseMessage;
};

} // namespace

void TWebBrowserEx::SetProfile(std::shared_ptr<QWebEngineProfile> profile)
{
    QWebEnginePage *old = FPage;
    FProfile = std::move(profile);
    auto *page = new TBrowserPage(FProfile.get(), this);
    page->Dialogs = FDialogs;
    page->ExternalLink = [this](const QUrl &url) { emit OnExternalLink(url); };
    page->NavigationFilter = [this](const QUrl &url) {
        return !FNavigationFilter || FNavigationFilter(url);
    };
    FPage = page;
    connect(FPage, &QWebEnginePage::loadFinished, FDialogs, &TPageDialogs::PageLoaded);
    connect(FPage, &QWebEnginePage::loadFinished, this,
            [this] { emit OnNavigateComplete2(FPage->url()); });
    connect(FPage, &QWebEnginePage::windowCloseRequested, this, &TWebBrowserEx::OnWindowClosing);
    connect(FPage, &QWebEnginePage::newWindowRequested, this, &TWebBrowserEx::OnNewWindow);
    // The dialogs run while the engine waits for the answer, as the signals require.
    connect(FPage, &QWebEnginePage::authenticationRequired, this,
            [this](const QUrl &url, QAuthenticator *authenticator) {
                AskForSignIn(window(), url, authenticator);
            });
    connect(FPage, &QWebEnginePage::proxyAuthenticationRequired, this,
            [this](const QUrl &, QAuthenticator *authenticator, const QString &proxyHost) {
                AskForProxySignIn(window(), proxyHost, authenticator);
            });
    connect(FPage, &QWebEnginePage::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus status) {
                emit OnPageProcessEnded();
                if (status != QWebEnginePage::NormalTerminationStatus)
                    RenderProcessEnded();
            });
    setPage(FPage);
    delete old;
}

const std::shared_ptr<QWebEngineProfile> &TWebBrowserEx::Profile()
{
    if (!FProfile)
        SetProfile(OffTheRecordBrowsingProfile());
    return FProfile;
}

void TWebBrowserEx::SetUserAgent(const QByteArray &userAgent)
{
    FUserAgent = userAgent;
    // An empty text puts the engine's own user agent back.
    Profile()->setHttpUserAgent(QString::fromLocal8Bit(userAgent));
}

QUrl WebAddressFromText(const QByteArray &url)
{
    const QString text = QString::fromLocal8Bit(url);
    QUrl target(text, QUrl::TolerantMode);
    if (target.isRelative() && !text.trimmed().isEmpty())
        target = QUrl::fromUserInput(text);
    if (text.trimmed().isEmpty() || !target.isValid())
        throw TLumivaneError(QCoreApplication::translate("TLumivaneError", "Unable to open ") +
                             text);
    return target;
}

void TWebBrowserEx::Navigate(const QByteArray &url)
{
    Navigate(WebAddressFromText(url));
}

void TWebBrowserEx::SetNavigationFilter(std::function<bool(const QUrl &)> filter)
{
    FNavigationFilter = std::move(filter);
}

void TWebBrowserEx::Navigate(const QUrl &url)
{
    Profile();
    FPage->load(url);
}

QString TWebBrowserEx::DocumentTitle() const
{
    return FPage ? FPage->title() : QString();
}

void TWebBrowserEx::RenderProcessEnded()
{
    // The page's process crashed or was killed, and the window shows nothing at all. The page
    // comes back once by itself; one that ends its process again soon after is left for the
    // user to reload (F5), so that it cannot keep the machine busy crashing.
    constexpr qint64 RecoveryInterval = 30000;
    if (FLastRecovery.isValid() && FLastRecovery.elapsed() < RecoveryInterval)
        return;
    FLastRecovery.start();
    QTimer::singleShot(0, FPage, [page = FPage] { page->triggerAction(QWebEnginePage::Reload); });
}

QString WebEngineVersion()
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
    const QString engine = QString::fromLatin1(qWebEngineVersion());
    const QString chromium = QString::fromLatin1(qWebEngineChromiumVersion());
#else
    // Older engines tell their versions only in the user agent they present, which their
    // profiles know once the engine runs.
    CheckWebEngineCanStart();
    const QString userAgent = QWebEngineProfile().httpUserAgent();
    const auto token = [&userAgent](const QString &name) {
        return QRegularExpression(name + QStringLiteral("/([^ ]+)")).match(userAgent).captured(1);
    };
    const QString engine = token(QStringLiteral("QtWebEngine"));
    const QString chromium = token(QStringLiteral("Chrome"));
#endif
    return QStringLiteral("Qt WebEngine %1 (Chromium %2)")
        .arg(engine.isEmpty() ? QStringLiteral("?") : engine,
             chromium.isEmpty() ? QStringLiteral("?") : chromium);
}

void CheckWebEngineCanStart()
{
#ifdef Q_OS_UNIX
    if (geteuid() != 0)
        return;
    if (!qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        return;
    if (qEnvironmentVariable("QTWEBENGINE_CHROMIUM_FLAGS").contains(QStringLiteral("--no-sandbox")))
        return;
    throw TLumivaneError(QCoreApplication::translate(
        "TLumivaneError", "The web engine cannot run as root with its sandbox on. Run "
                          "Lumivane as an ordinary user, or set "
                          "QTWEBENGINE_DISABLE_SANDBOX=1 to run it as root without the "
                          "sandbox"));
#endif
}

QByteArray WindowsVersion()
{
    static const QByteArray version = [] {
        int major = 0;
        int minor = 0;
#ifdef Q_OS_WIN
        OSVERSIONINFOA info{};
        info.dwOSVersionInfoSize = sizeof(info);
#ifdef _MSC_VER
#pragma warning(push)
#pragma warning(disable : 4996) // deprecated, but it is the query the version texts name
#endif
        if (GetVersionExA(&info)) {
            major = int(info.dwMajorVersion);
            minor = int(info.dwMinorVersion);
        }
#ifdef _MSC_VER
#pragma warning(pop)
#endif
#elif defined(Q_OS_UNIX)
        utsname name{};
        if (uname(&name) == 0 && sscanf(name.release, "%d.%d", &major, &minor) != 2)
            major = minor = 0;
        if (major < 0 || minor < 0)
            major = minor = 0;
#endif
        return QByteArray::number(major) + '.' + QByteArray::number(minor);
    }();
    return version;
}

QByteArray GetIPhoneUserAgent()
{
    return QByteArrayLiteral(
        "Mozilla/5.0 (iPhone; U; CPU like Mac OS X; en) AppleWebKit/420+ (KHTML, like Gecko) "
        "Version/3.0 Mobile/1A543a Safari/419.3");
}

QByteArray GetIPadUserAgent()
{
    return QByteArrayLiteral(
        "Mozilla/5.0 (iPad; U; CPU OS 3_2 like Mac OS X; en-us) AppleWebKit/531.21.10 (KHTML, "
        "like Gecko) Version/4.0.4 Mobile/7B334b Safari/531.21.10");
}

QByteArray GetWindowsPhone7UserAgent()
{
    return QByteArrayLiteral(
        "Mozilla/4.0 (compatible; MSIE 7.0; Windows Phone OS 7.0; Trident/3.1; IEMobile/7.0)");
}

QByteArray GetIEUserAgent(const QByteArray &ieVersion, const QByteArray &windowsVersion)
{
    static const struct
    {
        const char *Version;
        const char *Template;
    } templates[] = {
        {"10.0", "Mozilla/5.0 (compatible; MSIE 10.0; Windows NT %s; Trident/5.0)"},
        {"9.0", "Mozilla/5.0 (compatible; MSIE 9.0; Windows NT %s; Trident/5.0)"},
        {"8.0", "Mozilla/4.0 (compatible; MSIE 8.0; Windows NT %s; Trident/4.0)"},
        {"7.0", "Mozilla/4.0 (compatible; MSIE 7.0; Windows NT %s)"},
        {"6.0", "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT %s)"},
    };
    for (const auto &entry : templates) {
        if (ieVersion == entry.Version)
            return QByteArray(entry.Template).replace("%s", windowsVersion);
    }
    return {};
}

QByteArray MimicUserAgent(const QByteArray &mimic)
{
    // The entries of MimicTexts, in its order; the designer shows the same list.
    static const char *const ieVersions[] = {"10.0", "9.0", "8.0", "7.0", "6.0"};
    const int index = MimicIndex(mimic);
    if (index == 0)
        return GetWindowsPhone7UserAgent();
    if (index == 1)
        return GetIPhoneUserAgent();
    if (index == 2)
        return GetIPadUserAgent();
    if (index >= 3 && index < 3 + int(std::size(ieVersions)))
        return GetIEUserAgent(ieVersions[index - 3], WindowsVersion());
    return {};
}

void ApplyMimic(TWebBrowserEx &browser, const QByteArray &mimic)
{
    const QByteArray userAgent = MimicUserAgent(mimic);
    if (!userAgent.isEmpty())
        browser.SetUserAgent(userAgent);
}
