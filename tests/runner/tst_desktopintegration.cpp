#include "browsingtestwindow.h"
#include "httptestserver.h"
#include "launcherbadge.h"
#include "notificationpresenter.h"
#include "privatebus.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusPendingCallWatcher>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QWebEngineNotification>

namespace {
// A dock: owns the name launcher-entry readers own and records what it is told.
class TFakeDock : public QObject
{
    Q_OBJECT

public:
    struct TUpdate
    {
        QString AppUri;
        qint64 Count;
        bool Visible;
    };
    QList<TUpdate> Updates;

public Q_SLOTS:
    void Update(const QString &appUri, const QVariantMap &properties)
    {
        Updates.append({appUri, properties.value(QStringLiteral("count")).toLongLong(),
                        properties.value(QStringLiteral("count-visible")).toBool()});
    }
};

class TRecordingSink : public TNotificationSink
{
public:
    int Shown = 0;
    void Show(quint64, const TNotification &) override { ++Shown; }
    void Close(quint64) override {}
};

const QByteArray NotifyingPage = R"(<html><head><title>Chat</title></head><body><script>
function notify() { new Notification('New message', {body: 'hello'}); }
</script></body></html>)";
} // namespace

class TDesktopIntegrationTest : public QObject
{
    Q_OBJECT

    THttpTestServer FServer;

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(FServer.isListening());
        FServer.Serve("/notify", NotifyingPage);
    }

    void titleUnreadCount_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("count");
        QTest::newRow("count") << "(3) Inbox" << 3;
        QTest::newRow("no space") << "(12)Inbox" << 12;
        QTest::newRow("count alone") << "(7)" << 7;
        QTest::newRow("leading space") << "  (4) Chat" << 4;
        QTest::newRow("thousands") << "(1,024) Inbox" << 1024;
        QTest::newRow("capped by the site") << "(99+) Inbox" << 99;
        QTest::newRow("zero") << "(0) Inbox" << 0;
        QTest::newRow("no count") << "Inbox" << 0;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("count at the end") << "Inbox (3)" << 0;
        QTest::newRow("word") << "(draft) Letter" << 0;
        QTest::newRow("count and word") << "(2 new) Inbox" << 0;
        QTest::newRow("negative") << "(-1) Inbox" << 0;
        QTest::newRow("empty parentheses") << "() Inbox" << 0;
        QTest::newRow("unclosed") << "(3 Inbox" << 0;
        QTest::newRow("plus alone") << "(+) Inbox" << 0;
        QTest::newRow("other digits") << "(\u0663) Inbox" << 0;
        QTest::newRow("huge") << "(99999999999999999999) Inbox" << std::numeric_limits<int>::max();
    }

    void titleUnreadCount()
    {
        QFETCH(QString, title);
        QFETCH(int, count);
        QCOMPARE(TitleUnreadCount(title), count);
    }

    void launcherBadge()
    {
        TPrivateBus bus;
        if (!bus.Start())
            QSKIP("no dbus-daemon to run a private bus");
        {
            QDBusConnection app =
                QDBusConnection::connectToBus(bus.Address(), QStringLiteral("app"));
            QDBusConnection dock =
                QDBusConnection::connectToBus(bus.Address(), QStringLiteral("dock"));
            QVERIFY(app.isConnected() && dock.isConnected());
            TFakeDock reader;
            QVERIFY(dock.connect({}, {}, QStringLiteral("com.canonical.Unity.LauncherEntry"),
                                 QStringLiteral("Update"), &reader,
                                 SLOT(Update(QString, QVariantMap))));
            const QString uri = QStringLiteral("application://lumivane-0123456789ab.desktop");
            const auto counts = [&] {
                QList<qint64> seen;
                for (const TFakeDock::TUpdate &update : std::as_const(reader.Updates)) {
                    if (update.AppUri != uri || update.Visible != (update.Count > 0))
                        seen.append(-1);
                    else
                        seen.append(update.Count);
                }
                return seen;
            };
            {
                auto badge = std::make_unique<TLauncherBadge>(
                    QStringLiteral("lumivane-0123456789ab.desktop"), app);
                // No reader yet: the count is kept, nothing is sent.
                badge->SetCount(3);
                QVERIFY(TBrowsingTestWindow::WaitFor(
                    [&] { return badge->findChildren<QDBusPendingCallWatcher *>().isEmpty(); }));
                // A reader that appears is told the count at once.
                QVERIFY(dock.registerService(QStringLiteral("com.canonical.Unity")));
                QVERIFY(TBrowsingTestWindow::WaitFor([&] { return reader.Updates.size() == 1; }));
                badge->SetCount(5);
                badge->SetCount(5);
                badge->SetCount(0); // the count went: the badge is cleared
                badge->SetCount(0);
                badge->SetCount(2);
                QVERIFY(TBrowsingTestWindow::WaitFor([&] { return reader.Updates.size() == 4; }));
                // A reader that restarts is told again.
                QVERIFY(dock.unregisterService(QStringLiteral("com.canonical.Unity")));
                QVERIFY(dock.registerService(QStringLiteral("com.canonical.Unity")));
                QVERIFY(TBrowsingTestWindow::WaitFor([&] { return reader.Updates.size() == 5; }));
            }
            // A closed web app clears its badge.
            QVERIFY(TBrowsingTestWindow::WaitFor([&] { return reader.Updates.size() == 6; }));
            QCOMPARE(counts(), (QList<qint64>{3, 5, 0, 2, 2, 0}));
        }
        QDBusConnection::disconnectFromBus(QStringLiteral("app"));
        QDBusConnection::disconnectFromBus(QStringLiteral("dock"));
    }

    void notificationAsksForAttention_data()
    {
        QTest::addColumn<bool>("active");
        QTest::newRow("window active") << true;
        QTest::newRow("window elsewhere") << false;
    }

    void notificationAsksForAttention()
    {
        QFETCH(bool, active);
        TBrowsingTestWindow window;
        QObject::connect(window.Page(), &QWebEnginePage::featurePermissionRequested,
                         [&](const QUrl &origin, QWebEnginePage::Feature feature) {
                             window.Page()->setFeaturePermission(
                                 origin, feature, QWebEnginePage::PermissionGrantedByUser);
                         });
        auto sink = std::make_unique<TRecordingSink>();
        TRecordingSink *shown = sink.get();
        TNotificationPresenter presenter(window.Profile.get(), window.Window.get(),
                                         std::move(sink));
        QList<QWidget *> alerted;
        presenter.SetAlert([&](QWidget *widget) { alerted.append(widget); });
        QVERIFY(window.Load(FServer.Url("/notify")));
        if (active) {
            window.ShowAndFocus();
            QVERIFY(window.Window->isActiveWindow());
        }
        window.Js(QStringLiteral("Notification.requestPermission().then(notify)"));
        QVERIFY(TBrowsingTestWindow::WaitFor([&] { return shown->Shown == 1; }));
        QCOMPARE(alerted, active ? QList<QWidget *>{} : QList<QWidget *>{window.Window.get()});
    }
};

QTEST_MAIN(TDesktopIntegrationTest)
#include "tst_desktopintegration.moc"
