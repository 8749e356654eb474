// SPDX-License-Identifier: GPL-3.0-or-later
#include "runner/browsingprofile.h"

#include "shared/webappidentity.h"

#include <QMap>
#include <QStandardPaths>
#include <QWebEngineProfile>

namespace {
QMap<QString, std::weak_ptr<QWebEngineProfile>> &LiveProfiles()
{
    static QMap<QString, std::weak_ptr<QWebEngineProfile>> profiles;
    return profiles;
}

// Answers to a site's permission requests outlive a run in TPermissionManager's store only; the
// engine keeps them for the profile's life, as before Qt 6.8. From 6.8 it would also write them
// to disk, where Reset Permissions would not reach them and a question closed without an answer
// would be a refusal for good.
std::shared_ptr<QWebEngineProfile>
KeepingPermissionsInMemory(std::shared_ptr<QWebEngineProfile> profile)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    profile->setPersistentPermissionsPolicy(
        QWebEngineProfile::PersistentPermissionsPolicy::StoreInMemory);
#endif
    return profile;
}
} // namespace

QString BrowsingProfileFolder(const QByteArray &id)
{
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
           QStringLiteral("/profiles/") + WebAppApplicationId(id);
}

std::shared_ptr<QWebEngineProfile> PersistentBrowsingProfile(const QByteArray &id)
{
    const QString name = WebAppApplicationId(id);
    if (auto live = LiveProfiles().value(name).lock())
        return live;
    const QString folder = BrowsingProfileFolder(id);
    auto profile = KeepingPermissionsInMemory(std::make_shared<QWebEngineProfile>(name));
    profile->setPersistentStoragePath(folder);
    profile->setCachePath(folder + QStringLiteral("/cache"));
    profile->setPersistentCookiesPolicy(QWebEngineProfile::ForcePersistentCookies);
    LiveProfiles().insert(name, profile);
    return profile;
}

std::shared_ptr<QWebEngineProfile> OffTheRecordBrowsingProfile()
{
    return KeepingPermissionsInMemory(std::make_shared<QWebEngineProfile>());
}
