// SPDX-License-Identifier: GPL-3.0-or-later
#include "runner/pagecontextmenu.h"

#include "runner/desktopopener.h"

#include <QMenu>
#include <QWebEngineContextMenuRequest>
#include <QWebEngineView>

TPageContextMenu::TPageContextMenu(QWebEngineView *view, QObject *parent)
    : QObject(parent)
    , FView(view)
{
    FView->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(FView, &QWidget::customContextMenuRequested, this,
            &TPageContextMenu::ContextMenuRequested);
}

QMenu *TPageContextMenu::CreateMenu()
{
    QMenu *menu = FView->createStandardContextMenu();
    menu->setObjectName(QStringLiteral("PageContextMenu"));
    const QList<QWebEnginePage::WebAction> removed = {
        QWebEnginePage::ViewSource, QWebEnginePage::InspectElement,
        QWebEnginePage::OpenLinkInNewTab, QWebEnginePage::OpenLinkInNewBackgroundTab};
    for (QWebEnginePage::WebAction webAction : removed)
        menu->removeAction(FView->pageAction(webAction));

    const QWebEngineContextMenuRequest *request = FView->lastContextMenuRequest();
    // Only links the desktop may be given: never a script or a local file.
    if (request && request->linkUrl().isValid() &&
        DesktopRuleFor(request->linkUrl()) != TDesktopRule::Never) {
        auto *openLink = new QAction(tr("Open link in default browser"), menu);
        openLink->setObjectName(QStringLiteral("OpenLinkInDefaultBrowserAction"));
        const QUrl url = request->linkUrl();
        QWidget *window = FView->window();
        connect(openLink, &QAction::triggered, openLink,
                [window, url] { OpenOnDesktop(window, url); });
        // With the engine's other link entries.
        QAction *saveLink = FView->pageAction(QWebEnginePage::DownloadLinkToDisk);
        const QList<QAction *> actions = menu->actions();
        menu->insertAction(actions.contains(saveLink) ? saveLink : actions.value(0), openLink);
    }

    // Separators left at the ends or doubled by the removals.
    QAction *previous = nullptr;
    for (QAction *action : menu->actions()) {
        if (action->isSeparator() && (!previous || previous->isSeparator()))
            menu->removeAction(action);
        else
            previous = action;
    }
    if (previous && previous->isSeparator())
        menu->removeAction(previous);

    if (!FExtraActions.isEmpty()) {
        if (!menu->isEmpty())
            menu->addSeparator();
        menu->addActions(FExtraActions);
    }
    return menu;
}

void TPageContextMenu::ContextMenuRequested(const QPoint &position)
{
    QMenu *menu = CreateMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    FLastMenu = menu;
    menu->popup(FView->mapToGlobal(position));
}
