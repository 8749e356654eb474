// SPDX-License-Identifier: GPL-3.0-or-later
#include "runner/pageprinter.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QWebEngineView>
#include <memory>

namespace {
TPagePrinter::TPrintDialogFunction PrintDialog;

bool RunPrintDialog(QPrinter &printer, QWidget *parent)
{
    if (PrintDialog)
        return PrintDialog(printer, parent);
    QPrintDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("PrintDialog"));
    return dialog.exec() == QDialog::Accepted;
}
} // namespace

TPagePrinter::TPagePrinter(QWebEngineView *view, QWidget *dialogParent, QObject *parent)
    : QObject(parent)
    , FView(view)
    , FDialogParent(dialogParent)
{
    connect(FView, &QWebEngineView::printRequested, this, &TPagePrinter::Print);
    connect(FView, &QWebEngineView::printFinished, this, &TPagePrinter::PrintFinished);
}

TPagePrinter::~TPagePrinter()
{
    delete FPrinter;
}

void TPagePrinter::SetPrintDialog(TPrintDialogFunction dialog)
{
    PrintDialog = std::move(dialog);
}

void TPagePrinter::Print()
{
    if (FPrinter)
        return;
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (!RunPrintDialog(*printer, FDialogParent))
        return;
    FPrinter = printer.release();
    FView->print(FPrinter);
}

void TPagePrinter::PrintFinished(bool success)
{
    delete FPrinter;
    FPrinter = nullptr;
    Q_EMIT Finished(success);
}
