// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <memory>

class QWidget;
struct TWebApp;

// What the start-up and the designer need of the runner. The runner, and the web engine with it,
// lives in a module of its own that is loaded on first use, so that the designer starts without
// paying for the engine until its Preview command.
class TRunnerModule
{
public:
    virtual ~TRunnerModule() = default;

    // The runner's window for the document at fileName, loading its URL, not yet shown.
    // Throws TLumivaneError when the document cannot be read or the engine cannot start.
    virtual std::unique_ptr<QWidget> OpenWebApp(const QString &fileName) = 0;
    // Shows webApp in a modal preview window; returns once the window has closed.
    virtual void PreviewWebApp(const TWebApp &webApp) = 0;
    // The web engine and its version, as the engine reports them. Throws TLumivaneError when
    // the engine cannot start.
    virtual QString WebEngineVersion() = 0;
};

#define TRunnerModule_iid "org.veldrane.Lumivane.RunnerModule/2"
Q_DECLARE_INTERFACE(TRunnerModule, TRunnerModule_iid)

// The file name of the runner module, without its folder.
QString RunnerModuleFileName();
// The runner, loading its module on first use. Throws TLumivaneError when the module cannot be
// found or loaded; a later call tries again.
TRunnerModule &RunnerModule();
// Loads the module at path, which is then the one RunnerModule() returns. Throws TLumivaneError
// when path is no runner module.
TRunnerModule &LoadRunnerModule(const QString &path);
// Tests: a runner linked into the test program, used instead of the module (nullptr: the module).
void SetRunnerModule(TRunnerModule *module);
