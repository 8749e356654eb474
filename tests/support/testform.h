// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "runner/webappform.h"
#include "support/wait.h"

#include <QSignalSpy>

// A web app window whose end of the program the test observes instead of suffering it.
class TTestForm : public TWebAppForm
{
public:
    using TWebAppForm::TWebAppForm;
    int Terminations = 0;

    // Applies the record, shows the window and waits for its first page to finish loading;
    // returns whether it loaded.
    [[nodiscard]] bool Open(const TWebApp &webApp)
    {
        QSignalSpy finished(Browser(), &QWebEngineView::loadFinished);
        ApplyWebApp(webApp);
        show();
        return WaitFor([&] { return !finished.isEmpty(); }, TTimeout::Page) &&
               finished.constFirst().constFirst().toBool();
    }

protected:
    void Terminate() override { ++Terminations; }
};
