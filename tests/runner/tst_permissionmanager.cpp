// SPDX-License-Identifier: GPL-3.0-or-later
#include "runner/notificationpresenter.h"
#include "runner/pagecontextmenu.h"
#include "runner/permissionmanager.h"
#include "shared/messagebox.h"
#include "shared/shellhelpers.h"
#include "support/browsingtestwindow.h"
#include "support/httptestserver.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusPendingCallWatcher>
#include <QFile>
#include <QMessageBox>
#include <QProcess>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWebEngineNotification>

namespace {
const QString Group = QStringLiteral("WebApps/{permissions-test}");
const QString OtherGroup = QStringLiteral("WebApps/{permissions-other}");

// Each request leaves its outcome in window.outcome.
const QByteArray RequestsPage = R"(<html><head><title>Requests</title></head><body>
<a id="link" href="http:&#47;&#47;example.invalid/elsewhere" style="font-size:40px">a link</a>
<script>
window.outcome = null;
function done(value) { window.outcome = value; }
function ask(what) {
  switch (what) {
  case 'notifications':
    Notification.requestPermission().then(done); break;
  case 'camera': case 'microphone': case 'both':
    navigator.mediaDevices.getUserMedia({video: what != 'microphone', audio: what != 'camera'})
      .then(() => done('granted'),
            e => done(e.name == 'NotAllowedError' ? 'denied' : 'granted')); break;
  }
}
// What the page is told before it asks, in window.state.
function state(what) {
  window.state = null;
  navigator.permissions.query({name: what == 'location' ? 'geolocation' : what})
    .then(s => window.state = s.state);
}
function notify(title, body) {
  const n = new Notification(title, {body: body, tag: 'news'});
  n.onshow = () => window.shown = true;
  n.onclick = () => window.clicked = true;
  window.n = n;
}
</script></body></html>)";

QSettings Store()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Veldrane"),
                     QStringLiteral("Lumivane"));
}

// A web app window as far as permissions go: a fresh profile (one run), its page and the manager.
struct TRun
{
    TBrowsingTestWindow Window;
    TPermissionManager Manager;

    explicit TRun(const QString &group = Group)
        : Manager(Window.Window.get(), group)
    {
        Manager.Watch(Window.Page());
    }

    // Asks for what and returns the page's outcome ("granted", "denied"...).
    QString Ask(const QUrl &url, const QString &what)
    {
        if (!Window.Load(url))
            return QStringLiteral("not loaded");
        Window.Js(QStringLiteral("ask('%1')").arg(what));
        TBrowsingTestWindow::WaitFor(
            [&] { return !Window.Js(QStringLiteral("window.outcome")).isNull(); });
        return Window.Js(QStringLiteral("window.outcome")).toString();
    }
};

// Records what would be shown on the desktop.
class TRecordingSink : public TNotificationSink
{
public:
    QList<QPair<quint64, TNotification>> Shown;
    QList<quint64> Closed;

    void Show(quint64 key, const TNotification &notification) override
    {
        Shown.append({key, notification});
    }
    void Close(quint64 key) override { Closed.append(key); }
};
} // namespace

// A stand-in notification service on a private bus.
class TFakeNotificationService : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    struct TCall
    {
        QString AppName, Summary, Body;
        QStringList Actions;
        QVariantMap Hints;
    };
    QList<TCall> Calls;
    QList<uint> ClosedIds;

public Q_SLOTS:
    QStringList GetCapabilities() { return {QStringLiteral("body"), QStringLiteral("actions")}; }
    uint Notify(const QString &appName, uint, const QString &, const QString &summary,
                const QString &body, const QStringList &actions, const QVariantMap &hints, int)
    {
        Calls.append({appName, summary, body, actions, hints});
        return 40 + Calls.size();
    }
    void CloseNotification(uint id) { ClosedIds.append(id); }
};

class TPermissionManagerTest : public QObject
{
    Q_OBJECT

private:
    THttpTestServer FServer;
    QTimer FModalWatch;
    QStringList FUnexpectedQuestions;

    QUrl PageUrl() const { return FServer.Url("/requests"); }
    QString Site() const { return QStringLiteral("127.0.0.1:%1").arg(FServer.serverPort()); }

private Q_SLOTS:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        FServer.Serve("/requests", RequestsPage);
    }

    void init()
    {
        Store().remove(Group);
        Store().remove(OtherGroup);
        TMessageBox::clearShown();
        TMessageBox::setNextAnswer(QMessageBox::NoButton);
        FUnexpectedQuestions.clear();
        // A question the test did not answer would wait for a user forever: close it and fail.
        connect(&FModalWatch, &QTimer::timeout, this, [this] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                FUnexpectedQuestions.append(box->text());
                box->reject();
            }
        });
        FModalWatch.start(200);
    }

    void cleanup()
    {
        FModalWatch.stop();
        FModalWatch.disconnect();
        QVERIFY2(FUnexpectedQuestions.isEmpty(), qPrintable(FUnexpectedQuestions.join(u'|')));
    }

    void answersAreAskedAndRemembered_data()
    {
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("permissionText");
        QTest::addColumn<bool>("allow");
        const QList<QPair<QString, QString>> features = {
            {QStringLiteral("notifications"), QStringLiteral("show notifications")},
            {QStringLiteral("camera"), QStringLiteral("use your camera")},
            {QStringLiteral("microphone"), QStringLiteral("use your microphone")},
            {QStringLiteral("both"), QStringLiteral("use your camera and microphone")},
        };
        for (const auto &[what, text] : features) {
            QTest::addRow("%s allowed", qPrintable(what)) << what << text << true;
            QTest::addRow("%s denied", qPrintable(what)) << what << text << false;
        }
    }

    void answersAreAskedAndRemembered()
    {
        QFETCH(QString, what);
        QFETCH(QString, permissionText);
        QFETCH(bool, allow);
        const QString expected = allow ? QStringLiteral("granted") : QStringLiteral("denied");
        {
            TRun run;
            TMessageBox::setNextAnswer(allow ? QMessageBox::Yes : QMessageBox::No);
            QCOMPARE(run.Ask(PageUrl(), what), expected);
            QCOMPARE(TMessageBox::shown().size(), 1);
            const TMessageBox::TShown &question = TMessageBox::shown().constFirst();
            QCOMPARE(question.Text, QStringLiteral("Allow %1 to %2?").arg(Site(), permissionText));
            QCOMPARE(question.Captions.value(QMessageBox::Yes), QStringLiteral("&Allow"));
            QCOMPARE(question.Captions.value(QMessageBox::No), QStringLiteral("&Deny"));
            QCOMPARE(question.DefaultButton, QMessageBox::No);
        }
        // The next run of the web app gets the same answer without a question.
        {
            TRun run;
            QCOMPARE(run.Ask(PageUrl(), what), expected);
            QCOMPARE(TMessageBox::shown().size(), 1);
        }
        // Another web app asks for itself.
        {
            TRun run(OtherGroup);
            TMessageBox::setNextAnswer(allow ? QMessageBox::No : QMessageBox::Yes);
            QCOMPARE(run.Ask(PageUrl(), what),
                     allow ? QStringLiteral("denied") : QStringLiteral("granted"));
            QCOMPARE(TMessageBox::shown().size(), 2);
        }
    }

    // A later run's page sees the remembered answer before it asks, and allowed notifications
    // appear at once: sites that check first would otherwise never notify.
    void answersReachTheNextRunsPage_data()
    {
        QTest::addColumn<QString>("what");
        QTest::addColumn<bool>("allow");
        for (const char *what : {"notifications", "location"}) {
            QTest::addRow("%s allowed", what) << QString::fromLatin1(what) << true;
            QTest::addRow("%s denied", what) << QString::fromLatin1(what) << false;
        }
    }

    void answersReachTheNextRunsPage()
    {
        QFETCH(QString, what);
        QFETCH(bool, allow);
        const QString expected = allow ? QStringLiteral("granted") : QStringLiteral("denied");
        if (what == QLatin1String("location")) {
            // Nothing here tells the engine a position, so it never asks: the answer is stored
            // as the question would have stored it.
            Store().setValue(Group + QStringLiteral("/Permissions/") +
                                 QString::fromLatin1(QUrl::toPercentEncoding(
                                     PageUrl().adjusted(QUrl::RemovePath).toString())) +
                                 QStringLiteral("/Geolocation"),
                             allow ? QStringLiteral("Allow") : QStringLiteral("Deny"));
        } else {
            TRun run;
            TMessageBox::setNextAnswer(allow ? QMessageBox::Yes : QMessageBox::No);
            QCOMPARE(run.Ask(PageUrl(), what), expected);
        }
        const qsizetype questions = TMessageBox::shown().size();
        TRun run;
        auto sink = std::make_unique<TRecordingSink>();
        TRecordingSink *shown = sink.get();
        TNotificationPresenter presenter(run.Window.Profile.get(), run.Window.Window.get(),
                                         std::move(sink));
        QVERIFY(run.Window.Load(PageUrl()));
        run.Window.Js(QStringLiteral("state('%1')").arg(what));
        QVERIFY(TBrowsingTestWindow::WaitFor(
            [&] { return !run.Window.Js(QStringLiteral("window.state")).isNull(); }));
        QCOMPARE(run.Window.Js(QStringLiteral("window.state")).toString(), expected);
        if (what == QLatin1String("notifications")) {
            QCOMPARE(run.Window.Js(QStringLiteral("Notification.permission")).toString(), expected);
            if (allow) {
                run.Window.Js(QStringLiteral("notify('Back again', 'after a restart')"));
                QVERIFY(TBrowsingTestWindow::WaitFor([&] { return !shown->Shown.isEmpty(); }));
                QCOMPARE(shown->Shown.constFirst().second.Title, QStringLiteral("Back again"));
            }
        }
        QCOMPARE(TMessageBox::shown().size(), questions);
    }

    // A question closed without Allow or Deny denies, and asks again next time.
    void noAnswerGrantsNothing()
    {
        {
            TRun run;
            TMessageBox::setNextAnswer(QMessageBox::Cancel);
            QCOMPARE(run.Ask(PageUrl(), QStringLiteral("notifications")), QStringLiteral("denied"));
        }
        TRun run;
        TMessageBox::setNextAnswer(QMessageBox::Yes);
        QCOMPARE(run.Ask(PageUrl(), QStringLiteral("notifications")), QStringLiteral("granted"));
        QCOMPARE(TMessageBox::shown().size(), 2);
    }

    void resetForgetsTheAnswers()
    {
        {
            TRun run;
            TMessageBox::setNextAnswer(QMessageBox::Yes);
            QCOMPARE(run.Ask(PageUrl(), QStringLiteral("camera")), QStringLiteral("granted"));
            TMessageBox::setNextAnswer(QMessageBox::No);
            QCOMPARE(run.Ask(PageUrl(), QStringLiteral("microphone")), QStringLiteral("denied"));
            run.Manager.ResetPermissions();
            QCOMPARE(run.Manager.RememberedAnswer(PageUrl().adjusted(QUrl::RemovePath),
                                                  TPermissionFeature::MediaVideoCapture),
                     TPermissionManager::TAnswer::None);
        }
        TRun run;
        TMessageBox::setNextAnswer(QMessageBox::No);
        QCOMPARE(run.Ask(PageUrl(), QStringLiteral("camera")), QStringLiteral("denied"));
        QCOMPARE(TMessageBox::shown().size(), 3);
    }

    void notificationsReachThePresenter()
    {
        TRun run;
        auto sink = std::make_unique<TRecordingSink>();
        TRecordingSink *shown = sink.get();
        TNotificationPresenter presenter(run.Window.Profile.get(), run.Window.Window.get(),
                                         std::move(sink));
        run.Window.Window->setWindowTitle(QStringLiteral("Mail"));
        TMessageBox::setNextAnswer(QMessageBox::Yes);
        QCOMPARE(run.Ask(PageUrl(), QStringLiteral("notifications")), QStringLiteral("granted"));

        run.Window.Js(QStringLiteral("notify('Three new messages', 'From <Ann> & Bob')"));
        QVERIFY(TBrowsingTestWindow::WaitFor([&] { return !shown->Shown.isEmpty(); }));
        const auto [key, notification] = shown->Shown.constFirst();
        QCOMPARE(notification.Title, QStringLiteral("Three new messages"));
        QCOMPARE(notification.Body, QStringLiteral("From <Ann> & Bob"));
        QCOMPARE(notification.AppName, QStringLiteral("Mail"));
        QVERIFY(TBrowsingTestWindow::WaitFor(
            [&] { return run.Window.Js(QStringLiteral("window.shown === true")).toBool(); }));

        // Clicking it on the desktop raises the window and tells the page.
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        run.Window.Window->show();
        Q_EMIT shown->Clicked(key);
        QVERIFY(TBrowsingTestWindow::WaitFor(
            [&] { return run.Window.Js(QStringLiteral("window.clicked === true")).toBool(); }));
        QVERIFY(QTest::qWaitForWindowActive(run.Window.Window.get()));

        // The page closing it closes it on the desktop.
        run.Window.Js(QStringLiteral("window.n.close()"));
        QVERIFY(TBrowsingTestWindow::WaitFor([&] { return shown->Closed.contains(key); }));
    }

    void deniedNotificationsShowNothing()
    {
        TRun run;
        auto sink = std::make_unique<TRecordingSink>();
        TRecordingSink *shown = sink.get();
        TNotificationPresenter presenter(run.Window.Profile.get(), run.Window.Window.get(),
                                         std::move(sink));
        TMessageBox::setNextAnswer(QMessageBox::No);
        QCOMPARE(run.Ask(PageUrl(), QStringLiteral("notifications")), QStringLiteral("denied"));
        run.Window.Js(QStringLiteral("notify('Spam', 'spam')"));
        run.Window.Js(QStringLiteral("notify('Spam', 'spam')")); // a round trip after the first
        QTest::qWait(300);
        QVERIFY(shown->Shown.isEmpty());
    }

    void dbusNotifications()
    {
        // A bus of the test's own, without the machine's startable services.
        QTemporaryDir busDir;
        QFile config(busDir.filePath(QStringLiteral("bus.conf")));
        QVERIFY(config.open(QIODevice::WriteOnly));
        config.write("<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration "
                     "1.0//EN\" \"http://www.freedesktop.org/standards/dbus/1.0/"
                     "busconfig.dtd\">\n<busconfig><type>session</type><listen>unix:dir=" +
                     QFile::encodeName(busDir.path()) +
                     "</listen><auth>EXTERNAL</auth><policy context=\"default\"><allow "
                     "receive_sender=\"*\"/><allow "
                     "send_destination=\"*\"/><allow own=\"*\"/></policy></busconfig>\n");
        config.close();
        QProcess bus;
        bus.start(QStringLiteral("dbus-daemon"),
                  {QStringLiteral("--config-file=") + config.fileName(), QStringLiteral("--nofork"),
                   QStringLiteral("--print-address=1")});
        if (!bus.waitForStarted(5000))
            QSKIP("no dbus-daemon to run a private bus");
        QVERIFY(bus.waitForReadyRead(5000));
        const QString address = QString::fromLocal8Bit(bus.readLine().trimmed());
        {
            QDBusConnection client =
                QDBusConnection::connectToBus(address, QStringLiteral("client"));
            QDBusConnection server =
                QDBusConnection::connectToBus(address, QStringLiteral("server"));
            QVERIFY(client.isConnected() && server.isConnected());
            QVERIFY(!TDBusNotificationSink::IsAvailable(client));
            TFakeNotificationService service;
            QVERIFY(server.registerObject(QStringLiteral("/org/freedesktop/Notifications"),
                                          &service, QDBusConnection::ExportAllSlots));
            QVERIFY(server.registerService(QStringLiteral("org.freedesktop.Notifications")));
            QVERIFY(TDBusNotificationSink::IsAvailable(client));

            TDBusNotificationSink sink(client);
            QSignalSpy clicked(&sink, &TNotificationSink::Clicked);
            QSignalSpy dismissed(&sink, &TNotificationSink::Dismissed);
            QImage icon(16, 16, QImage::Format_ARGB32);
            icon.fill(Qt::red);
            sink.Show(7, {QStringLiteral("Mail"), icon, QStringLiteral("Hello"),
                          QStringLiteral("a <b> body")});
            QVERIFY(TBrowsingTestWindow::WaitFor([&] { return service.Calls.size() == 1; }));
            const TFakeNotificationService::TCall call = service.Calls.constFirst();
            QCOMPARE(call.AppName, QStringLiteral("Mail"));
            QCOMPARE(call.Summary, QStringLiteral("Hello"));
            // Sent before the service said whether it reads markup: escaped.
            QCOMPARE(call.Body, QStringLiteral("a &lt;b&gt; body"));
            QVERIFY(call.Actions.contains(QStringLiteral("default")));
            QVERIFY(call.Hints.contains(QStringLiteral("image-data")));
            // Its capabilities and the id (41) come back to the sink.
            QVERIFY(TBrowsingTestWindow::WaitFor(
                [&] { return sink.findChildren<QDBusPendingCallWatcher *>().isEmpty(); }));
            // The service takes no markup, so the body goes as it is from now on.
            sink.Show(8, {QStringLiteral("Mail"), QImage(), QStringLiteral("Hello"),
                          QStringLiteral("a <b> body")});
            QVERIFY(TBrowsingTestWindow::WaitFor([&] { return service.Calls.size() == 2; }));
            QCOMPARE(service.Calls.constLast().Body, QStringLiteral("a <b> body"));
            const auto emitSignal = [&](const QString &name, const QVariantList &arguments) {
                QDBusMessage signal = QDBusMessage::createSignal(
                    QStringLiteral("/org/freedesktop/Notifications"),
                    QStringLiteral("org.freedesktop.Notifications"), name);
                signal.setArguments(arguments);
                QVERIFY(server.send(signal));
            };
            emitSignal(QStringLiteral("ActionInvoked"), {41u, QStringLiteral("default")});
            QVERIFY(clicked.wait(5000));
            QCOMPARE(clicked.constFirst().constFirst().toULongLong(), 7u);
            sink.Close(7);
            QVERIFY(
                TBrowsingTestWindow::WaitFor([&] { return service.ClosedIds == QList<uint>{41}; }));
            emitSignal(QStringLiteral("NotificationClosed"), {41u, 3u});
            QVERIFY(dismissed.wait(5000));
            QCOMPARE(dismissed.constFirst().constFirst().toULongLong(), 7u);
        }
        QDBusConnection::disconnectFromBus(QStringLiteral("client"));
        QDBusConnection::disconnectFromBus(QStringLiteral("server"));
        bus.kill();
        bus.waitForFinished();
    }

    void contextMenu()
    {
        TRun run;
        TPageContextMenu menu(run.Window.View);
        QAction reset(QStringLiteral("Reset permissions"));
        menu.AddAction(&reset);
        QList<QUrl> opened;
        SetShellOpener([&](const QUrl &url) { opened.append(url); });
        QVERIFY(run.Window.Load(PageUrl()));
        run.Window.ShowAndFocus();
        const QRect link = [&] {
            const QVariantList r =
                run.Window
                    .Js(QStringLiteral(
                        "(() => { const r = document.getElementById('link')"
                        ".getBoundingClientRect(); return [r.x, r.y, r.width, r.height]; })()"))
                    .toList();
            return QRect(r.value(0).toInt(), r.value(1).toInt(), r.value(2).toInt(),
                         r.value(3).toInt());
        }();
        QVERIFY(!link.isEmpty());
        QTest::mouseClick(run.Window.RenderWidget(), Qt::RightButton, {}, link.center());
        QVERIFY(TBrowsingTestWindow::WaitFor([&] { return menu.LastMenu() != nullptr; }));
        QMenu *shown = menu.LastMenu();
        QStringList texts;
        for (QAction *action : shown->actions())
            texts.append(action->text());
        const QList<QAction *> actions = shown->actions();
        QVERIFY2(!actions.contains(run.Window.View->pageAction(QWebEnginePage::ViewSource)),
                 qPrintable(texts.join(u'|')));
        QVERIFY(!actions.contains(run.Window.View->pageAction(QWebEnginePage::InspectElement)));
        // A new window of the link goes where the page's own new windows go.
        QVERIFY(actions.contains(run.Window.View->pageAction(QWebEnginePage::OpenLinkInNewWindow)));
        QVERIFY(!actions.contains(run.Window.View->pageAction(QWebEnginePage::OpenLinkInNewTab)));
        QVERIFY(actions.contains(run.Window.View->pageAction(QWebEnginePage::CopyLinkToClipboard)));
        QCOMPARE(actions.constLast(), &reset);
        auto *open = shown->findChild<QAction *>(QStringLiteral("OpenLinkInDefaultBrowserAction"));
        QVERIFY(open);
        QCOMPARE(actions.value(actions.indexOf(open) + 1),
                 run.Window.View->pageAction(QWebEnginePage::DownloadLinkToDisk));
        open->trigger();
        QCOMPARE(opened, QList<QUrl>{QUrl(QStringLiteral("http://example.invalid/elsewhere"))});
        shown->close();
        SetShellOpener({});
    }
};

int main(int argc, char **argv)
{
    // Stand-in camera and microphone: without devices the engine refuses before asking.
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS",
            qgetenv("QTWEBENGINE_CHROMIUM_FLAGS") + " --use-fake-device-for-media-stream");
    QApplication app(argc, argv);
    TPermissionManagerTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_permissionmanager.moc"
