// SPDX-License-Identifier: GPL-3.0-or-later
#include "runner/downloadmanager.h"
#include "shared/filedialog.h"
#include "shared/messagebox.h"
#include "shared/shellhelpers.h"
#include "support/browsingtestwindow.h"
#include "support/httptestserver.h"
#include "support/testfiles.h"

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

THttpTestServer::TResponse Attachment(const QByteArray &body, qint64 announced = -1,
                                      const QByteArray &fileName = "report.bin")
{
    return {"application/octet-stream", body,
            "Content-Disposition: attachment; filename=\"" + fileName + "\"\r\n", announced};
}
} // namespace

class TDownloadManagerTest : public QObject
{
    Q_OBJECT

private:
    THttpTestServer FServer;
    QTemporaryDir FHome; // a home without a downloads folder
    std::unique_ptr<TBrowsingTestWindow> FWindow;
    std::unique_ptr<TDownloadManager> FManager;
    QList<QWebEngineDownloadRequest *> FDownloads;
    QList<QUrl> FOpened;

    // Starts the download of path and returns its request once the manager has dealt with it.
    QWebEngineDownloadRequest *Download(const QByteArray &path)
    {
        const qsizetype before = FDownloads.size();
        FWindow->View->load(FServer.Url(path));
        if (!WaitFor([&] { return FDownloads.size() > before; }, TTimeout::Page))
            return nullptr;
        return FDownloads.constLast();
    }

    static bool WaitForState(QWebEngineDownloadRequest *download,
                             QWebEngineDownloadRequest::DownloadState state)
    {
        return WaitFor([&] { return download->state() == state; }, TTimeout::Page);
    }

private Q_SLOTS:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(FHome.isValid());
        qputenv("HOME", QFile::encodeName(FHome.path()));
        FServer.Serve("/report", Attachment(BinaryData()));
        FServer.Serve("/links", R"(<a id="up" download="../../up.bin" href="/report">up</a>)");
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
        QVERIFY(FWindow->ShowAndFocus());
        FOpened.clear();
        FDownloads.clear();
    }

    void cleanup()
    {
        TFileDialog::clearNextFileName();
        TMessageBox::setNextAnswer(QMessageBox::NoButton);
        FManager.reset();
        FWindow.reset();
    }

    void fileNameRule_data()
    {
        QTest::addColumn<QString>("suggested");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *name, const QString &suggested, const QString &expected) {
            QTest::newRow(name) << suggested << expected;
        };
        row("plain", QStringLiteral("report.pdf"), QStringLiteral("report.pdf"));
        row("absolute", QStringLiteral("/etc/cron.d/evil"), QStringLiteral("evil"));
        row("parent", QStringLiteral("../x"), QStringLiteral("x"));
        row("backslashes", QStringLiteral("..\\..\\Windows\\evil.exe"), QStringLiteral("evil.exe"));
        row("drive", QStringLiteral("C:evil.bat"), QStringLiteral("C_evil.bat"));
        row("folder only", QStringLiteral("files/"), QStringLiteral("files"));
        row("line breaks", QStringLiteral("line\nbreak\r.txt"), QStringLiteral("line_break_.txt"));
        row("tab, delete, nul", QStringLiteral("a\tb\x7f") + QChar(0) + QStringLiteral("c.txt"),
            QStringLiteral("a_b__c.txt"));
        row("refused by Windows", QStringLiteral("a<b>c:d\"e|f?g*h.txt"),
            QStringLiteral("a_b_c_d_e_f_g_h.txt"));
        row("bidi override", QStringLiteral("invoice\u202Efdp.exe"),
            QStringLiteral("invoice_fdp.exe"));
        row("leading dot", QStringLiteral(".bashrc"), QStringLiteral("bashrc"));
        row("dots and blanks", QStringLiteral(" ...profile. "), QStringLiteral("profile"));
        row("device name", QStringLiteral("con.txt"), QStringLiteral("_con.txt"));
        row("empty", QString(), QStringLiteral("download"));
        row("dot dot", QStringLiteral(".."), QStringLiteral("download"));
        row("separators only", QStringLiteral("/\\/"), QStringLiteral("download"));
        row("Cyrillic", QStringLiteral("Отчёт за май.pdf"), QStringLiteral("Отчёт за май.pdf"));
        row("Japanese", QStringLiteral("報告書.xlsx"), QStringLiteral("報告書.xlsx"));
        row("Arabic", QStringLiteral("تقرير.pdf"), QStringLiteral("تقرير.pdf"));
        row("long", QString(300, u'a') + QStringLiteral(".pdf"),
            QString(251, u'a') + QStringLiteral(".pdf"));
        row("long, no extension", QString(300, u'b'), QString(255, u'b'));
        row("long extension is no extension", QStringLiteral("a.") + QString(300, u'x'),
            QStringLiteral("a.") + QString(253, u'x'));
        // Multi-byte characters are never cut in half.
        row("long, two bytes each", QString(200, u'ж') + QStringLiteral(".pdf"),
            QString(125, u'ж') + QStringLiteral(".pdf"));
        row("long, three bytes each", QString(100, u'日') + QStringLiteral(".txt"),
            QString(83, u'日') + QStringLiteral(".txt"));
        row("long, four bytes each", QStringLiteral("😀").repeated(70) + QStringLiteral(".png"),
            QStringLiteral("😀").repeated(62) + QStringLiteral(".png"));
    }

    void fileNameRule()
    {
        QFETCH(QString, suggested);
        QFETCH(QString, expected);
        const QString name = DownloadFileName(suggested);
        QCOMPARE(name, expected);
        QVERIFY(name.toUtf8().size() <= 255);
    }

    // Whatever the site calls its file, the save dialog proposes it in the downloads folder,
    // which is made when it is missing.
    void hostileNamesStayInTheDownloadsFolder_data()
    {
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<QString>("proposed");
        FServer.Serve("/absolute", Attachment("x", -1, "/etc/cron.d/evil"));
        FServer.Serve("/parent", Attachment("x", -1, "../x"));
        FServer.Serve("/hidden", Attachment("x", -1, ".bashrc"));
        QTest::newRow("absolute") << QByteArray("/absolute") << QStringLiteral("evil");
        QTest::newRow("parent") << QByteArray("/parent") << QStringLiteral("x");
        QTest::newRow("hidden") << QByteArray("/hidden") << QStringLiteral("bashrc");
        QTest::newRow("download attribute") << QByteArray() << QStringLiteral("up.bin");
    }

    void hostileNamesStayInTheDownloadsFolder()
    {
        QFETCH(QByteArray, path);
        QFETCH(QString, proposed);
        const QString downloads = QDir(FHome.path()).filePath(QStringLiteral("Downloads"));
        QDir(downloads).removeRecursively();
        TFileDialog::setNextFileName(QString());
        QWebEngineDownloadRequest *download = nullptr;
        if (path.isEmpty()) {
            QVERIFY(FWindow->Load(FServer.Url("/links")));
            FWindow->Js(QStringLiteral("document.getElementById('up').click()"));
            QVERIFY(WaitFor([&] { return !FDownloads.isEmpty(); }, TTimeout::Page));
            download = FDownloads.constLast();
        } else {
            download = Download(path);
        }
        QVERIFY(download);
        QCOMPARE(TFileDialog::lastOptions().Directory, QDir(downloads).filePath(proposed));
        QVERIFY(QFileInfo(downloads).isDir());
        QVERIFY(WaitForState(download, QWebEngineDownloadRequest::DownloadCancelled));
    }

    // A second download without a user action in between asks first; a click or a key lets
    // the next one go without asking.
    void multipleDownloadsAsk()
    {
        QTemporaryDir folder;
        const QString site = QStringLiteral("127.0.0.1:%1").arg(FServer.serverPort());
        QVERIFY(FWindow->Load(FServer.Url("/links")));
        TMessageBox::clearShown();
        const auto start = [&](const char *name) {
            TFileDialog::setNextFileName(folder.filePath(QLatin1String(name)));
            const qsizetype before = FDownloads.size();
            FWindow->Js(QStringLiteral("location.href = '/report'"));
            return WaitFor([&] { return FDownloads.size() > before; }, TTimeout::Page)
                       ? FDownloads.constLast()
                       : nullptr;
        };

        QWebEngineDownloadRequest *first = start("1.bin");
        QVERIFY(first);
        QVERIFY(TMessageBox::shown().isEmpty());
        QVERIFY(WaitForState(first, QWebEngineDownloadRequest::DownloadCompleted));

        TMessageBox::setNextAnswer(QMessageBox::No);
        QWebEngineDownloadRequest *denied = start("2.bin");
        QVERIFY(denied);
        QCOMPARE(TMessageBox::shown().size(), 1);
        QCOMPARE(TMessageBox::shown().constFirst().Text,
                 QStringLiteral("Allow %1 to download multiple files?").arg(site));
        QCOMPARE(TMessageBox::shown().constFirst().Captions.value(QMessageBox::Yes),
                 QStringLiteral("&Allow"));
        QVERIFY(WaitForState(denied, QWebEngineDownloadRequest::DownloadCancelled));
        QVERIFY(!QFile::exists(folder.filePath(QStringLiteral("2.bin"))));

        QTest::mouseClick(FWindow->RenderWidget(), Qt::LeftButton);
        QWebEngineDownloadRequest *clicked = start("3.bin");
        QVERIFY(clicked);
        QCOMPARE(TMessageBox::shown().size(), 1);
        QVERIFY(WaitForState(clicked, QWebEngineDownloadRequest::DownloadCompleted));

        TMessageBox::setNextAnswer(QMessageBox::Yes);
        QWebEngineDownloadRequest *allowed = start("4.bin");
        QVERIFY(allowed);
        QCOMPARE(TMessageBox::shown().size(), 2);
        QVERIFY(WaitForState(allowed, QWebEngineDownloadRequest::DownloadCompleted));
        QVERIFY(QFile::exists(folder.filePath(QStringLiteral("4.bin"))));
    }

    // Saved under the name the user chose; a file of that name, which the user agreed to
    // replace in the save dialog, is replaced, not kept beside.
    void savedWhereTheUserChose_data()
    {
        QTest::addColumn<bool>("existing");
        QTest::newRow("new file") << false;
        QTest::newRow("existing file") << true;
    }

    void savedWhereTheUserChose()
    {
        QFETCH(bool, existing);
        QTemporaryDir folder;
        const QString target = folder.filePath(QStringLiteral("chosen name.bin"));
        if (existing)
            QVERIFY(WriteAll(target, "old contents"));
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
        QVERIFY(ReadAll(target) == BinaryData());
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
        QVERIFY(WaitFor([&] { return download->receivedBytes() > 0; }, TTimeout::Page));
        QVERIFY(!QDir(folder.path()).entryList(QDir::Files).isEmpty()); // it is being written

        auto *progress =
            FManager->Bar()->findChild<QWidget *>(QStringLiteral("DownloadProgressBar"));
        QVERIFY(progress && progress->isVisible());
        auto *cancel =
            FManager->Bar()->findChild<QPushButton *>(QStringLiteral("DownloadCancelButton"));
        QVERIFY(cancel && cancel->isVisible());
        QTest::mouseClick(cancel, Qt::LeftButton);
        QVERIFY(WaitForState(download, QWebEngineDownloadRequest::DownloadCancelled));
        QVERIFY(WaitFor([&] { return QDir(folder.path()).entryList(QDir::Files).isEmpty(); },
                        TTimeout::Page));
        auto *status = FManager->Bar()->findChild<QLabel *>(QStringLiteral("DownloadStatusLabel"));
        QCOMPARE(status->text(), QStringLiteral("Cancelled"));
    }
};

QTEST_MAIN(TDownloadManagerTest)
#include "tst_downloadmanager.moc"
