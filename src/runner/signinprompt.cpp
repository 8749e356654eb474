// SPDX-License-Identifier: GPL-3.0-or-later
#include "runner/signinprompt.h"

#include "runner/credentialsdialog.h"
#include "runner/sitename.h"

#include <QAuthenticator>
#include <QCoreApplication>
#include <QHash>

namespace {

constexpr qsizetype MaxRealmLength = 200;

QString Tr(const char *text)
{
    return QCoreApplication::translate("TSignInPrompt", text);
}

// The realm comes from the server: line breaks in it could pass for lines of our own.
QString RealmLine(const QString &realm)
{
    QString text = realm;
    for (QChar &c : text) {
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator ||
            c == QChar::ParagraphSeparator)
            c = u' ';
    }
    text = text.simplified();
    if (text.isEmpty())
        return {};
    if (text.size() > MaxRealmLength)
        text = text.left(MaxRealmLength) + QChar(0x2026);
    return u'\n' + Tr("It says: %1").arg(text);
}

// Names entered this session, so that a second attempt (a mistyped password) asks only for the
// password. Never written anywhere.
QHash<QString, QString> &EnteredUsers()
{
    static QHash<QString, QString> users;
    return users;
}

void Ask(QWidget *parent, const QString &key, const QString &message, QAuthenticator *authenticator)
{
    QString user = authenticator->user();
    if (user.isEmpty())
        user = EnteredUsers().value(key);
    QString password;
    if (!TCredentialsDialog::Ask(parent, message, user, password)) {
        // An empty authenticator tells the engine that nobody signs in.
        *authenticator = QAuthenticator();
        return;
    }
    EnteredUsers().insert(key, user);
    authenticator->setUser(user);
    authenticator->setPassword(password);
}

} // namespace

QString SignInMessage(const QUrl &url, const QString &realm)
{
    QString message =
        Tr("%1 asks for a user name and password.").arg(SiteName(url)) + RealmLine(realm);
    if (url.scheme() != u"https")
        message += u'\n' + Tr("Your connection to this site is not private.");
    return message;
}

QString ProxySignInMessage(const QString &proxyHost, const QString &realm)
{
    return Tr("The proxy %1 asks for a user name and password.").arg(proxyHost) + RealmLine(realm);
}

void AskForSignIn(QWidget *parent, const QUrl &url, QAuthenticator *authenticator)
{
    const QString origin = url.adjusted(QUrl::RemoveUserInfo | QUrl::RemovePath |
                                        QUrl::RemoveQuery | QUrl::RemoveFragment)
                               .toString();
    Ask(parent, origin, SignInMessage(url, authenticator->realm()), authenticator);
}

void AskForProxySignIn(QWidget *parent, const QString &proxyHost, QAuthenticator *authenticator)
{
    Ask(parent, QStringLiteral("proxy ") + proxyHost,
        ProxySignInMessage(proxyHost, authenticator->realm()), authenticator);
}
