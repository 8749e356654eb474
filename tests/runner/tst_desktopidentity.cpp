#include "desktopidentity.h"
#include "webappform.h"
#include "webappidentity.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include "httptestserver.h"

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
        {
            QFile file(launcher);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("[Desktop Entry]\nType=Application\nName=Site\nExec=lumivane /l x\n"
                       "Icon=lumivane\n");
        }

        QWidget window;
        auto *view = new QWebEngineView(&window);
        // Off the record; made after the view so that the page goes first.
        view->setPage(new QWebEnginePage(new QWebEngineProfile(&window), view));
        new TDesktopIdentity(&window, view, Id);
        QVERIFY(!window.windowIcon().isNull());
        const QColor programColor = CentreColor(window.windowIcon());
        QVERIFY(programColor != SiteColor);

        view->load(FServer.Url("/withicon"));
        QTRY_COMPARE_WITH_TIMEOUT(CentreColor(window.windowIcon()), SiteColor, 20000);
        QTRY_VERIFY(QFileInfo::exists(WebAppIconPath(Id)));
        const QImage saved(WebAppIconPath(Id));
        QVERIFY(saved.width() >= 16 && saved.width() == saved.height());
        QCOMPARE(saved.pixelColor(saved.width() / 2, saved.height() / 2), SiteColor);
        QFile entry(launcher);
        QVERIFY(entry.open(QIODevice::ReadOnly));
        QVERIFY(entry.readAll().contains("\nIcon=" + WebAppIconPath(Id).toUtf8() + "\n"));

        view->load(FServer.Url("/plain"));
        QTRY_COMPARE_WITH_TIMEOUT(CentreColor(window.windowIcon()), programColor, 20000);
        QVERIFY(QFileInfo::exists(WebAppIconPath(Id)));
        QFile::remove(launcher);
    }

    // A run of a document takes the document's identity; a preview leaves the designer's alone.
    void runnerTakesDocumentIdentity()
    {
        const QString before = QGuiApplication::desktopFileName();
        {
            TWebAppForm preview(TWebAppForm::TRole::Preview);
            TWebApp webApp;
            webApp.Id = PreviewId;
            webApp.URL = FServer.Url("/withicon").toString().toUtf8();
            preview.ApplyWebApp(webApp);
            QCOMPARE(QGuiApplication::desktopFileName(), before);
        }

        QTemporaryDir folder;
        const QString document = folder.filePath(QStringLiteral("Site.webapp"));
        QFile file(document);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Configuration]\nId=" + RunId +
                   "\nURL=" + FServer.Url("/withicon").toString().toUtf8() +
                   "\nWindowSize=1\nWidth=400\nHeight=300\nRememberLastPosition=0\n"
                   "RememberLastSize=0\n");
        file.close();
        TWebAppForm runner(TWebAppForm::TRole::Runner);
        runner.OpenWebApp(document);
        QCOMPARE(QGuiApplication::desktopFileName(), WebAppApplicationId(RunId));
        QVERIFY(CentreColor(runner.windowIcon()) != SiteColor);
        runner.show();
        QTRY_COMPARE_WITH_TIMEOUT(CentreColor(runner.windowIcon()), SiteColor, 20000);
        QTRY_VERIFY(QFileInfo::exists(WebAppIconPath(RunId)));
        runner.hide();
    }

    // On X11 every window of the process carries the web app's id as class and instance, while
    // the application name, which names the settings and data folders, stays as it was. Checked
    // in a child process of this test under its own X server.
    void windowClassUnderX11()
    {
        const QString xvfbRun = QStandardPaths::findExecutable(QStringLiteral("xvfb-run"));
        const QString xdotool = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
        if (xvfbRun.isEmpty() || xdotool.isEmpty())
            QSKIP("xvfb-run and xdotool are needed to see the window class");
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.remove(QStringLiteral("RESOURCE_NAME"));
        child.setProcessEnvironment(env);
        // Tests run side by side: start the search for a free display somewhere of our own.
        const QString firstDisplay =
            QString::number(100 + QCoreApplication::applicationPid() % 800);
        child.start(xvfbRun, {QStringLiteral("-a"), QStringLiteral("-n"), firstDisplay,
                              QCoreApplication::applicationFilePath(),
                              QStringLiteral("--window-class-child")});
        QVERIFY(child.waitForFinished(60000));
        const QString output = QString::fromUtf8(child.readAllStandardOutput());
        QVERIFY2(child.exitCode() == 0,
                 qPrintable(output + QString::fromLocal8Bit(child.readAllStandardError())));
        const QString applicationId = WebAppApplicationId(Id);
        QCOMPARE(output, QStringLiteral("class %1\ninstance %1\nname Lumivane\ndesktop %1\n"
                                        "resource unset\n")
                             .arg(applicationId));
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
        xdotool.waitForFinished(10000);
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
} // namespace

int main(int argc, char **argv)
{
    if (argc > 1 && qstrcmp(argv[argc - 1], "--window-class-child") == 0)
        return WindowClassChild(argc - 1, argv);
    QApplication app(argc, argv);
    TDesktopIdentityTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_desktopidentity.moc"
