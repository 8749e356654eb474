// SPDX-License-Identifier: GPL-3.0-or-later
#include "runner/desktopidentity.h"

#include "runner/launcherbadge.h"
#include "shared/producticon.h"
#include "shared/shellhelpers.h"
#include "shared/webappidentity.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSaveFile>
#include <QStandardPaths>
#include <QWebEngineView>
#include <QWidget>
#include <QWindow>

namespace {
QSize LargestSize(const QIcon &icon)
{
    QSize largest;
    for (const QSize &size : icon.availableSizes())
        if (size.width() * size.height() > largest.width() * largest.height())
            largest = size;
    return largest.isValid() ? largest : QSize(64, 64);
}

// A launcher written before the web app first ran shows the program's icon; once the site's
// icon exists it should show that one.
void PointLaunchersAtIcon(const QByteArray &id)
{
    const QString fileName = WebAppApplicationId(id) + QStringLiteral(".desktop");
    const QByteArray iconLine =
        "Icon=" + WebAppIconPath(id).replace(u'\\', QStringLiteral("\\\\")).toUtf8();
    for (const QString &folder :
         {QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation),
          GetDesktopFolder()}) {
        const QString path = QDir(folder).filePath(fileName);
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        QList<QByteArray> lines = file.readAll().split('\n');
        file.close();
        const qsizetype index = lines.indexOf(QByteArrayLiteral("Icon=lumivane"));
        if (index < 0)
            continue;
        lines[index] = iconLine;
        QSaveFile update(path);
        if (update.open(QIODevice::WriteOnly)) {
            update.write(lines.join('\n'));
            update.setPermissions(QFileInfo(path).permissions());
            update.commit();
        }
    }
}
} // namespace

void SetWebAppApplicationId(const QByteArray &id)
{
    const QString applicationId = WebAppApplicationId(id);
    // Wayland's app id and the desktop's link between windows and launchers.
    QGuiApplication::setDesktopFileName(applicationId);

    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    // Qt's X11 support takes the window class from the application name and the instance from
    // RESOURCE_NAME when it creates the process's first window, and keeps both for every later
    // window. The application name also names our settings and data folders, so it carries the
    // id only while a throwaway window fixes the class.
    const QString applicationName = QCoreApplication::applicationName();
    const bool hadResourceName = qEnvironmentVariableIsSet("RESOURCE_NAME");
    const QByteArray resourceName = qgetenv("RESOURCE_NAME");
    QCoreApplication::setApplicationName(applicationId);
    qputenv("RESOURCE_NAME", applicationId.toLatin1());
    {
        QWindow probe;
        probe.create();
    }
    QCoreApplication::setApplicationName(applicationName);
    // Programs we start (a link opened in the browser) must not inherit it.
    if (hadResourceName)
        qputenv("RESOURCE_NAME", resourceName);
    else
        qunsetenv("RESOURCE_NAME");
}

bool SaveSiteIcon(const QIcon &icon, const QByteArray &id)
{
    if (icon.isNull())
        return false;
    const QString path = WebAppIconPath(id);
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !icon.pixmap(LargestSize(icon)).save(&file, "PNG") ||
        !file.commit())
        return false;
    PointLaunchersAtIcon(id);
    return true;
}

TDesktopIdentity::TDesktopIdentity(QWidget *window, QWebEngineView *view, const QByteArray &id)
    : QObject(window)
    , FWindow(window)
    , FId(id)
{
    SetWebAppApplicationId(id);
    FWindow->setWindowIcon(ProductIcon());
    connect(view, &QWebEngineView::iconChanged, this, &TDesktopIdentity::ViewIconChanged);
    connect(view, &QWebEngineView::titleChanged, this, &TDesktopIdentity::ViewTitleChanged);
}

void TDesktopIdentity::ViewTitleChanged(const QString &title)
{
    const int count = TitleUnreadCount(title);
    if (!FBadge && count == 0)
        return;
    if (!FBadge)
        FBadge = new TLauncherBadge(WebAppApplicationId(FId) + QStringLiteral(".desktop"),
                                    QDBusConnection::sessionBus(), this);
    FBadge->SetCount(count);
}

void TDesktopIdentity::ViewIconChanged(const QIcon &icon)
{
    // Pages without an icon (the blank page the window closes through among them) bring the
    // program's icon back but leave the saved site icon alone.
    if (icon.isNull()) {
        FWindow->setWindowIcon(ProductIcon());
        return;
    }
    FWindow->setWindowIcon(icon);
    SaveSiteIcon(icon, FId);
}
