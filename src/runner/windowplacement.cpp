// SPDX-License-Identifier: GPL-3.0-or-later
#include "runner/windowplacement.h"

#include "runner/settingsstore.h"
#include "runner/windowgeometry.h"

#include <optional>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {
std::optional<int> ReadInteger(const QSettings &store, const QString &name)
{
    const QVariant value = store.value(name);
    if (!value.isValid())
        return std::nullopt;
    bool ok = false;
    const int number = value.toInt(&ok);
    if (!ok)
        return std::nullopt;
    return number;
}

#ifdef Q_OS_WIN
// The registry keeps the key of a web app even when nothing is written into it, as every close
// and restore creates it; QSettings alone would not.
void CreateKey(const QByteArray &id)
{
    QString path =
        QStringLiteral("Software\\Veldrane\\Lumivane\\WebApps\\") + QString::fromLocal8Bit(id);
    path.replace(u'/', u'\\');
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, reinterpret_cast<const wchar_t *>(path.utf16()), 0,
                        nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) == ERROR_SUCCESS)
        RegCloseKey(key);
}
#else
void CreateKey(const QByteArray &)
{
}
#endif
} // namespace

QString WindowPlacementGroup(const QByteArray &id)
{
    return QStringLiteral("WebApps/") + QString::fromLocal8Bit(id);
}

void SaveWindowPlacement(const TWebApp &webApp, const QRect &outerBounds)
{
    CreateKey(webApp.Id);
    if (!webApp.RememberLastPosition && !webApp.RememberLastSize)
        return;
    // A store that cannot be written loses this placement only; the window closes regardless.
    ChangeSettingsStore([&](QSettings &store) {
        store.beginGroup(WindowPlacementGroup(webApp.Id));
        if (webApp.RememberLastPosition) {
            store.setValue(QStringLiteral("Left"), outerBounds.left());
            store.setValue(QStringLiteral("Top"), outerBounds.top());
        }
        if (webApp.RememberLastSize) {
            store.setValue(QStringLiteral("Width"), outerBounds.width());
            store.setValue(QStringLiteral("Height"), outerBounds.height());
        }
        store.endGroup();
    });
}

QRect RestoreWindowPlacement(const TWebApp &webApp, const QRect &outerBounds,
                             const QList<QRect> &screens)
{
    CreateKey(webApp.Id);
    QSettings store = OpenSettingsStore();
    store.beginGroup(WindowPlacementGroup(webApp.Id));
    QRect restored = outerBounds;
    if (webApp.RememberLastSize) {
        const auto width = ReadInteger(store, QStringLiteral("Width"));
        const auto height = ReadInteger(store, QStringLiteral("Height"));
        const auto unusable = [](const std::optional<int> &side) {
            return side && *side < MinUsableExtent;
        };
        if (!unusable(width) && !unusable(height)) {
            if (width)
                restored.setWidth(std::min(*width, MaxWindowExtent));
            if (height)
                restored.setHeight(std::min(*height, MaxWindowExtent));
        }
    }
    if (webApp.RememberLastPosition) {
        QRect moved = restored;
        if (const auto left = ReadInteger(store, QStringLiteral("Left")))
            moved.moveLeft(BoundedCoordinate(*left));
        if (const auto top = ReadInteger(store, QStringLiteral("Top")))
            moved.moveTop(BoundedCoordinate(*top));
        // A monitor that was unplugged must not leave the window where nobody can reach it.
        if (!IsOffScreen(moved, screens))
            restored = moved;
    }
    return restored;
}
