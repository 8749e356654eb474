// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QRect>
#include <QSize>
#include <QWebEngineFullScreenRequest>

class QAction;
class QWebEngineView;
class QWidget;

// A page that shows something on the whole screen (a video, say), as it can in a browser: the
// window takes the screen without its control panel, and gives it back as it was, whether the
// page, Escape or the window manager ends it.
class TPageFullScreen : public QObject
{
    Q_OBJECT

public:
    TPageFullScreen(QWidget *window, QWidget *controlPanel, QWebEngineView *view);

    // Answers the page's request. A fixed size belongs to the window's own state, not to the
    // screen's: it is lifted while the page has the screen and comes back afterwards.
    void Request(QWebEngineFullScreenRequest request, bool fixedSize);

    bool IsActive() const { return FActive; }
    // The window's own outer bounds, also while the page has the screen.
    QRect WindowBounds() const;

Q_SIGNALS:
    // The control panel was hidden or shown again: the window lays itself out again.
    void LayoutChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FixSizeWhenRestored();

    QWidget *FWindow;
    QWidget *FControlPanel;
    QWebEngineView *FView;
    QAction *FExitAction;
    bool FActive = false;
    // What the window goes back to.
    Qt::WindowStates FStatesBefore;
    QRect FBoundsBefore;
    QSize FSizeBefore;
    bool FPanelBefore = false;
    bool FFixSizeWhenRestored = false; // a fixed frame back from full screen, not yet its size
};
