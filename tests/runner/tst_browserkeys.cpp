// SPDX-License-Identifier: GPL-3.0-or-later
#include "runner/browserkeys.h"
#include "runner/findbar.h"
#include "runner/pageprinter.h"
#include "support/browsingtestwindow.h"
#include "support/httptestserver.h"
#include "support/settingssandbox.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QString Group = QStringLiteral("WebApps/{browser-keys-test}");

// Records every key the page sees; keys listed in window.claim are the page's own.
const QByteArray KeysPage = R"(<html><head><title>Keys</title></head><body>
<input id="field">
<p>apple banana apple cherry apple</p>
<script>
window.keys = [];
window.claim = [];
document.addEventListener('keydown', e => {
  const name = (e.ctrlKey ? 'Ctrl+' : '') + (e.altKey ? 'Alt+' : '') + e.key;
  window.keys.push(name);
  if (window.claim.includes(name)) e.preventDefault();
});
</script></body></html>)";

bool Near(qreal a, qreal b)
{
    return std::abs(a - b) < 0.001;
}
} // namespace

class TBrowserKeysTest : public QObject
{
    Q_OBJECT

private:
    TSettingsSandbox FSettings;
    THttpTestServer FServer;
    std::unique_ptr<TBrowsingTestWindow> FWindow;
    std::unique_ptr<TBrowserKeys> FKeys;

    bool PageSaw(const QString &key)
    {
        return WaitFor(
            [&] { return FWindow->Js(QStringLiteral("window.keys")).toStringList().contains(key); },
            TTimeout::Page);
    }

    void Press(int key, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyClick(FWindow->RenderWidget(), static_cast<Qt::Key>(key), modifiers);
    }

    bool ZoomIs(qreal factor)
    {
        return WaitFor([&] { return Near(FWindow->View->zoomFactor(), factor); }, TTimeout::Page);
    }

    bool WentTo(const QByteArray &path)
    {
        return WaitFor([&] { return FWindow->View->url() == FServer.Url(path); }, TTimeout::Page);
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(FSettings.IsValid());
        FServer.Serve("/keys", KeysPage);
        FServer.Serve("/one", "<title>one</title><p>one</p>");
        FServer.Serve("/two", "<title>two</title><p>two</p>");
    }

    void init()
    {
        TSettingsSandbox::Clear();
        FWindow = std::make_unique<TBrowsingTestWindow>();
        FKeys = std::make_unique<TBrowserKeys>(FWindow->View, FWindow->Window.get(), Group);
        QVERIFY(FWindow->Load(FServer.Url("/keys")));
        QVERIFY(FWindow->ShowAndFocus());
    }

    void cleanup()
    {
        FKeys.reset();
        FWindow.reset();
        TPagePrinter::SetPrintDialog({});
    }

    // Typing into the page is the page's business: letters and its editing keys reach it and
    // none of the window's keys acts.
    void pageKeysReachThePage()
    {
        QSignalSpy loads(FWindow->View, &QWebEngineView::loadStarted);
        FWindow->Js(QStringLiteral("document.getElementById('field').focus()"));
        Press(Qt::Key_A);
        Press(Qt::Key_B);
        Press(Qt::Key_A, Qt::ControlModifier);
        Press(Qt::Key_X);
        QVERIFY(PageSaw(QStringLiteral("x")));
        QCOMPARE(FWindow->Js(QStringLiteral("document.getElementById('field').value")).toString(),
                 QStringLiteral("x"));
        QVERIFY(FWindow->Js(QStringLiteral("window.keys"))
                    .toStringList()
                    .contains(QStringLiteral("Ctrl+a")));
        QCOMPARE(loads.size(), 0);
        QCOMPARE(FWindow->View->zoomFactor(), 1.0);
    }

    void reloadKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::newRow("F5") << int(Qt::Key_F5) << Qt::KeyboardModifiers();
        QTest::newRow("Ctrl+R") << int(Qt::Key_R) << Qt::KeyboardModifiers(Qt::ControlModifier);
        QTest::newRow("Shift+F5") << int(Qt::Key_F5) << Qt::KeyboardModifiers(Qt::ShiftModifier);
    }

    void reloadKeys()
    {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        const qsizetype requests = FServer.Count("/keys");
        FWindow->Js(QStringLiteral("window.marker = 1"));
        QSignalSpy loads(FWindow->View, &QWebEngineView::loadFinished);
        Press(key, modifiers);
        QVERIFY(loads.wait(TTimeout::Page));
        QCOMPARE(FServer.Count("/keys"), requests + 1);
        QVERIFY(!FWindow->Js(QStringLiteral("window.marker === 1")).toBool());
    }

    // A key the page handles itself (it cancels the keydown) is left to the page.
    void keysThePageClaims_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<QString>("pageName");
        const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
        QTest::newRow("F5") << int(Qt::Key_F5) << Qt::KeyboardModifiers() << "F5";
        QTest::newRow("Ctrl+R") << int(Qt::Key_R) << ctrl << "Ctrl+r";
        QTest::newRow("Ctrl+F") << int(Qt::Key_F) << ctrl << "Ctrl+f";
        QTest::newRow("Ctrl+P") << int(Qt::Key_P) << ctrl << "Ctrl+p";
        QTest::newRow("Ctrl+minus") << int(Qt::Key_Minus) << ctrl << "Ctrl+-";
        QTest::newRow("Alt+Left") << int(Qt::Key_Left) << Qt::KeyboardModifiers(Qt::AltModifier)
                                  << "Alt+ArrowLeft";
    }

    void keysThePageClaims()
    {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(QString, pageName);
        QVERIFY(FWindow->Load(FServer.Url("/one")));
        QVERIFY(FWindow->Load(FServer.Url("/keys")));
        QVERIFY(FWindow->ShowAndFocus());
        FWindow->Js(QStringLiteral("window.claim = ['%1']").arg(pageName));
        QSignalSpy loads(FWindow->View, &QWebEngineView::loadStarted);
        QSignalSpy finds(FKeys.get(), &TBrowserKeys::FindRequested);
        QSignalSpy prints(FKeys.get(), &TBrowserKeys::PrintRequested);
        Press(key, modifiers);
        QVERIFY(PageSaw(pageName));
        // The page answers its keys in order: once the window has acted on a later key the page
        // left alone (it zooms in), the page's answer to the claimed one has come back too.
        Press(Qt::Key_Plus, Qt::ControlModifier);
        QVERIFY(ZoomIs(1.1));
        QCOMPARE(loads.size(), 0);
        QCOMPARE(finds.size(), 0);
        QCOMPARE(prints.size(), 0);
        QCOMPARE(FWindow->View->url(), FServer.Url("/keys"));
    }

    void backAndForward()
    {
        QVERIFY(FWindow->Load(FServer.Url("/one")));
        QVERIFY(FWindow->Load(FServer.Url("/two")));
        QVERIFY(FWindow->ShowAndFocus());
        Press(Qt::Key_Left, Qt::AltModifier);
        QVERIFY(WentTo("/one"));
        Press(Qt::Key_Right, Qt::AltModifier);
        QVERIFY(WentTo("/two"));
        QTest::mouseClick(FWindow->RenderWidget(), Qt::BackButton, {}, QPoint(100, 100));
        QVERIFY(WentTo("/one"));
        QTest::mouseClick(FWindow->RenderWidget(), Qt::ForwardButton, {}, QPoint(100, 100));
        QVERIFY(WentTo("/two"));
    }

    void zoomKeysStepAndAreRemembered()
    {
        Press(Qt::Key_Plus, Qt::ControlModifier);
        QVERIFY(ZoomIs(1.1));
        Press(Qt::Key_Equal, Qt::ControlModifier);
        QVERIFY(ZoomIs(1.25));
        QCOMPARE(TBrowserKeys::LoadZoomFactor(Group), 1.25);
        Press(Qt::Key_Minus, Qt::ControlModifier);
        QVERIFY(ZoomIs(1.1));
        Press(Qt::Key_Minus, Qt::ControlModifier);
        Press(Qt::Key_Minus, Qt::ControlModifier);
        QVERIFY(ZoomIs(0.9));
        QCOMPARE(TSettingsSandbox::Store().value(Group + QStringLiteral("/Zoom")).toInt(), 90);
        Press(Qt::Key_0, Qt::ControlModifier);
        QVERIFY(ZoomIs(1.0));
        QCOMPARE(TBrowserKeys::LoadZoomFactor(Group), 1.0);

        // The next run of the same web app starts at the remembered zoom.
        Press(Qt::Key_Plus, Qt::ControlModifier);
        QVERIFY(ZoomIs(1.1));
        TBrowsingTestWindow next;
        TBrowserKeys nextKeys(next.View, next.Window.get(), Group);
        QVERIFY(next.Load(FServer.Url("/one")));
        // As after a key, the engine applies it in its own time.
        qreal zoom = 0, pixelRatio = 0;
        QVERIFY2(
            WaitFor(
                [&] {
                    zoom = next.View->zoomFactor();
                    pixelRatio = next.Js(QStringLiteral("window.devicePixelRatio")).toDouble();
                    return Near(zoom, 1.1) && Near(pixelRatio, 1.1);
                },
                TTimeout::Page),
            qPrintable(QStringLiteral("zoom %1, device pixel ratio %2").arg(zoom).arg(pixelRatio)));
    }

    void zoomStopsAtTheEnds()
    {
        for (int i = 0; i < 30; ++i)
            FKeys->ZoomIn();
        QCOMPARE(FWindow->View->zoomFactor(), TBrowserKeys::ZoomSteps().constLast());
        for (int i = 0; i < 30; ++i)
            FKeys->ZoomOut();
        QCOMPARE(FWindow->View->zoomFactor(), TBrowserKeys::ZoomSteps().constFirst());
        // A stored value out of range or not a number is not applied.
        TSettingsSandbox::Store().setValue(Group + QStringLiteral("/Zoom"), 10000);
        QCOMPARE(TBrowserKeys::LoadZoomFactor(Group), 1.0);
        TSettingsSandbox::Store().setValue(Group + QStringLiteral("/Zoom"), QStringLiteral("big"));
        QCOMPARE(TBrowserKeys::LoadZoomFactor(Group), 1.0);
    }

    void ctrlWheelZoomIsRemembered()
    {
        QWidget *render = FWindow->RenderWidget();
        const QPointF at(200, 200);
        QWheelEvent wheel(at, render->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                          Qt::ControlModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(render, &wheel);
        QVERIFY(WaitFor([&] { return FWindow->View->zoomFactor() > 1.0; }, TTimeout::Page));
        const qreal zoomed = FWindow->View->zoomFactor();
        QVERIFY(WaitFor([&] { return Near(TBrowserKeys::LoadZoomFactor(Group), zoomed); }));
    }

    void findBar()
    {
        TFindBar bar(FWindow->View, FWindow->Window.get());
        connect(FKeys.get(), &TBrowserKeys::FindRequested, &bar, &TFindBar::Open);
        QVERIFY(bar.isHidden());
        Press(Qt::Key_F, Qt::ControlModifier);
        QVERIFY(WaitFor([&] { return bar.isVisible(); }, TTimeout::Page));
        auto *edit = bar.findChild<QLineEdit *>(QStringLiteral("FindEdit"));
        auto *result = bar.findChild<QLabel *>(QStringLiteral("FindResultLabel"));
        QVERIFY(edit && result);
        QVERIFY(edit->hasFocus());

        QTest::keyClicks(edit, QStringLiteral("apple"));
        const auto shows = [&](const QString &text) {
            return WaitFor([&] { return result->text() == text; }, TTimeout::Page);
        };
        QVERIFY2(shows(QStringLiteral("1 of 3")), qPrintable(result->text()));
        QTest::keyClick(edit, Qt::Key_Return);
        QVERIFY2(shows(QStringLiteral("2 of 3")), qPrintable(result->text()));
        QTest::keyClick(edit, Qt::Key_Return);
        QTest::keyClick(edit, Qt::Key_Return);
        QVERIFY2(shows(QStringLiteral("1 of 3")), qPrintable(result->text()));
        QTest::keyClick(edit, Qt::Key_Return, Qt::ShiftModifier);
        QVERIFY2(shows(QStringLiteral("3 of 3")), qPrintable(result->text()));
        QTest::keyClicks(edit, QStringLiteral("x"));
        QVERIFY2(shows(QStringLiteral("No matches")), qPrintable(result->text()));

        QSignalSpy closed(&bar, &TFindBar::Closed);
        QTest::keyClick(edit, Qt::Key_Escape);
        QVERIFY(bar.isHidden());
        QCOMPARE(closed.size(), 1);
        QVERIFY(FWindow->View->hasFocus() || FWindow->RenderWidget()->hasFocus());
        // Reopening selects the last search so typing replaces it.
        bar.Open();
        QCOMPARE(edit->selectedText(), QStringLiteral("applex"));
    }

    void printing()
    {
        QTemporaryDir folder;
        const QString pdf = folder.filePath(QStringLiteral("page.pdf"));
        int dialogs = 0;
        bool accept = false;
        TPagePrinter::SetPrintDialog([&](QPrinter &printer, QWidget *) {
            ++dialogs;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return accept;
        });
        TPagePrinter printer(FWindow->View, FWindow->Window.get());
        connect(FKeys.get(), &TBrowserKeys::PrintRequested, &printer, &TPagePrinter::Print);
        QSignalSpy finished(&printer, &TPagePrinter::Finished);

        // Cancelled in the dialog: nothing is printed.
        Press(Qt::Key_P, Qt::ControlModifier);
        QVERIFY(WaitFor([&] { return dialogs == 1; }, TTimeout::Page));
        QVERIFY(!printer.IsPrinting());
        QVERIFY(!QFile::exists(pdf));

        accept = true;
        Press(Qt::Key_P, Qt::ControlModifier);
        QVERIFY(WaitFor([&] { return finished.size() == 1; }, TTimeout::Page));
        QCOMPARE(dialogs, 2);
        QCOMPARE(finished.constFirst().constFirst().toBool(), true);
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.read(5) == "%PDF-");

        // The page's own window.print() goes the same way. It holds the page's script until the
        // printing is done, so it runs after the script that asks for it has answered.
        FWindow->Js(QStringLiteral("setTimeout(() => window.print())"));
        QVERIFY(WaitFor([&] { return finished.size() == 2; }, TTimeout::Page));
        QCOMPARE(dialogs, 3);
    }
};

QTEST_MAIN(TBrowserKeysTest)
#include "tst_browserkeys.moc"
