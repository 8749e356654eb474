// SPDX-License-Identifier: GPL-3.0-or-later
#include "runner/spellchecking.h"

#include "runner/settingsstore.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QMenu>
#include <QWebEngineContextMenuRequest>
#include <QWebEngineProfile>
#include <QWebEngineView>

namespace {
const QString LanguageValue = QStringLiteral("SpellCheckLanguage");
const QByteArray DictionariesVariable = QByteArrayLiteral("QTWEBENGINE_DICTIONARIES_PATH");

QString Normalised(QString name)
{
    return name.replace(u'-', u'_').toLower();
}

// "Deutsch (Deutschland)" for de_DE; the file name where the locale is unknown.
QString LanguageTitle(const QString &language)
{
    const QLocale locale(language);
    if (locale.language() == QLocale::C)
        return language;
    QString title = locale.nativeLanguageName();
    if (!title.isEmpty())
        title[0] = title[0].toUpper();
    const QString territory = locale.nativeTerritoryName();
    return territory.isEmpty() ? title : QStringLiteral("%1 (%2)").arg(title, territory);
}
} // namespace

QString PrepareSpellCheckDictionaries()
{
    static const QString folder = [] {
        if (qEnvironmentVariableIsSet(DictionariesVariable.constData()))
            return qEnvironmentVariable(DictionariesVariable.constData());
        const QStringList candidates{
            QDir(QCoreApplication::applicationDirPath())
                .absoluteFilePath(QStringLiteral(LUMIVANE_DICTIONARIES_DIR)),
            QStringLiteral("/usr/share/hunspell-bdic")};
        for (const QString &candidate : candidates) {
            if (!SpellCheckLanguages(candidate).isEmpty()) {
                const QString path = QDir::cleanPath(candidate);
                qputenv(DictionariesVariable.constData(), QFile::encodeName(path));
                return path;
            }
        }
        return QString();
    }();
    return folder;
}

QStringList SpellCheckLanguages(const QString &folder)
{
    if (folder.isEmpty())
        return {};
    QStringList languages;
    // Links to dictionaries of packages that are not installed lead nowhere; QDir::Files leaves
    // them out.
    const QDir dir(folder);
    for (const QString &file : dir.entryList({QStringLiteral("*.bdic")}, QDir::Files))
        languages.append(file.chopped(5));
    languages.sort();
    return languages;
}

QString SpellCheckLanguageFor(const QStringList &available, const QString &localeName)
{
    const QString wanted = Normalised(localeName.section(u'.', 0, 0));
    const QString language = wanted.section(u'_', 0, 0);
    for (const QString &name : available)
        if (Normalised(name) == wanted)
            return name;
    for (const QString &name : available)
        if (Normalised(name).section(u'_', 0, 0) == language)
            return name;
    for (const QString &name : available)
        if (Normalised(name) == u"en_us")
            return name;
    return QString();
}

TSpellChecking::TSpellChecking(QWebEngineView *view, const QString &settingsGroup,
                               const QString &dictionaryFolder, QObject *parent)
    : QObject(parent)
    , FView(view)
    , FSettingsGroup(settingsGroup)
{
    const QStringList languages = SpellCheckLanguages(dictionaryFolder);
    if (languages.isEmpty())
        return;
    QString language;
    if (!FSettingsGroup.isEmpty()) {
        QSettings store = OpenSettingsStore();
        language = store.value(FSettingsGroup + u'/' + LanguageValue).toString();
    }
    if (!languages.contains(language))
        language = SpellCheckLanguageFor(languages, QLocale().name());
    if (language.isEmpty())
        language = languages.constFirst();

    FLanguageMenu = new QMenu(tr("Spelling language"));
    FLanguageMenu->setObjectName(QStringLiteral("SpellCheckLanguageMenu"));
    FLanguageGroup = new QActionGroup(FLanguageMenu);
    for (const QString &name : languages) {
        QAction *action = FLanguageMenu->addAction(LanguageTitle(name));
        action->setCheckable(true);
        action->setData(name);
        FLanguageGroup->addAction(action);
        connect(action, &QAction::triggered, this, [this, name] {
            SetLanguage(name);
            if (!FSettingsGroup.isEmpty())
                ChangeSettingsStore([&](QSettings &store) {
                    store.setValue(FSettingsGroup + u'/' + LanguageValue, name);
                });
        });
    }
    FLanguageAction = FLanguageMenu->menuAction();
    FLanguageAction->setObjectName(QStringLiteral("SpellCheckLanguageAction"));
    FLanguageAction->setVisible(false);
    connect(this, &QObject::destroyed, FLanguageMenu, &QObject::deleteLater);
    SetLanguage(language);
    // The engine has filled in the request when the view asks for a menu; the language matters
    // only where the user types. A menu already shown takes the change at once.
    connect(FView, &QWidget::customContextMenuRequested, this, [this] {
        const QWebEngineContextMenuRequest *request = FView->lastContextMenuRequest();
        FLanguageAction->setVisible(request && request->isContentEditable());
    });
}

void TSpellChecking::SetLanguage(const QString &language)
{
    FLanguage = language;
    QWebEngineProfile *profile = FView->page()->profile();
    profile->setSpellCheckLanguages({language});
    profile->setSpellCheckEnabled(true);
    for (QAction *action : FLanguageGroup->actions())
        action->setChecked(action->data().toString() == language);
}
