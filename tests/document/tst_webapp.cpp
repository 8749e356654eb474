// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/webapp.h"
#include "support/testfiles.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QByteArray FullDocument("[Configuration]\r\n"
                              "Id={0D6E3B8A-5C1F-4E2B-9A7D-3F8C1B2E4D6A}\r\n"
                              "URL=https://example.com/app?x=1\r\n"
                              "Mimic=iphone\r\n"
                              "WindowStyle=3\r\n"
                              "WindowSize=1\r\n"
                              "WindowPosition=8\r\n"
                              "Width=1024\r\n"
                              "Height=700\r\n"
                              "Flip=1\r\n"
                              "StayOnTop=1\r\n"
                              "RememberLastPosition=0\r\n"
                              "RememberLastSize=0\r\n"
                              "ShowControlPanel=0\r\n");

TWebApp FullRecord()
{
    TWebApp webApp;
    webApp.Id = "{0D6E3B8A-5C1F-4E2B-9A7D-3F8C1B2E4D6A}";
    webApp.URL = "https://example.com/app?x=1";
    webApp.Mimic = "iphone";
    webApp.WindowStyle = 3;
    webApp.WindowSize = 1;
    webApp.WindowPosition = 8;
    webApp.Width = 1024;
    webApp.Height = 700;
    webApp.Flip = true;
    webApp.StayOnTop = true;
    return webApp;
}

TWebApp Defaults()
{
    TWebApp webApp;
    webApp.RememberLastPosition = true;
    webApp.RememberLastSize = true;
    webApp.ShowControlPanel = true;
    return webApp;
}

} // namespace

class TWebAppTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void codeTables();
    void missingOrEmptyLoadsDefaults_data();
    void missingOrEmptyLoadsDefaults();
    void loadValue_data();
    void loadValue();
    void loadCutsLongUrl();
    void saveNewFile();
    void saveUpdatesInPlace();
    void saveKeepsForeignByteOrderMarkAndLineEnds();
    void saveFollowsSymlink();
    void saveKeepsPermissions();

private:
    QString Path(const char *name) const { return FDir->filePath(QString::fromLatin1(name)); }
    std::unique_ptr<QTemporaryDir> FDir;
};

void TWebAppTest::init()
{
    FDir = std::make_unique<QTemporaryDir>();
    QVERIFY(FDir->isValid());
}

void TWebAppTest::codeTables()
{
    QCOMPARE(WindowStyleTexts().size(), 5);
    QCOMPARE(WindowSizeTexts().size(), 10);
    QCOMPARE(WindowPositionTexts().size(), 9);

    QVERIFY(!IsSizePreset(wsCustom));
    QVERIFY(IsSizePreset(wsFirstPreset));
    QVERIFY(IsSizePreset(wsLastPreset));
    QVERIFY(!IsSizePreset(wsLastPreset + 1));
    QVERIFY(!IsSizePreset(-1));

    // Presets whose list text names a size must have exactly that size: a shifted table shows.
    for (qint32 code = wsFirstPreset; code <= wsLastPreset; ++code) {
        const QString text = WindowSizeTexts().at(code);
        const TSizePreset size = SizePresets(code);
        QVERIFY2(size.Width > 0 && size.Height > 0, qPrintable(text));
        if (text.endsWith(u')')) {
            const QString named = QStringLiteral("(%1x%2)").arg(size.Width).arg(size.Height);
            QVERIFY2(text.endsWith(named), qPrintable(text));
        }
    }
    QCOMPARE(SizePresets(4).Width, 1024); // iPad, landscape
    QCOMPARE(SizePresets(4).Height, 768);
    QCOMPARE(SizePresets(2).Width, 480); // Windows Phone 7, portrait
    QCOMPARE(SizePresets(2).Height, 800);
}

void TWebAppTest::missingOrEmptyLoadsDefaults_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("other section only") << QByteArray("[Other]\r\nURL=x\r\nFlip=1\r\n");
    QTest::newRow("section without keys") << QByteArray("[Configuration]\r\n");
    QTest::newRow("binary junk") << QByteArray("\0\xff\x01[", 4);
}

void TWebAppTest::missingOrEmptyLoadsDefaults()
{
    QFETCH(QByteArray, text);
    const QString fileName = Path("a.webapp");
    QVERIFY(WriteAll(fileName, text));
    QCOMPARE(LoadWebApp(fileName), Defaults());

    QCOMPARE(LoadWebApp(Path("absent.webapp")), Defaults());
    QCOMPARE(LoadWebApp(FDir->path()), Defaults());
}

void TWebAppTest::loadValue_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<TWebApp>("expected");

    auto with = [](auto change) {
        TWebApp webApp = Defaults();
        change(webApp);
        return webApp;
    };
    QTest::newRow("full document") << FullDocument << FullRecord();
    QTest::newRow("flip true is not a number")
        << QByteArray("[Configuration]\nFlip=true\n") << Defaults();
    QTest::newRow("control panel no is not a number")
        << QByteArray("[Configuration]\nShowControlPanel=no\n") << Defaults();
    QTest::newRow("stay on top 2") << QByteArray("[Configuration]\nStayOnTop=2\n")
                                   << with([](TWebApp &w) { w.StayOnTop = true; });
    QTest::newRow("remember flags 0")
        << QByteArray("[Configuration]\nRememberLastPosition=0\nRememberLastSize=$0\n")
        << with([](TWebApp &w) { w.RememberLastPosition = w.RememberLastSize = false; });
    QTest::newRow("size 0x3") << QByteArray("[Configuration]\nWindowSize=0x3\n")
                              << with([](TWebApp &w) { w.WindowSize = 3; });
    QTest::newRow("size $3") << QByteArray("[Configuration]\nWindowSize=$3\n")
                             << with([](TWebApp &w) { w.WindowSize = 3; });
    QTest::newRow("width 12abc") << QByteArray("[Configuration]\nWidth=12abc\nHeight=5\n")
                                 << with([](TWebApp &w) { w.Height = 5; });
    QTest::newRow("width -5") << QByteArray("[Configuration]\nWidth=-5\n")
                              << with([](TWebApp &w) { w.Width = -5; });
    QTest::newRow("height out of range")
        << QByteArray("[Configuration]\nHeight=4294967296\n") << Defaults();
    QTest::newRow("codes out of range are kept")
        << QByteArray("[Configuration]\nWindowStyle=7\nWindowPosition=-1\nWindowSize=10\n")
        << with([](TWebApp &w) {
               w.WindowStyle = 7;
               w.WindowPosition = -1;
               w.WindowSize = 10;
           });
    QTest::newRow("lower-case names")
        << QByteArray("[configuration]\nurl=http://a/\nmimic=IPad\n") << with([](TWebApp &w) {
               w.URL = "http://a/";
               w.Mimic = "IPad";
           });
    QTest::newRow("quoted and blank-padded texts")
        << QByteArray("[Configuration]\nURL = \"http://a/ b\" \nId=' x '\n")
        << with([](TWebApp &w) {
               w.URL = "http://a/ b";
               w.Id = " x ";
           });
    QTest::newRow("8-bit text kept as bytes")
        << QByteArray("[Configuration]\nURL=http://a/\xe9\xfc\n")
        << with([](TWebApp &w) { w.URL = "http://a/\xe9\xfc"; });
    QTest::newRow("lf line ends and byte-order mark")
        << QByteArray("\xEF\xBB\xBF[Configuration]\nWidth=300\nHeight=500\nFlip=1\n")
        << with([](TWebApp &w) {
               w.Width = 300;
               w.Height = 500;
               w.Flip = true;
           });
}

void TWebAppTest::loadValue()
{
    QFETCH(QByteArray, text);
    QFETCH(TWebApp, expected);
    const QString fileName = Path("a.webapp");
    QVERIFY(WriteAll(fileName, text));
    const TWebApp loaded = LoadWebApp(fileName);
    QCOMPARE(loaded.Id, expected.Id);
    QCOMPARE(loaded.URL, expected.URL);
    QCOMPARE(loaded.Mimic, expected.Mimic);
    QCOMPARE(loaded, expected);
}

void TWebAppTest::loadCutsLongUrl()
{
    const QByteArray url = "http://a/" + QByteArray(2991, 'x');
    QVERIFY(WriteAll(Path("a.webapp"), "[Configuration]\r\nURL=" + url + "\r\nWidth=7\r\n"));
    const TWebApp loaded = LoadWebApp(Path("a.webapp"));
    QCOMPARE(loaded.URL, url.first(2047));
    QCOMPARE(loaded.Width, 7);
}

void TWebAppTest::saveNewFile()
{
    const QString fileName = Path("new.webapp");
    SaveWebApp(fileName, FullRecord());
    QCOMPARE(ReadAll(fileName), FullDocument);
    QCOMPARE(LoadWebApp(fileName), FullRecord());

    // A second save of the same record changes nothing; a changed record reads back as saved.
    SaveWebApp(fileName, FullRecord());
    QCOMPARE(ReadAll(fileName), FullDocument);
    TWebApp changed = Defaults();
    changed.Width = -2147483647 - 1;
    changed.Mimic = "Default";
    SaveWebApp(fileName, changed);
    QCOMPARE(LoadWebApp(fileName), changed);
}

void TWebAppTest::saveUpdatesInPlace()
{
    const QString fileName = Path("a.webapp");
    QVERIFY(WriteAll(fileName, "; made by hand\n"
                               "[Other]\n"
                               "URL=keep me\n"
                               "\n"
                               "[configuration]\n"
                               "width = 1\n"
                               "Extra=stays\n"
                               "URL=old\n"
                               "; trailing comment\n"
                               "\n"
                               "[Last]\n"
                               "Z=1\n"));
    SaveWebApp(fileName, FullRecord());
    QCOMPARE(ReadAll(fileName), QByteArray("; made by hand\n"
                                           "[Other]\n"
                                           "URL=keep me\n"
                                           "\n"
                                           "[configuration]\n"
                                           "width = 1024\n"
                                           "Extra=stays\n"
                                           "URL=https://example.com/app?x=1\n"
                                           "; trailing comment\n"
                                           "Id={0D6E3B8A-5C1F-4E2B-9A7D-3F8C1B2E4D6A}\n"
                                           "Mimic=iphone\n"
                                           "WindowStyle=3\n"
                                           "WindowSize=1\n"
                                           "WindowPosition=8\n"
                                           "Height=700\n"
                                           "Flip=1\n"
                                           "StayOnTop=1\n"
                                           "RememberLastPosition=0\n"
                                           "RememberLastSize=0\n"
                                           "ShowControlPanel=0\n"
                                           "\n"
                                           "[Last]\n"
                                           "Z=1\n"));
    QCOMPARE(LoadWebApp(fileName), FullRecord());
}

void TWebAppTest::saveKeepsForeignByteOrderMarkAndLineEnds()
{
    const QString fileName = Path("a.webapp");
    QVERIFY(WriteAll(fileName, "\xEF\xBB\xBF[Other]\nA=1"));
    SaveWebApp(fileName, FullRecord());
    QByteArray expected = FullDocument;
    expected.replace("\r\n", "\n");
    QCOMPARE(ReadAll(fileName), "\xEF\xBB\xBF[Other]\nA=1\n" + expected);
}

void TWebAppTest::saveFollowsSymlink()
{
    QVERIFY(QDir(FDir->path()).mkdir(QStringLiteral("real")));
    const QString target = Path("real/a.webapp");
    const QString link = Path("link.webapp");
    QVERIFY(WriteAll(target, "[Configuration]\r\nExtra=1\r\n"));
    // Relative, as links made by hand usually are: it resolves from the link's folder.
    QVERIFY(QFile::link(QStringLiteral("real/a.webapp"), link));

    SaveWebApp(link, FullRecord());
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(QFileInfo(link).symLinkTarget(), target);
    QCOMPARE(LoadWebApp(target), FullRecord());
    QVERIFY(ReadAll(target).startsWith("[Configuration]\r\nExtra=1\r\nId="));
}

void TWebAppTest::saveKeepsPermissions()
{
    const QString fileName = Path("a.webapp");
    QVERIFY(WriteAll(fileName, "[Configuration]\r\n"));
    const auto permissions = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
    QVERIFY(QFile::setPermissions(fileName, permissions));
    SaveWebApp(fileName, FullRecord());
    QCOMPARE(LoadWebApp(fileName), FullRecord());
    QCOMPARE(QFile::permissions(fileName) & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser),
             permissions);
}

QTEST_GUILESS_MAIN(TWebAppTest)
#include "tst_webapp.moc"
