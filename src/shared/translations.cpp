// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

QStringList TranslationFolders()
{
    const QDir programFolder(QCoreApplication::applicationDirPath());
    return {
        programFolder.absoluteFilePath(QStringLiteral("translations")),
        QDir::cleanPath(programFolder.absoluteFilePath(QStringLiteral(LUMIVANE_TRANSLATIONS_DIR)))};
}

bool InstallTranslations(const QLocale &locale)
{
    // The texts are written in English: nothing to look for, and nothing to slow the start.
    if (locale.language() == QLocale::English || locale.language() == QLocale::C)
        return false;
    const auto install = [&locale](const QString &name, const QStringList &folders) {
        for (const QString &folder : folders) {
            auto translator = std::make_unique<QTranslator>(QCoreApplication::instance());
            if (translator->load(locale, name, QStringLiteral("_"), folder)) {
                QCoreApplication::installTranslator(translator.release());
                return true;
            }
        }
        return false;
    };
    const QStringList qtFolder{QLibraryInfo::path(QLibraryInfo::TranslationsPath)};
    // Qt's standard dialogs and buttons, and the web engine's menus.
    install(QStringLiteral("qtbase"), qtFolder);
    install(QStringLiteral("qtwebengine"), qtFolder);
    return install(QStringLiteral("lumivane"), TranslationFolders());
}
