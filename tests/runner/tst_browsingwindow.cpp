// SPDX-License-Identifier: GPL-3.0-or-later
#include "runner/webappbrowsing.h"
#include "runner/webbrowserex.h"
#include "runner/windowplacement.h"
#include "shared/filedialog.h"
#include "support/browsingtestwindow.h"
#include "support/homesandbox.h"
#include "support/httptestserver.h"
#include "support/settingssandbox.h"
#include "support/testform.h"
#include "support/webapprecord.h"

#include <QAction>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEngineDownloadRequest>
#include <QWebEngineProfile>

// The browsing features as they sit in the web app window.
class TBrowsingWindowTest : public QObject
{
    Q_OBJECT

private:
    THomeSandbox FHome; // downloads make the user's Downloads folder
    TSettingsSandbox FSettings;
    THttpTestServer FServer;

    TWebApp WebApp(bool controlPanel) const
    {
        TWebApp webApp = TestWebApp(FServer.Url("/page"), {700, 500});
        webApp.ShowControlPanel = controlPanel;
        return webApp;
    }

    // Opens the record and gives the page the keyboard.
    static bool Open(TTestForm &form, const TWebApp &webApp)
    {
        if (!form.Open(webApp))
            return false;
        form.activateWindow();
        form.Browser()->focusProxy()->setFocus();
        return WaitForPageInput(form.Browser());
    }

    static QWidget *Child(QWidget *form, const char *name)
    {
        return form->findChild<QWidget *>(QLatin1String(name));
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(FSettings.IsValid());
        FServer.Serve("/page", "<title>Page</title><p>find me, find me</p>");
        FServer.Serve("/file",
                      {"application/octet-stream", QByteArray(300000, 'x'),
                       "Content-Disposition: attachment; filename=\"f.bin\"\r\n", 100'000'000});
    }

    // The find bar takes the control panel's place while it is open, or the bottom of a window
    // without one; keys typed into it that it does not use still reach the window.
    void findBarPlace_data()
    {
        QTest::addColumn<bool>("controlPanel");
        QTest::newRow("with control panel") << true;
        QTest::newRow("without control panel") << false;
    }

    void findBarPlace()
    {
        QFETCH(bool, controlPanel);
        TTestForm form(TWebAppForm::TRole::Preview);
        QVERIFY(Open(form, WebApp(controlPanel)));
        QWidget *panel = Child(&form, "ControlPanel");
        QWidget *bar = Child(&form, "FindBar");
        QVERIFY(panel && bar);
        const QRect panelPlace = panel->geometry();
        const QRect browserPlace = form.Browser()->geometry();
        if (!controlPanel)
            QCOMPARE(browserPlace.height(), form.height());

        QTest::keyClick(form.Browser()->focusProxy(), Qt::Key_F, Qt::ControlModifier);
        QVERIFY(WaitFor([&] { return bar->isVisible(); }, TTimeout::Page));
        QVERIFY(panel->isHidden());
        if (controlPanel) {
            QCOMPARE(bar->geometry(), panelPlace);
            QCOMPARE(form.Browser()->geometry(), browserPlace);
        } else {
            QCOMPARE(bar->geometry().bottom(), form.rect().bottom());
            QCOMPARE(form.Browser()->geometry().bottom() + 1, bar->geometry().top());
        }
        auto *edit = bar->findChild<QLineEdit *>(QStringLiteral("FindEdit"));
        QTest::keyClicks(edit, QStringLiteral("find"));
        QTest::keyClick(edit, Qt::Key_Plus, Qt::ControlModifier);
        QVERIFY(WaitFor([&] { return form.Browser()->zoomFactor() > 1.0; }, TTimeout::Page));

        QTest::keyClick(edit, Qt::Key_Escape);
        QVERIFY(bar->isHidden());
        QCOMPARE(panel->isVisible(), controlPanel);
        QCOMPARE(form.Browser()->geometry(), browserPlace);
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
        QVERIFY(WaitFor([&] { return strip->isVisible(); }, TTimeout::Page));
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
            QVERIFY(WaitFor([&] { return form.Browser()->zoomFactor() > 1.0; }, TTimeout::Page));
            QSettings store = TSettingsSandbox::Store();
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
