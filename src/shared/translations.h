// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <QStringList>

// The program's texts in the user's language (and Qt's own, for its dialogs and the web
// engine's menus), from the .qm files built from translations/. English is the texts' own
// language and loads nothing.

// The folders holding the program's .qm files: next to the program in a build tree, the
// installed data folder otherwise.
QStringList TranslationFolders();

// Installs the translators for locale on the application; returns whether the program's own
// catalogue was found. Call once the application object exists, before the first window.
bool InstallTranslations(const QLocale &locale = QLocale());
