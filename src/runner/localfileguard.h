// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QUrl>
#include <QWebEngineUrlRequestInterceptor>

// Keeps a web app whose address is a local file to its own folder: its pages load their images,
// styles, scripts, fonts, media and frames from that folder and below, and nothing else of the
// disk; their scripts read no local file at all (fetch, XMLHttpRequest), as in a browser. The
// engine's own switch for this (LocalContentCanAccessFileUrls) also stops the page's own images
// and styles in the engine we build with, so the rule is applied here, per request.
class TLocalFileGuard : public QWebEngineUrlRequestInterceptor
{
    Q_OBJECT

public:
    // home: the web app's local file; its folder is what its pages may load.
    TLocalFileGuard(const QUrl &home, QObject *parent = nullptr);

    void interceptRequest(QWebEngineUrlRequestInfo &info) override;

    // Whether a request of this kind for this address may go ahead.
    bool Allows(const QUrl &url, QWebEngineUrlRequestInfo::ResourceType type) const;

private:
    QString FFolder; // with a trailing separator
};
