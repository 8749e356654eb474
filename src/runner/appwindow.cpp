// SPDX-License-Identifier: GPL-3.0-or-later
#include "runner/appwindow.h"

#include "runner/desktopopener.h"
#include "runner/newwindowpolicy.h"
#include "runner/siterule.h"
#include "runner/webappbrowsing.h"
#include "runner/webbrowserex.h"
#include "runner/writtenblankcopy.h"
#include "shared/shellhelpers.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWebEngineDownloadRequest>
#include <QWebEngineFullScreenRequest>
#include <QWebEngineProfile>
#include <QWebEngineSettings>

TAppWindow::TAppWindow(std::shared_ptr<QWebEngineProfile> profile, const QString &settingsGroup,
                       const QUrl &home, bool openedBlank, const QRect &requestedGeometry,
                       QWidget *mainWindow)
    // A window of its own on the taskbar, not the main one's child; but a main window shown
    // modally (the designer's preview) would block it, unless it belongs to that window.
    : QWidget(mainWindow->isModal() ? mainWindow : nullptr, Qt::Window)
    , FBrowser(new TWebBrowserEx(this))
    , FHome(home)
    , FOpenedBlank(openedBlank)
{
    setObjectName(QStringLiteral("AppWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    QWebEngineProfile *engineProfile = profile.get();
    FBrowser->SetProfile(std::move(profile));
    FBrowsing = new TWebAppBrowsing(this, FBrowser, nullptr, settingsGroup, this,
                                    TWebAppBrowsing::TScope::FurtherWindow);
    FBrowsing->SetHome(FHome);
    connect(FBrowsing, &TWebAppBrowsing::LayoutChanged, this, &TAppWindow::LayOut);
    if (FOpenedBlank && TWrittenBlankCopy::Needed()) {
        FWrittenCopy = new TWrittenBlankCopy(FBrowser, this);
        connect(FWrittenCopy, &TWrittenBlankCopy::ShownChanged, this, &TAppWindow::LayOut);
    }

    // What the page asked for, on screen and of a usable size; else the main window's size, a
    // little apart from it so that both can be seen.
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const bool sizeAsked = requestedGeometry.size().isValid() && !requestedGeometry.isEmpty();
    QSize size = sizeAsked ? requestedGeometry.size() : mainWindow->size();
    size = size.expandedTo(QSize(200, 150)).boundedTo(screen.size());
    resize(size);
    if (sizeAsked && requestedGeometry.topLeft() != QPoint(0, 0) &&
        screen.contains(requestedGeometry.topLeft()))
        move(requestedGeometry.topLeft());
    else
        move(mainWindow->pos() + QPoint(30, 30));

    QFont systemFont = font();
    SetSystemIconFont(systemFont);
    setFont(systemFont);
    setWindowIcon(mainWindow->windowIcon());
    connect(mainWindow, &QWidget::windowIconChanged, this, &QWidget::setWindowIcon);

    const auto showTitle = [this] {
        const QString title = FBrowser->title();
        setWindowTitle(title.isEmpty() ? FBrowser->url().toString() : title);
    };
    connect(FBrowser, &QWebEngineView::titleChanged, this, showTitle);
    connect(FBrowser, &QWebEngineView::urlChanged, this, showTitle);
    connect(FBrowser, &TWebBrowserEx::OnWindowClosing, this, &TAppWindow::CloseNow);
    FClosingWait.setSingleShot(true);
    FClosingWait.setInterval(ClosingWaitMs);
    connect(&FClosingWait, &QTimer::timeout, this, &TAppWindow::CloseNow);
    // The page's leave prompt: the user decides, however long it takes.
    connect(FBrowser, &TWebBrowserEx::OnConfirmShown, &FClosingWait, &QTimer::stop);
    connect(FBrowser, &TWebBrowserEx::OnConfirmAnswered, this, [this](bool accepted) {
        if (FClosing && accepted)
            FClosingWait.start();
        else
            FClosing = false; // the user stays on the page
    });

    FBrowser->page()->settings()->setAttribute(QWebEngineSettings::FullScreenSupportEnabled, true);
    connect(FBrowser->page(), &QWebEnginePage::fullScreenRequested, this,
            [this](QWebEngineFullScreenRequest request) {
                request.accept();
                if (request.toggleOn())
                    showFullScreen();
                else
                    showNormal();
            });

    FBrowser->SetNavigationFilter([this](const QUrl &url) { return FirstNavigation(url); });
    // A blank window sent to a download has nothing to show once the download has started.
    connect(engineProfile, &QWebEngineProfile::downloadRequested, this,
            [this](QWebEngineDownloadRequest *download) {
                if (download->page() == FBrowser->page() && IsBlankWindowUrl(FBrowser->url()))
                    QTimer::singleShot(0, this, &TAppWindow::CloseNow);
            });
    LayOut();
}

TAppWindow::~TAppWindow()
{
    FBrowser->disconnect(this);
    // Its strips change as the page goes, after this window's own part is gone.
    if (FBrowsing)
        FBrowsing->disconnect(this);
}

bool TAppWindow::FirstNavigation(const QUrl &url)
{
    if (!FOpenedBlank || IsBlankWindowUrl(url))
        return true;
    FOpenedBlank = false;
    if (IsSameSite(FHome, url))
        return true;
    // It was opened for another site's page: that belongs in the user's browser. The window
    // opened on the user's action, and this is where that action was going.
    OpenOnDesktop(this, url);
    QTimer::singleShot(0, this, &TAppWindow::CloseNow);
    return false;
}

void TAppWindow::closeEvent(QCloseEvent *event)
{
    if (FCloseAccepted) {
        event->accept();
        return;
    }
    // The page may ask to leave; it tells with its close request when it agrees.
    event->ignore();
    FClosing = true;
    FClosingWait.start();
    FBrowser->page()->triggerAction(QWebEnginePage::RequestClose);
}

void TAppWindow::CloseNow()
{
    FCloseAccepted = true;
    close();
}

void TAppWindow::resizeEvent(QResizeEvent *)
{
    LayOut();
}

void TAppWindow::LayOut()
{
    QWidget *shown = FWrittenCopy ? FWrittenCopy->Shown() : FBrowser;
    shown->setGeometry(FBrowsing->LayOut(rect()));
}
