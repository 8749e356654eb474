// SPDX-License-Identifier: GPL-3.0-or-later
// The designer under faults and hostile documents: a save that fails shows the error, keeps
// "Modified" and leaves the old document byte for byte; any file at all can be opened, quickly,
// and saved again into a sound document.
//
// An unreadable file is opened with the effective user "nobody" when the test runs as root
// (root ignores permission bits).

#include "designertesting.h"
#include "document/webapp.h"
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

#include <optional>
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

} // namespace

class TDesignerFaultsTest : public QObject, public TDesignerFixture
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(FDir.isValid());
        QVERIFY(::chmod(QFile::encodeName(FDir.path()).constData(), 0755) == 0);
    }
    void init() { Start(); }
    void cleanup() { Finish(); }
    void failedSaveKeepsEverything_data();
    void failedSaveKeepsEverything();
    void openAnything_data();
    void openAnything();

private:
    QString Path(const QString &name) const { return FDir.filePath(name); }

    QTemporaryDir FDir;
};

void TDesignerFaultsTest::failedSaveKeepsEverything_data()
{
    QTest::addColumn<bool>("saveAs"); // to a new file in a folder that does not exist
    QTest::newRow("read-only file") << false;
    QTest::newRow("missing folder") << true;
}

// Which faults make a save fail, and that each leaves the old document alone, the document
// library's fault tests tell; here the designer's part: the error shown, the edit kept.
void TDesignerFaultsTest::failedSaveKeepsEverything()
{
    QFETCH(bool, saveAs);

    static int number = 0;
    const QString folder = Path(QStringLiteral("case%1").arg(++number));
    QVERIFY(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/App.webapp");
    QVERIFY(WriteAll(path, OldDocument));
    Open(path);
    QCOMPARE(FForm->FileName(), path);
    QTest::keyClick(Control<QLineEdit>("URLEdit"),
                    Qt::Key_End); // an opened address shows its start
    QTest::keyClicks(Control<QLineEdit>("URLEdit"), QStringLiteral("changed"));
    QCOMPARE(ModifiedPanelText(*FForm), QStringLiteral("Modified"));

    const QString target = saveAs ? folder + QStringLiteral("/Missing/New.webapp") : path;
    TMessageBox::setNextAnswer(QMessageBox::Ok);
    if (saveAs) {
        SaveAs(target);
    } else {
        QVERIFY(::chmod(QFile::encodeName(path).constData(), 0444) == 0);
        // Clicked, so the error travels the way every command's error does.
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
    // The new path shows although nothing was written there.
    QCOMPARE(FForm->FileName(), target);
    QCOMPARE(FForm->windowTitle(),
             QStringLiteral("Veldrane Lumivane - ") + QFileInfo(target).fileName());
    QVERIFY(FForm->isVisible());
    QVERIFY(ReadAll(path) == OldDocument);
    QVERIFY(!saveAs || !QFileInfo::exists(target));

    // Once the fault is gone, the same command saves what is on screen.
    if (saveAs)
        QVERIFY(QDir().mkpath(QFileInfo(target).path()));
    else
        QVERIFY(::chmod(QFile::encodeName(path).constData(), 0644) == 0);
    TMessageBox::clearShown();
    QTest::mouseClick(Control<QPushButton>("SaveButton"), Qt::LeftButton);
    QCOMPARE(TMessageBox::shown().size(), 0);
    QVERIFY(!FForm->Modified());
    QCOMPARE(LoadWebApp(target).URL, QByteArray("https://old.example/changed"));
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
    QTest::newRow("empty") << QStringLiteral("file") << QByteArray();
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
