// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <functional>

class QPrinter;
class QWebEngineView;
class QWidget;

// Prints the page of a view after the user chose a printer in the print dialog; also serves the
// page's own window.print(). One print at a time: the engine prints asynchronously into a printer
// that must outlive the job.
class TPagePrinter : public QObject
{
    Q_OBJECT

public:
    explicit TPagePrinter(QWebEngineView *view, QWidget *dialogParent, QObject *parent = nullptr);
    ~TPagePrinter() override;

    void Print();
    bool IsPrinting() const { return FPrinter != nullptr; }

    // The print dialog; true when the user chose to print. Tests replace it to set the printer up
    // (a PDF file, say) without a modal dialog; an empty function restores the real one.
    using TPrintDialogFunction = std::function<bool(QPrinter &printer, QWidget *parent)>;
    static void SetPrintDialog(TPrintDialogFunction dialog);

Q_SIGNALS:
    void Finished(bool success);

private:
    void PrintFinished(bool success);

    QWebEngineView *FView;
    QWidget *FDialogParent;
    QPrinter *FPrinter = nullptr;
};
