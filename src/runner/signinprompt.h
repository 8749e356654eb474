// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QUrl>

class QAuthenticator;
class QWidget;

// The sign-in a site or a proxy asks for before it serves a page (HTTP authentication), put to
// the user in a dialog. A sign-in the user declines leaves the authenticator empty: the request
// goes on without credentials and the page shows what the server sends for that.
void AskForSignIn(QWidget *parent, const QUrl &url, QAuthenticator *authenticator);
void AskForProxySignIn(QWidget *parent, const QString &proxyHost, QAuthenticator *authenticator);

// The dialogs' messages. realm is the server's own text, shown on one line and cut when long.
QString SignInMessage(const QUrl &url, const QString &realm);
QString ProxySignInMessage(const QString &proxyHost, const QString &realm);
