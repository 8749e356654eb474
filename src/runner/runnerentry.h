// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shared/runnermodule.h"

// The runner as the start-up and the designer reach it: the module's entry point, and what a
// test of the designer links in its place.
class TRunnerEntry : public TRunnerModule
{
public:
    std::unique_ptr<QWidget> OpenWebApp(const QString &fileName) override;
    void PreviewWebApp(const TWebApp &webApp) override;
    QString WebEngineVersion() override;
};
