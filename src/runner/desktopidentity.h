// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QIcon>
#include <QObject>

class QWebEngineView;
class TLauncherBadge;
class QWidget;

// Makes a running web app an application of its own for the desktop, so the taskbar shows and
// groups it apart from other web apps and from the designer:
// - the process takes the web app's application id as its desktop file name and, on X11, as
//   the class and instance of its windows (what the taskbar groups by and what a launcher's
//   StartupWMClass names);
// - the window shows the site's icon once the page has one, else the program's icon, and the
//   site's icon is saved for launchers (WebAppIconPath), updating one already written;
// - a count of unread messages that the page's title begins with shows on its taskbar entry.
//
// Create it before the process's first window is created: on X11 Qt fixes the window class
// when it creates its first window.
class TDesktopIdentity : public QObject
{
    Q_OBJECT

public:
    TDesktopIdentity(QWidget *window, QWebEngineView *view, const QByteArray &id);

private:
    void ViewIconChanged(const QIcon &icon);
    void ViewTitleChanged(const QString &title);

    QWidget *FWindow;
    QByteArray FId;
    TLauncherBadge *FBadge = nullptr; // made at the first count: most sites never show one
};

// Sets the application id of the process for a web app (see above). Once per process.
void SetWebAppApplicationId(const QByteArray &id);

// Saves the site's icon as PNG at WebAppIconPath(id), at the largest size the icon offers, and
// points launchers that still show the program's icon at it. Returns false when nothing could
// be saved.
bool SaveSiteIcon(const QIcon &icon, const QByteArray &id);
