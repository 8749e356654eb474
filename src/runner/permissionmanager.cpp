// SPDX-License-Identifier: GPL-3.0-or-later
#include "runner/permissionmanager.h"

#include "runner/settingsstore.h"
#include "runner/sitename.h"
#include "shared/application.h"
#include "shared/messagebox.h"

#include <QMetaEnum>
#include <QWebEngineProfile>
#include <QWidget>

namespace {
const QString AllowValue = QStringLiteral("Allow");
const QString DenyValue = QStringLiteral("Deny");

// What the site asks to do, as the end of "Allow <site> to ...?".
QString FeatureText(TPermissionFeature feature)
{
    switch (feature) {
    case TPermissionFeature::Notifications:
        return TPermissionManager::tr("show notifications");
    case TPermissionFeature::Geolocation:
        return TPermissionManager::tr("know your location");
    case TPermissionFeature::MediaAudioCapture:
        return TPermissionManager::tr("use your microphone");
    case TPermissionFeature::MediaVideoCapture:
        return TPermissionManager::tr("use your camera");
    case TPermissionFeature::MediaAudioVideoCapture:
        return TPermissionManager::tr("use your camera and microphone");
    case TPermissionFeature::MouseLock:
        return TPermissionManager::tr("hide and lock your mouse pointer");
    case TPermissionFeature::DesktopVideoCapture:
        return TPermissionManager::tr("share your screen");
    case TPermissionFeature::DesktopAudioVideoCapture:
        return TPermissionManager::tr("share your screen and its sound");
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    case TPermissionFeature::ClipboardReadWrite:
        return TPermissionManager::tr("read and change your clipboard");
    case TPermissionFeature::LocalFontsAccess:
        return TPermissionManager::tr("see the fonts installed on your computer");
    case TPermissionFeature::Unsupported:
        break;
#endif
    }
    return TPermissionManager::tr("use a feature of your computer");
}
} // namespace

TPermissionManager::TPermissionManager(QWidget *window, const QString &settingsGroup,
                                       QObject *parent)
    : QObject(parent)
    , FWindow(window)
    , FSettingsGroup(settingsGroup)
{
}

void TPermissionManager::Watch(QWebEnginePage *page)
{
    TellRememberedAnswers(page);
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    connect(page, &QWebEnginePage::permissionRequested, this,
            [this](QWebEnginePermission permission) { FeaturePermissionRequested(permission); });
#else
    connect(page, &QWebEnginePage::featurePermissionRequested, this,
            [this, page](const QUrl &origin, TPermissionFeature feature) {
                FeaturePermissionRequested(page, origin, feature);
            });
#endif
}

void TPermissionManager::TellRememberedAnswers(QWebEnginePage *page) const
{
    // The engine keeps answers for the life of its profile only: without this, a page of a new
    // run reads "default" (Notification.permission) and its notifications are dropped until it
    // asks again, which sites that check first never do. Only the features the engine asks
    // about once per site can be told ahead; it asks for the others on every use, and those
    // requests are answered from the store without a question.
    if (FSettingsGroup.isEmpty())
        return;
    QSettings store = OpenSettingsStore();
    store.beginGroup(FSettingsGroup + QStringLiteral("/Permissions"));
    const QMetaEnum features = QMetaEnum::fromType<TPermissionFeature>();
    for (const QString &site : store.childGroups()) {
        const QUrl origin(QUrl::fromPercentEncoding(site.toLatin1()));
        store.beginGroup(site);
        for (const QString &name : store.childKeys()) {
            bool known = false;
            const auto feature =
                TPermissionFeature(features.keyToValue(name.toLatin1().constData(), &known));
            const QString value = store.value(name).toString();
            if (!known || !origin.isValid() || (value != AllowValue && value != DenyValue) ||
                (feature != TPermissionFeature::Notifications &&
                 feature != TPermissionFeature::Geolocation))
                continue;
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
            const QWebEnginePermission permission =
                page->profile()->queryPermission(origin, feature);
            if (value == AllowValue)
                permission.grant();
            else
                permission.deny();
#else
            page->setFeaturePermission(origin, feature,
                                       value == AllowValue
                                           ? QWebEnginePage::PermissionGrantedByUser
                                           : QWebEnginePage::PermissionDeniedByUser);
#endif
        }
        store.endGroup();
    }
}

QString TPermissionManager::QuestionText(const QUrl &origin, TPermissionFeature feature)
{
    return tr("Allow %1 to %2?").arg(SiteName(origin), FeatureText(feature));
}

QString TPermissionManager::Key(const QUrl &origin, TPermissionFeature feature) const
{
    const int value = int(feature);
    const char *featureName = QMetaEnum::fromType<TPermissionFeature>().valueToKey(value);
    return Key(origin, featureName ? QString::fromLatin1(featureName) : QString::number(value));
}

QString TPermissionManager::Key(const QUrl &origin, const QString &permission) const
{
    // The origin carries ':' and '/', which would split it into groups (registry keys).
    const QString site = QString::fromLatin1(QUrl::toPercentEncoding(origin.toString(
        QUrl::RemovePath | QUrl::RemoveQuery | QUrl::RemoveFragment | QUrl::StripTrailingSlash)));
    return FSettingsGroup + QStringLiteral("/Permissions/") + site + u'/' + permission;
}

TPermissionManager::TAnswer TPermissionManager::RememberedAnswer(const QUrl &origin,
                                                                 TPermissionFeature feature) const
{
    return RememberedAnswer(Key(origin, feature));
}

TPermissionManager::TAnswer TPermissionManager::RememberedAnswer(const QString &key) const
{
    if (FSettingsGroup.isEmpty())
        return TAnswer::None;
    const QString value = OpenSettingsStore().value(key).toString();
    if (value == AllowValue)
        return TAnswer::Allow;
    if (value == DenyValue)
        return TAnswer::Deny;
    return TAnswer::None;
}

void TPermissionManager::Remember(const QUrl &origin, TPermissionFeature feature, TAnswer answer)
{
    Remember(Key(origin, feature), answer);
}

void TPermissionManager::Remember(const QString &key, TAnswer answer)
{
    if (FSettingsGroup.isEmpty())
        return;
    ChangeSettingsStore([&](QSettings &store) {
        store.setValue(key, answer == TAnswer::Allow ? AllowValue : DenyValue);
    });
}

TPermissionManager::TAnswer TPermissionManager::AskUser(const QString &question) const
{
    const auto button = TMessageBox::question(
        FWindow, ApplicationTitle(), question, QMessageBox::Yes | QMessageBox::No, QMessageBox::No,
        {{QMessageBox::Yes, tr("&Allow")}, {QMessageBox::No, tr("&Deny")}});
    if (button == QMessageBox::Yes)
        return TAnswer::Allow;
    if (button == QMessageBox::No)
        return TAnswer::Deny;
    return TAnswer::None;
}

bool TPermissionManager::AllowsMultipleDownloads(const QUrl &origin)
{
    const QString key = Key(origin, QStringLiteral("MultipleDownloads"));
    TAnswer answer = RememberedAnswer(key);
    if (answer == TAnswer::None) {
        answer = AskUser(tr("Allow %1 to download multiple files?").arg(SiteName(origin)));
        if (answer != TAnswer::None)
            Remember(key, answer);
    }
    return answer == TAnswer::Allow;
}

void TPermissionManager::ResetPermissions()
{
    if (FSettingsGroup.isEmpty())
        return;
    ChangeSettingsStore([this](QSettings &store) {
        store.remove(FSettingsGroup + QStringLiteral("/Permissions"));
    });
}

#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
void TPermissionManager::FeaturePermissionRequested(const QWebEnginePermission &permission)
{
    if (Answer(permission.origin(), permission.permissionType()) == TAnswer::Allow)
        permission.grant();
    else
        permission.deny();
}
#else
void TPermissionManager::FeaturePermissionRequested(QWebEnginePage *page, const QUrl &origin,
                                                    TPermissionFeature feature)
{
    page->setFeaturePermission(origin, feature,
                               Answer(origin, feature) == TAnswer::Allow
                                   ? QWebEnginePage::PermissionGrantedByUser
                                   : QWebEnginePage::PermissionDeniedByUser);
}
#endif

TPermissionManager::TAnswer TPermissionManager::Answer(const QUrl &origin,
                                                       TPermissionFeature feature)
{
    TAnswer answer = RememberedAnswer(origin, feature);
    if (answer == TAnswer::None) {
        answer = AskUser(QuestionText(origin, feature));
        if (answer != TAnswer::None)
            Remember(origin, feature, answer);
    }
    return answer;
}
