// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/shellhelpers.h"

#include <QDesktopServices>
#include <QDir>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QStandardPaths>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {
std::function<void(const QUrl &)> Opener;

QString WithoutTrailingSeparator(QString path)
{
    while (path.size() > 1 && (path.endsWith(u'/') || path.endsWith(u'\\')))
        path.chop(1);
    return QDir::toNativeSeparators(path);
}
} // namespace

void SetSystemIconFont(QFont &font)
{
#ifdef Q_OS_WIN
    LOGFONTW logFont{};
    if (SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(logFont), &logFont, 0)) {
        QFont iconFont(QString::fromWCharArray(logFont.lfFaceName));
        HDC screen = GetDC(nullptr);
        const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
        iconFont.setPointSizeF(qAbs(logFont.lfHeight) * 72.0 / (dpi > 0 ? dpi : 96));
        iconFont.setBold(logFont.lfWeight >= FW_BOLD);
        iconFont.setItalic(logFont.lfItalic);
        iconFont.setUnderline(logFont.lfUnderline);
        iconFont.setStrikeOut(logFont.lfStrikeOut);
        font = iconFont;
        return;
    }
#else
    // The platform theme's general font is what the desktop shows under its icons and in its
    // dialogs; without a theme Qt reports its own default.
    const QFont general = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    if (!general.family().isEmpty()) {
        font = general;
        return;
    }
#endif
    GetDefaultGUIFont(font);
}

void GetDefaultGUIFont(QFont &font)
{
    font = QGuiApplication::font();
}

QString GetSpecialFolder(int csidl)
{
    QStandardPaths::StandardLocation location;
    switch (csidl) {
    case CSIDL_PERSONAL:
        location = QStandardPaths::DocumentsLocation;
        break;
    case CSIDL_DESKTOPDIRECTORY:
        location = QStandardPaths::DesktopLocation;
        break;
    case CSIDL_APPDATA:
        location = QStandardPaths::GenericConfigLocation;
        break;
    case CSIDL_LOCAL_APPDATA:
        location = QStandardPaths::GenericDataLocation;
        break;
    default:
        return {};
    }
    return WithoutTrailingSeparator(QStandardPaths::writableLocation(location));
}

QString GetDesktopFolder()
{
    return GetSpecialFolder(CSIDL_DESKTOPDIRECTORY);
}

void ShellOpen(const QUrl &url)
{
    if (Opener) {
        Opener(url);
        return;
    }
    QDesktopServices::openUrl(url);
}

void SetShellOpener(std::function<void(const QUrl &)> opener)
{
    Opener = std::move(opener);
}
