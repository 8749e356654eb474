// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Helpers for driving the designer window through its named controls.

#include "designer/mainform.h"
#include "shared/application.h"
#include "shared/filedialog.h"
#include "shared/messagebox.h"
#include "support/unexpectedquestions.h"

#include <QAction>
#include <QByteArray>
#include <QLabel>
#include <QStandardPaths>
#include <QTest>
#include <QWidget>
#include <QtGlobal>
#include <memory>

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

// A designer window for each test, shown and active, with no answers prepared for its
// dialogs. A dialog that no test expects would wait for a user forever: it is rejected as it
// appears and the test fails instead. Call Start() from init() and Finish() from cleanup().
class TDesignerFixture
{
public:
    void Start()
    {
        TMessageBox::clearShown();
        TMessageBox::setNextAnswer(QMessageBox::NoButton);
        TFileDialog::clearNextFileName();
        FQuestions = std::make_unique<TUnexpectedQuestions>();
        FForm = std::make_unique<TMainForm>();
        ShowActive();
    }

    void Finish()
    {
        const QStringList unexpected = FQuestions ? FQuestions->Texts : QStringList();
        FQuestions.reset();
        FForm.reset();
        QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(u", ")));
    }

    // For a test that answers the dialogs it brings up itself.
    void AnswerDialogsInTest() { FQuestions.reset(); }

    void ShowActive()
    {
        FForm->show();
        FForm->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(FForm.get()));
    }

    template <class T> T *Control(const char *name) const { return Find<T>(FForm.get(), name); }

    // The file dialog's next answer is path; then the command as its shortcut starts it.
    void Open(const QString &path)
    {
        TFileDialog::setNextFileName(path);
        QTest::keySequence(FForm.get(), QKeySequence(QStringLiteral("Ctrl+O")));
    }
    void SaveAs(const QString &path)
    {
        TFileDialog::setNextFileName(path);
        QTest::keySequence(FForm.get(), QKeySequence(QStringLiteral("Ctrl+Shift+S")));
    }

protected:
    std::unique_ptr<TMainForm> FForm;
    // Rejects the dialogs no test answers, and keeps their texts (a dialog's title).
    std::unique_ptr<TUnexpectedQuestions> FQuestions;
};

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
