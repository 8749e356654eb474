// SPDX-License-Identifier: GPL-3.0-or-later
#include "runner/browsingprofile.h"
#include "runner/webbrowserex.h"
#include "support/httptestserver.h"
#include "support/testfiles.h"
#include "support/wait.h"

#include <QDir>
#include <QWebEngineProfile>
#include <QtTest>

// Each web app keeps its own browsing data between runs; the preview keeps none.
class TBrowsingProfileTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void cookiesLastUntilTheNextRunOfTheSameWebApp();
    void offTheRecordKeepsNothing();
    void foldersStayInsideTheDataFolder_data();
    void foldersStayInsideTheDataFolder();

private:
    // Loads path in a window of its own with this profile, as one run of a web app does, and
    // returns the Cookie header the request carried.
    QByteArray Run(std::shared_ptr<QWebEngineProfile> profile, const QByteArray &path);

    THttpTestServer FServer;
    int FRuns = 0;
};

void TBrowsingProfileTest::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName(QStringLiteral("Veldrane"));
    QCoreApplication::setApplicationName(QStringLiteral("Lumivane"));
    QDir(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
         QStringLiteral("/profiles"))
        .removeRecursively();
    // A session cookie (no expiry) is what most sign-ins set: it must survive too.
    FServer.Serve("/signin", "<title>in</title>", "text/html",
                  "Set-Cookie: session=abc; Path=/\r\nSet-Cookie: lasting=1; Max-Age=3600; "
                  "Path=/\r\n");
    FServer.Serve("/check", "<title>check</title>");
}

void TBrowsingProfileTest::cleanupTestCase()
{
    QDir(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
         QStringLiteral("/profiles"))
        .removeRecursively();
}

QByteArray TBrowsingProfileTest::Run(std::shared_ptr<QWebEngineProfile> profile,
                                     const QByteArray &path)
{
    const QByteArray pathAndQuery = path + "?run=" + QByteArray::number(++FRuns);
    TWebBrowserEx browser(nullptr);
    browser.SetProfile(std::move(profile));
    QSignalSpy loaded(&browser, &TWebBrowserEx::OnNavigateComplete2);
    browser.Navigate(FServer.Url(pathAndQuery));
    if (!WaitFor([&] { return !loaded.isEmpty(); }, TTimeout::Page))
        return "(not loaded)";
    const THttpTestServer::TRequest *request = FServer.Find(pathAndQuery);
    return request ? request->Cookie : "(no request)";
}

void TBrowsingProfileTest::cookiesLastUntilTheNextRunOfTheSameWebApp()
{
    Run(PersistentBrowsingProfile("{AAAAAAAA-0000-0000-0000-000000000001}"), "/signin");
    // Every window and profile of that run is gone now. The engine writes the cookies as the
    // profile goes, a little later: the next run, another process, starts from disk once their
    // write is complete (the database's journal is empty again).
    const QString cookies = BrowsingProfileFolder("{AAAAAAAA-0000-0000-0000-000000000001}") +
                            QStringLiteral("/Cookies");
    QVERIFY(WaitFor(
        [&] {
            const QByteArray stored = ReadAll(cookies);
            return stored.contains("session") && stored.contains("lasting") &&
                   QFileInfo(cookies + QStringLiteral("-journal")).size() == 0;
        },
        TTimeout::Page));
    const QByteArray sameApp =
        Run(PersistentBrowsingProfile("{AAAAAAAA-0000-0000-0000-000000000001}"), "/check");
    QVERIFY2(sameApp.contains("session=abc"), sameApp.constData());
    QVERIFY2(sameApp.contains("lasting=1"), sameApp.constData());

    const QByteArray otherApp =
        Run(PersistentBrowsingProfile("{AAAAAAAA-0000-0000-0000-000000000002}"), "/check");
    QCOMPARE(otherApp, QByteArray());
    const QByteArray noId = Run(PersistentBrowsingProfile(""), "/check");
    QCOMPARE(noId, QByteArray());
}

void TBrowsingProfileTest::offTheRecordKeepsNothing()
{
    auto preview = OffTheRecordBrowsingProfile();
    QVERIFY(preview->isOffTheRecord());
    Run(preview, "/signin");
    QVERIFY(Run(preview, "/check").contains("session=abc")); // within the preview it is kept
    preview.reset();
    QCOMPARE(Run(OffTheRecordBrowsingProfile(), "/check"), QByteArray());
}

void TBrowsingProfileTest::foldersStayInsideTheDataFolder_data()
{
    QTest::addColumn<QByteArray>("id");
    QTest::newRow("GUID") << QByteArray("{0F8E3C9A-1B2D-4E5F-8A9B-0C1D2E3F4A5B}");
    QTest::newRow("climbing") << QByteArray("../../.config");
    QTest::newRow("absolute") << QByteArray("/etc/passwd");
    QTest::newRow("backslashes") << QByteArray("..\\..\\Windows");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("long") << QByteArray(2047, 'x');
}

void TBrowsingProfileTest::foldersStayInsideTheDataFolder()
{
    QFETCH(QByteArray, id);
    const QString base =
        QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
                        QStringLiteral("/profiles"));
    const QString folder = BrowsingProfileFolder(id);
    QCOMPARE(QFileInfo(QDir::cleanPath(folder)).path(), base);
    QVERIFY(QFileInfo(folder).fileName().size() <= 64);
    QVERIFY(BrowsingProfileFolder(id + "x") != folder);

    const auto profile = PersistentBrowsingProfile(id);
    QCOMPARE(QDir::cleanPath(profile->persistentStoragePath()), QDir::cleanPath(folder));
    QCOMPARE(profile->persistentCookiesPolicy(), QWebEngineProfile::ForcePersistentCookies);
    QVERIFY(!profile->isOffTheRecord());
    // Windows of one web app share its profile.
    QCOMPARE(PersistentBrowsingProfile(id), profile);
}

QTEST_MAIN(TBrowsingProfileTest)
#include "tst_browsingprofile.moc"
