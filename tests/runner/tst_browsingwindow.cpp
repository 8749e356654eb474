// SPDX-License-Identifier: GPL-3.0-or-later
#include "runner/webappbrowsing.h"
#include "runner/webappform.h"
#include "runner/webbrowserex.h"
#include "runner/windowplacement.h"
#include "shared/filedialog.h"
#include "support/httptestserver.h"

#include <QAction>
#include <QLineEdit>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEngineDownloadRequest>
#include <QWebEngineProfile>

namespace {
// A web app window that stays when it ends, so the test sees what is left of it.
class TTestForm : public TWebAppForm
{
public:
    using TWebAppForm::TWebAppForm;

protected:
    void Terminate() override {}
};

template <typename TCondition> bool WaitFor(TCondition condition, int timeout = 10000)
{
    const QDeadlineTimer deadline(timeout);
    while (!condition() && !deadline.hasExpired())
        QTest::qWait(20);
    return condition();
}
} // namespace

// The browsing features as they sit in the web app window.
class TBrowsingWindowTest : public QObject
{
    Q_OBJECT

private:
    THttpTestServer FServer;
    QTemporaryDir FSettingsDir;

    TWebApp WebApp(bool controlPanel) const
    {
        TWebApp webApp;
        webApp.Id = "{browsing-window-test}";
        webApp.URL = FServer.Url("/page").toString().toLatin1();
        webApp.WindowSize = wsCustom;
        webApp.Width = 700;
        webApp.Height = 500;
        webApp.ShowControlPanel = controlPanel;
        return webApp;
    }

    // Applies the record, shows the window and waits for the page.
    static bool Open(TWebAppForm &form, const TWebApp &webApp)
    {
        bool loaded = false;
        // Let go before returning: a later load of the same window must not write into this
        // call's variable once the call is over.
        const QMetaObject::Connection connection =
            QObject::connect(form.Browser(), &QWebEngineView::loadFinished, &form,
                             [&](bool ok) { loaded = loaded || ok; });
        form.ApplyWebApp(webApp);
        form.show();
        const bool opened = WaitFor([&] { return loaded; }, 20000);
        QObject::disconnect(connection);
        if (!opened)
            return false;
        form.activateWindow();
        form.Browser()->focusProxy()->setFocus();
        return true;
    }

    static QWidget *Child(QWidget *form, const char *name)
    {
        return form->findChild<QWidget *>(QLatin1String(name));
    }

private Q_SLOTS:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(FSettingsDir.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, FSettingsDir.path());
        FServer.Serve("/page", "<title>Page</title><p>find me, find me</p>");
        FServer.Serve("/file",
                      {"application/octet-stream", QByteArray(300000, 'x'),
                       "Content-Disposition: attachment; filename=\"f.bin\"\r\n", 100'000'000});
    }

    // The find bar takes the control panel's place while it is open.
    void findBarInTheControlPanelsPlace()
    {
        TTestForm form(TWebAppForm::TRole::Preview);
        QVERIFY(Open(form, WebApp(true)));
        QWidget *panel = Child(&form, "ControlPanel");
        QWidget *bar = Child(&form, "FindBar");
        QVERIFY(panel && bar);
        const QRect panelPlace = panel->geometry();
        const QRect browserPlace = form.Browser()->geometry();

        QTest::keyClick(form.Browser()->focusProxy(), Qt::Key_F, Qt::ControlModifier);
        QVERIFY(WaitFor([&] { return bar->isVisible(); }));
        QVERIFY(panel->isHidden());
        QCOMPARE(bar->geometry(), panelPlace);
        QCOMPARE(form.Browser()->geometry(), browserPlace);
        // Keys typed into the find bar that it does not use still reach the window.
        auto *edit = bar->findChild<QLineEdit *>(QStringLiteral("FindEdit"));
        QTest::keyClicks(edit, QStringLiteral("find"));
        QTest::keyClick(edit, Qt::Key_Plus, Qt::ControlModifier);
        QVERIFY(WaitFor([&] { return form.Browser()->zoomFactor() > 1.0; }));

        QTest::keyClick(edit, Qt::Key_Escape);
        QVERIFY(bar->isHidden());
        QVERIFY(panel->isVisible());
        QCOMPARE(form.Browser()->geometry(), browserPlace);
    }

    void findBarWithoutControlPanel()
    {
        TTestForm form(TWebAppForm::TRole::Preview);
        QVERIFY(Open(form, WebApp(false)));
        QWidget *bar = Child(&form, "FindBar");
        QCOMPARE(form.Browser()->height(), form.height());
        QTest::keyClick(form.Browser()->focusProxy(), Qt::Key_F, Qt::ControlModifier);
        QVERIFY(WaitFor([&] { return bar->isVisible(); }));
        QCOMPARE(bar->geometry().bottom(), form.rect().bottom());
        QCOMPARE(form.Browser()->geometry().bottom() + 1, bar->geometry().top());
        QVERIFY(Child(&form, "ControlPanel")->isHidden());
        QTest::keyClick(bar->findChild<QLineEdit *>(QStringLiteral("FindEdit")), Qt::Key_Escape);
        QVERIFY(Child(&form, "ControlPanel")->isHidden());
        QCOMPARE(form.Browser()->height(), form.height());
    }

    void downloadStripAboveTheControlPanel()
    {
        TTestForm form(TWebAppForm::TRole::Preview);
        QVERIFY(Open(form, WebApp(true)));
        QTemporaryDir folder;
        TFileDialog::setNextFileName(folder.filePath(QStringLiteral("f.bin")));
        QWebEngineDownloadRequest *download = nullptr;
        connect(form.Browser()->page()->profile(), &QWebEngineProfile::downloadRequested, this,
                [&](QWebEngineDownloadRequest *request) { download = request; });
        form.Browser()->load(FServer.Url("/file"));
        QWidget *strip = Child(&form, "DownloadBar");
        QVERIFY(strip);
        QVERIFY(WaitFor([&] { return strip->isVisible(); }));
        QWidget *panel = Child(&form, "ControlPanel");
        QCOMPARE(strip->geometry().bottom() + 1, panel->geometry().top());
        QCOMPARE(form.Browser()->geometry().bottom() + 1, strip->geometry().top());
        QVERIFY(download);
        download->cancel();
    }

    // The run remembers its zoom beside its placement; the page's menu resets permissions.
    void runnerRemembersZoomBesideItsPlacement()
    {
        const TWebApp webApp = WebApp(true);
        const QString group = WindowPlacementGroup(webApp.Id);
        {
            TTestForm form(TWebAppForm::TRole::Runner);
            QVERIFY(Open(form, webApp));
            QTest::keyClick(form.Browser()->focusProxy(), Qt::Key_Plus, Qt::ControlModifier);
            QVERIFY(WaitFor([&] { return form.Browser()->zoomFactor() > 1.0; }));
            QSettings store(QSettings::NativeFormat, QSettings::UserScope,
                            QStringLiteral("Veldrane"), QStringLiteral("Lumivane"));
            QCOMPARE(store.value(group + QStringLiteral("/Zoom")).toInt(), 110);
            store.setValue(group + QStringLiteral("/Permissions/x/Notifications"),
                           QStringLiteral("Allow"));
            store.sync(); // the program's changes replace the store's file, not this object's
            auto *browsing = form.findChild<TWebAppBrowsing *>();
            QVERIFY(browsing);
            browsing->ResetPermissionsAction()->trigger();
            store.sync();
            QVERIFY(!store.contains(group + QStringLiteral("/Permissions/x/Notifications")));
        }
        // A preview remembers nothing.
        TTestForm preview(TWebAppForm::TRole::Preview);
        QVERIFY(Open(preview, webApp));
        QCOMPARE(preview.Browser()->zoomFactor(), 1.0);
    }
};

QTEST_MAIN(TBrowsingWindowTest)
#include "tst_browsingwindow.moc"
