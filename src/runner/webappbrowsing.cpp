// SPDX-License-Identifier: GPL-3.0-or-later
#include "runner/webappbrowsing.h"

#include "runner/browserkeys.h"
#include "runner/colorscheme.h"
#include "runner/downloadmanager.h"
#include "runner/findbar.h"
#include "runner/notificationpresenter.h"
#include "runner/originstrip.h"
#include "runner/pagecontextmenu.h"
#include "runner/pageprinter.h"
#include "runner/permissionmanager.h"
#include "runner/spellchecking.h"

#include <QAction>
#include <QWebEngineProfile>
#include <QWebEngineView>

namespace {
// As high as the control panel, whose place the find bar takes.
constexpr int FindBarHeight = 38;
} // namespace

TWebAppBrowsing::TWebAppBrowsing(QWidget *window, QWebEngineView *view, QWidget *controlPanel,
                                 const QString &settingsGroup, QObject *parent, TScope scope)
    : QObject(parent)
    , FControlPanel(controlPanel)
{
    QWebEngineProfile *profile = view->page()->profile();
    FKeys = new TBrowserKeys(view, window, settingsGroup, this);
    FFindBar = new TFindBar(view, window);
    FPrinter = new TPagePrinter(view, window, this);
    FPermissions = new TPermissionManager(window, settingsGroup, this);
    FDownloads = new TDownloadManager(profile, window, FPermissions, this);
    if (scope == TScope::FurtherWindow)
        FDownloads->KeepToPage(view->page());
    FPermissions->Watch(view->page());
    // The profile has one presenter, which goes with its window.
    FNotifications = scope == TScope::MainWindow
                         ? new TNotificationPresenter(profile, window, {}, this)
                         : nullptr;
    FContextMenu = new TPageContextMenu(view, this);
    new TPageColorScheme(view->page(), &DesktopColorScheme(),
                         StartEngineColorScheme(DesktopColorScheme().IsDark()), this);
    auto *spelling = new TSpellChecking(view, settingsGroup, PrepareSpellCheckDictionaries(), this);
    if (spelling->LanguageAction())
        FContextMenu->AddAction(spelling->LanguageAction());
    FResetPermissionsAction = new QAction(tr("Reset permissions"), this);
    FResetPermissionsAction->setObjectName(QStringLiteral("ResetPermissionsAction"));
    FContextMenu->AddAction(FResetPermissionsAction);
    FOriginStrip = new TOriginStrip(view, window);
    FBlockedWindowNotice = new TBlockedWindowNotice(window);

    connect(FKeys, &TBrowserKeys::FindRequested, FFindBar, &TFindBar::Open);
    connect(FKeys, &TBrowserKeys::PrintRequested, FPrinter, &TPagePrinter::Print);
    connect(FFindBar, &TFindBar::Opened, this, &TWebAppBrowsing::FindBarOpened);
    connect(FFindBar, &TFindBar::Closed, this, &TWebAppBrowsing::FindBarClosed);
    connect(FDownloads, &TDownloadManager::BarChanged, this, &TWebAppBrowsing::LayoutChanged);
    connect(FOriginStrip, &TOriginStrip::VisibilityChanged, this, &TWebAppBrowsing::LayoutChanged);
    connect(FBlockedWindowNotice, &TBlockedWindowNotice::VisibilityChanged, this,
            &TWebAppBrowsing::LayoutChanged);
    // What a page tried to open belongs to that page; the next one starts without a notice.
    connect(view->page(), &QWebEnginePage::loadStarted, FBlockedWindowNotice,
            &TBlockedWindowNotice::Dismiss);
    connect(FResetPermissionsAction, &QAction::triggered, FPermissions,
            &TPermissionManager::ResetPermissions);
}

TWebAppBrowsing::~TWebAppBrowsing() = default;

QRect TWebAppBrowsing::LayOut(const QRect &browserArea) const
{
    QRect rest = browserArea;
    for (QWidget *strip :
         {static_cast<QWidget *>(FOriginStrip), static_cast<QWidget *>(FBlockedWindowNotice)}) {
        if (strip->isHidden())
            continue;
        const int height = strip->sizeHint().height();
        strip->setGeometry(rest.left(), rest.top(), rest.width(), height);
        rest.setTop(rest.top() + height);
    }
    if (!FFindBar->isHidden()) {
        FFindBar->setGeometry(rest.left(), rest.bottom() + 1 - FindBarHeight, rest.width(),
                              FindBarHeight);
        rest.setBottom(rest.bottom() - FindBarHeight);
    }
    QWidget *downloads = FDownloads->Bar();
    if (!downloads->isHidden()) {
        const int height = downloads->sizeHint().height();
        downloads->setGeometry(rest.left(), rest.bottom() + 1 - height, rest.width(), height);
        rest.setBottom(rest.bottom() - height);
    }
    rest.setHeight(qMax(0, rest.height()));
    return rest;
}

void TWebAppBrowsing::SetHome(const QUrl &home)
{
    FOriginStrip->SetHome(home);
}

void TWebAppBrowsing::FindBarOpened()
{
    // The find bar stands in the control panel's place while it is open.
    FPanelStoodDown = FControlPanel && !FControlPanel->isHidden();
    if (FPanelStoodDown)
        FControlPanel->hide();
    Q_EMIT LayoutChanged();
}

void TWebAppBrowsing::FindBarClosed()
{
    if (FPanelStoodDown && FControlPanel)
        FControlPanel->show();
    FPanelStoodDown = false;
    Q_EMIT LayoutChanged();
}
