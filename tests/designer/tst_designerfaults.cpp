// SPDX-License-Identifier: GPL-3.0-or-later
// The designer under faults and hostile documents: a save that fails shows the error, keeps
// "Modified" and leaves the old document byte for byte; any file at all can be opened, quickly,
// and saved again into a sound document.
//
// Permission faults run with the effective user "nobody" when the test runs as root (root
// ignores permission bits); the full file system is a tiny tmpfs in a private mount namespace;
// a file size limit injects a write failure where mounting is not allowed.

#include "designertesting.h"
#include "document/webapp.h"
#include "shared/filedialog.h"
#include "shared/messagebox.h"
#include "support/testfiles.h"

#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>

#include <csignal>
#include <optional>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr uid_t NobodyId = 65534;

const QByteArray OldDocument("; kept by hand\r\n"
                             "[Configuration]\r\n"
                             "Id={6B29FC40-CA47-1067-B31D-00DD010662DA}\r\n"
                             "URL=https://old.example/\r\n"
                             "Extra=stays\r\n"
                             "[Other]\r\n"
                             "Key=value\r\n");

// While it lives, this process acts as "nobody" (when it is root; otherwise as itself).
class TUnprivileged
{
public:
    TUnprivileged()
    {
        if (IsRoot())
            FDropped = ::setegid(NobodyId) == 0 && ::seteuid(NobodyId) == 0;
    }
    ~TUnprivileged()
    {
        if (FDropped) {
            [[maybe_unused]] const int user = ::seteuid(0);
            [[maybe_unused]] const int group = ::setegid(0);
        }
    }
    TUnprivileged(const TUnprivileged &) = delete;
    TUnprivileged &operator=(const TUnprivileged &) = delete;

private:
    bool FDropped = false;
};

// While it lives, no file of this process may grow past 64 bytes.
class TSmallFiles
{
public:
    TSmallFiles()
    {
        ::getrlimit(RLIMIT_FSIZE, &FOld);
        FOldHandler = ::signal(SIGXFSZ, SIG_IGN); // a write past it fails with EFBIG instead
        const rlimit limit{64, FOld.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~TSmallFiles()
    {
        ::setrlimit(RLIMIT_FSIZE, &FOld);
        ::signal(SIGXFSZ, FOldHandler);
    }
    TSmallFiles(const TSmallFiles &) = delete;
    TSmallFiles &operator=(const TSmallFiles &) = delete;

private:
    rlimit FOld{};
    sighandler_t FOldHandler = nullptr;
};

} // namespace

class TDesignerFaultsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();
    void failedSaveKeepsEverything_data();
    void failedSaveKeepsEverything();
    void saveThroughSymbolicLink();
    void openAnything_data();
    void openAnything();

private:
    template <class T> T *Control(const char *name) const { return Find<T>(FForm.get(), name); }
    QString Path(const QString &name) const { return FDir.filePath(name); }
    QString MakeFolder(const QString &name, bool forNobody) const;
    void Open(const QString &path);
    void SaveAs(const QString &path);

    QTemporaryDir FDir;
    QString FMountError;
    bool FMounted = false;
    std::unique_ptr<TMainForm> FForm;
    QTimer FWatchdog;
    QStringList FUnexpectedDialogs;
};

void TDesignerFaultsTest::initTestCase()
{
    QVERIFY(FDir.isValid());
    QVERIFY(::chmod(QFile::encodeName(FDir.path()).constData(), 0755) == 0);
    // The tmpfs disappears with the test, whatever happens to it.
    if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr))
        FMountError = QStringLiteral("no private mount namespace: ") +
                      QString::fromLocal8Bit(strerror(errno));
    else if (!QDir(FDir.path()).mkpath(QStringLiteral("full")) ||
             ::mount("tmpfs", QFile::encodeName(Path(QStringLiteral("full"))).constData(), "tmpfs",
                     MS_NOSUID | MS_NODEV, "size=64k,mode=0755") != 0)
        FMountError = QStringLiteral("mount tmpfs: ") + QString::fromLocal8Bit(strerror(errno));
    else
        FMounted = true;

    // A dialog that no test expects would wait for a user forever: close it and fail instead.
    connect(&FWatchdog, &QTimer::timeout, this, [this] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            FUnexpectedDialogs << modal->windowTitle();
            modal->close();
        }
    });
    FWatchdog.start(250);
}

void TDesignerFaultsTest::init()
{
    TMessageBox::clearShown();
    TMessageBox::setNextAnswer(QMessageBox::NoButton);
    TFileDialog::clearNextFileName();
    FUnexpectedDialogs.clear();
    FForm = std::make_unique<TMainForm>();
    FForm->show();
    FForm->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(FForm.get()));
}

void TDesignerFaultsTest::cleanup()
{
    FForm.reset();
    QVERIFY2(FUnexpectedDialogs.isEmpty(), qPrintable(FUnexpectedDialogs.join(u", ")));
}

void TDesignerFaultsTest::cleanupTestCase()
{
    if (FMounted)
        QVERIFY(::umount2(QFile::encodeName(Path(QStringLiteral("full"))).constData(),
                          MNT_DETACH) == 0);
}

QString TDesignerFaultsTest::MakeFolder(const QString &name, bool forNobody) const
{
    const QString folder = Path(name);
    if (!QDir().mkpath(folder))
        return {};
    if (forNobody && IsRoot() &&
        ::chown(QFile::encodeName(folder).constData(), NobodyId, NobodyId) != 0)
        return {};
    return folder;
}

void TDesignerFaultsTest::Open(const QString &path)
{
    TFileDialog::setNextFileName(path);
    QTest::keySequence(FForm.get(), QKeySequence(QStringLiteral("Ctrl+O")));
}

void TDesignerFaultsTest::SaveAs(const QString &path)
{
    TFileDialog::setNextFileName(path);
    QTest::keySequence(FForm.get(), QKeySequence(QStringLiteral("Ctrl+Shift+S")));
}

void TDesignerFaultsTest::failedSaveKeepsEverything_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<bool>("newFile"); // Save As to a file that does not exist yet
    QTest::newRow("full file system") << QStringLiteral("full") << false;
    QTest::newRow("file size limit") << QStringLiteral("small files") << false;
    QTest::newRow("folder without write permission") << QStringLiteral("locked folder") << false;
    QTest::newRow("new file in a folder without write permission")
        << QStringLiteral("locked folder") << true;
    QTest::newRow("read-only file, unprivileged") << QStringLiteral("read-only") << false;
    QTest::newRow("file made unreadable after opening") << QStringLiteral("unreadable") << false;
}

void TDesignerFaultsTest::failedSaveKeepsEverything()
{
    QFETCH(QString, fault);
    QFETCH(bool, newFile);

    static int number = 0;
    QString folder;
    if (fault == u"full") {
        if (!FMounted)
            QSKIP(qPrintable(FMountError + QStringLiteral("; the file size limit row injects the "
                                                          "same write failure")));
        folder = Path(QStringLiteral("full"));
    } else {
        folder = MakeFolder(QStringLiteral("case%1").arg(++number), true);
        QVERIFY(!folder.isEmpty());
    }
    const QString path = folder + QStringLiteral("/App.webapp");
    QVERIFY(WriteAll(path, OldDocument));
    if (IsRoot())
        QVERIFY(::chown(QFile::encodeName(path).constData(), NobodyId, NobodyId) == 0);
    Open(path);
    QCOMPARE(FForm->FileName(), path);
    QTest::keyClick(Control<QLineEdit>("URLEdit"),
                    Qt::Key_End); // an opened address shows its start
    QTest::keyClicks(Control<QLineEdit>("URLEdit"), QStringLiteral("changed"));
    QCOMPARE(ModifiedPanelText(*FForm), QStringLiteral("Modified"));

    const QString target = newFile ? folder + QStringLiteral("/New.webapp") : path;
    if (fault == u"full") {
        QFile filler(folder + QStringLiteral("/filler"));
        QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray block(4096, 'x');
        while (filler.write(block) > 0) {
        }
    } else if (fault == u"locked folder") {
        QVERIFY(::chmod(QFile::encodeName(folder).constData(), 0555) == 0);
    } else if (fault == u"read-only") {
        QVERIFY(::chmod(QFile::encodeName(path).constData(), 0444) == 0);
    } else if (fault == u"unreadable") {
        QVERIFY(::chmod(QFile::encodeName(path).constData(), 0200) == 0);
    }

    TMessageBox::setNextAnswer(QMessageBox::Ok);
    {
        std::optional<TUnprivileged> unprivileged;
        std::optional<TSmallFiles> smallFiles;
        if (fault == u"small files")
            smallFiles.emplace();
        else if (fault != u"full")
            unprivileged.emplace();
        if (newFile)
            SaveAs(target);
        else
            QTest::mouseClick(Control<QPushButton>("SaveButton"), Qt::LeftButton);
    }

    QCOMPARE(TMessageBox::shown().size(), 1);
    const TMessageBox::TShown &error = TMessageBox::shown().constFirst();
    QCOMPARE(error.Icon, QMessageBox::Critical);
    QCOMPARE(error.Title, QStringLiteral("Veldrane Lumivane"));
    QCOMPARE(error.Text, QStringLiteral("Unable to write to ") + target + u'.');
    QCOMPARE(error.Buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY(FForm->Modified());
    QCOMPARE(ModifiedPanelText(*FForm), QStringLiteral("Modified"));
    QCOMPARE(FForm->FileName(), target);
    QVERIFY(FForm->isVisible());

    ::chmod(QFile::encodeName(folder).constData(), 0755);
    ::chmod(QFile::encodeName(path).constData(), 0644);
    QVERIFY(ReadAll(path) == OldDocument);
    if (newFile)
        QVERIFY(!QFileInfo::exists(target));
    QStringList left = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    left.removeAll(QStringLiteral("filler"));
    QCOMPARE(left, QStringList{QStringLiteral("App.webapp")});
    if (fault == u"full")
        QVERIFY(QFile::remove(folder + QStringLiteral("/filler")));

    // Once the fault is gone, the same command saves what is on screen.
    TMessageBox::clearShown();
    QTest::mouseClick(Control<QPushButton>("SaveButton"), Qt::LeftButton);
    QCOMPARE(TMessageBox::shown().size(), 0);
    QVERIFY(!FForm->Modified());
    QCOMPARE(LoadWebApp(target).URL, QByteArray("https://old.example/changed"));
}

// Saving a document opened through a link updates the link's target and keeps the link.
void TDesignerFaultsTest::saveThroughSymbolicLink()
{
    const QString folder = MakeFolder(QStringLiteral("linked"), false);
    QVERIFY(!folder.isEmpty());
    const QString target = folder + QStringLiteral("/Target.webapp");
    const QString link = folder + QStringLiteral("/Link.webapp");
    QVERIFY(WriteAll(target, OldDocument));
    QVERIFY(QFile::link(QStringLiteral("Target.webapp"), link));
    Open(link);
    QTest::keyClick(Control<QLineEdit>("URLEdit"), Qt::Key_End);
    QTest::keyClicks(Control<QLineEdit>("URLEdit"), QStringLiteral("linked"));
    QTest::mouseClick(Control<QPushButton>("SaveButton"), Qt::LeftButton);

    QCOMPARE(TMessageBox::shown().size(), 0);
    QVERIFY(!FForm->Modified());
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(QFileInfo(link).symLinkTarget(), target);
    QCOMPARE(LoadWebApp(target).URL, QByteArray("https://old.example/linked"));
    const QByteArray saved = ReadAll(target);
    QVERIFY(saved.startsWith("; kept by hand\r\n[Configuration]\r\n"));
    QVERIFY(saved.contains("\r\nExtra=stays\r\n"));
    QVERIFY(saved.endsWith("\r\n[Other]\r\nKey=value\r\n"));
}

void TDesignerFaultsTest::openAnything_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QByteArray>("bytes");

    QRandomGenerator random(5302026);
    QByteArray noise(1 << 20, Qt::Uninitialized);
    for (char &c : noise)
        c = char(random.bounded(256));
    auto doc = [](const QByteArray &lines) { return "[Configuration]\r\n" + lines; };
    QTest::newRow("random bytes") << QStringLiteral("file") << noise;
    QTest::newRow("NUL bytes") << QStringLiteral("file") << QByteArray(1 << 20, '\0');
    QTest::newRow("NUL bytes in values")
        << QStringLiteral("file")
        << doc(QByteArrayLiteral("URL=http://nul.test/\0tail\r\nWidth=\0\x35\r\n"));
    QTest::newRow("2 GiB sparse file")
        << QStringLiteral("sparse") << doc("URL=http://sparse.test/\r\nWindowSize=1\r\n");
    QTest::newRow("lines of megabytes")
        << QStringLiteral("file")
        << doc("Id=" + QByteArray(3 << 20, 'i') + "\r\nURL=" + QByteArray(1 << 19, 'u') + "\r\n");
    QByteArray sections;
    for (int i = 0; i < 10000; ++i)
        sections += "[S" + QByteArray::number(i) + "]\r\nURL=no\r\n";
    QTest::newRow("10,000 sections") << QStringLiteral("file") << sections + doc("URL=yes\r\n");
    QTest::newRow("invalid UTF-8 in the URL")
        << QStringLiteral("file") << doc("URL=http://bad.test/\xFF\xFE\xC3\x28\xED\xA0\x80\r\n");
    QTest::newRow("URL of 2047 characters")
        << QStringLiteral("file") << doc("URL=http://" + QByteArray(2040, 'a') + "\r\n");
    QTest::newRow("javascript: URL")
        << QStringLiteral("file") << doc("URL=javascript:alert(1)\r\n");
    QTest::newRow("file: URL") << QStringLiteral("file") << doc("URL=file:///etc/passwd\r\n");
    QTest::newRow("codes and sizes 2^31-1")
        << QStringLiteral("file")
        << doc("WindowStyle=2147483647\r\nWindowSize=2147483647\r\nWindowPosition=2147483647\r\n"
               "Width=2147483647\r\nHeight=2147483647\r\n");
    QTest::newRow("negative codes and sizes")
        << QStringLiteral("file")
        << doc("WindowStyle=-1\r\nWindowSize=-2147483648\r\nWindowPosition=-5\r\n"
               "Width=-2147483648\r\nHeight=-1\r\n");
    QTest::newRow("custom size 0")
        << QStringLiteral("file") << doc("WindowSize=1\r\nWidth=0\r\nHeight=0\r\n");
    QTest::newRow("directory") << QStringLiteral("directory") << QByteArray();
    QTest::newRow("FIFO") << QStringLiteral("fifo") << QByteArray();
    QTest::newRow("device") << QStringLiteral("device") << QByteArray();
    QTest::newRow("dangling link") << QStringLiteral("dangling") << QByteArray();
    QTest::newRow("unreadable file")
        << QStringLiteral("unreadable") << doc("URL=http://secret.test/\r\n");
}

// Whatever the open dialog hands over is opened at once, without an error (a document reports
// nothing it cannot read), and what the designer then shows saves into a sound document.
void TDesignerFaultsTest::openAnything()
{
    QFETCH(QString, kind);
    QFETCH(QByteArray, bytes);

    static int number = 0;
    QString path = Path(QStringLiteral("open%1.webapp").arg(++number));
    if (kind == u"file" || kind == u"sparse" || kind == u"unreadable") {
        QVERIFY(WriteAll(path, bytes));
        if (kind == u"sparse")
            QVERIFY(QFile::resize(path, qint64(2) << 30));
        if (kind == u"unreadable") {
            QVERIFY(::chmod(QFile::encodeName(path).constData(), 0) == 0);
            if (IsRoot())
                QVERIFY(::chown(QFile::encodeName(path).constData(), 0, 0) == 0);
        }
    } else if (kind == u"directory") {
        QVERIFY(QDir().mkpath(path));
    } else if (kind == u"fifo") {
        QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0644) == 0);
    } else if (kind == u"device") {
        path = QStringLiteral("/dev/zero");
    } else if (kind == u"dangling") {
        QVERIFY(QFile::link(Path(QStringLiteral("nowhere")), path));
    }

    QElapsedTimer timer;
    timer.start();
    {
        std::optional<TUnprivileged> unprivileged;
        if (kind == u"unreadable")
            unprivileged.emplace();
        Open(path);
    }
    QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(TMessageBox::shown().size(), 0);
    QCOMPARE(FForm->FileName(), path);
    QVERIFY(!FForm->Modified());
    const QByteArray openedURL = FForm->WebApp().URL;
    if (kind == u"unreadable")
        QCOMPARE(Control<QLineEdit>("URLEdit")->text(), QString());

    // Every list shows one of its entries, whatever the codes were.
    const auto *style = Control<QListWidget>("StyleListBox");
    QVERIFY(style->currentRow() >= 0 && style->currentRow() < style->count());
    for (const char *name : {"SizeComboBox", "PositionComboBox"}) {
        const auto *list = Control<QComboBox>(name);
        QVERIFY2(list->currentIndex() >= 0 && list->currentIndex() < list->count(), name);
    }

    const QString copy = Path(QStringLiteral("copy%1.webapp").arg(number));
    SaveAs(copy);
    QCOMPARE(TMessageBox::shown().size(), 0);
    QVERIFY(!FForm->Modified());
    const TWebApp saved = LoadWebApp(copy);
    // The address as it was read, even bytes that are no text here: the user did not touch it.
    QCOMPARE(saved.URL, openedURL);
    QCOMPARE(QString::fromLocal8Bit(saved.URL), Control<QLineEdit>("URLEdit")->text());
    QVERIFY(saved.WindowStyle >= 0 && saved.WindowStyle < style->count());
    QVERIFY(saved.WindowSize >= 0 && saved.WindowSize <= wsLastPreset);
    QVERIFY(saved.WindowPosition >= 0 && saved.WindowPosition <= 8);
    QVERIFY(!saved.Id.isEmpty());
    QVERIFY(QFileInfo(copy).size() < 16 * 1024);
}

LUMIVANE_DESIGNER_TEST_MAIN(TDesignerFaultsTest)
#include "tst_designerfaults.moc"
