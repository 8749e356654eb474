// SPDX-License-Identifier: GPL-3.0-or-later
#include "runner/launcherbadge.h"

#include <QCryptographicHash>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <limits>

namespace {
const QString ReaderService = QStringLiteral("com.canonical.Unity");
const QString EntryInterface = QStringLiteral("com.canonical.Unity.LauncherEntry");
} // namespace

int TitleUnreadCount(const QString &title)
{
    const QString text = title.trimmed();
    if (!text.startsWith(u'('))
        return 0;
    const qsizetype close = text.indexOf(u')');
    if (close < 2)
        return 0;
    // "(1,024)" and "(99+)" as sites write large counts; anything else in the parentheses
    // ("(draft)", "(-1)", "(2 new)") is not a count.
    QString digits = text.mid(1, close - 1);
    if (digits.endsWith(u'+'))
        digits.chop(1);
    digits.remove(u',');
    if (digits.isEmpty())
        return 0;
    qint64 count = 0;
    for (const QChar c : digits) {
        if (c < u'0' || c > u'9')
            return 0;
        count = qMin<qint64>(count * 10 + (c.unicode() - u'0'), std::numeric_limits<int>::max());
    }
    return int(count);
}

TLauncherBadge::TLauncherBadge(const QString &desktopFileId, const QDBusConnection &connection,
                               QObject *parent)
    : QObject(parent)
    , FConnection(connection)
    , FAppUri(QStringLiteral("application://") + desktopFileId)
{
    // Any object path will do; one per web app keeps two apps' signals apart.
    FPath = QStringLiteral("/org/lumivane/LauncherEntry/") +
            QString::fromLatin1(
                QCryptographicHash::hash(desktopFileId.toUtf8(), QCryptographicHash::Sha1).toHex());
    if (!FConnection.isConnected() || !FConnection.interface())
        return;
    FWatcher = new QDBusServiceWatcher(ReaderService, FConnection,
                                       QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(FWatcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString &, const QString &, const QString &newOwner) {
                ReaderPresent(!newOwner.isEmpty());
            });
    // Asked without waiting: the window's start does not wait for the bus.
    auto *call = new QDBusPendingCallWatcher(
        FConnection.interface()->asyncCall(QStringLiteral("NameHasOwner"), ReaderService), this);
    connect(call, &QDBusPendingCallWatcher::finished, this, [this, call] {
        const QDBusPendingReply<bool> reply = *call;
        call->deleteLater();
        if (reply.isValid() && reply.value())
            ReaderPresent(true);
    });
}

TLauncherBadge::~TLauncherBadge()
{
    // A closed web app has nothing unread.
    SetCount(0);
}

void TLauncherBadge::SetCount(int count)
{
    count = qMax(0, count);
    if (count == FCount)
        return;
    FCount = count;
    Send();
}

void TLauncherBadge::ReaderPresent(bool present)
{
    if (present == FReader)
        return;
    FReader = present;
    // A reader that (re)starts knows nothing of the count shown before.
    FShown = false;
    Send();
}

void TLauncherBadge::Send()
{
    if (!FReader || (!FShown && FCount == 0))
        return;
    QDBusMessage signal =
        QDBusMessage::createSignal(FPath, EntryInterface, QStringLiteral("Update"));
    signal << FAppUri
           << QVariantMap{{QStringLiteral("count"), QVariant::fromValue(qint64(FCount))},
                          {QStringLiteral("count-visible"), FCount > 0}};
    if (FConnection.send(signal))
        FShown = FCount > 0;
}
