// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QString>
#include <QUrl>
#include <functional>

// Shell folder numbers the program asks for.
enum : int {
    CSIDL_PERSONAL = 5,
    CSIDL_DESKTOPDIRECTORY = 16,
    CSIDL_APPDATA = 26,
    CSIDL_LOCAL_APPDATA = 28,
};

// Gives the font the desktop's icon-title font (elsewhere than Windows: the desktop's general
// user-interface font); falls back to GetDefaultGUIFont.
void SetSystemIconFont(QFont &font);
void GetDefaultGUIFont(QFont &font);

// The file-system path of a shell folder, with no trailing separator; empty when unknown.
QString GetSpecialFolder(int csidl);
QString GetDesktopFolder();

// Opens a web address or mail address with the user's default program ("open" in the shell).
// The result is ignored, as nothing can be done about it. Tests replace the opener.
void ShellOpen(const QUrl &url);
void SetShellOpener(std::function<void(const QUrl &)> opener);
