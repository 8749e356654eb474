// SPDX-License-Identifier: GPL-3.0-or-later
#include "runner/desktopidentity.h"
#include "runner/webappform.h"
#include "shared/webappidentity.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <signal.h>
#include <unistd.h>

#include "support/httptestserver.h"
#include "support/testfiles.h"
#include "support/wait.h"
#include "support/webapprecord.h"

namespace {
const QByteArray Id = QByteArrayLiteral("{7D0C5A2E-1F7B-4C1D-9E0A-2B3C4D5E6F70}");
const QByteArray RunId = QByteArrayLiteral("{0A1B2C3D-4E5F-4071-8293-A4B5C6D7E8F9}");
const QByteArray PreviewId = QByteArrayLiteral("{FFFFFFFF-0000-4000-8000-000000000001}");
const QColor SiteColor(0x20, 0xA0, 0x60);

QByteArray Png(const QColor &color, int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QColor CentreColor(const QIcon &icon)
{
    const QImage image = icon.pixmap(32, 32).toImage();
    return image.isNull() ? QColor() : image.pixelColor(image.width() / 2, image.height() / 2);
}
} // namespace

class TDesktopIdentityTest : public QObject
{
    Q_OBJECT

    THttpTestServer FServer;

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(FServer.isListening());
        // A page that names its icon, the icon, and a page without one. No other icon is
        // served: the engine's look for /favicon.ico finds nothing.
        FServer.Serve("/withicon",
                      "<html><head><title>Site</title>"
                      "<link rel=\"icon\" href=\"/site.png\"></head><body>icon</body></html>");
        FServer.Serve("/site.png", Png(SiteColor, 48), "image/png");
        FServer.Serve("/plain", "<html><head><title>Site</title></head><body>plain</body></html>");
    }

    void cleanup()
    {
        QFile::remove(WebAppIconPath(Id));
        QFile::remove(WebAppIconPath(RunId));
    }

    // The window carries the program's icon until the page names one, then the site's; a page
    // without one brings the program's back. The site's icon is kept for launchers, and a
    // launcher written before the first run is pointed at it.
    void windowIconFollowsSite()
    {
        const QString launcher =
            QDir(QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation))
                .filePath(WebAppApplicationId(Id) + QStringLiteral(".desktop"));
        QVERIFY(QDir().mkpath(QFileInfo(launcher).absolutePath()));
        QVERIFY(WriteAll(launcher, "[Desktop Entry]\nType=Application\nName=Site\n"
                                   "Exec=lumivane /l x\nIcon=lumivane\n"));

        QWidget window;
        auto *view = new QWebEngineView(&window);
        // Off the record; made after the view so that the page goes first.
        view->setPage(new QWebEnginePage(new QWebEngineProfile(&window), view));
        new TDesktopIdentity(&window, view, Id);
        QVERIFY(!window.windowIcon().isNull());
        const QColor programColor = CentreColor(window.windowIcon());
        QVERIFY(programColor != SiteColor);

        view->load(FServer.Url("/withicon"));
        QTRY_COMPARE_WITH_TIMEOUT(CentreColor(window.windowIcon()), SiteColor, TTimeout::Page);
        QTRY_VERIFY(QFileInfo::exists(WebAppIconPath(Id)));
        const QImage saved(WebAppIconPath(Id));
        QVERIFY(saved.width() >= 16 && saved.width() == saved.height());
        QCOMPARE(saved.pixelColor(saved.width() / 2, saved.height() / 2), SiteColor);
        QVERIFY(ReadAll(launcher).contains("\nIcon=" + WebAppIconPath(Id).toUtf8() + "\n"));

        view->load(FServer.Url("/plain"));
        QTRY_COMPARE_WITH_TIMEOUT(CentreColor(window.windowIcon()), programColor, TTimeout::Page);
        QVERIFY(QFileInfo::exists(WebAppIconPath(Id)));
        QFile::remove(launcher);
    }

    // A run of a document takes the document's identity; a preview leaves the designer's alone.
    void runnerTakesDocumentIdentity()
    {
        const QString before = QGuiApplication::desktopFileName();
        {
            TWebAppForm preview(TWebAppForm::TRole::Preview);
            TWebApp webApp = TestWebApp(FServer.Url("/withicon"));
            webApp.Id = PreviewId;
            preview.ApplyWebApp(webApp);
            QCOMPARE(QGuiApplication::desktopFileName(), before);
        }

        QTemporaryDir folder;
        const QString document = folder.filePath(QStringLiteral("Site.webapp"));
        QVERIFY(WriteAll(document, "[Configuration]\nId=" + RunId +
                                       "\nURL=" + FServer.Url("/withicon").toEncoded() +
                                       "\nWindowSize=1\nWidth=400\nHeight=300\n"
                                       "RememberLastPosition=0\nRememberLastSize=0\n"));
        TWebAppForm runner(TWebAppForm::TRole::Runner);
        runner.OpenWebApp(document);
        QCOMPARE(QGuiApplication::desktopFileName(), WebAppApplicationId(RunId));
        QVERIFY(CentreColor(runner.windowIcon()) != SiteColor);
        runner.show();
        QTRY_COMPARE_WITH_TIMEOUT(CentreColor(runner.windowIcon()), SiteColor, TTimeout::Page);
        QTRY_VERIFY(QFileInfo::exists(WebAppIconPath(RunId)));
        runner.hide();
    }

    // On X11 every window of the process carries the web app's id as class and instance, while
    // the application name, which names the settings and data folders, stays as it was. Checked
    // in a child process of this test under its own X server.
    void windowClassUnderX11()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
            QSKIP("xdotool is needed to see the window class");
        QString output;
        if (!RunUnderX11(QStringLiteral("--window-class-child"), output))
            return;
        const QString applicationId = WebAppApplicationId(Id);
        QCOMPARE(output, QStringLiteral("class %1\ninstance %1\nname Lumivane\ndesktop %1\n"
                                        "resource unset\n")
                             .arg(applicationId));
    }

    // Every style is an ordinary top-level window under a real window manager, so that taskbars
    // and window lists show it: no dialog or tool window belonging to another, none left out of
    // the taskbar. The fixed styles still cannot be resized.
    void everyStyleIsATopLevelWindowUnderX11()
    {
        for (const char *tool : {"openbox", "xprop"})
            if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
                QSKIP("openbox and xprop are needed to see how the window manager takes them");
        QString output;
        if (!RunUnderX11(QStringLiteral("--window-type-child"), output))
            return;
        const QString expected =
            QStringLiteral("0 NORMAL transient:no skip:no listed:yes resize:yes\n"
                           "1 NORMAL transient:no skip:no listed:yes resize:no\n"
                           "2 NORMAL transient:no skip:no listed:yes resize:yes\n"
                           "3 NORMAL transient:no skip:no listed:yes resize:no\n"
                           "4 NORMAL transient:no skip:no listed:yes resize:yes\n");
        QCOMPARE(output, expected);
    }

private:
    // Runs this test again with the option under an X server of its own and returns what the
    // child wrote; false (the test failed or skipped) when it could not.
    bool RunUnderX11(const QString &option, QString &output)
    {
        const QString xvfbRun = QStandardPaths::findExecutable(QStringLiteral("xvfb-run"));
        if (xvfbRun.isEmpty()) {
            QTest::qSkip("xvfb-run is needed for an X server", __FILE__, __LINE__);
            return false;
        }
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.remove(QStringLiteral("RESOURCE_NAME"));
        // Under AddressSanitizer the child unwinds with the fast unwinder and checks no leaks:
        // the X server's software OpenGL compiles its shaders at run time and registers their
        // unwind tables under the lock that the slow unwinder takes again (the child hung), and
        // what that driver keeps is not ours. The window checks are what the child is for.
        if (env.contains(QStringLiteral("ASAN_OPTIONS")))
            env.insert(QStringLiteral("ASAN_OPTIONS"),
                       env.value(QStringLiteral("ASAN_OPTIONS")) +
                           QStringLiteral(":fast_unwind_on_malloc=1:detect_leaks=0"));
        child.setProcessEnvironment(env);
        // Its own process group, so that a child that hangs is ended with its X server and
        // window manager instead of keeping the test's output open.
        child.setChildProcessModifier([] { ::setpgid(0, 0); });
        // Tests run side by side: start the search for a free display somewhere of our own.
        const QString firstDisplay =
            QString::number(100 + QCoreApplication::applicationPid() % 800);
        child.start(xvfbRun, {QStringLiteral("-a"), QStringLiteral("-n"), firstDisplay,
                              QStringLiteral("-s"), QStringLiteral("-screen 0 1280x1024x24"),
                              QCoreApplication::applicationFilePath(), option});
        if (!child.waitForFinished(TTimeout::Program)) {
            ::kill(-pid_t(child.processId()), SIGKILL);
            child.waitForFinished();
            QTest::qFail("the child under its X server did not finish", __FILE__, __LINE__);
            return false;
        }
        output = QString::fromUtf8(child.readAllStandardOutput());
        if (child.exitCode() != 0) {
            QTest::qFail(qPrintable(output + QString::fromLocal8Bit(child.readAllStandardError())),
                         __FILE__, __LINE__);
            return false;
        }
        return true;
    }
};

namespace {
// The child: a window made after SetWebAppApplicationId, looked up by class and instance.
int WindowClassChild(int argc, char **argv)
{
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Lumivane"));
    SetWebAppApplicationId(Id);
    QWidget window;
    window.setWindowTitle(QStringLiteral("probe"));
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 2;
    const QString applicationId = WebAppApplicationId(Id);
    const QString windowId = QString::number(window.winId());
    auto found = [&](const QString &option) {
        QProcess xdotool;
        xdotool.start(QStringLiteral("xdotool"),
                      {QStringLiteral("search"), option, u'^' + applicationId + u'$'});
        xdotool.waitForFinished(TTimeout::Event);
        return QString::fromLatin1(xdotool.readAll()).split(u'\n').contains(windowId);
    };
    QTextStream out(stdout);
    out << "class " << (found(QStringLiteral("--class")) ? applicationId : QStringLiteral("?"))
        << "\ninstance "
        << (found(QStringLiteral("--classname")) ? applicationId : QStringLiteral("?")) << "\nname "
        << QCoreApplication::applicationName() << "\ndesktop " << QGuiApplication::desktopFileName()
        << "\nresource " << (qEnvironmentVariableIsSet("RESOURCE_NAME") ? "set" : "unset") << '\n';
    return 0;
}

QString Xprop(const QStringList &arguments)
{
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"), QStringList{QStringLiteral("-notype")} + arguments);
    xprop.waitForFinished(TTimeout::Event);
    return QString::fromLatin1(xprop.readAllStandardOutput());
}

// The child: a window manager, then a web app window of each style as the manager took it.
int WindowTypeChild(int argc, char **argv)
{
    QTemporaryDir home; // whatever the window manager keeps stays out of the user's
    qputenv("HOME", QFile::encodeName(home.path()));
    QProcess manager;
    manager.start(QStringLiteral("openbox"), {});
    if (!manager.waitForStarted(TTimeout::Event))
        return 3;
    QApplication app(argc, argv);
    // The manager starts as slowly as a page loads on a busy machine.
    if (!WaitFor(
            [] {
                return Xprop({QStringLiteral("-root")})
                    .contains(QLatin1String("_NET_SUPPORTING_WM_CHECK"));
            },
            TTimeout::Page))
        return 4;
    QTextStream out(stdout);
    for (qint32 style = 0; style <= 4; ++style) {
        TWebAppForm form(TWebAppForm::TRole::Preview);
        TWebApp webApp = TestWebApp(QUrl(QStringLiteral("about:blank")), {400, 300});
        webApp.WindowStyle = style;
        form.ApplyWebApp(webApp);
        form.show();
        if (!QTest::qWaitForWindowExposed(&form))
            return 5;
        const QString id = QString::number(form.winId());
        const QStringList properties = {
            id, QStringLiteral("_NET_WM_WINDOW_TYPE"), QStringLiteral("WM_TRANSIENT_FOR"),
            QStringLiteral("_NET_WM_STATE"), QStringLiteral("_NET_WM_ALLOWED_ACTIONS")};
        QString props;
        // The manager states what it allows once it has taken the window.
        (void)WaitFor(
            [&] {
                props = Xprop(QStringList{QStringLiteral("-id")} + properties);
                return props.contains(QLatin1String("_NET_WM_ACTION_CLOSE"));
            },
            TTimeout::Event);
        // The standard types only: a frameless window also carries a hint of one desktop's.
        QStringList types;
        for (const QString &type : props.section(QStringLiteral("_NET_WM_WINDOW_TYPE = "), 1)
                                       .section(u'\n', 0, 0)
                                       .split(QStringLiteral(", ")))
            if (type.startsWith(QStringLiteral("_NET_WM_WINDOW_TYPE_")))
                types.append(type.mid(20));
        const QString type = types.join(u',');
        const QString listed = Xprop({QStringLiteral("-root"), QStringLiteral("_NET_CLIENT_LIST")});
        const QString hex = QStringLiteral("0x") + QString::number(form.winId(), 16);
        out << style << ' ' << type << " transient:"
            << (props.contains(QStringLiteral("WM_TRANSIENT_FOR: window id")) ? "yes" : "no")
            << " skip:" << (props.contains(QStringLiteral("SKIP_TASKBAR")) ? "yes" : "no")
            << " listed:"
            << (QRegularExpression(QStringLiteral("\\b%1\\b").arg(hex)).match(listed).hasMatch()
                    ? "yes"
                    : "no")
            << " resize:"
            << (props.contains(QStringLiteral("_NET_WM_ACTION_RESIZE")) ? "yes" : "no") << '\n';
        form.hide();
    }
    manager.terminate();
    manager.waitForFinished(TTimeout::Event);
    return 0;
}
} // namespace

int main(int argc, char **argv)
{
    if (argc > 1 && qstrcmp(argv[argc - 1], "--window-class-child") == 0)
        return WindowClassChild(argc - 1, argv);
    if (argc > 1 && qstrcmp(argv[argc - 1], "--window-type-child") == 0)
        return WindowTypeChild(argc - 1, argv);
    QApplication app(argc, argv);
    TDesktopIdentityTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_desktopidentity.moc"
