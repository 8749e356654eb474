// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>

class QDialog;
class QUrl;
class QWidget;

// The boxes a page shows with alert(), confirm() and prompt(), and its leave prompt. Each holds
// up its page only: the window can always be closed, which ends the box on show, and from a
// page's second box on the user can tell the page to show no more until it loads again.
class TPageDialogs : public QObject
{
    Q_OBJECT

public:
    enum class TKind { Alert, Confirm, Prompt, Leave };

    // The boxes stand over view's window; the view takes no input while one is shown.
    explicit TPageDialogs(QWidget *view);

    // Shows a box and returns once it is answered: true for OK (for the leave prompt: leave). A
    // prompt's text comes in and goes out in text. A page told to show no more, or whose window
    // is closing, gets Cancel at once; its leave prompt then lets it go, unless the window is
    // closing, when the user decides.
    bool Show(TKind kind, const QUrl &origin, const QString &message, QString *text = nullptr);

    // The page has loaded a new document: it may show boxes again, counted from the first.
    void PageLoaded();

Q_SIGNALS:
    // A confirmation (the leave prompt too) is shown to the user, and its answer.
    void ConfirmShown();
    void ConfirmAnswered(bool accepted);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *FView;
    QPointer<QWidget> FWindow;
    QPointer<QDialog> FShown;
    TKind FShownKind = TKind::Alert;
    int FCount = 0;        // boxes the document has shown
    bool FNoMore = false;  // the user told the document to show no more
    bool FClosing = false; // the window was asked to close and has not been shown again
};
