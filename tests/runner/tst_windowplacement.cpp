// SPDX-License-Identifier: GPL-3.0-or-later
#include "runner/settingsstore.h"
#include "runner/windowgeometry.h"
#include "runner/windowplacement.h"
#include "support/settingssandbox.h"

#include <QTemporaryDir>
#include <QtTest>
#include <climits>
#ifdef Q_OS_LINUX
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>
#endif

// Where a web app window goes: the position table, the size rules, and the placement kept
// between runs.
class TWindowPlacementTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void positionTable_data();
    void positionTable();
    void sizeRules_data();
    void sizeRules();
    void clientSizeWithinTheWindowSystemsLimits();
    void outerSizeCappedByTheDesktop();
    void saveWritesWhatTheFlagsSelect_data();
    void saveWritesWhatTheFlagsSelect();
    void restoreKeepsWhatIsMissingOrUnreadable_data();
    void restoreKeepsWhatIsMissingOrUnreadable();
    void restoreNeverLeavesTheWindowOffEveryScreen();
    void emptyIdSharesOneGroup();
    void storeOnAFullDisk_data();
    void storeOnAFullDisk();
    void changesAreReadBackAtOnce();

private:
    static QSettings Store() { return TSettingsSandbox::Store(); }
    TSettingsSandbox FSettings;
};

namespace {
const QRect Screen1080(0, 0, 1920, 1080);

TWebApp Flags(bool position, bool size, const QByteArray &id = "{TEST}")
{
    TWebApp webApp;
    webApp.Id = id;
    webApp.RememberLastPosition = position;
    webApp.RememberLastSize = size;
    return webApp;
}
} // namespace

void TWindowPlacementTest::initTestCase()
{
    QVERIFY(FSettings.IsValid());
}

void TWindowPlacementTest::init()
{
    TSettingsSandbox::Clear();
}

void TWindowPlacementTest::positionTable_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<QSize>("window");
    QTest::addColumn<QPoint>("expected");

    const QSize screen(1920, 1080);
    const QSize window(1024, 700);
    QTest::newRow("Center") << 0 << screen << window << QPoint(448, 190);
    QTest::newRow("Top-Left") << 1 << screen << window << QPoint(0, 0);
    QTest::newRow("Top-Center") << 2 << screen << window << QPoint(448, 0);
    QTest::newRow("Top-Right") << 3 << screen << window << QPoint(896, 0);
    QTest::newRow("Center-Left") << 4 << screen << window << QPoint(0, 190);
    QTest::newRow("Center-Right") << 5 << screen << window << QPoint(896, 190);
    QTest::newRow("Bottom-Left") << 6 << screen << window << QPoint(0, 380);
    QTest::newRow("Bottom-Center") << 7 << screen << window << QPoint(448, 380);
    QTest::newRow("Bottom-Right") << 8 << screen << window << QPoint(896, 380);
    QTest::newRow("9 is Center") << 9 << screen << window << QPoint(448, 190);
    QTest::newRow("-1 is Center") << -1 << screen << window << QPoint(448, 190);
    QTest::newRow("larger than the screen")
        << 0 << QSize(1024, 768) << QSize(1280, 720) << QPoint(-128, 24);
    // Halves round toward zero, also below zero: -5 / 2 is -2, not -3.
    QTest::newRow("odd, positive") << 0 << QSize(101, 11) << QSize(10, 10) << QPoint(45, 0);
    QTest::newRow("odd, negative") << 0 << QSize(100, 10) << QSize(105, 13) << QPoint(-2, -1);
    QTest::newRow("larger, Bottom-Right")
        << 8 << QSize(1024, 768) << QSize(1280, 800) << QPoint(-256, -32);
    QTest::newRow("absurd width") << 0 << screen << QSize(INT_MAX, INT_MIN)
                                  << QPoint(-MaxWindowExtent, MaxWindowExtent);
}

void TWindowPlacementTest::positionTable()
{
    QFETCH(int, code);
    QFETCH(QSize, screen);
    QFETCH(QSize, window);
    QFETCH(QPoint, expected);
    QCOMPARE(WindowPositionFor(code, screen, window), expected);
}

void TWindowPlacementTest::sizeRules_data()
{
    QTest::addColumn<int>("windowSize");
    QTest::addColumn<bool>("flip");
    QTest::addColumn<QSize>("custom");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QSize>("size");

    const QSize custom(300, 500); // read for custom sizes only
    QTest::newRow("full screen") << 0 << true << custom << int(TSizeRule::Maximised) << QSize();
    QTest::newRow("custom, flip ignored")
        << 1 << true << custom << int(TSizeRule::Outer) << QSize(300, 500);
    QTest::newRow("custom 100 x 100")
        << 1 << false << QSize(100, 100) << int(TSizeRule::Outer) << QSize(100, 100);
    // No size in the document, or a sliver: the design size, as for an unknown size code.
    QTest::newRow("custom 0 x 0") << 1 << false << QSize(0, 0) << int(TSizeRule::Design) << QSize();
    QTest::newRow("custom 99 wide")
        << 1 << false << QSize(99, 500) << int(TSizeRule::Design) << QSize();
    QTest::newRow("custom 99 high")
        << 1 << false << QSize(500, 99) << int(TSizeRule::Design) << QSize();
    QTest::newRow("custom negative")
        << 1 << false << QSize(-640, 480) << int(TSizeRule::Design) << QSize();
    QTest::newRow("Windows Phone 7")
        << 2 << false << custom << int(TSizeRule::Outer) << QSize(480, 800);
    QTest::newRow("iPhone flipped")
        << 3 << true << custom << int(TSizeRule::Outer) << QSize(480, 320);
    QTest::newRow("iPad flipped") << 4 << true << custom << int(TSizeRule::Outer)
                                  << QSize(768, 1024);
    QTest::newRow("HD") << 9 << false << custom << int(TSizeRule::Outer) << QSize(1920, 1080);
    QTest::newRow("10") << 10 << false << custom << int(TSizeRule::Design) << QSize();
    QTest::newRow("-1") << -1 << true << custom << int(TSizeRule::Design) << QSize();
}

void TWindowPlacementTest::sizeRules()
{
    QFETCH(int, windowSize);
    QFETCH(bool, flip);
    QFETCH(QSize, custom);
    QFETCH(int, kind);
    QFETCH(QSize, size);
    TWebApp webApp;
    webApp.WindowSize = windowSize;
    webApp.Flip = flip;
    webApp.Width = custom.width();
    webApp.Height = custom.height();
    const TSizeRule rule = SizeRuleFor(webApp);
    QCOMPARE(int(rule.Kind), kind);
    if (kind == TSizeRule::Outer)
        QCOMPARE(rule.Size, size);
}

void TWindowPlacementTest::clientSizeWithinTheWindowSystemsLimits()
{
    const QMargins frame(4, 30, 4, 4);
    QCOMPARE(ClientSizeFor(QSize(1024, 700), frame), QSize(1016, 666));
    QCOMPARE(ClientSizeFor(QSize(0, -5), frame), QSize(1, 1));
    QCOMPARE(ClientSizeFor(QSize(INT_MAX, INT_MIN), frame), QSize(MaxWindowExtent - 8, 1));
    QCOMPARE(ClientSizeFor(QSize(INT_MAX, INT_MAX), QMargins()),
             QSize(MaxWindowExtent, MaxWindowExtent));
}

void TWindowPlacementTest::outerSizeCappedByTheDesktop()
{
    // Presets larger than a small screen keep their size; absurd ones stop at twice the desktop.
    QCOMPARE(MaxOuterSizeFor(QSize(800, 800)), QSize(MinOuterCap, MinOuterCap));
    QCOMPARE(MaxOuterSizeFor(QSize(3840, 2160)), QSize(7680, 4320));
    QCOMPARE(MaxOuterSizeFor(QSize(INT_MAX, 0)), QSize(MaxWindowExtent, MinOuterCap));
    QVERIFY(QSize(1920, 1080).boundedTo(MaxOuterSizeFor(QSize(1024, 768))) == QSize(1920, 1080));
}

void TWindowPlacementTest::saveWritesWhatTheFlagsSelect_data()
{
    QTest::addColumn<bool>("position");
    QTest::addColumn<bool>("size");
    QTest::newRow("neither") << false << false;
    QTest::newRow("position") << true << false;
    QTest::newRow("size") << false << true;
    QTest::newRow("both") << true << true;
}

void TWindowPlacementTest::saveWritesWhatTheFlagsSelect()
{
    QFETCH(bool, position);
    QFETCH(bool, size);
    const TWebApp webApp = Flags(position, size);
    SaveWindowPlacement(webApp, QRect(100, 50, 640, 480));

    QSettings store = Store();
    store.beginGroup(QStringLiteral("WebApps/{TEST}"));
    QCOMPARE(store.contains(QStringLiteral("Left")), position);
    QCOMPARE(store.contains(QStringLiteral("Top")), position);
    QCOMPARE(store.contains(QStringLiteral("Width")), size);
    QCOMPARE(store.contains(QStringLiteral("Height")), size);
    if (position) {
        QCOMPARE(store.value(QStringLiteral("Left")).toInt(), 100);
        QCOMPARE(store.value(QStringLiteral("Top")).toInt(), 50);
    }
    if (size) {
        QCOMPARE(store.value(QStringLiteral("Width")).toInt(), 640);
        QCOMPARE(store.value(QStringLiteral("Height")).toInt(), 480);
    }
    store.endGroup();

    // The next run starts from what its record computes and gets back what was kept.
    const QRect computed(10, 20, 300, 200);
    const QRect restored = RestoreWindowPlacement(webApp, computed, {Screen1080});
    QCOMPARE(restored.topLeft(), position ? QPoint(100, 50) : computed.topLeft());
    QCOMPARE(restored.size(), size ? QSize(640, 480) : computed.size());
}

void TWindowPlacementTest::restoreKeepsWhatIsMissingOrUnreadable_data()
{
    QTest::addColumn<QVariant>("left");
    QTest::addColumn<QVariant>("width");
    QTest::addColumn<QVariant>("height");
    QTest::addColumn<QRect>("expected");

    const QVariant missing;
    const QRect computed(10, 20, 300, 200);
    QTest::newRow("nothing stored") << missing << missing << missing << computed;
    QTest::newRow("left only") << QVariant(-40) << missing << missing << QRect(-40, 20, 300, 200);
    QTest::newRow("width only") << missing << QVariant(800) << missing << QRect(10, 20, 800, 200);
    QTest::newRow("words") << QVariant(QStringLiteral("abc")) << QVariant(QStringLiteral("wide"))
                           << missing << computed;
    QTest::newRow("trailing characters")
        << QVariant(QStringLiteral("12abc")) << QVariant(QStringLiteral("640px")) << missing
        << computed;
    QTest::newRow("lists") << QVariant(QStringList{QStringLiteral("1"), QStringLiteral("2")})
                           << QVariant(QStringList{QStringLiteral("3")}) << missing << computed;
    QTest::newRow("100 x 100") << missing << QVariant(100) << QVariant(100)
                               << QRect(10, 20, 100, 100);
    // A sliver is no size to come back to: the size is kept as computed, both sides.
    QTest::newRow("zero width") << missing << QVariant(0) << QVariant(480) << computed;
    QTest::newRow("negative width") << missing << QVariant(-5) << missing << computed;
    QTest::newRow("99 high") << missing << QVariant(640) << QVariant(99) << computed;
    QTest::newRow("huge width") << missing << QVariant(INT_MAX) << missing
                                << QRect(10, 20, MaxWindowExtent, 200);
}

void TWindowPlacementTest::restoreKeepsWhatIsMissingOrUnreadable()
{
    QFETCH(QVariant, left);
    QFETCH(QVariant, width);
    QFETCH(QVariant, height);
    QFETCH(QRect, expected);
    {
        QSettings store = Store();
        store.beginGroup(QStringLiteral("WebApps/{TEST}"));
        if (left.isValid())
            store.setValue(QStringLiteral("Left"), left);
        if (width.isValid())
            store.setValue(QStringLiteral("Width"), width);
        if (height.isValid())
            store.setValue(QStringLiteral("Height"), height);
    }
    const QRect restored =
        RestoreWindowPlacement(Flags(true, true), QRect(10, 20, 300, 200), {Screen1080});
    QCOMPARE(restored, expected);
}

void TWindowPlacementTest::restoreNeverLeavesTheWindowOffEveryScreen()
{
    const TWebApp webApp = Flags(true, true);
    const QRect computed(10, 20, 300, 200);
    const QList<QRect> screens{Screen1080, QRect(1920, 0, 1280, 1024)};

    // On the second monitor: kept.
    SaveWindowPlacement(webApp, QRect(2500, 100, 640, 480));
    QCOMPARE(RestoreWindowPlacement(webApp, computed, screens), QRect(2500, 100, 640, 480));
    // That monitor has gone: the size is restored, the position is the computed one.
    QCOMPARE(RestoreWindowPlacement(webApp, computed, {Screen1080}), QRect(10, 20, 640, 480));
    // Partly off the screen is still reachable.
    SaveWindowPlacement(webApp, QRect(-600, -100, 640, 480));
    QCOMPARE(RestoreWindowPlacement(webApp, computed, {Screen1080}), QRect(-600, -100, 640, 480));
    // Absurd coordinates.
    QSettings store = Store();
    store.setValue(QStringLiteral("WebApps/{TEST}/Left"), INT_MIN);
    store.sync();
    QCOMPARE(RestoreWindowPlacement(webApp, computed, {Screen1080}), QRect(10, 20, 640, 480));
}

void TWindowPlacementTest::emptyIdSharesOneGroup()
{
    SaveWindowPlacement(Flags(true, false, {}), QRect(7, 8, 100, 100));
    QSettings store = Store();
    QCOMPARE(store.value(QStringLiteral("WebApps/Left")).toInt(), 7);
    QCOMPARE(store.value(QStringLiteral("WebApps/Top")).toInt(), 8);
    QCOMPARE(RestoreWindowPlacement(Flags(true, false, {}), QRect(0, 0, 50, 50), {Screen1080}),
             QRect(7, 8, 50, 50));
    // Another web app's group is its own.
    QCOMPARE(
        RestoreWindowPlacement(Flags(true, false, "{OTHER}"), QRect(0, 0, 50, 50), {Screen1080}),
        QRect(0, 0, 50, 50));
}

namespace {
// What must become of the store on a full disk: left as it was, saved, or either but whole.
enum TStoreOutcome { Kept, Saved, Whole };
} // namespace

void TWindowPlacementTest::storeOnAFullDisk_data()
{
    QTest::addColumn<qint64>("free");
    QTest::addColumn<int>("outcome");
    QTest::newRow("nothing free") << qint64(0) << int(Kept);
    QTest::newRow("4 KiB free") << qint64(4096) << int(Kept);
    for (const qint64 kib : {8, 12, 16, 20, 24})
        QTest::addRow("%lld KiB free", kib) << kib * 1024 << int(Whole);
    QTest::newRow("room enough") << qint64(-1) << int(Saved);
}

void TWindowPlacementTest::storeOnAFullDisk()
{
    QFETCH(qint64, free);
    QFETCH(int, outcome);
#ifndef Q_OS_LINUX
    QSKIP("needs a small file system of its own");
#else
    if (geteuid() != 0)
        QSKIP("mounting a small file system needs root");
    QTemporaryDir disk;
    const QByteArray mountPoint = QFile::encodeName(disk.path());
    if (mount("tmpfs", mountPoint.constData(), "tmpfs", MS_NOSUID | MS_NODEV | MS_NOEXEC,
              "size=256k") != 0)
        QSKIP("no tmpfs can be mounted here");
    const auto unmount = qScopeGuard([&] {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, FSettings.Path());
        umount2(mountPoint.constData(), MNT_DETACH);
    });
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, disk.path());
    const auto id = [](int i) { return QStringLiteral("{web app %1}").arg(i).toLatin1(); };
    constexpr int WebApps = 40; // about 5 KB of store
    for (int i = 0; i < WebApps; ++i)
        SaveWindowPlacement(Flags(true, true, id(i)), QRect(i, i, 300 + i, 200 + i));
    const QString fileName = Store().fileName();
    QFile file(fileName);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();
    QVERIFY(before.size() > 4096);

    if (free >= 0) {
        struct statvfs fs;
        QVERIFY(statvfs(mountPoint.constData(), &fs) == 0);
        QFile filler(disk.filePath(QStringLiteral("filler")));
        QVERIFY(filler.open(QIODevice::WriteOnly));
        QVERIFY(filler.write(QByteArray(qint64(fs.f_bavail * fs.f_frsize) - free, 'x')) >= 0);
        filler.close();
        QVERIFY(statvfs(mountPoint.constData(), &fs) == 0);
        QCOMPARE(qint64(fs.f_bavail * fs.f_frsize), free);
    }

    // A window closes: silently, whatever the disk does.
    SaveWindowPlacement(Flags(true, true, "{closing}"), QRect(5, 6, 700, 500));

    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray after = file.readAll();
    const bool saved = Store().value(QStringLiteral("WebApps/{closing}/Width")).toInt() == 700;
    if (outcome == Kept || !saved)
        QCOMPARE(after, before);
    if (outcome == Saved)
        QVERIFY(saved);
    for (int i = 0; i < WebApps; ++i)
        QCOMPARE(RestoreWindowPlacement(Flags(true, true, id(i)), QRect(), {Screen1080}),
                 QRect(i, i, 300 + i, 200 + i));
    // Nothing left behind beside the store.
    QCOMPARE(QDir(QFileInfo(fileName).absolutePath())
                 .entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QFileInfo(fileName).fileName()});
#endif
}

QTEST_MAIN(TWindowPlacementTest)
// The settings class tells a changed file by its size and time, to the millisecond; changes of
// one size come faster than the file system's clock moves on. A change leaves the store newer than
// it was all the same (here: than a store dated ahead of the clock), and is read back at once.
void TWindowPlacementTest::changesAreReadBackAtOnce()
{
    const QString zoom = QStringLiteral("Group/Zoom");
    QVERIFY(ChangeSettingsStore([&](QSettings &store) { store.setValue(zoom, 100); }));
    const QString path = OpenSettingsStore().fileName();
    const QDateTime ahead = QDateTime::currentDateTime().addSecs(60);
    {
        QFile store(path);
        QVERIFY(store.open(QIODevice::ReadOnly));
        QVERIFY(store.setFileTime(ahead, QFileDevice::FileModificationTime));
    }
    QCOMPARE(OpenSettingsStore().value(zoom).toInt(), 100);
    QVERIFY(ChangeSettingsStore([&](QSettings &store) { store.setValue(zoom, 110); }));
    QVERIFY(QFileInfo(path).lastModified() > ahead);
    QCOMPARE(OpenSettingsStore().value(zoom).toInt(), 110);
}

#include "tst_windowplacement.moc"
