#include "browsingprofile.h"

#include "webappidentity.h"

#include <QMap>
#include <QStandardPaths>
#include <QWebEngineProfile>

namespace {
QMap<QString, std::weak_ptr<QWebEngineProfile>> &LiveProfiles()
{
    static QMap<QString, std::weak_ptr<QWebEngineProfile>> profiles;
    return profiles;
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
    auto profile = std::make_shared<QWebEngineProfile>(name);
    profile->setPersistentStoragePath(folder);
    profile->setCachePath(folder + QStringLiteral("/cache"));
    profile->setPersistentCookiesPolicy(QWebEngineProfile::ForcePersistentCookies);
    LiveProfiles().insert(name, profile);
    return profile;
}

std::shared_ptr<QWebEngineProfile> OffTheRecordBrowsingProfile()
{
    return std::make_shared<QWebEngineProfile>();
}
