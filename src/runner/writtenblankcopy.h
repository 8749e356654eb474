// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>

class QWebEngineView;
class QWidget;
class TWebBrowserEx;

// Shows what a page wrote into a window it opened blank (a print view, a generated document) on
// web engines that crash as soon as such a page is painted at any size (Qt WebEngine before 6.8).
// The page itself stays hidden, so the opener can go on writing into it, printing it or sending
// it somewhere, and the window shows a copy of its document, taken whenever the page finishes
// loading. Once the page goes to an address of its own, the window shows the page again.
class TWrittenBlankCopy : public QObject
{
    Q_OBJECT

public:
    // Whether this build's web engine needs it.
    static bool Needed();

    // browser: the window's page, opened blank; window: where the copy is shown.
    TWrittenBlankCopy(TWebBrowserEx *browser, QWidget *window);
    ~TWrittenBlankCopy() override;

    // The view the window shows now: the copy while the page is blank, then the page's own.
    QWebEngineView *Shown() const;

signals:
    void ShownChanged();

private:
    void Copy();
    void Release();

    TWebBrowserEx *FBrowser;
    QPointer<QWebEngineView> FCopy;
};
