// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>

class QDBusServiceWatcher;

// The count a page title begins with, as mail and chat sites show unread messages: "(3) Inbox"
// gives 3. 0 when the title carries none.
int TitleUnreadCount(const QString &title);

// Shows a web app's unread count on its taskbar entry through the launcher-entry signal that
// docks and task managers read, keyed by the web app's desktop file. Those readers own the
// well-known name the signal's interface comes from; while none does, nothing is sent, and one
// that appears later is told the count at once.
class TLauncherBadge : public QObject
{
    Q_OBJECT

public:
    explicit TLauncherBadge(const QString &desktopFileId,
                            const QDBusConnection &connection = QDBusConnection::sessionBus(),
                            QObject *parent = nullptr);
    ~TLauncherBadge() override;

    // 0 clears the badge.
    void SetCount(int count);
    int Count() const { return FCount; }

private:
    void ReaderPresent(bool present);
    void Send();

    QDBusConnection FConnection;
    QString FAppUri;
    QString FPath;
    QDBusServiceWatcher *FWatcher = nullptr;
    int FCount = 0;
    bool FReader = false;
    bool FShown = false; // what the reader was last told
};
