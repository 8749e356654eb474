#pragma once

#include <QObject>
#include <QRect>

class QAction;
class QWebEngineView;
class QWidget;
class TBrowserKeys;
class TDownloadManager;
class TFindBar;
class TNotificationPresenter;
class TPageContextMenu;
class TPagePrinter;
class TPermissionManager;

// Everyday browsing in a web app window: the browser keys, the find bar, printing, downloads,
// permission requests, desktop notifications and the page's context menu with "Reset
// permissions". The window keeps its own layout and asks LayOut where the browser goes; the find
// bar takes the control panel's place while it is open.
class TWebAppBrowsing : public QObject
{
    Q_OBJECT

public:
    // The view's page and profile must be the ones it keeps. An empty settings group remembers
    // nothing (zoom, permission answers): the designer's preview.
    TWebAppBrowsing(QWidget *window, QWebEngineView *view, QWidget *controlPanel,
                    const QString &settingsGroup, QObject *parent = nullptr);
    ~TWebAppBrowsing() override;

    // Places the find bar and the download strip along the bottom of the browser's area and
    // returns what is left for the browser.
    QRect LayOut(const QRect &browserArea) const;

    TBrowserKeys *Keys() const { return FKeys; }
    TFindBar *FindBar() const { return FFindBar; }
    TDownloadManager *Downloads() const { return FDownloads; }
    TPermissionManager *Permissions() const { return FPermissions; }
    TPageContextMenu *ContextMenu() const { return FContextMenu; }
    QAction *ResetPermissionsAction() const { return FResetPermissionsAction; }

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
    bool FPanelStoodDown = false;
};
