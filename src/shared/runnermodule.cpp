// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/runnermodule.h"

#include "document/lumivaneerror.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPluginLoader>
#include <QtGui/qtguiglobal.h>

#if QT_CONFIG(opengl)
#include <QOpenGLContext>
// Exported by Qt GUI and what it calls itself at start-up when Qt::AA_ShareOpenGLContexts is
// set; the public API offers only the getter.
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext *context);
#endif

namespace {
TRunnerModule *Replacement = nullptr;
TRunnerModule *Loaded = nullptr;

// The web engine draws through a context shared with the application's. Qt makes that context
// while the application starts when asked to, which the designer does not ask for: it costs
// every start a context (a tenth of a second on software OpenGL) that only Preview uses. So it
// is made here, as Qt makes it, before the engine loads.
void EnsureSharedGraphicsContext()
{
#if QT_CONFIG(opengl)
    if (QOpenGLContext::globalShareContext())
        return;
    auto *context = new QOpenGLContext(QCoreApplication::instance());
    context->setFormat(QSurfaceFormat::defaultFormat());
    // Without OpenGL this fails; the engine then draws in software, as it does when Qt's own
    // attempt at start-up fails.
    context->create();
    qt_gl_set_global_share_context(context);
#endif
}
} // namespace

QString RunnerModuleFileName()
{
    return QStringLiteral(LUMIVANE_RUNNER_MODULE_FILE);
}

// Where the module is looked for, in order: next to the program (a build tree), then in the
// program's library folder of an installed tree.
static QStringList RunnerModuleCandidates(const QString &programFolder)
{
    const QDir folder(programFolder);
    return {folder.filePath(RunnerModuleFileName()),
            QDir::cleanPath(folder.filePath(QStringLiteral(LUMIVANE_RUNNER_MODULE_DIR) + u'/' +
                                            RunnerModuleFileName()))};
}

TRunnerModule &RunnerModule()
{
    if (Replacement)
        return *Replacement;
    if (Loaded)
        return *Loaded;

    const QStringList candidates = RunnerModuleCandidates(QCoreApplication::applicationDirPath());
    QString path;
    for (const QString &candidate : candidates) {
        if (QFileInfo(candidate).isFile()) {
            path = candidate;
            break;
        }
    }
    if (path.isEmpty())
        throw TLumivaneError(QCoreApplication::translate("TLumivaneError", "Unable to find %1")
                                 .arg(candidates.constLast()));
    return LoadRunnerModule(path);
}

TRunnerModule &LoadRunnerModule(const QString &path)
{
    EnsureSharedGraphicsContext();
    QPluginLoader loader(path);
    // Every symbol now: a module that does not fit the program fails here, with a message,
    // rather than later in the middle of a command.
    loader.setLoadHints(QLibrary::ResolveAllSymbolsHint);
    QObject *instance = loader.instance();
    auto *module = qobject_cast<TRunnerModule *>(instance);
    if (!module) {
        const QString reason =
            instance ? QCoreApplication::translate("TLumivaneError", "not a runner module")
                     : loader.errorString();
        throw TLumivaneError(QCoreApplication::translate("TLumivaneError", "Unable to load %1: %2")
                                 .arg(path, reason));
    }
    // The module stays loaded for the rest of the process, as does the web engine.
    Loaded = module;
    return *module;
}

void SetRunnerModule(TRunnerModule *module)
{
    Replacement = module;
}
