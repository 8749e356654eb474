// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QRect>
#include <QTimer>
#include <functional>

class QWidget;
class TWebBrowserEx;

// How a web app window goes: it leaves its site through a blank page, so that the site's unload
// handlers run while the window still exists, and keeps where the window was. The window stays
// until the page has agreed to leave: a page that asks whether to leave asks in front of it, and
// "stay" finds it as it was. Once the page goes the window goes, and the blank page loads unseen.
// A page that closes its window ends it at once, keeping nothing.
class TClosingSequence : public QObject
{
    Q_OBJECT

public:
    // How long closing waits for the blank page before it goes on regardless.
    static constexpr int WaitMs = 5000;

    // windowBounds tells the window's outer bounds to keep whenever the window goes out of sight.
    TClosingSequence(QWidget *window, TWebBrowserEx *browser, std::function<QRect()> windowBounds);

    // Under way or done: the window is going, and the page gets nothing more of it.
    bool IsUnderway() const { return FState != TState::Open; }
    bool IsDone() const { return FState == TState::Done; }
    // The outer bounds the window had when it went.
    QRect KeptBounds() const { return FKeptBounds; }

    // Leaves the page for the blank one; nothing while that is under way.
    void Start();

Q_SIGNALS:
    // The window has gone, hidden: through the blank page, its bounds kept, or because the page
    // closed it, nothing kept.
    void Finished(bool boundsKept);

private:
    enum class TState { Open, WaitingForBlank, Done };

    void PageLeaving();
    void PageLoaded(const QUrl &url);
    void PageProcessEnded();
    void ConfirmShown();
    void ConfirmAnswered(bool accepted);
    void PageClosedWindow();
    void HideWindow();
    void Finish();

    QWidget *FWindow;
    TWebBrowserEx *FBrowser;
    std::function<QRect()> FWindowBounds;
    TState FState = TState::Open;
    QTimer FWait;
    QRect FKeptBounds;
};
