// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/lumivaneerror.h"
#include "runner/appwindow.h"
#include "runner/popupwindow.h"
#include "runner/webappform.h"
#include "runner/webappwindows.h"
#include "runner/webbrowserex.h"
#include "runner/windowgeometry.h"
#include "shared/application.h"
#include "shared/shellhelpers.h"
#include "support/httptestserver.h"
#include "support/settingssandbox.h"
#include "support/wait.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTimer>
#include <QWebEngineHistory>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <QtTest>
#include <climits>
#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {
// A web app window whose end of the program the test observes instead of suffering it.
class TTestForm : public TWebAppForm
{
public:
    using TWebAppForm::TWebAppForm;
    int Terminations = 0;

protected:
    void Terminate() override { ++Terminations; }
};

QWidget *Child(QWidget *form, const char *name)
{
    return form->findChild<QWidget *>(QLatin1String(name));
}

// The script's answer; invalid when none came. The page's own messages sent before it (to the
// console, say) have been handled by then: they come the same way, in order.
QVariant RunScript(QWebEngineView *view, const QString &script)
{
    QVariant result;
    bool answered = false;
    view->page()->runJavaScript(script, [&](const QVariant &value) {
        result = value;
        answered = true;
    });
    return WaitFor([&] { return answered; }, TTimeout::Page) ? result : QVariant();
}

// Clicks the page until condition holds: a click may come before the page takes input (its first
// frame, a new size), so one the page has not answered is repeated after a while.
template <typename TCondition>
bool ClickUntil(QWebEngineView *view, QPoint at, TCondition condition)
{
    constexpr int Unanswered = TTimeout::Event / 5;
    const QDeadlineTimer deadline(TTimeout::Page);
    while (!deadline.hasExpired()) {
        if (view->focusProxy())
            QTest::mouseClick(view->focusProxy(), Qt::LeftButton, {}, at);
        if (WaitFor(condition, Unanswered))
            return true;
    }
    return false;
}

// A closing that the bound would end has ended by then, with a tenth to spare for the timer.
constexpr int BeyondTheClosingWait = TWebAppForm::ClosingWaitMs * 11 / 10;

// Acts as the user on a page's boxes: each box the window shows is handed to answer once. The
// boxes run while the page waits, so they are answered from the event loop, not the test's code.
class TBoxUser : public QObject
{
public:
    struct TBox
    {
        QString Message;
        bool NoMoreOffered;
    };
    QList<TBox> Seen;

    TBoxUser(QWidget *window, std::function<void(QDialog *)> answer)
    {
        connect(&FTimer, &QTimer::timeout, this, [this, window, answer] {
            for (QDialog *box : window->findChildren<QDialog *>(QStringLiteral("PageDialog"))) {
                if (!box->isVisible() || box->property("seen").toBool())
                    continue;
                box->setProperty("seen", true);
                auto *noMore =
                    box->findChild<QCheckBox *>(QStringLiteral("PageDialogNoMoreCheckBox"));
                Seen.append(
                    {box->findChild<QLabel *>(QStringLiteral("PageDialogMessage"))->text(),
                     noMore && noMore->text() ==
                                   QStringLiteral("Don't let this page show more dialogs")});
                answer(box);
            }
        });
        FTimer.start(20);
    }

private:
    QTimer FTimer;
};
} // namespace

// The web app window: what a record makes of it, how it follows its page, and how it ends.
class TWebAppFormTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void sizeAndPosition_data();
    void sizeAndPosition();
    void fullScreenIsMaximised_data();
    void fullScreenIsMaximised();
    void keysGoToThePage();
    void frames_data();
    void frames();
    void controlPanelLayout();
    void draggingByTheControlPanel();
    void captionFollowsThePage();
    void closingGoesThroughABlankPage_data();
    void closingGoesThroughABlankPage();
    void restoredPlacement();
    void pageClosingItsWindow_data();
    void pageClosingItsWindow();
    void leavePromptCanKeepTheWindow();
    void pageDialogsEndWithTheWindow_data();
    void pageDialogsEndWithTheWindow();
    void pageToldToShowNoMoreDialogs();
    void closingAgainLeavesThePage();
    void windowStaysWhileThePageAsksToLeave();
    void newWindows();
    void pageFullScreen();
    void urlThatCannotBeOpened();
    void refusesToRunAsRootWithTheSandboxOn();

private:
    TWebApp WebApp(const QByteArray &path = "/plain") const;
    // Shows the page whose script never returns, in a web app that remembers its position;
    // false when the page did not come.
    bool ShowHungPage(TTestForm &form) const;
    static QSettings Store() { return TSettingsSandbox::Store(); }
    QSize Screen() const { return QGuiApplication::primaryScreen()->geometry().size(); }

    THttpTestServer FServer;
    TSettingsSandbox FSandbox;
};

void TWebAppFormTest::initTestCase()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Veldrane"));
    QCoreApplication::setApplicationName(QStringLiteral("Lumivane"));
    QVERIFY(FSandbox.IsValid());
    FServer.Serve("/plain", "<title>Plain</title>plain");
    FServer.Serve("/untitled", "no title here");
    FServer.Serve("/leaving", R"(<title>Leaving</title><script>
window.addEventListener('pagehide', () => navigator.sendBeacon('/left'));
</script>)");
    // Asks before it is left, once the user has done something in it.
    FServer.Serve("/asking", R"(<title>Asking</title><body style="height:100%"><script>
addEventListener('beforeunload', e => { e.preventDefault(); e.returnValue = 'x'; });
</script></body>)");
    FServer.Serve("/opener", R"html(<title>Opener</title><body style="margin:0">
<a id="link" target="_blank" href="/elsewhere">x</a>
<button style="position:fixed;left:0;top:0;width:100vw;height:100vh" onclick="window.action()">
</button>)html");
    FServer.Serve("/elsewhere", "<title>Elsewhere</title>");
    FServer.Serve("/popup", "<title>Sign in</title>");
    FServer.Serve("/dialogs", R"(<title>Dialogs</title><script>
function alerts() { for (let i = 1; ; ++i) alert('Alert ' + i); }
function asks() {
  const name = prompt('Name?', 'Ann');
  const sure = confirm('Sure?');
  for (let i = 1; i <= 5; ++i) alert('Alert ' + i);
  document.title = name + ' ' + sure;
}
</script>)");
    // A page whose script never returns: its renderer cannot leave it for the blank page.
    FServer.Serve("/hang", R"(<title>Hang</title><script>
addEventListener('load', () => setTimeout(() => { document.title = 'Hung'; for (;;) {} }, 100));
</script>)");
}

void TWebAppFormTest::init()
{
    TSettingsSandbox::Clear();
    SetApplicationTitle(QString());
}

TWebApp TWebAppFormTest::WebApp(const QByteArray &path) const
{
    TWebApp webApp;
    webApp.Id = "{11111111-2222-3333-4444-555555555555}";
    webApp.URL = FServer.Url(path).toString().toLatin1();
    webApp.WindowSize = wsCustom;
    webApp.Width = 400;
    webApp.Height = 300;
    webApp.ShowControlPanel = true;
    return webApp;
}

bool TWebAppFormTest::ShowHungPage(TTestForm &form) const
{
    TWebApp webApp = WebApp("/hang");
    webApp.RememberLastPosition = true;
    form.ApplyWebApp(webApp);
    form.show();
    return WaitFor([&] { return form.windowTitle() == QStringLiteral("Hung"); }, TTimeout::Page);
}

void TWebAppFormTest::sizeAndPosition_data()
{
    QTest::addColumn<int>("windowSize");
    QTest::addColumn<bool>("flip");
    QTest::addColumn<QSize>("custom");
    QTest::addColumn<int>("position");
    QTest::addColumn<QRect>("expected");

    // No window manager here: outer and client sizes are the same.
    const QSize s = Screen();
    QTest::newRow("custom, Bottom-Right")
        << 1 << false << QSize(300, 200) << 8 << QRect(s.width() - 300, s.height() - 200, 300, 200);
    QTest::newRow("custom, flip ignored")
        << 1 << true << QSize(300, 500) << 1 << QRect(0, 0, 300, 500);
    QTest::newRow("iPhone flipped, Top-Right")
        << 3 << true << QSize() << 3 << QRect(s.width() - 480, 0, 480, 320);
    QTest::newRow("QVGA, Center-Left")
        << 5 << false << QSize() << 4 << QRect(0, (s.height() - 240) / 2, 320, 240);
    QTest::newRow("HD larger than the screen, Center")
        << 9 << false << QSize() << 0
        << QRect((s.width() - 1920) / 2, (s.height() - 1080) / 2, 1920, 1080);
    QTest::newRow("position 9 is Center")
        << 6 << false << QSize() << 9
        << QRect((s.width() - 640) / 2, (s.height() - 480) / 2, 640, 480);
    QTest::newRow("size 10 keeps the design size")
        << 10 << false << QSize(300, 200) << 1 << QRect(QPoint(0, 0), DesignClientSize);
    QTest::newRow("size -1 keeps the design size")
        << -1 << false << QSize(300, 200) << 6
        << QRect(QPoint(0, s.height() - DesignClientSize.height()), DesignClientSize);
    // A document without a size (0 x 0) or with a sliver opens at the design size too.
    QTest::newRow("custom zero") << 1 << false << QSize(0, 0) << 1
                                 << QRect(QPoint(0, 0), DesignClientSize);
    QTest::newRow("custom negative")
        << 1 << false << QSize(-5, -300) << 1 << QRect(QPoint(0, 0), DesignClientSize);
    QTest::newRow("custom huge")
        << 1 << false << QSize(INT_MAX, 200) << 1
        << QRect(
               0, 0,
               MaxOuterSizeFor(QGuiApplication::primaryScreen()->virtualGeometry().size()).width(),
               200);
}

void TWebAppFormTest::sizeAndPosition()
{
    QFETCH(int, windowSize);
    QFETCH(bool, flip);
    QFETCH(QSize, custom);
    QFETCH(int, position);
    QFETCH(QRect, expected);

    TTestForm form;
    TWebApp webApp = WebApp();
    webApp.WindowSize = windowSize;
    webApp.Flip = flip;
    webApp.Width = custom.width();
    webApp.Height = custom.height();
    webApp.WindowPosition = position;
    form.ApplyWebApp(webApp);
    QCOMPARE(form.frameGeometry(), expected); // final before the window is shown
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    // Once shown the size includes the frame the window system drew (offscreen: 2 pixels).
    // This window system pushes a client area that would start above or left of the screen back
    // onto it.
    if (expected.size() == DesignClientSize) {
        // The design size is the client area's: the frame comes on top, at the same corner.
        QCOMPARE(form.size(), DesignClientSize);
        const QRect outer = form.frameGeometry();
        QVERIFY(outer.width() > DesignClientSize.width());
        QVERIFY(outer.left() == 0 &&
                (expected.top() == 0 ? outer.top() == 0 : outer.bottom() == Screen().height() - 1));
    } else if (expected.left() < 0 || expected.top() < 0)
        QCOMPARE(form.frameGeometry().size(), expected.size());
    else
        QCOMPARE(form.frameGeometry(), expected);
    QVERIFY(!form.isMaximized());
}

void TWebAppFormTest::fullScreenIsMaximised_data()
{
    QTest::addColumn<int>("style");
    QTest::newRow("Normal") << 0;
    QTest::newRow("Dialog, a fixed frame") << 1;
    QTest::newRow("Mini, a fixed frame") << 3;
    QTest::newRow("None") << 4;
}

void TWebAppFormTest::fullScreenIsMaximised()
{
    QFETCH(int, style);
    TTestForm form;
    TWebApp webApp = WebApp();
    webApp.WindowStyle = style;
    webApp.WindowSize = wsFullScreen;
    webApp.WindowPosition = 5;
    form.ApplyWebApp(webApp);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QVERIFY(form.windowState() & Qt::WindowMaximized);
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    QCOMPARE(form.frameGeometry().topLeft(), available.topLeft());
    QTRY_COMPARE_WITH_TIMEOUT(form.frameGeometry().size(), available.size(), TTimeout::Event);
    // A window manager maximises no window whose least and greatest sizes are one (this test's
    // window system does so anyway).
    QVERIFY(form.minimumSize() != form.maximumSize());
}

void TWebAppFormTest::keysGoToThePage()
{
    TTestForm form;
    form.ApplyWebApp(WebApp());
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QWidget *browser = Child(&form, "Browser");
    QWidget *focus = QApplication::focusWidget();
    QVERIFY(focus);
    QVERIFY2(focus == browser || browser->isAncestorOf(focus), focus->metaObject()->className());
    // A Space for the page does not press the panel's Close button (which a focused button
    // does on the key's release, at once).
    QSignalSpy closeClicked(qobject_cast<QPushButton *>(Child(&form, "CloseButton")),
                            &QPushButton::clicked);
    QTest::keyClick(focus, Qt::Key_Space);
    QCOMPARE(closeClicked.count(), 0);
    QVERIFY(form.isVisible());
    QCOMPARE(form.Terminations, 0);
}

void TWebAppFormTest::frames_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<bool>("frameless");
    QTest::addColumn<bool>("fixed");

    QTest::newRow("Normal") << 0 << false << false;
    QTest::newRow("Dialog") << 1 << false << true;
    QTest::newRow("Mini (Resizeable)") << 2 << false << false;
    QTest::newRow("Mini") << 3 << false << true;
    QTest::newRow("None") << 4 << true << false;
    QTest::newRow("7 keeps Normal") << 7 << false << false;
    QTest::newRow("-1 keeps Normal") << -1 << false << false;
}

void TWebAppFormTest::frames()
{
    QFETCH(int, style);
    QFETCH(bool, frameless);
    QFETCH(bool, fixed);

    for (const bool stayOnTop : {false, true}) {
        TTestForm form;
        TWebApp webApp = WebApp();
        webApp.WindowStyle = style;
        webApp.StayOnTop = stayOnTop;
        form.ApplyWebApp(webApp);
        const Qt::WindowFlags flags = form.windowFlags();
        // Always a top-level window of its own, which taskbars show (no dialog or tool window).
        QCOMPARE(int(flags & Qt::WindowType_Mask), int(Qt::Window));
        QCOMPARE(flags.testFlag(Qt::FramelessWindowHint), frameless);
        QCOMPARE(flags.testFlag(Qt::WindowStaysOnTopHint), stayOnTop);
        QCOMPARE(form.minimumSize() == form.maximumSize(), fixed);
        QCOMPARE(form.size(), QSize(400, 300));
        if (fixed) {
            QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
            QCOMPARE(form.maximumSize(), QSize(400, 300));
        }
    }
}

void TWebAppFormTest::controlPanelLayout()
{
    TTestForm form;
    form.ApplyWebApp(WebApp());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QWidget *browser = Child(&form, "Browser");
    QWidget *panel = Child(&form, "ControlPanel");
    auto *close = qobject_cast<QPushButton *>(Child(&form, "CloseButton"));
    QVERIFY(browser && panel && close);
    QCOMPARE(close->text(), QStringLiteral("Close"));
    QVERIFY(!close->isDefault() && !close->autoDefault());

    for (const QSize size : {QSize(400, 300), QSize(700, 520), QSize(150, 90)}) {
        form.resize(size);
        QCOMPARE(browser->geometry(), QRect(0, 0, size.width(), size.height() - 38));
        QCOMPARE(panel->geometry(), QRect(0, size.height() - 38, size.width(), 38));
        // Anchored right and bottom: 10 pixels to the right edge, 8 to the bottom.
        QCOMPARE(close->geometry(), QRect(size.width() - 99, 5, 89, 25));
    }

    TTestForm bare;
    TWebApp webApp = WebApp();
    webApp.ShowControlPanel = false;
    bare.ApplyWebApp(webApp);
    bare.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bare));
    QVERIFY(!Child(&bare, "ControlPanel")->isVisible());
    QCOMPARE(Child(&bare, "Browser")->geometry(), bare.rect());
    bare.resize(500, 410);
    QCOMPARE(Child(&bare, "Browser")->geometry(), QRect(0, 0, 500, 410));
}

void TWebAppFormTest::draggingByTheControlPanel()
{
    TTestForm form;
    form.ApplyWebApp(WebApp());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QWidget *panel = Child(&form, "ControlPanel");
    // Moves carry the buttons held; Qt delivers none without one to a widget that does not
    // track the mouse.
    const auto send = [&](QEvent::Type type, QPoint at, Qt::MouseButton button,
                          Qt::MouseButtons held) {
        QMouseEvent event(type, at, panel->mapToGlobal(at), button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(panel, &event);
    };
    const auto press = [&](QPoint at, Qt::MouseButton button) {
        send(QEvent::MouseButtonPress, at, button, button);
    };
    const auto moveTo = [&](QPoint at, Qt::MouseButtons held) {
        send(QEvent::MouseMove, at, Qt::NoButton, held);
    };
    const auto release = [&](QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
        send(QEvent::MouseButtonRelease, at, button, held);
    };

    const QPoint start = form.pos();
    press(QPoint(50, 20), Qt::LeftButton);
    moveTo(QPoint(80, 10), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(form.pos(), start + QPoint(30, -10), TTimeout::Event);
    // The panel moved with the window: the point pressed is back under the pointer.
    moveTo(QPoint(60, 25), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(form.pos(), start + QPoint(40, -5), TTimeout::Event);
    release(QPoint(60, 25), Qt::LeftButton, Qt::NoButton);
    const QPoint dropped = form.pos();
    moveTo(QPoint(90, 30), Qt::LeftButton);
    QCOMPARE(form.pos(), dropped);

    // Other buttons start nothing, and releasing any button ends a drag.
    press(QPoint(50, 20), Qt::RightButton);
    moveTo(QPoint(90, 30), Qt::RightButton);
    QCOMPARE(form.pos(), dropped);
    release(QPoint(90, 30), Qt::RightButton, Qt::NoButton);
    press(QPoint(50, 20), Qt::LeftButton);
    release(QPoint(50, 20), Qt::RightButton, Qt::LeftButton);
    moveTo(QPoint(90, 30), Qt::LeftButton);
    QCOMPARE(form.pos(), dropped);
}

void TWebAppFormTest::captionFollowsThePage()
{
    TTestForm form;
    form.ApplyWebApp(WebApp("/plain"));
    form.show();
    QTRY_COMPARE_WITH_TIMEOUT(form.windowTitle(), QStringLiteral("Plain"), TTimeout::Page);
    QCOMPARE(ApplicationTitle(), QStringLiteral("Plain"));

    // Single-page sites change their title without navigating.
    form.Browser()->page()->runJavaScript(QStringLiteral("document.title = 'Inbox (3)'"));
    QTRY_COMPARE_WITH_TIMEOUT(form.windowTitle(), QStringLiteral("Inbox (3)"), TTimeout::Page);
    QCOMPARE(ApplicationTitle(), QStringLiteral("Inbox (3)"));

    // No title: the address stands in.
    form.Browser()->Navigate(FServer.Url("/untitled"));
    QTRY_VERIFY_WITH_TIMEOUT(form.windowTitle().contains(QStringLiteral("/untitled")),
                             TTimeout::Page);
    QCOMPARE(ApplicationTitle(), form.windowTitle());
}

void TWebAppFormTest::closingGoesThroughABlankPage_data()
{
    QTest::addColumn<bool>("position");
    QTest::addColumn<bool>("size");
    // The blank page's arrival ends the closing at once. Told by the test, it is seen to; as the
    // engine tells it, on a busy machine the closing's bound may come first.
    QTest::addColumn<bool>("arrivalTold");
    QTest::newRow("neither") << false << false << false;
    QTest::newRow("position") << true << false << true;
    QTest::newRow("size") << false << true << false;
    QTest::newRow("both") << true << true << true;
}

void TWebAppFormTest::closingGoesThroughABlankPage()
{
    QFETCH(bool, position);
    QFETCH(bool, size);
    QFETCH(bool, arrivalTold);
    const QByteArray path = "/leaving?" + QByteArray(QTest::currentDataTag());
    TTestForm form;
    TWebApp webApp = WebApp(path);
    webApp.RememberLastPosition = position;
    webApp.RememberLastSize = size;
    form.ApplyWebApp(webApp);
    form.show();
    QTRY_COMPARE_WITH_TIMEOUT(form.windowTitle(), QStringLiteral("Leaving"), TTimeout::Page);
    form.move(60, 40);
    form.resize(420, 310);
    const QRect outer = form.frameGeometry();
    QCOMPARE(outer.topLeft(), QPoint(60, 40));
    QSignalSpy closed(&form, &TWebAppForm::Closed);
    // Whether the window was visible when the blank page replaced the site's, as the engine
    // tells it: at the new address, or at the end of its load.
    int blankSeen = -1;
    QStringList pageEvents; // what the engine told, for the message when the blank page is late
    QWebEnginePage *page = form.Browser()->page();
    const auto blankArrives = [&](const char *event) {
        pageEvents << QStringLiteral("%1 %2").arg(QLatin1String(event), page->url().toString());
        if (blankSeen == -1 && page->url() == QUrl(QStringLiteral("about:blank")))
            blankSeen = form.isVisible();
    };
    QObject listening; // goes before what the handlers write to; the page outlives them
    connect(page, &QWebEnginePage::urlChanged, &listening, [&] { blankArrives("urlChanged"); });
    connect(page, &QWebEnginePage::loadStarted, &listening, [&] { blankArrives("loadStarted"); });
    connect(page, &QWebEnginePage::loadFinished, &listening, [&] { blankArrives("loadFinished"); });

    qobject_cast<QPushButton *>(Child(&form, "CloseButton"))->click();
    QCOMPARE(closed.count(), 0); // not before the blank page has loaded
    if (arrivalTold) {
        emit form.Browser()->OnNavigateComplete2(FServer.Url(path)); // late news of the old page
        QCOMPARE(closed.count(), 0);
        emit form.Browser()->OnNavigateComplete2(QUrl(QStringLiteral("about:blank")));
        QCOMPARE(closed.count(), 1);
    }
    QVERIFY(WaitFor([&] { return !closed.isEmpty(); }, TTimeout::Page));
    QVERIFY(form.isHidden());
    // The blank page loads unseen, also when the closing went on without it.
    QVERIFY2(WaitFor([&] { return blankSeen != -1; }, TTimeout::Page),
             qPrintable(pageEvents.join(QStringLiteral(", "))));
    QCOMPARE(blankSeen, 0);
    QCOMPARE(form.Browser()->url(), QUrl(QStringLiteral("about:blank")));
    QCOMPARE(closed.first().first().toBool(), true);
    QTRY_VERIFY_WITH_TIMEOUT(FServer.Find("/left"), TTimeout::Page); // the site saw itself left
    QCOMPARE(form.Terminations, 1);
    QCOMPARE(form.windowTitle(), QStringLiteral("Leaving"));

    QSettings store = Store();
    store.beginGroup(QStringLiteral("WebApps/{11111111-2222-3333-4444-555555555555}"));
    QCOMPARE(store.childKeys().size(), (position ? 2 : 0) + (size ? 2 : 0));
    if (position) {
        QCOMPARE(store.value(QStringLiteral("Left")).toInt(), 60);
        QCOMPARE(store.value(QStringLiteral("Top")).toInt(), 40);
    }
    if (size) {
        QCOMPARE(store.value(QStringLiteral("Width")).toInt(), outer.width());
        QCOMPARE(store.value(QStringLiteral("Height")).toInt(), outer.height());
    }
}

void TWebAppFormTest::restoredPlacement()
{
    {
        QSettings store = Store();
        store.beginGroup(QStringLiteral("WebApps/{11111111-2222-3333-4444-555555555555}"));
        store.setValue(QStringLiteral("Left"), 25);
        store.setValue(QStringLiteral("Top"), 35);
        store.setValue(QStringLiteral("Width"), 333);
        store.setValue(QStringLiteral("Height"), 222);
    }
    TWebApp webApp = WebApp();
    webApp.WindowStyle = 1; // fixed: the restored size becomes its fixed size
    webApp.WindowPosition = 8;
    webApp.RememberLastPosition = true;
    webApp.RememberLastSize = true;
    {
        TTestForm form;
        form.ApplyWebApp(webApp);
        QCOMPARE(form.frameGeometry(), QRect(25, 35, 333, 222));
        QCOMPARE(form.maximumSize(), QSize(333, 222));
    }
    // A monitor that is gone: the position computed for the record's size, the stored size.
    Store().setValue(QStringLiteral("WebApps/{11111111-2222-3333-4444-555555555555}/Left"), 100000);
    {
        TTestForm form;
        form.ApplyWebApp(webApp);
        const QSize s = Screen();
        QCOMPARE(form.frameGeometry(), QRect(s.width() - 400, s.height() - 300, 333, 222));
    }
    // Only the size remembered; a size from the store of another type keeps the computed one.
    Store().setValue(QStringLiteral("WebApps/{11111111-2222-3333-4444-555555555555}/Width"),
                     QStringLiteral("wide"));
    webApp.RememberLastPosition = false;
    {
        TTestForm form;
        form.ApplyWebApp(webApp);
        const QSize s = Screen();
        QCOMPARE(form.frameGeometry(), QRect(s.width() - 400, s.height() - 300, 400, 222));
    }
}

void TWebAppFormTest::pageClosingItsWindow_data()
{
    QTest::addColumn<bool>("preview");
    QTest::addColumn<bool>("navigated");
    QTest::newRow("runner") << false << false;
    // The engine would refuse this close: the window was not opened by a script and has a history.
    QTest::newRow("runner, after navigating") << false << true;
    QTest::newRow("preview") << true << false;
}

void TWebAppFormTest::pageClosingItsWindow()
{
    // The page's close ends the run at once: no blank page, no place kept. A preview's end is
    // its own, and the designer goes on.
    QFETCH(bool, preview);
    QFETCH(bool, navigated);
    TTestForm form(preview ? TWebAppForm::TRole::Preview : TWebAppForm::TRole::Runner);
    TWebApp webApp =
        WebApp("/plain?closing-" + QByteArray(QTest::currentDataTag()).toPercentEncoding());
    webApp.RememberLastPosition = true;
    webApp.RememberLastSize = true;
    form.ApplyWebApp(webApp);
    QSignalSpy closed(&form, &TWebAppForm::Closed);
    int closedByTheText = -1;
    int history = 0;
    bool asked = false;
    // All of it happens within the window's run, which is modal for a preview.
    connect(form.Browser(), &TWebBrowserEx::OnNavigateComplete2, &form, [&](const QUrl &url) {
        QWebEnginePage *page = form.Browser()->page();
        if (navigated && url.path() != u"/untitled") {
            page->runJavaScript(QStringLiteral("location.href = '/untitled'"));
            return;
        }
        if (std::exchange(asked, true))
            return;
        // Written by the page as a console message, the text it would need is not enough: a
        // console message of the page's own closes nothing.
        page->runJavaScript(QStringLiteral("console.info('close')"), [&, page](const QVariant &) {
            closedByTheText = int(closed.size());
            history = form.Browser()->history()->count();
            page->runJavaScript(QStringLiteral("setTimeout(() => window.close(), 0)"));
        });
    });
    QTimer guard; // a test that hangs tells nobody anything
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, &form, &QWidget::close);
    guard.start(TTimeout::Page);
    form.ShowModal();
    QVERIFY(guard.isActive());
    QCOMPARE(closedByTheText, 0);
    if (navigated)
        QCOMPARE(history, 2);
    QCOMPARE(closed.size(), 1);
    QCOMPARE(closed.first().first().toBool(), false);
    QCOMPARE(form.Terminations, preview ? 0 : 1);
    QVERIFY(form.isHidden());
    QVERIFY(form.Browser()->url() != QUrl(QStringLiteral("about:blank")));
    QVERIFY(Store().allKeys().isEmpty());
    QCOMPARE(form.Browser()->page()->profile()->isOffTheRecord(), preview);
}

void TWebAppFormTest::leavePromptCanKeepTheWindow()
{
    // The page's confirmations, its leave prompt among them, are reported with their answers.
    TTestForm form;
    form.ApplyWebApp(WebApp("/plain?confirming"));
    form.show();
    QTRY_COMPARE_WITH_TIMEOUT(form.windowTitle(), QStringLiteral("Plain"), TTimeout::Page);
    QSignalSpy shown(form.Browser(), &TWebBrowserEx::OnConfirmShown);
    QSignalSpy answered(form.Browser(), &TWebBrowserEx::OnConfirmAnswered);
    int boxesSeen = 0;
    TBoxUser user(&form, [&](QDialog *box) {
        boxesSeen += shown.size() == 1 && answered.isEmpty();
        box->reject();
    });
    form.Browser()->page()->runJavaScript(QStringLiteral("confirm('Leave?')"));
    QTRY_COMPARE_WITH_TIMEOUT(answered.size(), 1, TTimeout::Page);
    QCOMPARE(boxesSeen, 1);
    QCOMPARE(answered.first().first().toBool(), false);

    // While the window closes, the prompt holds the closing for as long as the user takes;
    // "stay" brings the window back. (A page that cannot leave keeps the closing waiting.)
    TTestForm closing;
    QVERIFY(ShowHungPage(closing));
    QSignalSpy closed(&closing, &TWebAppForm::Closed);
    const auto endsWithin = [&](int ms) { return WaitFor([&] { return !closed.isEmpty(); }, ms); };
    closing.close();
    QTRY_VERIFY_WITH_TIMEOUT(!closing.isVisible(), TTimeout::Event);
    emit closing.Browser()->OnConfirmShown();
    QVERIFY(!endsWithin(BeyondTheClosingWait));
    emit closing.Browser()->OnConfirmAnswered(false);
    QVERIFY(closing.isVisible());
    QVERIFY(!endsWithin(BeyondTheClosingWait));
    QCOMPARE(closing.Terminations, 0);

    // Asked again and told to leave: the closing goes on. The blank page never comes, so the
    // bound ends it (timers may fire a little early), and the place is kept as ever.
    closing.close();
    emit closing.Browser()->OnConfirmShown();
    QElapsedTimer sinceLeave;
    sinceLeave.start();
    emit closing.Browser()->OnConfirmAnswered(true);
    QVERIFY(endsWithin(TTimeout::Page));
    QVERIFY2(sinceLeave.elapsed() >= TWebAppForm::ClosingWaitMs * 9 / 10,
             qPrintable(QString::number(sinceLeave.elapsed())));
    QVERIFY(closing.Browser()->url() != QUrl(QStringLiteral("about:blank")));
    QCOMPARE(closed.first().first().toBool(), true);
    QCOMPARE(closing.Terminations, 1);
    QVERIFY(
        Store().contains(QStringLiteral("WebApps/{11111111-2222-3333-4444-555555555555}/Left")));
}

void TWebAppFormTest::pageDialogsEndWithTheWindow_data()
{
    QTest::addColumn<bool>("closeButton");
    QTest::newRow("close request") << false;
    QTest::newRow("Close button") << true;
}

void TWebAppFormTest::pageDialogsEndWithTheWindow()
{
    // A page that shows box after box: closing the window ends the box and closes as ever.
    QFETCH(bool, closeButton);
    TTestForm form;
    TWebApp webApp = WebApp("/dialogs?alerts");
    webApp.RememberLastPosition = true;
    QSignalSpy loaded(form.Browser(), &TWebBrowserEx::OnNavigateComplete2);
    form.ApplyWebApp(webApp);
    form.show();
    QVERIFY(loaded.wait(TTimeout::Page));
    QSignalSpy closed(&form, &TWebAppForm::Closed);
    bool closing = false;
    bool endedByTheClose = false;
    TBoxUser user(&form, [&](QDialog *box) {
        if (closing || user.Seen.size() == 1) {
            box->accept();
            return;
        }
        closing = true;
        if (closeButton)
            QTest::mouseClick(Child(&form, "CloseButton"), Qt::LeftButton);
        else
            form.windowHandle()->close();
        endedByTheClose = !box->isVisible();
    });
    form.Browser()->page()->runJavaScript(QStringLiteral("alerts()"));
    QVERIFY(WaitFor([&] { return !closed.isEmpty(); }, TTimeout::Page));
    QCOMPARE(user.Seen.size(), 2); // none after the close
    QCOMPARE(user.Seen.at(0).Message, QStringLiteral("Alert 1"));
    QVERIFY(!user.Seen.at(0).NoMoreOffered);
    QCOMPARE(user.Seen.at(1).Message, QStringLiteral("Alert 2"));
    QVERIFY(user.Seen.at(1).NoMoreOffered);
    QVERIFY(endedByTheClose);
    QVERIFY(form.isHidden());
    QCOMPARE(closed.first().first().toBool(), true);
    QCOMPARE(form.Terminations, 1);
    QVERIFY(
        Store().contains(QStringLiteral("WebApps/{11111111-2222-3333-4444-555555555555}/Left")));
}

void TWebAppFormTest::pageToldToShowNoMoreDialogs()
{
    TTestForm form;
    QSignalSpy loaded(form.Browser(), &TWebBrowserEx::OnNavigateComplete2);
    form.ApplyWebApp(WebApp("/dialogs?asks"));
    form.show();
    QVERIFY(loaded.wait(TTimeout::Page));
    QString proposedName;
    TBoxUser user(&form, [&](QDialog *box) {
        auto *noMore = box->findChild<QCheckBox *>(QStringLiteral("PageDialogNoMoreCheckBox"));
        switch (user.Seen.size()) {
        case 1: { // the prompt: its text comes and goes
            auto *text = box->findChild<QLineEdit *>(QStringLiteral("PageDialogText"));
            proposedName = text->text();
            text->setText(QStringLiteral("Bob"));
            box->accept();
            break;
        }
        case 3: // the first alert: no more
            noMore->setChecked(true);
            box->accept();
            break;
        case 4: // after the reload, the count starts over
            box->reject();
            break;
        case 5:
            noMore->setChecked(true);
            box->reject();
            break;
        default:
            box->accept();
        }
    });
    form.Browser()->page()->runJavaScript(QStringLiteral("asks()"));
    QTRY_COMPARE_WITH_TIMEOUT(form.windowTitle(), QStringLiteral("Bob true"), TTimeout::Page);
    QCOMPARE(proposedName, QStringLiteral("Ann"));
    QCOMPARE(user.Seen.size(), 3);

    // Until the page loads again.
    loaded.clear();
    form.Browser()->reload();
    QVERIFY(loaded.wait(TTimeout::Page));
    form.Browser()->page()->runJavaScript(QStringLiteral("asks()"));
    QTRY_COMPARE_WITH_TIMEOUT(form.windowTitle(), QStringLiteral("null false"), TTimeout::Page);
    QStringList messages;
    QList<bool> offered;
    for (const TBoxUser::TBox &box : user.Seen) {
        messages << box.Message;
        offered << box.NoMoreOffered;
    }
    QCOMPARE(messages, QStringList({QStringLiteral("Name?"), QStringLiteral("Sure?"),
                                    QStringLiteral("Alert 1"), QStringLiteral("Name?"),
                                    QStringLiteral("Sure?")}));
    QCOMPARE(offered, QList<bool>({false, true, true, false, true}));
}

void TWebAppFormTest::closingAgainLeavesThePage()
{
    // The page's own leave prompt is the user's to answer, also while the window closes; asked
    // to close again meanwhile, the user means to leave.
    FServer.Serve("/unsaved", R"(<title>Unsaved</title><body style="height:100vh"><script>
addEventListener('beforeunload', e => { e.preventDefault(); e.returnValue = ''; });
addEventListener('click', () => document.title = 'Edited');
</script>)");
    TTestForm form;
    form.ApplyWebApp(WebApp("/unsaved"));
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTRY_COMPARE_WITH_TIMEOUT(form.windowTitle(), QStringLiteral("Unsaved"), TTimeout::Page);
    // The engine asks only after the user has done something on the page.
    QVERIFY(ClickUntil(form.Browser(), form.Browser()->rect().center(),
                       [&] { return form.windowTitle() == u"Edited"; }));
    QSignalSpy closed(&form, &TWebAppForm::Closed);
    TBoxUser user(&form, [&](QDialog *) { form.windowHandle()->close(); });
    form.close();
    QVERIFY(WaitFor([&] { return !closed.isEmpty(); }, TTimeout::Page));
    QCOMPARE(user.Seen.size(), 1);
    QVERIFY(user.Seen.constFirst().Message.startsWith(QStringLiteral("Are you sure")));
    QCOMPARE(form.Browser()->url(), QUrl(QStringLiteral("about:blank")));
    QCOMPARE(form.Terminations, 1);
}

void TWebAppFormTest::windowStaysWhileThePageAsksToLeave()
{
    TTestForm form;
    TWebApp webApp = WebApp("/asking");
    webApp.RememberLastPosition = true;
    form.ApplyWebApp(webApp);
    form.show();
    QTRY_COMPARE_WITH_TIMEOUT(form.windowTitle(), QStringLiteral("Asking"), TTimeout::Page);
    const auto js = [&](const QString &script) { return RunScript(form.Browser(), script); };
    // A page may ask only once the user has done something in it.
    QVERIFY(ClickUntil(form.Browser(), QPoint(20, 20), [&] {
        return js(QStringLiteral("navigator.userActivation.hasBeenActive")).toBool();
    }));
    QCOMPARE(js(QStringLiteral("window.marker = 7")).toInt(), 7);
    const QRect place = form.frameGeometry();
    QSignalSpy closed(&form, &TWebAppForm::Closed);

    bool leave = false;
    QList<QPair<bool, QRect>> seen; // the window, visible and where, while each box is up
    TBoxUser user(&form, [&](QDialog *box) {
        seen.append({form.isVisible(), form.frameGeometry()});
        if (leave)
            box->accept();
        else
            box->reject();
    });

    // Stay: the window never went, the page is the one it was, and it may still show boxes.
    form.close();
    QTRY_COMPARE_WITH_TIMEOUT(seen.size(), 1, TTimeout::Page);
    QCOMPARE(seen.constFirst(), qMakePair(true, place));
    QVERIFY(user.Seen.constFirst().Message.startsWith(QStringLiteral("Are you sure")));
    QTRY_VERIFY_WITH_TIMEOUT(form.Browser()->isEnabled(), TTimeout::Event);
    QVERIFY(form.isVisible());
    QCOMPARE(form.frameGeometry(), place);
    QCOMPARE(js(QStringLiteral("window.marker")).toInt(), 7);
    form.Browser()->page()->runJavaScript(QStringLiteral("alert('Still here')"));
    QTRY_COMPARE_WITH_TIMEOUT(seen.size(), 2, TTimeout::Page);
    QCOMPARE(user.Seen.constLast().Message, QStringLiteral("Still here"));
    QVERIFY(closed.isEmpty());

    // Leave: asked in front of the window again, which then goes and keeps its place.
    leave = true;
    form.close();
    QTRY_COMPARE_WITH_TIMEOUT(closed.size(), 1, TTimeout::Page);
    QCOMPARE(seen.size(), 3);
    QCOMPARE(seen.constLast(), qMakePair(true, place));
    QVERIFY(form.isHidden());
    QCOMPARE(closed.constFirst().constFirst().toBool(), true);
    QCOMPARE(form.Terminations, 1);
    QCOMPARE(Store()
                 .value(QStringLiteral("WebApps/{11111111-2222-3333-4444-555555555555}/Left"))
                 .toInt(),
             place.left());
}

void TWebAppFormTest::newWindows()
{
    QList<QUrl> opened;
    SetShellOpener([&](const QUrl &url) { opened.append(url); });
    TTestForm form;
    TWebApp webApp = WebApp("/opener");
    webApp.Mimic = "iPad";
    form.ApplyWebApp(webApp);
    form.show();
    QTRY_COMPARE_WITH_TIMEOUT(form.windowTitle(), QStringLiteral("Opener"), TTimeout::Page);
    // What the user's click makes the page do.
    const auto click = [&](const QString &action) {
        bool set = false;
        form.Browser()->page()->runJavaScript(
            QStringLiteral("window.action = () => { %1 }").arg(action),
            [&](const QVariant &) { set = true; });
        QTRY_VERIFY_WITH_TIMEOUT(set, TTimeout::Page);
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTest::mouseClick(form.Browser()->focusProxy(), Qt::LeftButton, {}, QPoint(200, 200));
    };
    // A link of the web app's site to a new window opens a further window of the web app: its
    // profile, its user agent, its own title.
    click(QStringLiteral("document.getElementById('link').click()"));
    QTRY_COMPARE_WITH_TIMEOUT(form.Windows()->Windows().size(), 1, TTimeout::Page);
    TAppWindow *window = form.Windows()->Windows().first();
    QTRY_VERIFY_WITH_TIMEOUT(FServer.Find("/elsewhere"), TTimeout::Page);
    QCOMPARE(FServer.Find("/elsewhere")->UserAgent, GetIPadUserAgent());
    QCOMPARE(window->Browser()->page()->profile(), form.Browser()->page()->profile());
    QTRY_COMPARE_WITH_TIMEOUT(window->windowTitle(), QStringLiteral("Elsewhere"), TTimeout::Page);
    QVERIFY(window->isWindow() && !window->parentWidget());

    // A popup with window features stays with the web app: its profile, its user agent.
    click(QStringLiteral("window.open('/popup', 'signin', 'width=320,height=420')"));
    TPopupWindow *popup = nullptr;
    QTRY_VERIFY_WITH_TIMEOUT((popup = form.findChild<TPopupWindow *>()), TTimeout::Page);
    QTRY_VERIFY_WITH_TIMEOUT(FServer.Find("/popup"), TTimeout::Page);
    QCOMPARE(FServer.Find("/popup")->UserAgent, GetIPadUserAgent());
    QCOMPARE(popup->Browser()->page()->profile(), form.Browser()->page()->profile());
    QTRY_COMPARE_WITH_TIMEOUT(popup->windowTitle(), QStringLiteral("Sign in"), TTimeout::Page);

    // The popup closes itself when the sign-in is done; the further window closing ends nothing.
    QPointer<TPopupWindow> watched(popup);
    popup->Browser()->page()->runJavaScript(QStringLiteral("window.close()"));
    QTRY_VERIFY_WITH_TIMEOUT(watched.isNull(), TTimeout::Page);
    QPointer<TAppWindow> watchedWindow(window);
    window->close();
    QTRY_VERIFY_WITH_TIMEOUT(watchedWindow.isNull(), TTimeout::Page);
    QCOMPARE(form.Terminations, 0);
    QCOMPARE(opened, QList<QUrl>());

    // Closing the main window closes the windows the web app opened.
    click(QStringLiteral("document.getElementById('link').click()"));
    QTRY_COMPARE_WITH_TIMEOUT(form.Windows()->Windows().size(), 1, TTimeout::Page);
    watchedWindow = form.Windows()->Windows().first();
    form.close();
    QTRY_VERIFY_WITH_TIMEOUT(watchedWindow.isNull(), TTimeout::Page);
    QTRY_COMPARE_WITH_TIMEOUT(form.Terminations, 1, TTimeout::Page);
    SetShellOpener({});
}

void TWebAppFormTest::pageFullScreen()
{
    // A video's full-screen button, say: the page asks for the whole screen on a click.
    FServer.Serve("/video", R"html(<title>Video</title><body style="margin:0">
<button style="width:100vw;height:100vh" onclick="document.body.requestFullscreen()">go</button>)html");
    TWebApp webApp = WebApp("/video");
    webApp.WindowStyle = 1; // a fixed frame, whose size must come back as well
    webApp.RememberLastPosition = true;
    webApp.RememberLastSize = true;
    TTestForm form;
    form.ApplyWebApp(webApp);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTRY_COMPARE_WITH_TIMEOUT(form.windowTitle(), QStringLiteral("Video"), TTimeout::Page);
    form.move(30, 20);
    QTRY_COMPARE_WITH_TIMEOUT(form.frameGeometry().topLeft(), QPoint(30, 20), TTimeout::Event);
    const QRect before = form.frameGeometry();
    QWidget *panel = Child(&form, "ControlPanel");
    auto *view = qobject_cast<QWebEngineView *>(Child(&form, "Browser"));
    QVERIFY(panel && view);
    QVERIFY(panel->isVisible());
    const auto pageInFullScreen = [view] {
        const QVariant answer =
            RunScript(view, QStringLiteral("document.fullscreenElement !== null"));
        return answer.isValid() ? int(answer.toBool()) : -1;
    };
    // Done once the page has taken the screen too: left sooner, the web engine leaves the page's
    // later requests waiting for an answer that never comes.
    const auto clickForFullScreen = [view, &form, &pageInFullScreen] {
        return ClickUntil(view, view->rect().center(), [&] { return form.isFullScreen(); }) &&
               WaitFor([&] { return pageInFullScreen() == 1; }, TTimeout::Page);
    };

    QVERIFY(clickForFullScreen());
    QVERIFY(panel->isHidden());
    QTRY_COMPARE_WITH_TIMEOUT(form.geometry(), QGuiApplication::primaryScreen()->geometry(),
                              TTimeout::Event);
    QTRY_COMPARE_WITH_TIMEOUT(view->geometry(), form.rect(), TTimeout::Event);

    // The page leaves full screen by itself (its own button): the window is as it was.
    view->page()->runJavaScript(QStringLiteral("document.exitFullscreen()"));
    QTRY_VERIFY_WITH_TIMEOUT(!form.isFullScreen(), TTimeout::Page);
    QVERIFY(panel->isVisible());
    QTRY_COMPARE_WITH_TIMEOUT(form.frameGeometry(), before, TTimeout::Event);
    QCOMPARE(form.maximumSize(), form.size());

    // Escape gives the screen back too.
    QVERIFY(clickForFullScreen());
    QTest::keyClick(view->focusProxy(), Qt::Key_Escape);
    QTRY_VERIFY_WITH_TIMEOUT(!form.isFullScreen(), TTimeout::Page);
    QTRY_COMPARE_WITH_TIMEOUT(pageInFullScreen(), 0, TTimeout::Page);
    QVERIFY(panel->isVisible());

    // The window is taken out of full screen from outside: the page follows.
    QVERIFY(clickForFullScreen());
    form.setWindowState(Qt::WindowNoState);
    QTRY_COMPARE_WITH_TIMEOUT(pageInFullScreen(), 0, TTimeout::Page);
    QVERIFY(panel->isVisible());
    QTRY_COMPARE_WITH_TIMEOUT(form.frameGeometry(), before, TTimeout::Event);

    // Closed in full screen: the place kept is the window's own, not the screen.
    QVERIFY(clickForFullScreen());
    QSignalSpy closed(&form, &TWebAppForm::Closed);
    form.close();
    QVERIFY(WaitFor([&] { return !closed.isEmpty(); }, TTimeout::Page));
    QSettings store = Store();
    store.beginGroup(QStringLiteral("WebApps/{11111111-2222-3333-4444-555555555555}"));
    QCOMPARE(QRect(store.value(QStringLiteral("Left")).toInt(),
                   store.value(QStringLiteral("Top")).toInt(),
                   store.value(QStringLiteral("Width")).toInt(),
                   store.value(QStringLiteral("Height")).toInt()),
             before);
}

void TWebAppFormTest::urlThatCannotBeOpened()
{
    TTestForm form;
    TWebApp webApp = WebApp();
    webApp.URL = "http://[::1";
    try {
        form.ApplyWebApp(webApp);
        QFAIL("no error");
    } catch (const TLumivaneError &error) {
        QCOMPARE(error.message(), QStringLiteral("Unable to open http://[::1"));
    }
}

void TWebAppFormTest::refusesToRunAsRootWithTheSandboxOn()
{
#ifdef Q_OS_UNIX
    if (geteuid() != 0)
#endif
        QSKIP("only root needs the sandbox switch");
    const QByteArray sandbox = qgetenv("QTWEBENGINE_DISABLE_SANDBOX");
    const QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    qunsetenv("QTWEBENGINE_DISABLE_SANDBOX");
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
    QString message;
    try {
        TTestForm form;
    } catch (const TLumivaneError &error) {
        message = error.message();
    }
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", sandbox);
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags);
    QVERIFY2(message.contains(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX=1")),
             qPrintable(message));
    TTestForm allowed; // with the switch set again it starts
}

QTEST_MAIN(TWebAppFormTest)
#include "tst_webappform.moc"
