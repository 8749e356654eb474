// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Helpers for driving the designer window through its named controls.

#include "designer/mainform.h"
#include "shared/application.h"

#include <QAction>
#include <QByteArray>
#include <QLabel>
#include <QStandardPaths>
#include <QTest>
#include <QWidget>
#include <QtGlobal>

// The named child, or the test run stops: a missing control is a broken form.
template <class T> T *Find(const QObject *form, const char *name)
{
    T *child = form->findChild<T *>(QLatin1String(name));
    if (!child)
        qFatal("The designer has no %s", name);
    return child;
}

inline QString ModifiedPanelText(const TMainForm &form)
{
    return Find<QLabel>(&form, "ModifiedPanel")->text();
}

inline QString PathPanelText(const TMainForm &form)
{
    return Find<QLabel>(&form, "PathPanel")->text();
}

// A GUID in registry form: braces, 8-4-4-4-12 upper-case hexadecimal digits.
inline bool IsRegistryGuid(const QByteArray &id)
{
    if (id.size() != 38 || id.front() != '{' || id.back() != '}')
        return false;
    for (int i = 1; i < 37; ++i) {
        const char c = id.at(i);
        const bool hyphen = i == 9 || i == 14 || i == 19 || i == 24;
        if (hyphen ? c != '-' : !((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F')))
            return false;
    }
    return true;
}

// A plain application object: each command shows its own errors, so an error that escaped one
// would end the test run.
#define LUMIVANE_DESIGNER_TEST_MAIN(TestClass)                                                     \
    int main(int argc, char **argv)                                                                \
    {                                                                                              \
        QApplication app(argc, argv);                                                              \
        QStandardPaths::setTestModeEnabled(true);                                                  \
        QCoreApplication::setOrganizationName(QStringLiteral("Veldrane"));                         \
        QCoreApplication::setApplicationName(QStringLiteral("Lumivane"));                          \
        SetApplicationTitle(QStringLiteral("Veldrane Lumivane"));                                  \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
