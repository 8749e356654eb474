// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QStringList>

class QAction;
class QActionGroup;
class QMenu;
class QWebEngineView;

// The folder of spelling dictionaries (.bdic) the web engine reads: QTWEBENGINE_DICTIONARIES_PATH
// when the user set it, else the program's own (its dictionaries and links to the system's), else
// the system's. Sets the variable for the engine, which reads it once; call before it starts.
QString PrepareSpellCheckDictionaries();

// The dictionaries in folder, by name (file name without ".bdic"), sorted.
QStringList SpellCheckLanguages(const QString &folder);

// The dictionary that suits a locale name ("de_AT"): the same language and country, else the
// same language, else US English, else none. Names may use "_" or "-".
QString SpellCheckLanguageFor(const QStringList &available, const QString &localeName);

// Checks the spelling of what the user types in a web app's page, in the user's language, with
// the engine's suggestions in the context menu and a "Spelling language" submenu there (shown in
// text fields) that switches the language for this web app. The choice is remembered in the
// settings group; an empty group (the designer's preview) remembers nothing.
class TSpellChecking : public QObject
{
    Q_OBJECT

public:
    TSpellChecking(QWebEngineView *view, const QString &settingsGroup,
                   const QString &dictionaryFolder = PrepareSpellCheckDictionaries(),
                   QObject *parent = nullptr);

    // The submenu's action, for the page's context menu.
    QAction *LanguageAction() const { return FLanguageAction; }
    QString Language() const { return FLanguage; }
    void SetLanguage(const QString &language);

private:
    QWebEngineView *FView;
    QString FSettingsGroup;
    QString FLanguage;
    QAction *FLanguageAction = nullptr;
    QMenu *FLanguageMenu = nullptr;
    QActionGroup *FLanguageGroup = nullptr;
};
