// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/shellhelpers.h"
#include "support/homesandbox.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QLabel>
#include <QtTest>

// The platform services every window and file dialog relies on.
class TShellHelpersTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void desktopFolderAsTheDesktopNamesIt();
    void specialFolders_data();
    void specialFolders();
    void iconFontReplacesTheDesignFont();
    void shellOpenGoesThroughTheOpener();

private:
    THomeSandbox FHome;
};

void TShellHelpersTest::initTestCase()
{
    QVERIFY(FHome.IsValid());
    // Qt's test mode would hide the desktop's folder record; the home of this test is its own.
    // The desktop's own record of the user's folders, with the trailing separator people write.
    const QString config = FHome.FilePath(QStringLiteral(".config"));
    QVERIFY(QDir().mkpath(config));
    QVERIFY(QDir().mkpath(FHome.Path() + QStringLiteral("/Schreibtisch")));
    QFile dirs(config + QStringLiteral("/user-dirs.dirs"));
    QVERIFY(dirs.open(QIODevice::WriteOnly));
    dirs.write("XDG_DESKTOP_DIR=\"$HOME/Schreibtisch/\"\nXDG_DOCUMENTS_DIR=\"$HOME/Papiere\"\n");
}

void TShellHelpersTest::desktopFolderAsTheDesktopNamesIt()
{
    QCOMPARE(GetDesktopFolder(),
             QDir::toNativeSeparators(FHome.Path() + QStringLiteral("/Schreibtisch")));
    QCOMPARE(GetSpecialFolder(CSIDL_DESKTOPDIRECTORY), GetDesktopFolder());
    QCOMPARE(GetSpecialFolder(CSIDL_PERSONAL),
             QDir::toNativeSeparators(FHome.Path() + QStringLiteral("/Papiere")));
}

void TShellHelpersTest::specialFolders_data()
{
    QTest::addColumn<int>("csidl");
    QTest::addColumn<bool>("known");
    QTest::newRow("application data") << int(CSIDL_APPDATA) << true;
    QTest::newRow("local application data") << int(CSIDL_LOCAL_APPDATA) << true;
    QTest::newRow("desktop") << int(CSIDL_DESKTOPDIRECTORY) << true;
    QTest::newRow("documents") << int(CSIDL_PERSONAL) << true;
    QTest::newRow("unknown") << 9999 << false;
    QTest::newRow("negative") << -1 << false;
}

void TShellHelpersTest::specialFolders()
{
    QFETCH(int, csidl);
    QFETCH(bool, known);
    const QString folder = GetSpecialFolder(csidl);
    QCOMPARE(!folder.isEmpty(), known);
    if (known) {
        QVERIFY(QDir::isAbsolutePath(folder));
        QVERIFY2(!folder.endsWith(QDir::separator()), qPrintable(folder));
        // Everything the program keeps is below the user's home in this test.
        QVERIFY2(QDir::fromNativeSeparators(folder).startsWith(FHome.Path()), qPrintable(folder));
    }
}

void TShellHelpersTest::iconFontReplacesTheDesignFont()
{
    QWidget window;
    window.setFont(QFont(QStringLiteral("Tahoma"), 8)); // the font the window is designed with
    auto *follower = new QLabel(QStringLiteral("follows"), &window);
    auto *own = new QLabel(QStringLiteral("own"), &window);
    QFont ownFont(QStringLiteral("Serif"), 20, QFont::Bold);
    own->setFont(ownFont);

    QFont font = window.font();
    SetSystemIconFont(font);
    window.setFont(font);

    QFont defaultGui;
    GetDefaultGUIFont(defaultGui);
    const QFont expected = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family().isEmpty()
                               ? defaultGui
                               : QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    QCOMPARE(window.font().family(), expected.family());
    QCOMPARE(window.font().pointSizeF(), expected.pointSizeF());
    QVERIFY(window.font().family() != QStringLiteral("Tahoma") || window.font().pointSize() != 8);
    QCOMPARE(follower->font(), window.font());
    QCOMPARE(own->font().pointSize(), 20);
    QVERIFY(own->font().bold());
}

void TShellHelpersTest::shellOpenGoesThroughTheOpener()
{
    QList<QUrl> opened;
    SetShellOpener([&](const QUrl &url) { opened.append(url); });
    ShellOpen(QUrl(QStringLiteral("https://example.org/")));
    ShellOpen(QUrl(QStringLiteral("mailto:someone@example.org")));
    SetShellOpener({});
    QCOMPARE(opened, (QList<QUrl>{QUrl(QStringLiteral("https://example.org/")),
                                  QUrl(QStringLiteral("mailto:someone@example.org"))}));
}

QTEST_MAIN(TShellHelpersTest)
#include "tst_shellhelpers.moc"
