// SPDX-License-Identifier: GPL-3.0-or-later
#include "runner/pagefullscreen.h"

#include <QAction>
#include <QEvent>
#include <QWebEngineView>
#include <QWidget>

TPageFullScreen::TPageFullScreen(QWidget *window, QWidget *controlPanel, QWebEngineView *view)
    : QObject(window)
    , FWindow(window)
    , FControlPanel(controlPanel)
    , FView(view)
{
    // Escape takes a page out of full screen, as in a browser; the page cannot keep it.
    FExitAction = new QAction(this);
    FExitAction->setObjectName(QStringLiteral("ExitFullScreenAction"));
    FExitAction->setShortcut(Qt::Key_Escape);
    FExitAction->setEnabled(false);
    FWindow->addAction(FExitAction);
    connect(FExitAction, &QAction::triggered, this,
            [this] { FView->page()->triggerAction(QWebEnginePage::ExitFullScreen); });
    FWindow->installEventFilter(this);
}

void TPageFullScreen::Request(QWebEngineFullScreenRequest request, bool fixedSize)
{
    request.accept();
    if (request.toggleOn() == FActive)
        return;
    FActive = request.toggleOn();
    FExitAction->setEnabled(FActive);
    if (FActive) {
        FFixSizeWhenRestored = false;
        FStatesBefore = FWindow->windowState();
        FBoundsBefore = FWindow->frameGeometry();
        FSizeBefore = FWindow->size();
        FPanelBefore = !FControlPanel->isHidden();
        FControlPanel->hide();
        if (fixedSize) {
            FWindow->setMinimumSize(0, 0);
            FWindow->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        }
        FWindow->setWindowState(FWindow->windowState() | Qt::WindowFullScreen);
    } else {
        // The window manager puts the window back where it was. A fixed size waits until the
        // window has its size again: asked for earlier, it would go with the position the window
        // has now, the screen's corner, and the caption would end up off screen.
        FFixSizeWhenRestored = fixedSize;
        FWindow->setWindowState(FStatesBefore & ~Qt::WindowFullScreen);
        FixSizeWhenRestored();
        FControlPanel->setVisible(FPanelBefore);
    }
    Q_EMIT LayoutChanged();
}

QRect TPageFullScreen::WindowBounds() const
{
    return FActive ? FBoundsBefore : FWindow->frameGeometry();
}

bool TPageFullScreen::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == FWindow) {
        if (event->type() == QEvent::Resize)
            FixSizeWhenRestored();
        // The user or the window manager took the window out of full screen: the page follows.
        else if (event->type() == QEvent::WindowStateChange && FActive &&
                 !(FWindow->windowState() & Qt::WindowFullScreen))
            FView->page()->triggerAction(QWebEnginePage::ExitFullScreen);
    }
    return QObject::eventFilter(watched, event);
}

void TPageFullScreen::FixSizeWhenRestored()
{
    if (!FFixSizeWhenRestored || (FWindow->windowState() & Qt::WindowFullScreen) ||
        FWindow->size() != FSizeBefore)
        return;
    FFixSizeWhenRestored = false;
    FWindow->setFixedSize(FSizeBefore);
}
