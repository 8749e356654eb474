// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>
#include <QHash>
#include <QIcon>
#include <QImage>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <functional>
#include <map>
#include <memory>

class QSystemTrayIcon;
class QWebEngineNotification;
class QWebEngineProfile;
class QWidget;

// Where desktop notifications are shown. Each one is known by the key its presenter gave it.
class TNotificationSink : public QObject
{
    Q_OBJECT

public:
    struct TNotification
    {
        QString AppName;
        QImage Icon;
        QString Title;
        QString Body;
    };

    using QObject::QObject;

    virtual void Show(quint64 key, const TNotification &notification) = 0;
    virtual void Close(quint64 key) = 0;

Q_SIGNALS:
    void Clicked(quint64 key);
    void Dismissed(quint64 key);
};

// The freedesktop notification service over D-Bus; a click on the notification (its "default"
// action) reports Clicked.
class TDBusNotificationSink : public TNotificationSink
{
    Q_OBJECT

public:
    explicit TDBusNotificationSink(
        const QDBusConnection &connection = QDBusConnection::sessionBus(),
        QObject *parent = nullptr);

    // Whether the connection has a notification service (running or startable).
    static bool IsAvailable(const QDBusConnection &connection = QDBusConnection::sessionBus());

    void Show(quint64 key, const TNotification &notification) override;
    void Close(quint64 key) override;

private Q_SLOTS:
    void ActionInvoked(uint id, const QString &action);
    void NotificationClosed(uint id, uint reason);

private:
    QDBusConnection FConnection;
    QHash<uint, quint64> FKeys; // the service's ids
    QHash<quint64, uint> FIds;
    QSet<quint64> FClosedEarly; // closed by the page before the service answered
    // Until the service has said whether it reads markup, the page's text is escaped: a service
    // that reads it would otherwise take the page's tags and links as its own.
    bool FBodyMarkup = true;
};

// The system tray's balloon message, for desktops without the notification service.
class TTrayNotificationSink : public TNotificationSink
{
    Q_OBJECT

public:
    explicit TTrayNotificationSink(const QIcon &icon, QObject *parent = nullptr);

    void Show(quint64 key, const TNotification &notification) override;
    void Close(quint64 key) override;

private:
    QSystemTrayIcon *FTrayIcon;
    quint64 FLastKey = 0;
};

// Shows the notifications of a web app's pages on the desktop, with the web app's name and
// icon; clicking one raises the web app window and tells the page (its "click" event).
class TNotificationPresenter : public QObject
{
    Q_OBJECT

public:
    // Without a sink, the D-Bus service is used when present, else the system tray; the choice
    // is made at the first notification.
    TNotificationPresenter(QWebEngineProfile *profile, QWidget *window,
                           std::unique_ptr<TNotificationSink> sink = {}, QObject *parent = nullptr);
    ~TNotificationPresenter() override;

    // The web app's name as notifications show it; by default the window's caption.
    void SetAppName(std::function<QString()> appName) { FAppName = std::move(appName); }
    // How the window asks for the user's attention when a notification comes while it is not
    // active; by default QApplication::alert (the taskbar entry flashes or is marked).
    void SetAlert(std::function<void(QWidget *)> alert) { FAlert = std::move(alert); }

private:
    void SetSink(std::unique_ptr<TNotificationSink> sink);
    void Present(std::unique_ptr<QWebEngineNotification> notification);
    void Clicked(quint64 key);
    void Dismissed(quint64 key);
    void PageClosed(quint64 key);

    QPointer<QWebEngineProfile> FProfile;
    QPointer<QWidget> FWindow;
    std::unique_ptr<TNotificationSink> FSink;
    std::function<QString()> FAppName;
    std::function<void(QWidget *)> FAlert;
    std::map<quint64, std::unique_ptr<QWebEngineNotification>> FNotifications;
    quint64 FNextKey = 1;
};
