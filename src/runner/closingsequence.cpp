// SPDX-License-Identifier: GPL-3.0-or-later
#include "runner/closingsequence.h"

#include "runner/webbrowserex.h"

#include <QWidget>

namespace {
const QUrl BlankPage(QStringLiteral("about:blank"));
} // namespace

TClosingSequence::TClosingSequence(QWidget *window, TWebBrowserEx *browser,
                                   std::function<QRect()> windowBounds)
    : QObject(window)
    , FWindow(window)
    , FBrowser(browser)
    , FWindowBounds(std::move(windowBounds))
{
    FWait.setSingleShot(true);
    FWait.setInterval(WaitMs);
    connect(&FWait, &QTimer::timeout, this, &TClosingSequence::Finish);

    connect(FBrowser, &TWebBrowserEx::OnNavigateComplete2, this, &TClosingSequence::PageLoaded);
    connect(FBrowser, &TWebBrowserEx::OnWindowClosing, this, &TClosingSequence::PageClosedWindow);
    connect(FBrowser, &TWebBrowserEx::OnConfirmShown, this, &TClosingSequence::ConfirmShown);
    connect(FBrowser, &TWebBrowserEx::OnConfirmAnswered, this, &TClosingSequence::ConfirmAnswered);
    connect(FBrowser, &TWebBrowserEx::OnPageProcessEnded, this,
            &TClosingSequence::PageProcessEnded);
    // The page has agreed to leave once the next navigation starts; a page still loading
    // reports no new start, only the blank page's arrival.
    connect(FBrowser, &QWebEngineView::loadStarted, this, &TClosingSequence::PageLeaving);
    connect(FBrowser, &QWebEngineView::urlChanged, this, &TClosingSequence::PageLeaving);
}

void TClosingSequence::Start()
{
    if (FState != TState::Open)
        return;
    FKeptBounds = FWindowBounds();
    FState = TState::WaitingForBlank;
    FWait.start();
    FBrowser->Navigate(BlankPage);
}

void TClosingSequence::PageLeaving()
{
    if (FState == TState::WaitingForBlank)
        HideWindow();
}

void TClosingSequence::PageLoaded(const QUrl &url)
{
    if (FState == TState::WaitingForBlank && url == BlankPage)
        Finish();
}

void TClosingSequence::PageProcessEnded()
{
    // The blank page will not come: at the end of a session every process of the session gets
    // its end signal at once, the page's own and the engine's helpers among them. The page has
    // nothing left to unload, so the closing goes on now instead of waiting for the bound.
    // (A process the page has already left behind is none of this.)
    if (FState == TState::WaitingForBlank && FBrowser->page()->renderProcessPid() == 0)
        Finish();
}

void TClosingSequence::ConfirmShown()
{
    // The page's leave prompt: the user decides, however long it takes.
    if (FState == TState::WaitingForBlank)
        FWait.stop();
}

void TClosingSequence::ConfirmAnswered(bool accepted)
{
    if (FState != TState::WaitingForBlank)
        return;
    if (accepted) {
        FWait.start();
        return;
    }
    // The user stays on the page, and the window as it was.
    FState = TState::Open;
    FWindow->show();
    FWindow->activateWindow();
}

void TClosingSequence::PageClosedWindow()
{
    if (FState != TState::Open)
        return;
    FState = TState::Done;
    FWindow->hide();
    Q_EMIT Finished(false);
}

void TClosingSequence::HideWindow()
{
    if (!FWindow->isVisible())
        return;
    FKeptBounds = FWindowBounds();
    FWindow->hide();
}

void TClosingSequence::Finish()
{
    if (FState != TState::WaitingForBlank)
        return;
    FWait.stop();
    HideWindow();
    FState = TState::Done;
    Q_EMIT Finished(true);
}
