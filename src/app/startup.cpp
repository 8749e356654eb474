#include "startup.h"

#include <memory>

#include "application.h"
#include "engineswitches.h"
#include "instanceobject.h"
#include "mainform.h"
#include "platformchoice.h"
#include "producticon.h"
#include "userlanguage.h"
#include "webappform.h"

#include <QFileInfo>

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

    // The web engine shares its OpenGL contexts with the application's.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QCoreApplication::setOrganizationName(QStringLiteral("Veldrane"));
    QCoreApplication::setApplicationName(QStringLiteral("Lumivane"));
    ApplyPlatformChoice();
    ApplyRenderingChoice();
    // Only the program name: arguments after the second are ignored, by Qt as well.
    int applicationArgc = 1;
    TApplication application(applicationArgc, argv);
    SetApplicationTitle(QStringLiteral("Veldrane Lumivane"));
    QApplication::setWindowIcon(ProductIcon());

    if (decision.Role == TStartRole::Designer) {
        TMainForm mainForm;
        mainForm.show();
        return application.exec();
    }

    // Creating the window can fail too (the web engine cannot start), so it is made inside.
    std::unique_ptr<TWebAppForm> webAppForm;
    try {
        webAppForm = std::make_unique<TWebAppForm>(TWebAppForm::TRole::Runner);
        webAppForm->OpenWebApp(decision.DocumentPath);
    } catch (const std::exception &error) {
        // Not inside the message loop, so TApplication::notify cannot show it.
        ShowErrorDisplay(error);
        return 1;
    }
    webAppForm->show();
    return application.exec();
}
