#include "browsingtestwindow.h"
#include "downloadmanager.h"
#include "filedialog.h"
#include "httptestserver.h"
#include "shellhelpers.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEngineDownloadRequest>

namespace {
// Every byte value, several times over, so that any text conversion or truncation shows.
QByteArray BinaryData()
{
    QByteArray data;
    for (int i = 0; i < 200000; ++i)
        data.append(char((i * 7 + i / 256) & 0xff));
    return data;
}

THttpTestServer::TResponse Attachment(const QByteArray &body, qint64 announced = -1)
{
    return {"application/octet-stream", body,
            "Content-Disposition: attachment; filename=\"report.bin\"\r\n", announced};
}
} // namespace

class TDownloadManagerTest : public QObject
{
    Q_OBJECT

private:
    THttpTestServer FServer;
    std::unique_ptr<TBrowsingTestWindow> FWindow;
    std::unique_ptr<TDownloadManager> FManager;
    QList<QWebEngineDownloadRequest *> FDownloads;
    QList<QUrl> FOpened;

    // Starts the download of path and returns its request once the manager has dealt with it.
    QWebEngineDownloadRequest *Download(const QByteArray &path)
    {
        const qsizetype before = FDownloads.size();
        FWindow->View->load(FServer.Url(path));
        if (!TBrowsingTestWindow::WaitFor([&] { return FDownloads.size() > before; }))
            return nullptr;
        return FDownloads.constLast();
    }

    static bool WaitForState(QWebEngineDownloadRequest *download,
                             QWebEngineDownloadRequest::DownloadState state)
    {
        return TBrowsingTestWindow::WaitFor([&] { return download->state() == state; }, 20000);
    }

private Q_SLOTS:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        FServer.Serve("/report", Attachment(BinaryData()));
        FServer.Serve("/endless", Attachment(QByteArray(300000, 'x'), 50'000'000));
        SetShellOpener([this](const QUrl &url) { FOpened.append(url); });
    }

    void init()
    {
        FWindow = std::make_unique<TBrowsingTestWindow>();
        FManager =
            std::make_unique<TDownloadManager>(FWindow->Profile.get(), FWindow->Window.get());
        FWindow->Window->layout()->addWidget(FManager->Bar());
        // Connected after the manager, so the request is seen once the manager has answered.
        connect(FWindow->Profile.get(), &QWebEngineProfile::downloadRequested, this,
                [this](QWebEngineDownloadRequest *download) { FDownloads.append(download); });
        FWindow->ShowAndFocus();
        FOpened.clear();
        FDownloads.clear();
    }

    void cleanup()
    {
        TFileDialog::clearNextFileName();
        FManager.reset();
        FWindow.reset();
    }

    void savedWhereTheUserChose()
    {
        QTemporaryDir folder;
        const QString target = folder.filePath(QStringLiteral("chosen name.bin"));
        TFileDialog::setNextFileName(target);
        QSignalSpy barChanged(FManager.get(), &TDownloadManager::BarChanged);
        QWebEngineDownloadRequest *download = Download("/report");
        QVERIFY(download);

        // The question: a save dialog in the downloads folder with the site's file name.
        const TFileDialog::TOptions options = TFileDialog::lastOptions();
        QVERIFY(options.Save);
        const QString downloads =
            QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
        if (QFileInfo(downloads).isDir())
            QCOMPARE(options.Directory, QDir(downloads).filePath(QStringLiteral("report.bin")));
        else
            QCOMPARE(QFileInfo(options.Directory).fileName(), QStringLiteral("report.bin"));

        QVERIFY(WaitForState(download, QWebEngineDownloadRequest::DownloadCompleted));
        QFile file(target);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll() == BinaryData());
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files),
                 QStringList{QStringLiteral("chosen name.bin")});

        // Shown in the strip; once complete it can be opened.
        QCOMPARE(barChanged.size(), 1);
        QVERIFY(FManager->Bar()->isVisible());
        auto *open =
            FManager->Bar()->findChild<QPushButton *>(QStringLiteral("DownloadOpenButton"));
        auto *cancel =
            FManager->Bar()->findChild<QPushButton *>(QStringLiteral("DownloadCancelButton"));
        QVERIFY(open && cancel);
        QVERIFY(open->isVisible());
        QVERIFY(!cancel->isVisible());
        QTest::mouseClick(open, Qt::LeftButton);
        QCOMPARE(FOpened, QList<QUrl>{QUrl::fromLocalFile(target)});

        // Dismissing the last download hides the strip.
        auto *dismiss =
            FManager->Bar()->findChild<QPushButton *>(QStringLiteral("DownloadDismissButton"));
        QVERIFY(dismiss && dismiss->isVisible());
        QTest::mouseClick(dismiss, Qt::LeftButton);
        QVERIFY(FManager->Bar()->isHidden());
        QCOMPARE(barChanged.size(), 2);
    }

    // The user confirmed replacing a file in the save dialog: it is replaced, not kept beside.
    void replacesAnExistingFile()
    {
        QTemporaryDir folder;
        const QString target = folder.filePath(QStringLiteral("report.bin"));
        QFile old(target);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old contents");
        old.close();
        TFileDialog::setNextFileName(target);
        QWebEngineDownloadRequest *download = Download("/report");
        QVERIFY(download);
        QVERIFY(WaitForState(download, QWebEngineDownloadRequest::DownloadCompleted));
        QVERIFY(old.open(QIODevice::ReadOnly));
        QVERIFY(old.readAll() == BinaryData());
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files).size(), 1);
    }

    void nothingSavedWhenTheDialogIsCancelled()
    {
        TFileDialog::setNextFileName(QString());
        QWebEngineDownloadRequest *download = Download("/report");
        QVERIFY(download);
        QVERIFY(WaitForState(download, QWebEngineDownloadRequest::DownloadCancelled));
        QVERIFY(FManager->Bar()->isHidden());
        // The engine's own default would have been the profile's download folder.
        QVERIFY(!QFile::exists(
            QDir(FWindow->Profile->downloadPath()).filePath(QStringLiteral("report.bin"))));
    }

    void cancelledDownloadLeavesNoPartialFile()
    {
        QTemporaryDir folder;
        TFileDialog::setNextFileName(folder.filePath(QStringLiteral("big.bin")));
        QWebEngineDownloadRequest *download = Download("/endless");
        QVERIFY(download);
        QVERIFY(TBrowsingTestWindow::WaitFor([&] { return download->receivedBytes() > 0; }));
        QVERIFY(!QDir(folder.path()).entryList(QDir::Files).isEmpty()); // it is being written

        auto *progress =
            FManager->Bar()->findChild<QWidget *>(QStringLiteral("DownloadProgressBar"));
        QVERIFY(progress && progress->isVisible());
        auto *cancel =
            FManager->Bar()->findChild<QPushButton *>(QStringLiteral("DownloadCancelButton"));
        QVERIFY(cancel && cancel->isVisible());
        QTest::mouseClick(cancel, Qt::LeftButton);
        QVERIFY(WaitForState(download, QWebEngineDownloadRequest::DownloadCancelled));
        QVERIFY(TBrowsingTestWindow::WaitFor(
            [&] { return QDir(folder.path()).entryList(QDir::Files).isEmpty(); }));
        auto *status = FManager->Bar()->findChild<QLabel *>(QStringLiteral("DownloadStatusLabel"));
        QCOMPARE(status->text(), QStringLiteral("Cancelled"));
    }
};

QTEST_MAIN(TDownloadManagerTest)
#include "tst_downloadmanager.moc"
