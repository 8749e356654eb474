// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QMenu>
#include <QObject>
#include <QPointer>

class QAction;
class QPoint;
class QWebEngineView;

// The page's context menu: the engine's standard actions without the page source, the developer
// tools and tabs, "Open link in default browser" for links the desktop may be given, and the
// window's own entries (such as "Reset permissions") at the end.
class TPageContextMenu : public QObject
{
    Q_OBJECT

public:
    explicit TPageContextMenu(QWebEngineView *view, QObject *parent = nullptr);

    void AddAction(QAction *action) { FExtraActions.append(action); }

    // The menu for the engine's latest context-menu request; the caller owns it.
    QMenu *CreateMenu();
    // The menu shown last, while it exists.
    QMenu *LastMenu() const { return FLastMenu; }

private:
    void ContextMenuRequested(const QPoint &position);

    QWebEngineView *FView;
    QList<QAction *> FExtraActions;
    QPointer<QMenu> FLastMenu;
};
