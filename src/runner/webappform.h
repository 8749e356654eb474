// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/webapp.h"
#include "runner/closingsequence.h"

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QWebEngineFullScreenRequest>
#include <QWidget>

class QEventLoop;
class QKeyEvent;
class TControlPanel;
class TPageFullScreen;
class TmqALTBugFix;
class TWebAppBrowsing;
class TWebAppWindows;
class TWebBrowserEx;

// The window in which a web app runs (and which the designer's Preview shows modally).
class TWebAppForm : public QWidget
{
    Q_OBJECT

public:
    enum class TRole {
        Runner,  // the program's main window; persistent browsing data; a page closing its
                 // window ends the program
        Preview, // the designer's preview; off-the-record browsing data; a page closing its
                 // window ends the preview only
    };

    // Throws TLumivaneError when the web engine cannot start, before any part of it exists.
    explicit TWebAppForm(TRole role = TRole::Runner);
    ~TWebAppForm() override;

    void OpenWebApp(const QString &fileName);
    // Applies a record to the window before it is first shown and starts loading its URL.
    // Throws TLumivaneError when the URL cannot be loaded at all.
    void ApplyWebApp(const TWebApp &webApp);

    // Shows the window modally and returns once it has closed.
    void ShowModal();

    TRole Role() const { return FRole; }
    const TWebApp &WebApp() const { return FWebApp; }
    TWebBrowserEx *Browser() const { return FBrowser; }
    // The windows its pages opened; null before ApplyWebApp.
    TWebAppWindows *Windows() const { return FWindows; }

    // How long closing waits for the blank page before it goes on regardless.
    static constexpr int ClosingWaitMs = TClosingSequence::WaitMs;

signals:
    // The window has finished closing: hidden, placement saved or, after the page closed its
    // window, nothing saved.
    void Closed(bool placementSaved);

protected:
    // Ends the program (runner role). Tests override it to observe the end without it.
    virtual void Terminate();

    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate();
    void FormCloseQuery(QCloseEvent *event);
    void FormShortCut(QKeyEvent *event);
    void FormResize();
    void FormClose();
    void CloseButtonClick();
    void ControlPanelMouseDown(QMouseEvent *event);
    void ControlPanelMouseMove(QMouseEvent *event);
    void ControlPanelMouseUp(QMouseEvent *event);
    void BrowserNavigateComplete2(const QUrl &url);
    void BrowserTitleChanged();
    void PageFullScreenRequested(QWebEngineFullScreenRequest request);

    void SetWindowFrame(qint32 windowStyle);
    QMargins FrameMargins() const;
    void SetOuterBounds(const QRect &outer);
    // Size and corner from the record's size and position codes, with the frame known now.
    void PlaceBySize();
    static QSize MaxOuterSize();
    // The outer bounds to keep: the window's own place, also while a page has the screen, or
    // the bounds asked for while it has never been shown.
    QRect BoundsToKeep() const;
    void ClosingFinished(bool boundsKept);
    void EndRun(bool placementSaved);

    TmqALTBugFix *FALTBugFix = nullptr;
    TRole FRole;
    TControlPanel *FControlPanel = nullptr;
    TWebBrowserEx *FBrowser = nullptr;
    TWebAppBrowsing *FBrowsing = nullptr; // everyday browsing: keys, downloads, permissions
    TWebAppWindows *FWindows = nullptr;   // the windows and desktop links its pages open
    TWebApp FWebApp;
    bool FDragging = false;
    QPoint FDragOrigin;      // the window's position when the drag began
    QPoint FDragGlobalStart; // where the drag began, on the screen

    bool FFixedSize = false;
    // The outer bounds last asked for and the frame they were computed with: once the window
    // system has put its frame around the window, the size is corrected to include it.
    QRect FWantedBounds;
    QMargins FWantedFrame;
    bool FPlacedBySize = false; // the bounds come from the size and position codes
    bool FFrameChecked = false;
    TClosingSequence *FClosing = nullptr;
    TPageFullScreen *FPageFullScreen = nullptr; // a page's video, say, on the whole screen
    QEventLoop *FModalLoop = nullptr;
};
