// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QRect>
#include <QUrl>

class QAction;
class QWebEngineView;
class QWidget;
class TBlockedWindowNotice;
class TBrowserKeys;
class TDownloadManager;
class TFindBar;
class TNotificationPresenter;
class TOriginStrip;
class TPageContextMenu;
class TPagePrinter;
class TPermissionManager;

// Everyday browsing in a web app window: the browser keys, the find bar, printing, downloads,
// permission requests, desktop notifications and the page's context menu with "Reset
// permissions", and the strips that say the page is of another site or that a window was blocked.
// The window keeps its own layout and asks LayOut where the browser goes; the find bar takes the
// control panel's place while it is open.
class TWebAppBrowsing : public QObject
{
    Q_OBJECT

public:
    enum class TScope {
        MainWindow,    // also presents the profile's notifications
        FurtherWindow, // another window of the same web app, which leaves that to the main one
    };

    // The view's page and profile must be the ones it keeps. An empty settings group remembers
    // nothing (zoom, permission answers): the designer's preview.
    TWebAppBrowsing(QWidget *window, QWebEngineView *view, QWidget *controlPanel,
                    const QString &settingsGroup, QObject *parent = nullptr,
                    TScope scope = TScope::MainWindow);
    ~TWebAppBrowsing() override;

    // Places the origin strip and the blocked-window notice along the top of the browser's area,
    // the find bar and the download strip along its bottom, and returns what is left for the
    // browser.
    QRect LayOut(const QRect &browserArea) const;

    TBrowserKeys *Keys() const { return FKeys; }
    TFindBar *FindBar() const { return FFindBar; }
    TDownloadManager *Downloads() const { return FDownloads; }
    TPermissionManager *Permissions() const { return FPermissions; }
    TPageContextMenu *ContextMenu() const { return FContextMenu; }
    QAction *ResetPermissionsAction() const { return FResetPermissionsAction; }
    TOriginStrip *OriginStrip() const { return FOriginStrip; }
    TBlockedWindowNotice *BlockedWindowNotice() const { return FBlockedWindowNotice; }

    // The web app's own address: pages of its site need no origin strip.
    void SetHome(const QUrl &home);

Q_SIGNALS:
    // A strip was shown, hidden or resized: the window lays itself out again.
    void LayoutChanged();

private:
    void FindBarOpened();
    void FindBarClosed();

    QWidget *FControlPanel;
    TBrowserKeys *FKeys;
    TFindBar *FFindBar;
    TPagePrinter *FPrinter;
    TDownloadManager *FDownloads;
    TPermissionManager *FPermissions;
    TNotificationPresenter *FNotifications;
    TPageContextMenu *FContextMenu;
    QAction *FResetPermissionsAction;
    TOriginStrip *FOriginStrip;
    TBlockedWindowNotice *FBlockedWindowNotice;
    bool FPanelStoodDown = false;
};
