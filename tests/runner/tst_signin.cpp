// SPDX-License-Identifier: GPL-3.0-or-later
// Sites and proxies that ask for a user name and password (HTTP authentication): the user is
// asked, what they enter reaches the server, and a declined sign-in leaves the server's refusal
// on show.

#include "runner/browsingprofile.h"
#include "runner/credentialsdialog.h"
#include "runner/signinprompt.h"
#include "runner/webbrowserex.h"
#include "support/httptestserver.h"
#include "support/wait.h"

#include <QAuthenticator>
#include <QLabel>
#include <QLineEdit>
#include <QNetworkProxy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

#include <algorithm>

namespace {

// An HTTP proxy that lets through only requests signed in as ann/secret, and answers every one
// itself with a page naming the address asked for.
class TProxyServer : public QTcpServer
{
public:
    TProxyServer()
    {
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { Read(socket); });
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
        listen(QHostAddress::LocalHost);
    }

    QList<QByteArray> Authorizations; // the Proxy-Authorization of each request, empty if none

private:
    void Read(QTcpSocket *socket)
    {
        QByteArray &buffer = FBuffers[socket];
        buffer += socket->readAll();
        if (!buffer.contains("\r\n\r\n"))
            return;
        QByteArray authorization;
        for (const QByteArray &line : buffer.split('\n')) {
            if (line.toLower().startsWith("proxy-authorization:"))
                authorization = line.mid(line.indexOf(':') + 1).trimmed();
        }
        buffer.clear();
        Authorizations.append(authorization);
        if (authorization != "Basic " + QByteArray("ann:secret").toBase64()) {
            const QByteArray body = "<title>Proxy refused</title>";
            socket->write("HTTP/1.1 407 Proxy Authentication Required\r\n"
                          "Proxy-Authenticate: Basic realm=\"Office proxy\"\r\n"
                          "Content-Type: text/html\r\nContent-Length: " +
                          QByteArray::number(body.size()) + "\r\n\r\n" + body);
            return;
        }
        const QByteArray body = "<title>Through the proxy</title>";
        socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: " +
                      QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
        socket->disconnectFromHost();
    }

    QMap<QTcpSocket *, QByteArray> FBuffers;
};

bool WaitForTitle(const TWebBrowserEx &browser, const QString &title)
{
    return WaitFor([&] { return browser.title() == title; }, TTimeout::Page);
}

} // namespace

class TSignInTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void enteredCredentialsReachTheSite();
    void declinedSignInShowsTheRefusal();
    void secondAttemptOffersTheName();
    void proxySignIn();
    void messages_data();
    void messages();
    void dialog();

private:
    void Open(TWebBrowserEx &browser, const QUrl &url);

    THttpTestServer FServer;
    TProxyServer FProxy;
};

void TSignInTest::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(FServer.isListening());
    QVERIFY(FProxy.isListening());
    // The engine reads the application's proxy; loopback addresses never go through it, so the
    // test site on 127.0.0.1 is reached directly and only other hosts meet the proxy.
    QNetworkProxy::setApplicationProxy(
        QNetworkProxy(QNetworkProxy::HttpProxy, QStringLiteral("127.0.0.1"), FProxy.serverPort()));
    FServer.Serve("/mail", "<title>Inbox</title>inbox");
    FServer.RequireSignIn("/mail", "ann", "secret", "Mail \"server\"");
}

void TSignInTest::init()
{
    TCredentialsDialog::clearShown();
    TCredentialsDialog::setNextAnswers({});
    FServer.ClearRequests();
}

void TSignInTest::Open(TWebBrowserEx &browser, const QUrl &url)
{
    browser.SetProfile(OffTheRecordBrowsingProfile());
    browser.resize(400, 300);
    browser.show();
    browser.Navigate(url);
}

void TSignInTest::enteredCredentialsReachTheSite()
{
    TCredentialsDialog::setNextAnswers({{true, QStringLiteral("ann"), QStringLiteral("secret")}});
    TWebBrowserEx browser(nullptr);
    Open(browser, FServer.Url("/mail?entered"));
    QVERIFY(WaitForTitle(browser, QStringLiteral("Inbox")));

    QCOMPARE(TCredentialsDialog::shown().size(), 1);
    QCOMPARE(TCredentialsDialog::shown().first(),
             SignInMessage(FServer.Url("/mail"), QStringLiteral("Mail \"server\"")));
    // The page's icon may be asked for after it: the page's own last request is the one signed.
    const auto &requests = FServer.Requests();
    const auto last = std::find_if(requests.crbegin(), requests.crend(), [](const auto &request) {
        return request.Path.startsWith("/mail");
    });
    QVERIFY(last != requests.crend());
    QCOMPARE(last->Path, QByteArray("/mail?entered"));
    QCOMPARE(last->Authorization, "Basic " + QByteArray("ann:secret").toBase64());
}

void TSignInTest::declinedSignInShowsTheRefusal()
{
    TCredentialsDialog::setNextAnswers({{false, {}, {}}});
    TWebBrowserEx browser(nullptr);
    Open(browser, FServer.Url("/mail?declined"));
    QVERIFY(WaitForTitle(browser, QStringLiteral("Denied")));
    QCOMPARE(TCredentialsDialog::shown().size(), 1);
    // Only the page's own requests: the page of the test before may still ask for its icon, signed
    // in as it was.
    QVERIFY(FServer.Find("/mail?declined"));
    for (const THttpTestServer::TRequest &request : FServer.Requests()) {
        if (request.Path.startsWith("/mail"))
            QVERIFY2(request.Authorization.isEmpty(), request.Path.constData());
    }
}

void TSignInTest::secondAttemptOffersTheName()
{
    // A mistyped password: the server refuses it and the engine asks again; the name typed the
    // first time is offered, so only the password needs typing.
    TCredentialsDialog::setNextAnswers(
        {{true, QStringLiteral("bob"), QStringLiteral("wrong")}, {false, {}, {}}});
    TWebBrowserEx browser(nullptr);
    Open(browser, FServer.Url("/mail?again"));
    QVERIFY(WaitForTitle(browser, QStringLiteral("Denied")));
    QCOMPARE(TCredentialsDialog::shown().size(), 2);
    QVERIFY(FServer.Find("/mail?again"));
    bool sentWrong = false;
    for (const THttpTestServer::TRequest &request : FServer.Requests())
        sentWrong |= request.Authorization == "Basic " + QByteArray("bob:wrong").toBase64();
    QVERIFY(sentWrong);

    // The dialog the user would see the second time.
    TCredentialsDialog::setNextAnswers({});
    QWidget parent;
    QString offeredName;
    // Names, not pointers: the dialog and its fields are gone once it is answered.
    QString typingIn;
    QTimer::singleShot(0, &parent, [&] {
        if (auto *dialog = parent.findChild<TCredentialsDialog *>()) {
            offeredName = dialog->findChild<QLineEdit *>(QStringLiteral("UserNameEdit"))->text();
            if (QWidget *focus = dialog->focusWidget())
                typingIn = focus->objectName();
            dialog->reject();
        }
    });
    QAuthenticator authenticator;
    AskForSignIn(&parent, FServer.Url("/mail"), &authenticator);
    QCOMPARE(offeredName, QStringLiteral("bob"));
    QCOMPARE(typingIn, QStringLiteral("PasswordEdit"));
    QVERIFY(authenticator.isNull());
}

void TSignInTest::proxySignIn()
{
    TCredentialsDialog::setNextAnswers({{false, {}, {}}});
    {
        TWebBrowserEx browser(nullptr);
        QSignalSpy completed(&browser, &TWebBrowserEx::OnNavigateComplete2);
        Open(browser, QUrl(QStringLiteral("http://mail.example/declined")));
        QVERIFY(completed.wait(TTimeout::Page));
        QVERIFY(browser.title() != QStringLiteral("Through the proxy"));
    }
    for (const QByteArray &authorization : FProxy.Authorizations)
        QVERIFY2(authorization.isEmpty(), authorization.constData());
    QCOMPARE(TCredentialsDialog::shown().size(), 1);
    QCOMPARE(TCredentialsDialog::shown().first(),
             ProxySignInMessage(QStringLiteral("127.0.0.1"), QStringLiteral("Office proxy")));

    TCredentialsDialog::setNextAnswers({{true, QStringLiteral("ann"), QStringLiteral("secret")}});
    TWebBrowserEx browser(nullptr);
    Open(browser, QUrl(QStringLiteral("http://mail.example/entered")));
    QVERIFY(WaitForTitle(browser, QStringLiteral("Through the proxy")));
    QCOMPARE(FProxy.Authorizations.last(), "Basic " + QByteArray("ann:secret").toBase64());
}

void TSignInTest::messages_data()
{
    QTest::addColumn<QUrl>("url");
    QTest::addColumn<QString>("realm");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain http")
        << QUrl(QStringLiteral("http://router.home:8080/admin")) << QStringLiteral("Router")
        << QStringLiteral("router.home:8080 asks for a user name and password.\nIt says: Router\n"
                          "Your connection to this site is not private.");
    QTest::newRow("https, no realm")
        << QUrl(QStringLiteral("https://mail.example.com/")) << QString()
        << QStringLiteral("mail.example.com asks for a user name and password.");
    // The server's text cannot add lines that look like ours.
    QTest::newRow("line breaks in the realm")
        << QUrl(QStringLiteral("https://mail.example.com/"))
        << QStringLiteral("Mail\nThis connection is private\r\x0b.")
        << QStringLiteral("mail.example.com asks for a user name and password.\n"
                          "It says: Mail This connection is private .");
    QTest::newRow("long realm") << QUrl(QStringLiteral("https://a.example/")) << QString(300, u'x')
                                << QStringLiteral(
                                       "a.example asks for a user name and password.\nIt says: ") +
                                       QString(200, u'x') + QChar(0x2026);
}

void TSignInTest::messages()
{
    QFETCH(QUrl, url);
    QFETCH(QString, realm);
    QFETCH(QString, expected);
    QCOMPARE(SignInMessage(url, realm), expected);
}

void TSignInTest::dialog()
{
    // What the user sees: the message as text (never markup), a hidden password, Sign in.
    const QString message = QStringLiteral("<b>site</b> asks");
    TCredentialsDialog dialog(nullptr, message, QString());
    auto *label = dialog.findChild<QLabel *>(QStringLiteral("MessageLabel"));
    QVERIFY(label);
    QCOMPARE(label->text(), message);
    QCOMPARE(label->textFormat(), Qt::PlainText);
    auto *user = dialog.findChild<QLineEdit *>(QStringLiteral("UserNameEdit"));
    auto *password = dialog.findChild<QLineEdit *>(QStringLiteral("PasswordEdit"));
    QVERIFY(user && password);
    QCOMPARE(password->echoMode(), QLineEdit::Password);
    QCOMPARE(user->echoMode(), QLineEdit::Normal);

    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QCOMPARE(QApplication::focusWidget(), user);
    QTest::keyClicks(user, QStringLiteral("ann"));
    QTest::keyClick(user, Qt::Key_Tab);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("secret"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.User(), QStringLiteral("ann"));
    QCOMPARE(dialog.Password(), QStringLiteral("secret"));
}

QTEST_MAIN(TSignInTest)
#include "tst_signin.moc"
