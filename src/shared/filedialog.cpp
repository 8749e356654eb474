#include "filedialog.h"

#include <QFileDialog>
#include <optional>

namespace {
std::optional<QString> NextFileName;
TFileDialog::TOptions LastOptions;
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
    QFileDialog dialog(parent, options.Title, options.Directory, options.Filter);
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
