// SPDX-License-Identifier: GPL-3.0-or-later
#include "runner/notificationpresenter.h"
#include "runner/pagecontextmenu.h"
#include "runner/permissionmanager.h"
#include "shared/messagebox.h"
#include "shared/shellhelpers.h"
#include "support/browsingtestwindow.h"
#include "support/httptestserver.h"
#include "support/privatebus.h"
#include "support/settingssandbox.h"
#include "support/unexpectedquestions.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
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
  n.onerror = () => window.refused = true;
  window.n = n;
}
</script></body></html>)";

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
        (void)WaitFor([&] { return !Window.Js(QStringLiteral("window.outcome")).isNull(); },
                      TTimeout::Page);
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
    TSettingsSandbox FSettings;
    THttpTestServer FServer;
    std::unique_ptr<TUnexpectedQuestions> FUnexpectedQuestions;

    QUrl PageUrl() const { return FServer.Url("/requests"); }
    QString Site() const { return QStringLiteral("127.0.0.1:%1").arg(FServer.serverPort()); }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(FSettings.IsValid());
        FServer.Serve("/requests", RequestsPage);
    }

    void init()
    {
        TSettingsSandbox::Clear();
        TMessageBox::clearShown();
        TMessageBox::setNextAnswer(QMessageBox::NoButton);
        FUnexpectedQuestions = std::make_unique<TUnexpectedQuestions>();
    }

    void cleanup()
    {
        const QStringList unexpected = FUnexpectedQuestions->Texts;
        FUnexpectedQuestions.reset();
        QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(u'|')));
    }

    void answersAreAskedAndRemembered_data()
    {
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("permissionText");
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        const QList<QPair<QString, QString>> features = {
            {QStringLiteral("notifications"), QStringLiteral("show notifications")},
            {QStringLiteral("camera"), QStringLiteral("use your camera")},
            {QStringLiteral("microphone"), QStringLiteral("use your microphone")},
            {QStringLiteral("both"), QStringLiteral("use your camera and microphone")},
        };
        for (const auto &[what, text] : features) {
            QTest::addRow("%s allowed", qPrintable(what)) << what << text << QMessageBox::Yes;
            QTest::addRow("%s denied", qPrintable(what)) << what << text << QMessageBox::No;
        }
        // Closed without Allow or Deny: denied, and asked again next time.
        QTest::newRow("notifications, box closed")
            << features.constFirst().first << features.constFirst().second << QMessageBox::Cancel;
    }

    void answersAreAskedAndRemembered()
    {
        QFETCH(QString, what);
        QFETCH(QString, permissionText);
        QFETCH(QMessageBox::StandardButton, answer);
        const QString granted = QStringLiteral("granted"), denied = QStringLiteral("denied");
        const QString expected = answer == QMessageBox::Yes ? granted : denied;
        const bool remembered = answer != QMessageBox::Cancel;
        {
            TRun run;
            TMessageBox::setNextAnswer(answer);
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
            if (!remembered)
                TMessageBox::setNextAnswer(QMessageBox::Yes);
            QCOMPARE(run.Ask(PageUrl(), what), remembered ? expected : granted);
            QCOMPARE(TMessageBox::shown().size(), remembered ? 1 : 2);
        }
        // Another web app asks for itself; the feature makes no difference to that.
        if (remembered && what == QLatin1String("notifications")) {
            TRun run(OtherGroup);
            TMessageBox::setNextAnswer(answer == QMessageBox::Yes ? QMessageBox::No
                                                                  : QMessageBox::Yes);
            QCOMPARE(run.Ask(PageUrl(), what), expected == granted ? denied : granted);
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
            TSettingsSandbox::Store().setValue(
                Group + QStringLiteral("/Permissions/") +
                    QString::fromLatin1(
                        QUrl::toPercentEncoding(PageUrl().adjusted(QUrl::RemovePath).toString())) +
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
        QVERIFY(WaitFor([&] { return !run.Window.Js(QStringLiteral("window.state")).isNull(); },
                        TTimeout::Page));
        QCOMPARE(run.Window.Js(QStringLiteral("window.state")).toString(), expected);
        if (what == QLatin1String("notifications")) {
            QCOMPARE(run.Window.Js(QStringLiteral("Notification.permission")).toString(), expected);
            if (allow) {
                run.Window.Js(QStringLiteral("notify('Back again', 'after a restart')"));
                QVERIFY(WaitFor([&] { return !shown->Shown.isEmpty(); }, TTimeout::Page));
                QCOMPARE(shown->Shown.constFirst().second.Title, QStringLiteral("Back again"));
            }
        }
        QCOMPARE(TMessageBox::shown().size(), questions);
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

    // Shown on the desktop under the window's name; while the window is elsewhere it also asks
    // for attention. A click raises the window and tells the page; a notification with the same
    // tag replaces it; the page's close closes it on the desktop.
    void notificationsReachThePresenter()
    {
        TRun run;
        auto sink = std::make_unique<TRecordingSink>();
        TRecordingSink *shown = sink.get();
        TNotificationPresenter presenter(run.Window.Profile.get(), run.Window.Window.get(),
                                         std::move(sink));
        QList<QWidget *> alerted;
        presenter.SetAlert([&](QWidget *widget) { alerted.append(widget); });
        run.Window.Window->setWindowTitle(QStringLiteral("Mail"));
        TMessageBox::setNextAnswer(QMessageBox::Yes);
        QCOMPARE(run.Ask(PageUrl(), QStringLiteral("notifications")), QStringLiteral("granted"));

        run.Window.Js(QStringLiteral("notify('Three new messages', 'From <Ann> & Bob')"));
        QVERIFY(WaitFor([&] { return !shown->Shown.isEmpty(); }, TTimeout::Page));
        const auto [key, notification] = shown->Shown.constFirst();
        QCOMPARE(notification.Title, QStringLiteral("Three new messages"));
        QCOMPARE(notification.Body, QStringLiteral("From <Ann> & Bob"));
        QCOMPARE(notification.AppName, QStringLiteral("Mail"));
        QCOMPARE(alerted, QList<QWidget *>{run.Window.Window.get()});
        QVERIFY(
            WaitFor([&] { return run.Window.Js(QStringLiteral("window.shown === true")).toBool(); },
                    TTimeout::Page));

        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        run.Window.Window->show();
        Q_EMIT shown->Clicked(key);
        QVERIFY(WaitFor(
            [&] { return run.Window.Js(QStringLiteral("window.clicked === true")).toBool(); },
            TTimeout::Page));
        QVERIFY(QTest::qWaitForWindowActive(run.Window.Window.get()));

        run.Window.Js(QStringLiteral("notify('Four new messages', '')"));
        QVERIFY(WaitFor([&] { return shown->Shown.size() == 2; }, TTimeout::Page));
        QCOMPARE(shown->Closed, QList<quint64>{key});
        QCOMPARE(alerted.size(), 1);

        const quint64 replacement = shown->Shown.constLast().first;
        run.Window.Js(QStringLiteral("window.n.close()"));
        QVERIFY(WaitFor([&] { return shown->Closed.contains(replacement); }, TTimeout::Page));
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
        // The page learns of the refusal once the engine has decided about the notification.
        run.Window.Js(QStringLiteral("notify('Spam', 'spam')"));
        QVERIFY(WaitFor(
            [&] { return run.Window.Js(QStringLiteral("window.refused === true")).toBool(); },
            TTimeout::Page));
        QVERIFY(shown->Shown.isEmpty());
    }

    void dbusNotifications()
    {
        TPrivateBus bus;
        if (!bus.Start())
            QSKIP("no dbus-daemon to run a private bus");
        const QString address = bus.Address();
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
            QVERIFY(WaitFor([&] { return service.Calls.size() == 1; }));
            const TFakeNotificationService::TCall call = service.Calls.constFirst();
            QCOMPARE(call.AppName, QStringLiteral("Mail"));
            QCOMPARE(call.Summary, QStringLiteral("Hello"));
            // Sent before the service said whether it reads markup: escaped.
            QCOMPARE(call.Body, QStringLiteral("a &lt;b&gt; body"));
            QVERIFY(call.Actions.contains(QStringLiteral("default")));
            QVERIFY(call.Hints.contains(QStringLiteral("image-data")));
            // Its capabilities and the id (41) come back to the sink.
            QVERIFY(
                WaitFor([&] { return sink.findChildren<QDBusPendingCallWatcher *>().isEmpty(); }));
            // The service takes no markup, so the body goes as it is from now on.
            sink.Show(8, {QStringLiteral("Mail"), QImage(), QStringLiteral("Hello"),
                          QStringLiteral("a <b> body")});
            QVERIFY(WaitFor([&] { return service.Calls.size() == 2; }));
            QCOMPARE(service.Calls.constLast().Body, QStringLiteral("a <b> body"));
            const auto emitSignal = [&](const QString &name, const QVariantList &arguments) {
                QDBusMessage signal = QDBusMessage::createSignal(
                    QStringLiteral("/org/freedesktop/Notifications"),
                    QStringLiteral("org.freedesktop.Notifications"), name);
                signal.setArguments(arguments);
                QVERIFY(server.send(signal));
            };
            emitSignal(QStringLiteral("ActionInvoked"), {41u, QStringLiteral("default")});
            QVERIFY(clicked.wait(TTimeout::Event));
            QCOMPARE(clicked.constFirst().constFirst().toULongLong(), 7u);
            sink.Close(7);
            QVERIFY(WaitFor([&] { return service.ClosedIds == QList<uint>{41}; }));
            emitSignal(QStringLiteral("NotificationClosed"), {41u, 3u});
            QVERIFY(dismissed.wait(TTimeout::Event));
            QCOMPARE(dismissed.constFirst().constFirst().toULongLong(), 7u);
        }
        QDBusConnection::disconnectFromBus(QStringLiteral("client"));
        QDBusConnection::disconnectFromBus(QStringLiteral("server"));
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
        QVERIFY(run.Window.ShowAndFocus());
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
        QVERIFY(WaitFor([&] { return menu.LastMenu() != nullptr; }, TTimeout::Page));
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
