// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/filedialog.h"

#include "shared/messagebox.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <optional>

namespace {
std::optional<QString> NextFileName;
TFileDialog::TOptions LastOptions;

// Qt's own save dialog takes a name in a folder that does not exist; this one says so and stays
// open, as the open dialog does for a file that does not exist.
class TDocumentDialog : public QFileDialog
{
public:
    using QFileDialog::QFileDialog;

    void accept() override
    {
        const QStringList files = selectedFiles();
        if (acceptMode() == AcceptSave && !files.isEmpty()) {
            const QDir folder = QFileInfo(files.constFirst()).absoluteDir();
            if (!folder.exists()) {
                TMessageBox::warning(
                    this, windowTitle(),
                    QCoreApplication::translate(
                        "TFileDialog",
                        "%1\nThis folder does not exist. Check the path and try again.")
                        .arg(QDir::toNativeSeparators(folder.path())));
                return;
            }
        }
        QFileDialog::accept();
    }
};
} // namespace

QString TFileDialog::getOpenFileName(QWidget *parent, const QString &title,
                                     const QString &directory, const QString &filter,
                                     const QString &defaultSuffix)
{
    return run(parent, {false, title, directory, filter, defaultSuffix});
}

QString TFileDialog::getSaveFileName(QWidget *parent, const QString &title,
                                     const QString &directory, const QString &filter,
                                     const QString &defaultSuffix)
{
    return run(parent, {true, title, directory, filter, defaultSuffix});
}

void TFileDialog::setNextFileName(const QString &fileName)
{
    NextFileName = fileName;
}

void TFileDialog::clearNextFileName()
{
    NextFileName.reset();
}

TFileDialog::TOptions TFileDialog::lastOptions()
{
    return LastOptions;
}

QString TFileDialog::run(QWidget *parent, const TOptions &options)
{
    LastOptions = options;
    if (NextFileName) {
        const QString answer = *NextFileName;
        NextFileName.reset();
        return answer;
    }
    TDocumentDialog dialog(parent, options.Title, options.Directory, options.Filter);
    dialog.setObjectName(options.Save ? QStringLiteral("SaveDialog")
                                      : QStringLiteral("OpenDialog"));
    dialog.setDefaultSuffix(options.DefaultSuffix);
    dialog.setOption(QFileDialog::ReadOnly, false);
    if (options.Save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}
