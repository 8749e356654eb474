// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shared/tntcontrols.h"

#include <QUrl>
#include <memory>

class QKeyEvent;
class TmqALTBugFix;

namespace Ui {
class AboutForm;
}

// The product's web page and the maker's support mailbox, which the About window's labels open.
extern const QUrl ProductWebPage;
extern const QUrl SupportMailAddress;

// The modal About window: the product icon, name and version, and the maker's line. Built from
// wide-text controls so that the localizer can change its caption and its OK button.
class TAboutForm : public TTntForm
{
    Q_OBJECT

public:
    explicit TAboutForm(QWidget *parent = nullptr);
    ~TAboutForm() override;

    // The line naming the web engine and its version; none while the text is empty.
    void SetWebEngine(const QString &version);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate();
    void FormShortCut(QKeyEvent *event);
    void ProductLabelClick();
    void CopyrightLabelClick();
    void ButtonClick(QPushButton *button);

    TmqALTBugFix *FALTBugFix = nullptr;
    std::unique_ptr<Ui::AboutForm> FUi;
    TTntButton *OKButtonW = nullptr;
};

// Creates, localises, shows modally and destroys the About window. The web engine's version
// comes from whoever has the engine: this window's library does not load it.
void ShowAbout(quint32 languageId, const QString &webEngine = QString());
