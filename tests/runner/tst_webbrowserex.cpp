// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/lumivaneerror.h"
#include "runner/browsingprofile.h"
#include "runner/webbrowserex.h"
#include "support/httptestserver.h"
#include "support/wait.h"

#include <QRegularExpression>
#include <QSysInfo>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QtTest>

#include <signal.h>

// The user agent a web app presents, on every kind of request a page makes and to its scripts.
class TWebBrowserExTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void builtTexts();
    void ieTextsCarryTheSystemVersion();
    void userAgentReachesEveryRequest_data();
    void userAgentReachesEveryRequest();
    void urlsThatCannotBeOpened_data();
    void urlsThatCannotBeOpened();
    void pageComesBackAfterItsProcessEnds();

private:
    THttpTestServer FServer;
    QByteArray FEngineUserAgent;
};

void TWebBrowserExTest::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(FServer.isListening());
    FEngineUserAgent = OffTheRecordBrowsingProfile()->httpUserAgent().toLatin1();
    QVERIFY(!FEngineUserAgent.isEmpty());

    // A page that asks for an image, a script, a style sheet, then makes an XHR and a fetch
    // request, and reports its navigator.userAgent in its title once all that is done.
    FServer.Serve("/page", R"(<!doctype html><html><head>
<link rel="stylesheet" href="/style.css">
<script src="/script.js"></script>
</head><body><img src="/image.png">
<script>
const xhr = new XMLHttpRequest();
xhr.open('GET', '/xhr');
xhr.onloadend = () => fetch('/fetch').finally(() => { document.title = 'UA:' + navigator.userAgent; });
xhr.send();
</script></body></html>)");
    FServer.Serve("/style.css", "body { margin: 0 }", "text/css");
    FServer.Serve("/script.js", "var loaded = true;", "text/javascript");
    FServer.Serve("/image.png",
                  QByteArray::fromBase64("iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYAAAAf"
                                         "FcSJAAAADUlEQVR42mP8z8DwHwAFBQIAX8jx0gAA"
                                         "AABJRU5ErkJggg=="),
                  "image/png");
    FServer.Serve("/xhr", "x", "text/plain");
    FServer.Serve("/fetch", "f", "text/plain");
}

void TWebBrowserExTest::builtTexts()
{
    QCOMPARE(GetIPhoneUserAgent().size(), 122);
    QCOMPARE(GetIPadUserAgent().size(), 141);
    QCOMPARE(GetWindowsPhone7UserAgent().size(), 83);
    // The device texts never carry the system version.
    for (const QByteArray &text :
         {GetIPhoneUserAgent(), GetIPadUserAgent(), GetWindowsPhone7UserAgent()})
        QVERIFY2(!text.contains("Windows NT"), text.constData());

    QCOMPARE(GetIEUserAgent("10.0", "6.1"),
             QByteArray("Mozilla/5.0 (compatible; MSIE 10.0; Windows NT 6.1; Trident/5.0)"));
    QCOMPARE(GetIEUserAgent("9.0", "6.1"),
             QByteArray("Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; Trident/5.0)"));
    QCOMPARE(GetIEUserAgent("8.0", "6.1"),
             QByteArray("Mozilla/4.0 (compatible; MSIE 8.0; Windows NT 6.1; Trident/4.0)"));
    QCOMPARE(GetIEUserAgent("7.0", "6.1"),
             QByteArray("Mozilla/4.0 (compatible; MSIE 7.0; Windows NT 6.1)"));
    QCOMPARE(GetIEUserAgent("6.0", "0.0"),
             QByteArray("Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 0.0)"));
    QCOMPARE(GetIEUserAgent("11.0", "6.1"), QByteArray());
    QCOMPARE(GetIEUserAgent("10", "6.1"), QByteArray());
}

void TWebBrowserExTest::ieTextsCarryTheSystemVersion()
{
    // Linux stands in for the Windows version with the kernel release's major.minor.
    const QRegularExpression leading(QStringLiteral("^(\\d+)\\.(\\d+)"));
    const auto match = leading.match(QSysInfo::kernelVersion());
    const QByteArray expected =
        match.hasMatch() ? (match.captured(1) + u'.' + match.captured(2)).toLatin1() : "0.0";
    QCOMPARE(WindowsVersion(), expected);
    QCOMPARE(MimicUserAgent("Internet Explorer 7"),
             "Mozilla/4.0 (compatible; MSIE 7.0; Windows NT " + expected + ")");
}

void TWebBrowserExTest::userAgentReachesEveryRequest_data()
{
    QTest::addColumn<QByteArray>("mimic");
    QTest::addColumn<QByteArray>("expected"); // empty: the engine's own

    const QByteArray v = WindowsVersion();
    const QByteArray ie10 =
        "Mozilla/5.0 (compatible; MSIE 10.0; Windows NT " + v + "; Trident/5.0)";
    QTest::newRow("iPhone") << QByteArray("iPhone") << GetIPhoneUserAgent();
    QTest::newRow("IPHONE") << QByteArray("IPHONE") << GetIPhoneUserAgent();
    QTest::newRow("iphone") << QByteArray("iphone") << GetIPhoneUserAgent();
    QTest::newRow("iPad") << QByteArray("iPad") << GetIPadUserAgent();
    QTest::newRow("Windows Phone 7")
        << QByteArray("Windows Phone 7") << GetWindowsPhone7UserAgent();
    QTest::newRow("Internet Explorer 10") << QByteArray("Internet Explorer 10") << ie10;
    QTest::newRow("INTERNET EXPLORER 9")
        << QByteArray("INTERNET EXPLORER 9")
        << "Mozilla/5.0 (compatible; MSIE 9.0; Windows NT " + v + "; Trident/5.0)";
    QTest::newRow("internet explorer 8")
        << QByteArray("internet explorer 8")
        << "Mozilla/4.0 (compatible; MSIE 8.0; Windows NT " + v + "; Trident/4.0)";
    QTest::newRow("Internet Explorer 7")
        << QByteArray("Internet Explorer 7")
        << "Mozilla/4.0 (compatible; MSIE 7.0; Windows NT " + v + ")";
    QTest::newRow("Internet explorer 6")
        << QByteArray("Internet explorer 6")
        << "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT " + v + ")";
    QTest::newRow("Default") << QByteArray("Default") << QByteArray();
    QTest::newRow("empty") << QByteArray() << QByteArray();
    QTest::newRow("space before") << QByteArray(" iphone") << QByteArray();
    QTest::newRow("space and digit after") << QByteArray("iphone 4") << QByteArray();
    QTest::newRow("Internet Explorer 11") << QByteArray("Internet Explorer 11") << QByteArray();
    QTest::newRow("Internet Explorer 5") << QByteArray("Internet Explorer 5") << QByteArray();
    QTest::newRow("Windows Phone 8") << QByteArray("Windows Phone 8") << QByteArray();
    QTest::newRow("Android") << QByteArray("Android") << QByteArray();
    // Only ASCII letters are lower-cased: a dotted capital I is not an i.
    QTest::newRow("non-ASCII capital") << QByteArray("\xc4\xb0phone") << QByteArray();
}

void TWebBrowserExTest::userAgentReachesEveryRequest()
{
    QFETCH(QByteArray, mimic);
    QFETCH(QByteArray, expected);
    if (expected.isEmpty())
        expected = FEngineUserAgent;

    TWebBrowserEx browser(nullptr);
    browser.SetProfile(OffTheRecordBrowsingProfile());
    ApplyMimic(browser, mimic);
    browser.resize(400, 300);
    browser.show();

    const QByteArray query = "?row=" + QByteArray(QTest::currentDataTag()).toPercentEncoding();
    browser.Navigate(FServer.Url("/page" + query));
    QVERIFY(WaitFor([&] { return browser.title().startsWith(u"UA:"); }, TTimeout::Page));
    QCOMPARE(browser.title().mid(3).toLatin1(), expected);

    // Sub-resources carry no query of their own; find the ones of this page by order.
    const auto &requests = FServer.Requests();
    qsizetype first = -1;
    for (qsizetype i = 0; i < requests.size(); ++i) {
        if (requests[i].Path == "/page" + query)
            first = i;
    }
    QVERIFY(first >= 0);
    QSet<QByteArray> seen;
    for (qsizetype i = first; i < requests.size(); ++i) {
        QVERIFY2(requests[i].UserAgent == expected,
                 (requests[i].Path + " sent " + requests[i].UserAgent).constData());
        seen.insert(requests[i].Path);
    }
    for (const char *path : {"/style.css", "/script.js", "/image.png", "/xhr", "/fetch"})
        QVERIFY2(seen.contains(path), path);
}

void TWebBrowserExTest::urlsThatCannotBeOpened_data()
{
    QTest::addColumn<QByteArray>("url");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("blanks") << QByteArray("   ");
    QTest::newRow("broken host") << QByteArray("http://[::1");
}

void TWebBrowserExTest::urlsThatCannotBeOpened()
{
    QFETCH(QByteArray, url);
    TWebBrowserEx browser(nullptr);
    try {
        browser.Navigate(url);
        QFAIL("no error");
    } catch (const TLumivaneError &error) {
        QCOMPARE(error.message(), QStringLiteral("Unable to open ") + QString::fromLatin1(url));
    }
}

void TWebBrowserExTest::pageComesBackAfterItsProcessEnds()
{
    FServer.Serve("/crashing", "<title>Up</title>up");
    TWebBrowserEx browser(nullptr);
    browser.SetProfile(OffTheRecordBrowsingProfile());
    browser.resize(400, 300);
    browser.show();
    browser.Navigate(FServer.Url("/crashing"));
    QTRY_COMPARE_WITH_TIMEOUT(browser.title(), QStringLiteral("Up"), TTimeout::Page);
    QCOMPARE(FServer.Count("/crashing"), 1);

    // Killed, as the system's out-of-memory killer does. The window asks for the page again as
    // soon as it hears of the end, before it handles any later event; so whether it did shows
    // once the events that were waiting then have been handled.
    QSignalSpy ended(browser.page(), &QWebEnginePage::renderProcessTerminated);
    QSignalSpy started(browser.page(), &QWebEnginePage::loadStarted);
    const auto kill = [&] {
        const qint64 pid = browser.page()->renderProcessPid();
        QVERIFY(pid > 0);
        const qsizetype before = ended.size();
        started.clear();
        QCOMPARE(::kill(pid_t(pid), SIGKILL), 0);
        QVERIFY(WaitFor([&] { return ended.size() > before; }, TTimeout::Page));
        QCOMPARE(
            ended.constLast().constFirst().value<QWebEnginePage::RenderProcessTerminationStatus>(),
            QWebEnginePage::KilledTerminationStatus);
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    };
    const qint64 first = browser.page()->renderProcessPid();
    kill();
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(started.size(), 1);
    QTRY_COMPARE_WITH_TIMEOUT(FServer.Count("/crashing"), 2, TTimeout::Page);
    QTRY_VERIFY_WITH_TIMEOUT(browser.page()->renderProcessPid() > 0, TTimeout::Page);
    QVERIFY(browser.page()->renderProcessPid() != first);
    QTRY_COMPARE_WITH_TIMEOUT(browser.title(), QStringLiteral("Up"), TTimeout::Page);

    // Ended again soon after: no endless reloading; the page waits for the user's reload.
    kill();
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(started.size(), 0);
    browser.page()->triggerAction(QWebEnginePage::Reload);
    QTRY_COMPARE_WITH_TIMEOUT(FServer.Count("/crashing"), 3, TTimeout::Page);
    QTRY_COMPARE_WITH_TIMEOUT(browser.title(), QStringLiteral("Up"), TTimeout::Page);
}

QTEST_MAIN(TWebBrowserExTest)
#include "tst_webbrowserex.moc"
