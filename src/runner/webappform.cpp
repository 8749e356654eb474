#include "webappform.h"

// Placeholder until the runner lands.
TWebAppForm::TWebAppForm(TRole) {}
TWebAppForm::~TWebAppForm() = default;
void TWebAppForm::OpenWebApp(const QString &fileName) { ApplyWebApp(LoadWebApp(fileName)); }
void TWebAppForm::ApplyWebApp(const TWebApp &) {}
void TWebAppForm::ShowModal() {}
