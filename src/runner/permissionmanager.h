// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QWebEnginePage>
#include <QtGlobal>
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
#include <QWebEnginePermission>
#endif

class QWidget;

// What a site asks to use. Qt 6.8 gave permissions a type of their own; the names of the values
// (e.g. TPermissionFeature::Geolocation), and so the stored keys, are the same in both.
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
using TPermissionFeature = QWebEnginePermission::PermissionType;
#else
using TPermissionFeature = QWebEnginePage::Feature;
#endif

// The permission requests of a web app's pages (camera, microphone, screen sharing, location,
// notifications, pointer lock). Each is put to the user as a question naming the site and the
// permission, with Allow and Deny; the answer is remembered per web app and site, under
// "<settings group>/Permissions/<site>/<permission>", and applied next time without asking.
// Nothing is granted without an answer: a question closed without one denies this request only.
// Without a settings group (the designer's preview) every request is asked and nothing kept.
class TPermissionManager : public QObject
{
    Q_OBJECT

public:
    enum class TAnswer { None, Allow, Deny };

    TPermissionManager(QWidget *window, const QString &settingsGroup, QObject *parent = nullptr);

    // Serves the permission requests of the page (the window's page and the popups it opens),
    // and tells the page's engine the answers remembered from earlier runs. Call it before the
    // page loads.
    void Watch(QWebEnginePage *page);

    // Forgets every remembered answer of this web app.
    void ResetPermissions();

    TAnswer RememberedAnswer(const QUrl &origin, TPermissionFeature feature) const;
    // Whether the site may start another download without a user action in between: remembered,
    // or asked ("Allow <site> to download multiple files?") and remembered.
    bool AllowsMultipleDownloads(const QUrl &origin);
    // The question's text, e.g. "Allow example.com to use your camera?".
    static QString QuestionText(const QUrl &origin, TPermissionFeature feature);

private:
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    void FeaturePermissionRequested(const QWebEnginePermission &permission);
#else
    void FeaturePermissionRequested(QWebEnginePage *page, const QUrl &origin,
                                    TPermissionFeature feature);
#endif
    // The remembered answer, or the user's (remembered for next time); None when the question
    // was closed without one.
    TAnswer Answer(const QUrl &origin, TPermissionFeature feature);
    void TellRememberedAnswers(QWebEnginePage *page) const;
    void Remember(const QUrl &origin, TPermissionFeature feature, TAnswer answer);
    QString Key(const QUrl &origin, TPermissionFeature feature) const;
    QString Key(const QUrl &origin, const QString &permission) const;
    TAnswer RememberedAnswer(const QString &key) const;
    void Remember(const QString &key, TAnswer answer);
    TAnswer AskUser(const QString &question) const;

    QWidget *FWindow;
    QString FSettingsGroup;
};
