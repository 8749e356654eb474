// SPDX-License-Identifier: GPL-3.0-or-later
#include "runner/notificationpresenter.h"

#include <QApplication>
#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QSystemTrayIcon>
#include <QWebEngineNotification>
#include <QWebEngineProfile>
#include <QWidget>

namespace {
const QString Service = QStringLiteral("org.freedesktop.Notifications");
const QString Path = QStringLiteral("/org/freedesktop/Notifications");
const QString Interface = QStringLiteral("org.freedesktop.Notifications");
const QString DefaultAction = QStringLiteral("default");

// The "image-data" hint: width, height, row stride, alpha, bits per sample, channels, pixels.
struct TDBusImage
{
    QImage Image;
};
} // namespace

Q_DECLARE_METATYPE(TDBusImage)

namespace {
QDBusArgument &operator<<(QDBusArgument &argument, const TDBusImage &image)
{
    const QImage pixels = image.Image.convertToFormat(QImage::Format_RGBA8888);
    argument.beginStructure();
    argument << pixels.width() << pixels.height() << static_cast<int>(pixels.bytesPerLine()) << true
             << 8 << 4
             << QByteArray(reinterpret_cast<const char *>(pixels.constBits()),
                           pixels.sizeInBytes());
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, TDBusImage &image)
{
    int width = 0, height = 0, stride = 0, bits = 0, channels = 0;
    bool alpha = false;
    QByteArray data;
    argument.beginStructure();
    argument >> width >> height >> stride >> alpha >> bits >> channels >> data;
    argument.endStructure();
    if (bits == 8 && channels == 4 && data.size() >= qint64(stride) * height)
        image.Image = QImage(reinterpret_cast<const uchar *>(data.constData()), width, height,
                             stride, QImage::Format_RGBA8888)
                          .copy();
    return argument;
}

QDBusMessage NotificationsCall(const QString &method)
{
    return QDBusMessage::createMethodCall(Service, Path, Interface, method);
}
} // namespace

TDBusNotificationSink::TDBusNotificationSink(const QDBusConnection &connection, QObject *parent)
    : TNotificationSink(parent)
    , FConnection(connection)
{
    qDBusRegisterMetaType<TDBusImage>();
    FConnection.connect(Service, Path, Interface, QStringLiteral("ActionInvoked"), this,
                        SLOT(ActionInvoked(uint, QString)));
    FConnection.connect(Service, Path, Interface, QStringLiteral("NotificationClosed"), this,
                        SLOT(NotificationClosed(uint, uint)));
    auto *watcher = new QDBusPendingCallWatcher(
        FConnection.asyncCall(NotificationsCall(QStringLiteral("GetCapabilities"))), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher] {
        const QDBusPendingReply<QStringList> reply = *watcher;
        if (reply.isValid())
            FBodyMarkup = reply.value().contains(QStringLiteral("body-markup"));
        watcher->deleteLater();
    });
}

bool TDBusNotificationSink::IsAvailable(const QDBusConnection &connection)
{
    if (!connection.isConnected() || !connection.interface())
        return false;
    QDBusConnectionInterface *bus = connection.interface();
    return bus->isServiceRegistered(Service).value() ||
           bus->activatableServiceNames().value().contains(Service);
}

void TDBusNotificationSink::Show(quint64 key, const TNotification &notification)
{
    QVariantMap hints;
    if (!notification.Icon.isNull())
        hints.insert(QStringLiteral("image-data"),
                     QVariant::fromValue(TDBusImage{notification.Icon}));
    QDBusMessage call = NotificationsCall(QStringLiteral("Notify"));
    call << notification.AppName << uint(0) << QString() << notification.Title
         << (FBodyMarkup ? notification.Body.toHtmlEscaped() : notification.Body)
         << QStringList{DefaultAction, tr("Open")} << hints << -1;
    auto *watcher = new QDBusPendingCallWatcher(FConnection.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher, key] {
        const QDBusPendingReply<uint> reply = *watcher;
        watcher->deleteLater();
        if (!reply.isValid())
            return;
        const uint id = reply.value();
        if (FClosedEarly.remove(key)) {
            FConnection.asyncCall(NotificationsCall(QStringLiteral("CloseNotification")) << id);
            return;
        }
        FKeys.insert(id, key);
        FIds.insert(key, id);
    });
}

void TDBusNotificationSink::Close(quint64 key)
{
    const auto id = FIds.constFind(key);
    if (id == FIds.cend()) {
        FClosedEarly.insert(key);
        return;
    }
    FConnection.asyncCall(NotificationsCall(QStringLiteral("CloseNotification")) << *id);
}

void TDBusNotificationSink::ActionInvoked(uint id, const QString &action)
{
    const auto key = FKeys.constFind(id);
    if (key != FKeys.cend() && action == DefaultAction)
        Q_EMIT Clicked(*key);
}

void TDBusNotificationSink::NotificationClosed(uint id, uint)
{
    const auto key = FKeys.constFind(id);
    if (key == FKeys.cend())
        return;
    const quint64 closed = *key;
    FKeys.remove(id);
    FIds.remove(closed);
    Q_EMIT Dismissed(closed);
}

TTrayNotificationSink::TTrayNotificationSink(const QIcon &icon, QObject *parent)
    : TNotificationSink(parent)
    , FTrayIcon(new QSystemTrayIcon(icon, this))
{
    // The tray tells only that its latest message was clicked.
    connect(FTrayIcon, &QSystemTrayIcon::messageClicked, this, [this] {
        if (FLastKey)
            Q_EMIT Clicked(FLastKey);
    });
}

void TTrayNotificationSink::Show(quint64 key, const TNotification &notification)
{
    FTrayIcon->setToolTip(notification.AppName);
    FTrayIcon->show();
    FLastKey = key;
    const QIcon icon = notification.Icon.isNull() ? FTrayIcon->icon()
                                                  : QIcon(QPixmap::fromImage(notification.Icon));
    FTrayIcon->showMessage(notification.Title, notification.Body, icon);
}

void TTrayNotificationSink::Close(quint64 key)
{
    if (key == FLastKey)
        FLastKey = 0;
}

TNotificationPresenter::TNotificationPresenter(QWebEngineProfile *profile, QWidget *window,
                                               std::unique_ptr<TNotificationSink> sink,
                                               QObject *parent)
    : QObject(parent)
    , FProfile(profile)
    , FWindow(window)
{
    if (sink)
        SetSink(std::move(sink));
    FAppName = [this] { return FWindow ? FWindow->windowTitle() : QString(); };
    FAlert = [](QWidget *window) { QApplication::alert(window); };
    FProfile->setNotificationPresenter(
        [this](std::unique_ptr<QWebEngineNotification> notification) {
            Present(std::move(notification));
        });
}

TNotificationPresenter::~TNotificationPresenter()
{
    if (FProfile)
        FProfile->setNotificationPresenter({});
}

void TNotificationPresenter::SetSink(std::unique_ptr<TNotificationSink> sink)
{
    FSink = std::move(sink);
    connect(FSink.get(), &TNotificationSink::Clicked, this, &TNotificationPresenter::Clicked);
    connect(FSink.get(), &TNotificationSink::Dismissed, this, &TNotificationPresenter::Dismissed);
}

void TNotificationPresenter::Present(std::unique_ptr<QWebEngineNotification> notification)
{
    // Chosen at the first notification: asking the session bus costs a round trip that the
    // window's start should not wait for, and most web apps never notify.
    if (!FSink) {
        if (TDBusNotificationSink::IsAvailable())
            SetSink(std::make_unique<TDBusNotificationSink>());
        else
            SetSink(
                std::make_unique<TTrayNotificationSink>(FWindow ? FWindow->windowIcon() : QIcon()));
    }
    // A notification with the tag of a shown one replaces it.
    for (auto shown = FNotifications.begin(); shown != FNotifications.end(); ++shown) {
        if (shown->second->matches(notification.get())) {
            FSink->Close(shown->first);
            FNotifications.erase(shown);
            break;
        }
    }
    const quint64 key = FNextKey++;
    QWebEngineNotification *page = notification.get();
    connect(page, &QWebEngineNotification::closed, this, [this, key] { PageClosed(key); });
    FNotifications.emplace(key, std::move(notification));

    QString appName = FAppName ? FAppName() : QString();
    if (appName.isEmpty())
        appName = QCoreApplication::applicationName();
    QImage icon = page->icon();
    if (icon.isNull() && FWindow && !FWindow->windowIcon().isNull())
        icon = FWindow->windowIcon().pixmap(64, 64).toImage();
    FSink->Show(key, {appName, icon, page->title(), page->message()});
    page->show();
    if (FWindow && !FWindow->isActiveWindow() && FAlert)
        FAlert(FWindow);
}

void TNotificationPresenter::Clicked(quint64 key)
{
    if (FWindow) {
        if (FWindow->isMinimized())
            FWindow->showNormal();
        FWindow->raise();
        FWindow->activateWindow();
    }
    const auto shown = FNotifications.find(key);
    if (shown != FNotifications.end())
        shown->second->click();
}

void TNotificationPresenter::Dismissed(quint64 key)
{
    const auto shown = FNotifications.find(key);
    if (shown == FNotifications.end())
        return;
    std::unique_ptr<QWebEngineNotification> notification = std::move(shown->second);
    FNotifications.erase(shown);
    notification->close();
}

void TNotificationPresenter::PageClosed(quint64 key)
{
    const auto shown = FNotifications.find(key);
    if (shown == FNotifications.end())
        return;
    FSink->Close(key);
    // Deleting the notification inside its own signal is not safe.
    shown->second.release()->deleteLater();
    FNotifications.erase(shown);
}
