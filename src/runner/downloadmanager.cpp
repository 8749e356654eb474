#include "downloadmanager.h"

#include "filedialog.h"
#include "shellhelpers.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QWebEngineDownloadRequest>
#include <QWebEngineProfile>

namespace {
// The strip, with the same soft line along its top as the control panel.
class TDownloadBar : public QWidget
{
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawLine(0, 0, width() - 1, 0);
        painter.setPen(palette().color(QPalette::Light));
        painter.drawLine(0, 1, width() - 1, 1);
    }
};
} // namespace

TDownloadItem::TDownloadItem(QWebEngineDownloadRequest *download, QWidget *parent)
    : QWidget(parent)
    , FDownload(download)
    , FFilePath(QDir(download->downloadDirectory()).filePath(download->downloadFileName()))
{
    setObjectName(QStringLiteral("DownloadItem"));
    auto *nameLabel = new QLabel(download->downloadFileName(), this);
    nameLabel->setObjectName(QStringLiteral("DownloadNameLabel"));
    nameLabel->setToolTip(QDir::toNativeSeparators(FFilePath));
    FProgressBar = new QProgressBar(this);
    FProgressBar->setObjectName(QStringLiteral("DownloadProgressBar"));
    FProgressBar->setMaximumWidth(220);
    FStatusLabel = new QLabel(this);
    FStatusLabel->setObjectName(QStringLiteral("DownloadStatusLabel"));
    FCancelButton = new QPushButton(tr("Cancel"), this);
    FCancelButton->setObjectName(QStringLiteral("DownloadCancelButton"));
    FOpenButton = new QPushButton(tr("Open"), this);
    FOpenButton->setObjectName(QStringLiteral("DownloadOpenButton"));
    FOpenButton->hide();
    auto *dismissButton = new QPushButton(tr("Dismiss"), this);
    dismissButton->setObjectName(QStringLiteral("DownloadDismissButton"));
    dismissButton->hide();
    for (QPushButton *button : {FCancelButton, FOpenButton, dismissButton})
        button->setAutoDefault(false);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(nameLabel);
    layout->addWidget(FProgressBar, 1);
    layout->addWidget(FStatusLabel);
    layout->addStretch();
    layout->addWidget(FCancelButton);
    layout->addWidget(FOpenButton);
    layout->addWidget(dismissButton);

    connect(FCancelButton, &QPushButton::clicked, this, &TDownloadItem::CancelButtonClick);
    connect(FOpenButton, &QPushButton::clicked, this, &TDownloadItem::OpenButtonClick);
    connect(dismissButton, &QPushButton::clicked, this, &TDownloadItem::Dismissed);
    connect(download, &QWebEngineDownloadRequest::receivedBytesChanged, this,
            &TDownloadItem::UpdateProgress);
    connect(download, &QWebEngineDownloadRequest::totalBytesChanged, this,
            &TDownloadItem::UpdateProgress);
    connect(download, &QWebEngineDownloadRequest::stateChanged, this, &TDownloadItem::UpdateState);
    connect(download, &QWebEngineDownloadRequest::isFinishedChanged, this, [dismissButton, this] {
        dismissButton->setVisible(FDownload && FDownload->isFinished());
    });
    UpdateProgress();
    UpdateState();
}

void TDownloadItem::UpdateProgress()
{
    // Counts arriving after the end would overwrite its status.
    if (!FDownload || FDownload->state() != QWebEngineDownloadRequest::DownloadInProgress)
        return;
    const qint64 received = FDownload->receivedBytes();
    const qint64 total = FDownload->totalBytes();
    const QLocale locale;
    if (total > 0) {
        // Percent, so that files above 2 GB fit the bar's int range.
        FProgressBar->setRange(0, 100);
        FProgressBar->setValue(static_cast<int>(received * 100 / total));
        FStatusLabel->setText(
            tr("%1 of %2")
                .arg(locale.formattedDataSize(received), locale.formattedDataSize(total)));
    } else {
        FProgressBar->setRange(0, 0);
        FStatusLabel->setText(locale.formattedDataSize(received));
    }
}

void TDownloadItem::UpdateState()
{
    if (!FDownload)
        return;
    switch (FDownload->state()) {
    case QWebEngineDownloadRequest::DownloadRequested:
    case QWebEngineDownloadRequest::DownloadInProgress:
        return;
    case QWebEngineDownloadRequest::DownloadCompleted:
        FProgressBar->setRange(0, 100);
        FProgressBar->setValue(100);
        FStatusLabel->setText(tr("Done"));
        FOpenButton->show();
        break;
    case QWebEngineDownloadRequest::DownloadCancelled:
        FProgressBar->hide();
        FStatusLabel->setText(tr("Cancelled"));
        break;
    case QWebEngineDownloadRequest::DownloadInterrupted:
        FProgressBar->hide();
        FStatusLabel->setText(tr("Failed: %1").arg(FDownload->interruptReasonString()));
        break;
    }
    FCancelButton->hide();
}

void TDownloadItem::CancelButtonClick()
{
    if (FDownload)
        FDownload->cancel();
}

void TDownloadItem::OpenButtonClick()
{
    ShellOpen(QUrl::fromLocalFile(FFilePath));
}

TDownloadManager::TDownloadManager(QWebEngineProfile *profile, QWidget *window, QObject *parent)
    : QObject(parent)
    , FWindow(window)
{
    FBar = new TDownloadBar(window);
    FBar->setObjectName(QStringLiteral("DownloadBar"));
    FBar->setAutoFillBackground(true);
    FBarLayout = new QVBoxLayout(FBar);
    FBarLayout->setContentsMargins(10, 6, 10, 6);
    FBar->hide();
    connect(profile, &QWebEngineProfile::downloadRequested, this,
            &TDownloadManager::DownloadRequested);
}

void TDownloadManager::DownloadRequested(QWebEngineDownloadRequest *download)
{
    if (download->state() != QWebEngineDownloadRequest::DownloadRequested)
        return;
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::homePath();
    const QString fileName = TFileDialog::getSaveFileName(
        FWindow, tr("Save As"), QDir(folder).filePath(download->suggestedFileName()),
        tr("All files (*)"), QString());
    if (fileName.isEmpty()) {
        download->cancel();
        return;
    }
    // The save dialog has asked before replacing a file; the engine replaces it.
    const QFileInfo target(fileName);
    download->setDownloadDirectory(target.absolutePath());
    download->setDownloadFileName(target.fileName());
    download->accept();

    auto *item = new TDownloadItem(download, FBar);
    connect(item, &TDownloadItem::Dismissed, this, [this, item] { RemoveItem(item); });
    FBarLayout->addWidget(item);
    FBar->show();
    Q_EMIT BarChanged();
}

void TDownloadManager::RemoveItem(TDownloadItem *item)
{
    FBarLayout->removeWidget(item);
    item->deleteLater();
    if (FBarLayout->isEmpty())
        FBar->hide();
    Q_EMIT BarChanged();
}
