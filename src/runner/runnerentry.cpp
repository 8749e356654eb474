// SPDX-License-Identifier: GPL-3.0-or-later
#include "runner/runnerentry.h"

#include "runner/webappform.h"
#include "runner/webbrowserex.h"

std::unique_ptr<QWidget> TRunnerEntry::OpenWebApp(const QString &fileName)
{
    auto form = std::make_unique<TWebAppForm>(TWebAppForm::TRole::Runner);
    form->OpenWebApp(fileName);
    return form;
}

void TRunnerEntry::PreviewWebApp(const TWebApp &webApp)
{
    const auto form = std::make_unique<TWebAppForm>(TWebAppForm::TRole::Preview);
    form->ApplyWebApp(webApp);
    form->ShowModal();
}

QString TRunnerEntry::WebEngineVersion()
{
    return ::WebEngineVersion();
}
