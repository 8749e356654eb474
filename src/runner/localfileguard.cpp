// SPDX-License-Identifier: GPL-3.0-or-later
#include "runner/localfileguard.h"

#include <QDir>
#include <QFileInfo>

TLocalFileGuard::TLocalFileGuard(const QUrl &home, QObject *parent)
    : QWebEngineUrlRequestInterceptor(parent)
    , FFolder(QDir::cleanPath(QFileInfo(home.toLocalFile()).absolutePath()) + u'/')
{
}

void TLocalFileGuard::interceptRequest(QWebEngineUrlRequestInfo &info)
{
    if (!Allows(info.requestUrl(), info.resourceType()))
        info.block(true);
}

bool TLocalFileGuard::Allows(const QUrl &url, QWebEngineUrlRequestInfo::ResourceType type) const
{
    if (!url.isLocalFile())
        return true;
    switch (type) {
    case QWebEngineUrlRequestInfo::ResourceTypeMainFrame:
    case QWebEngineUrlRequestInfo::ResourceTypeSubFrame:
    case QWebEngineUrlRequestInfo::ResourceTypeStylesheet:
    case QWebEngineUrlRequestInfo::ResourceTypeScript:
    case QWebEngineUrlRequestInfo::ResourceTypeImage:
    case QWebEngineUrlRequestInfo::ResourceTypeFontResource:
    case QWebEngineUrlRequestInfo::ResourceTypeMedia:
    case QWebEngineUrlRequestInfo::ResourceTypeFavicon:
        break;
    default:
        return false; // a script's own reads, workers, plugins
    }
    return QDir::cleanPath(url.toLocalFile()).startsWith(FFolder);
}
