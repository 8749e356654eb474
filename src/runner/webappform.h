#pragma once

#include "webapp.h"

#include <QWidget>

// The window in which a web app runs (and which the designer's Preview shows modally).
class TWebAppForm : public QWidget
{
    Q_OBJECT

public:
    enum class TRole {
        Runner,  // the program's main window; persistent browsing data; a page closing its
                 // window ends the program
        Preview, // the designer's preview; off-the-record browsing data; a page closing its
                 // window ends the preview only
    };

    explicit TWebAppForm(TRole role = TRole::Runner);
    ~TWebAppForm() override;

    void OpenWebApp(const QString &fileName);
    void ApplyWebApp(const TWebApp &webApp);

    // Shows the window modally and returns once it has closed.
    void ShowModal();
};
