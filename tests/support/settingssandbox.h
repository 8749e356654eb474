// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Keeps a test out of the user's settings and files: the program's store lives in a temporary
// folder of the test's own, and standard locations are Qt's test locations.

#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

class TSettingsSandbox
{
public:
    TSettingsSandbox()
    {
        QStandardPaths::setTestModeEnabled(true);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, FDir.path());
    }

    bool IsValid() const { return FDir.isValid(); }
    QString Path() const { return FDir.path(); }

    // The program's store, as the program opens it.
    static QSettings Store()
    {
        return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Veldrane"),
                         QStringLiteral("Lumivane"));
    }

    // Forgets everything the program stored, so each test starts from none.
    static void Clear() { Store().clear(); }

private:
    QTemporaryDir FDir;
};
