// SPDX-License-Identifier: GPL-3.0-or-later
// The runner module as the program loads it: into a process that does not link the web engine.
#include "document/lumivaneerror.h"
#include "document/webapp.h"
#include "shared/application.h"
#include "shared/runnermodule.h"
#include "support/wait.h"

#include <QFile>
#include <QPointer>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace {

bool MapsWebEngine()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        qFatal("Cannot read the memory map");
    return maps.readAll().contains("libQt6WebEngineCore");
}

// The visible top-level window of the module's form class, if any.
QWidget *ShownForm()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible() && qstrcmp(widget->metaObject()->className(), "TWebAppForm") == 0)
            return widget;
    }
    return nullptr;
}

QString ErrorOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const TLumivaneError &error) {
        return error.message();
    }
    return QString();
}

} // namespace

class TRunnerModuleTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void notAModule();
    void engineLoadsWithTheModule();
    void runnerWindow();
    void errorsCrossTheModule();
    void preview();

private:
    QTemporaryDir FDir;
};

void TRunnerModuleTest::initTestCase()
{
    QVERIFY(FDir.isValid());
    QVERIFY(!MapsWebEngine());
}

void TRunnerModuleTest::notAModule()
{
    // Not found where the program looks: the test program's folder holds no module.
    const QString missing = ErrorOf([] { RunnerModule(); });
    QVERIFY2(missing.startsWith(QStringLiteral("Unable to find ")), qPrintable(missing));
    QVERIFY(missing.endsWith(RunnerModuleFileName()));

    // A file that is no module, and a library that is no runner module.
    const QString text = FDir.filePath(QStringLiteral("lumivane-runner.so"));
    QFile file(text);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("not a library\n");
    file.close();
    const QString garbage = ErrorOf([&text] { LoadRunnerModule(text); });
    QVERIFY2(garbage.startsWith(QStringLiteral("Unable to load %1: ").arg(text)),
             qPrintable(garbage));
    QVERIFY(!MapsWebEngine());
}

void TRunnerModuleTest::engineLoadsWithTheModule()
{
    TRunnerModule &module = LoadRunnerModule(QStringLiteral(LUMIVANE_RUNNER_MODULE));
    QVERIFY(MapsWebEngine());
    // Loaded once: the next use finds the same module without looking again.
    QCOMPARE(&RunnerModule(), &module);
}

void TRunnerModuleTest::runnerWindow()
{
    const QString path = FDir.filePath(QStringLiteral("Through.webapp"));
    TWebApp webApp;
    webApp.URL = QByteArrayLiteral("data:text/html,<title>Through the module</title><p>page</p>");
    SaveWebApp(path, webApp);

    SetApplicationTitle(QStringLiteral("Veldrane Lumivane"));
    const std::unique_ptr<QWidget> form = RunnerModule().OpenWebApp(path);
    QVERIFY(form);
    QCOMPARE(form->metaObject()->className(), "TWebAppForm");
    form->show();
    // The module's window and the program share one application title.
    QTRY_COMPARE_WITH_TIMEOUT(ApplicationTitle(), QStringLiteral("Through the module"),
                              TTimeout::Page);
    QCOMPARE(form->windowTitle(), QStringLiteral("Through the module"));
}

void TRunnerModuleTest::errorsCrossTheModule()
{
    // The module's errors are the program's exception type, so the error display shows them: a
    // document that names no URL (here, none at all) has nothing to open.
    const QString missing = FDir.filePath(QStringLiteral("absent.webapp"));
    const QString message = ErrorOf([&missing] { RunnerModule().OpenWebApp(missing); });
    QCOMPARE(message, QStringLiteral("Unable to open "));
    QVERIFY(!ShownForm());
}

void TRunnerModuleTest::preview()
{
    TWebApp webApp;
    webApp.URL = QByteArrayLiteral("data:text/html,<title>Previewed</title><p>page</p>");
    QPointer<QWidget> seen;
    bool loaded = false;
    QTimer poll;
    poll.setInterval(50);
    connect(&poll, &QTimer::timeout, this, [&] {
        if (!seen)
            seen = ShownForm();
        if (seen && seen->windowTitle() == u"Previewed") {
            loaded = true;
            seen->close();
        }
    });
    poll.start();
    QTimer guard;
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, this, [&] {
        if (QWidget *form = ShownForm())
            form->close();
    });
    guard.start(TTimeout::Page);
    RunnerModule().PreviewWebApp(webApp);
    QVERIFY2(guard.isActive(), "the preview did not end by itself");
    QVERIFY(loaded);
    QVERIFY(seen.isNull()); // gone with the call
}

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName(QStringLiteral("Veldrane"));
    QCoreApplication::setApplicationName(QStringLiteral("Lumivane"));
    TRunnerModuleTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_runnermodule.moc"
