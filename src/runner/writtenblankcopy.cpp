// SPDX-License-Identifier: GPL-3.0-or-later
#include "runner/writtenblankcopy.h"

#include "runner/newwindowpolicy.h"
#include "runner/webbrowserex.h"

#include <QVariant>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QtGlobal>

bool TWrittenBlankCopy::Needed()
{
#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
    return true;
#else
    return false;
#endif
}

TWrittenBlankCopy::TWrittenBlankCopy(TWebBrowserEx *browser, QWidget *window)
    : QObject(window)
    , FBrowser(browser)
    , FCopy(new QWebEngineView(window))
{
    FCopy->setObjectName(QStringLiteral("WrittenPageCopy"));
    FCopy->setPage(new QWebEnginePage(browser->page()->profile(), FCopy));
    // The copy is for reading and printing; what the page's scripts do happens in the page.
    FCopy->page()->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    FCopy->setContextMenuPolicy(Qt::NoContextMenu);
    FBrowser->hide();
    connect(FBrowser->page(), &QWebEnginePage::loadFinished, this, [this] {
        if (IsBlankWindowUrl(FBrowser->url()))
            Copy();
    });
    connect(FBrowser->page(), &QWebEnginePage::urlChanged, this, [this](const QUrl &url) {
        if (!IsBlankWindowUrl(url))
            Release();
    });
}

TWrittenBlankCopy::~TWrittenBlankCopy() = default;

QWebEngineView *TWrittenBlankCopy::Shown() const
{
    if (FCopy)
        return FCopy;
    return FBrowser;
}

void TWrittenBlankCopy::Copy()
{
    const QPointer<TWrittenBlankCopy> self(this);
    FBrowser->page()->runJavaScript(
        QStringLiteral("[document.documentElement.outerHTML, document.baseURI]"),
        [self](const QVariant &result) {
            const QVariantList parts = result.toList();
            if (!self || !self->FCopy || parts.size() != 2)
                return;
            // Relative addresses in what was written resolve against the opener's page.
            self->FCopy->setHtml(parts.at(0).toString(), QUrl(parts.at(1).toString()));
        });
}

void TWrittenBlankCopy::Release()
{
    if (!FCopy)
        return;
    delete FCopy.data();
    FBrowser->show();
    emit ShownChanged();
}
