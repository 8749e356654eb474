// SPDX-License-Identifier: GPL-3.0-or-later
#include "runner/downloadmanager.h"

#include "runner/newwindowpolicy.h"
#include "runner/permissionmanager.h"
#include "shared/filedialog.h"
#include "shared/shellhelpers.h"

#include <QApplication>
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
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <algorithm>

namespace {
// What file systems take as one name.
constexpr qsizetype MaxFileNameBytes = 255;
// A longer "extension" is part of the name.
constexpr qsizetype MaxExtensionBytes = 32;

// Control characters, path separators and what Windows refuses in a name; and the bidi
// controls, which would let a name show an extension it does not have.
bool IsRefused(char32_t c)
{
    if (c < 0x20 || (c >= 0x7f && c <= 0x9f) || (c >= 0xd800 && c <= 0xdfff))
        return true;
    switch (c) {
    case '/':
    case '\\':
    case '<':
    case '>':
    case ':':
    case '"':
    case '|':
    case '?':
    case '*':
        return true;
    default:
        return (c >= 0x202a && c <= 0x202e) || (c >= 0x2066 && c <= 0x2069);
    }
}

qsizetype Utf8Size(char32_t c)
{
    return c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
}

// The longest start of text that fits in bytes of UTF-8, cut between two characters.
QString CutToUtf8(const QString &text, qsizetype bytes)
{
    QString cut;
    for (const char32_t c : text.toUcs4()) {
        bytes -= Utf8Size(c);
        if (bytes < 0)
            break;
        cut += QString::fromUcs4(&c, 1);
    }
    return cut;
}

bool IsDotOrBlank(QChar c)
{
    return c == u'.' || c.isSpace();
}

// Windows opens a device, not a file, under these names, whatever the extension.
bool IsDeviceName(const QString &name)
{
    static const QStringList devices = {
        QStringLiteral("CON"),  QStringLiteral("PRN"),  QStringLiteral("AUX"),
        QStringLiteral("NUL"),  QStringLiteral("COM1"), QStringLiteral("COM2"),
        QStringLiteral("COM3"), QStringLiteral("COM4"), QStringLiteral("COM5"),
        QStringLiteral("COM6"), QStringLiteral("COM7"), QStringLiteral("COM8"),
        QStringLiteral("COM9"), QStringLiteral("LPT1"), QStringLiteral("LPT2"),
        QStringLiteral("LPT3"), QStringLiteral("LPT4"), QStringLiteral("LPT5"),
        QStringLiteral("LPT6"), QStringLiteral("LPT7"), QStringLiteral("LPT8"),
        QStringLiteral("LPT9")};
    return devices.contains(name.section(u'.', 0, 0).trimmed(), Qt::CaseInsensitive);
}

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

QString DownloadFileName(const QString &suggested)
{
    // The last path component, whichever separator the site used.
    QString name = suggested;
    while (name.endsWith(u'/') || name.endsWith(u'\\'))
        name.chop(1);
    name = name.mid(qMax(name.lastIndexOf(u'/'), name.lastIndexOf(u'\\')) + 1);

    QString clean;
    for (const char32_t c : name.toUcs4()) {
        const char32_t kept = IsRefused(c) ? char32_t(u'_') : c;
        clean += QString::fromUcs4(&kept, 1);
    }
    // No hidden files, and no trailing dots or blanks, which Windows drops.
    while (!clean.isEmpty() && IsDotOrBlank(clean.front()))
        clean.remove(0, 1);
    while (!clean.isEmpty() && IsDotOrBlank(clean.back()))
        clean.chop(1);
    if (clean.isEmpty())
        return QStringLiteral("download");
    if (IsDeviceName(clean))
        clean.prepend(u'_');

    if (clean.toUtf8().size() <= MaxFileNameBytes)
        return clean;
    const qsizetype dot = clean.lastIndexOf(u'.');
    const QString extension = dot > 0 ? clean.mid(dot) : QString();
    const qsizetype extensionBytes = extension.toUtf8().size();
    if (extension.isEmpty() || extensionBytes > MaxExtensionBytes)
        return CutToUtf8(clean, MaxFileNameBytes);
    return CutToUtf8(clean.left(dot), MaxFileNameBytes - extensionBytes) + extension;
}

QString DownloadsFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    if (folder.isEmpty() || QDir::cleanPath(folder) == QDir::cleanPath(QDir::homePath()))
        folder = QDir::home().filePath(QStringLiteral("Downloads"));
    // As browsers do; where it cannot be made, the save dialog shows what is wrong.
    QDir().mkpath(folder);
    return folder;
}

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

TDownloadManager::TDownloadManager(QWebEngineProfile *profile, QWidget *window,
                                   TPermissionManager *permissions, QObject *parent)
    : QObject(parent)
    , FWindow(window)
    , FPermissions(permissions ? permissions : new TPermissionManager(window, QString(), this))
{
    FBar = new TDownloadBar(window);
    FBar->setObjectName(QStringLiteral("DownloadBar"));
    FBar->setAutoFillBackground(true);
    FBarLayout = new QVBoxLayout(FBar);
    FBarLayout->setContentsMargins(10, 6, 10, 6);
    FBar->hide();
    connect(profile, &QWebEngineProfile::downloadRequested, this,
            &TDownloadManager::DownloadRequested);
    // The input reaches the page's own widgets inside the window.
    qApp->installEventFilter(this);
}

namespace {
// The managers kept to a page, which the others leave those pages' downloads to.
QList<TDownloadManager *> &PageManagers()
{
    static QList<TDownloadManager *> managers;
    return managers;
}
} // namespace

TDownloadManager::~TDownloadManager()
{
    PageManagers().removeAll(this);
}

void TDownloadManager::KeepToPage(QWebEnginePage *page)
{
    FPage = page;
    if (!PageManagers().contains(this))
        PageManagers().append(this);
}

bool TDownloadManager::Keeps(const QWebEngineDownloadRequest *download) const
{
    return FPage && download->page() == FPage && !IsBlankWindowUrl(FPage->url());
}

bool TDownloadManager::eventFilter(QObject *watched, QEvent *event)
{
    // Only the user's own input counts, and only it is looked at: the engine also sends keys
    // of its own, one of them to a page view that is being destroyed.
    if (!event->spontaneous())
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::KeyPress:
    case QEvent::TouchBegin:
        // The window's page, or a popup it opened.
        for (auto *widget = qobject_cast<QWidget *>(watched); widget;
             widget = widget->parentWidget()) {
            if (widget == FWindow) {
                FDownloadsSinceUserAction = 0;
                break;
            }
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void TDownloadManager::DownloadRequested(QWebEngineDownloadRequest *download)
{
    if (download->state() != QWebEngineDownloadRequest::DownloadRequested)
        return;
    // Each download is one window's: the window of the page it came from, else the main one.
    if (FPage ? !Keeps(download)
              : std::any_of(
                    PageManagers().cbegin(), PageManagers().cend(),
                    [download](const TDownloadManager *other) { return other->Keeps(download); }))
        return;
    // One download per user action; a page that wants more asks for them.
    const QWebEnginePage *page = download->page();
    const QUrl site = (page ? page->url() : download->url())
                          .adjusted(QUrl::RemoveUserInfo | QUrl::RemovePath | QUrl::RemoveQuery |
                                    QUrl::RemoveFragment);
    if (FDownloadsSinceUserAction++ > 0 && !FPermissions->AllowsMultipleDownloads(site)) {
        download->cancel();
        return;
    }
    const QString fileName = TFileDialog::getSaveFileName(
        FWindow, tr("Save As"),
        QDir(DownloadsFolder()).filePath(DownloadFileName(download->suggestedFileName())),
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
