// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startup.h"

#include <memory>

#include "app/engineswitches.h"
#include "app/fontpreload.h"
#include "app/instanceobject.h"
#include "app/platformchoice.h"
#include "app/terminationsignals.h"
#include "designer/mainform.h"
#include "shared/application.h"
#include "shared/producticon.h"
#include "shared/runnermodule.h"
#include "shared/translations.h"
#include "shared/userlanguage.h"

#include <QFileInfo>
#include <future>

QString LowerAscii(QString text)
{
    for (QChar &c : text) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() - u'A' + u'a');
    }
    return text;
}

bool IsExistingFile(const QString &path)
{
    if (path.isEmpty())
        return false;
    return QFileInfo(path).isFile();
}

TStartDecision DecideRole(const QStringList &arguments)
{
    TStartDecision decision;
    if (arguments.isEmpty()) {
        decision.Role = TStartRole::Designer;
        return decision;
    }
    decision.FirstArgument = LowerAscii(arguments.at(0));
    if (decision.FirstArgument != u"/l" || arguments.size() < 2)
        return decision;
    decision.DocumentPath = arguments.at(1);
    if (IsExistingFile(decision.DocumentPath))
        decision.Role = TStartRole::Runner;
    return decision;
}

namespace {
// Asked to end by the system, the program closes its window as the user would (a designer
// with unsaved changes asks first); asked again, it ends.
void CloseOnTermination(const TTerminationSignals &termination, QWidget &mainWindow)
{
    QObject::connect(&termination, &TTerminationSignals::Received, &mainWindow,
                     [&mainWindow, asked = false]() mutable {
                         if (asked) {
                             QCoreApplication::quit();
                             return;
                         }
                         asked = true;
                         mainWindow.close();
                     });
}
} // namespace

int RunLumivane(int argc, char **argv)
{
    const TInstanceObject instance(QStringLiteral("Lumivane"));
    InitUserLanguageId();

    // The role is decided before the application object exists, so that a command line that
    // ends the process prints nothing and never connects to a display. Nothing the user can
    // see depends on that order.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const TStartDecision decision = DecideRole(arguments);
    if (decision.Role == TStartRole::None)
        return 0;

    // The web engine shares its OpenGL contexts with the application's. The designer goes
    // without that context until its Preview needs the engine (see RunnerModule).
    if (decision.Role == TStartRole::Runner)
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QCoreApplication::setOrganizationName(QStringLiteral("Veldrane"));
    QCoreApplication::setApplicationName(QStringLiteral("Lumivane"));
    ApplyPlatformChoice();
    ApplyEngineEnvironment();
    // After the last setenv of the start (see TFontPreload).
    TFontPreload fontPreload;
    // Only the program name: arguments after the second are ignored, by Qt as well.
    int applicationArgc = 1;
    TApplication application(applicationArgc, argv);
    fontPreload.Wait();
    InstallTranslations();
    SetApplicationTitle(QStringLiteral("Veldrane Lumivane"));

    if (decision.Role == TStartRole::Designer) {
        // The icon is decoded on another core while the form is made; it is the application's
        // before any window is on screen.
        std::future<QList<QImage>> icon = std::async(std::launch::async, ProductIconImages);
        TMainForm mainForm;
        QApplication::setWindowIcon(ProductIcon(icon.get()));
        mainForm.show();
        const TTerminationSignals terminationSignals;
        CloseOnTermination(terminationSignals, mainForm);
        return application.exec();
    }

    QApplication::setWindowIcon(ProductIcon());
    // Creating the window can fail too (the runner module or the web engine cannot start), so it
    // is made inside.
    std::unique_ptr<QWidget> webAppForm;
    if (!RunCommand([&] { webAppForm = RunnerModule().OpenWebApp(decision.DocumentPath); }))
        return 1;
    webAppForm->show();
    const TTerminationSignals terminationSignals;
    CloseOnTermination(terminationSignals, *webAppForm);
    return application.exec();
}
