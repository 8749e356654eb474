// SPDX-License-Identifier: GPL-3.0-or-later
// Saving under faults: whatever goes wrong, the document on disk is byte for byte either the old
// one or the new one, and a failed save says "Unable to write to <path>".
//
// Permission cases run the save in a child process as the user "nobody" when the test runs as
// root (root ignores permission bits); the full file system is a tiny tmpfs mounted in a private
// mount namespace; a file size limit injects a write failure wherever mounting is not allowed.

#include "document/lumivaneerror.h"
#include "document/profilefile.h"
#include "document/webapp.h"
#include "faultrecords.h"
#include "support/program.h"
#include "support/testfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <csignal>
#include <fcntl.h>
#include <grp.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr uid_t NobodyId = 65534;

// The helper program that saves in a child process; see initTestCase.
QString SaveHelper = QStringLiteral(LUMIVANE_SAVE_HELPER);

enum class TRunAs {
    Me,        // in this process
    Nobody,    // a child process as an unprivileged user
    SmallFile, // a child process whose files may not grow past 64 bytes
};

enum class TExpect {
    Failure,  // the save must fail and leave the old document
    OldOrNew, // either outcome, as long as the document is wholly one of the two
    Success,  // the save must succeed
};

struct TOutcome
{
    bool Failed = false;
    QString Message;
};

QStringList FilesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
}

TOutcome Save(const QString &fileName, const TWebApp &webApp, TRunAs runAs)
{
    TOutcome outcome;
    if (runAs == TRunAs::Me || (runAs == TRunAs::Nobody && !IsRoot())) {
        try {
            SaveWebApp(fileName, webApp);
        } catch (const TLumivaneError &error) {
            outcome = {true, error.message()};
        }
        return outcome;
    }

    QProcess child;
    child.setProgram(SaveHelper);
    child.setArguments({QStringLiteral("save"), fileName,
                        webApp == RecordB() ? QStringLiteral("b") : QStringLiteral("a")});
    child.setChildProcessModifier([runAs] {
        // Runs in the child between fork and exec: async-signal-safe calls only.
        if (runAs == TRunAs::Nobody) {
            if (::setgroups(0, nullptr) != 0 || ::setgid(NobodyId) != 0 || ::setuid(NobodyId) != 0)
                ::_exit(5);
        } else {
            ::signal(SIGXFSZ, SIG_IGN); // a write past the limit fails with EFBIG instead
            const rlimit limit{64, 64};
            if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
                ::_exit(5);
        }
    });
    if (!RunToEnd(child) || child.exitStatus() != QProcess::NormalExit ||
        (child.exitCode() != 0 && child.exitCode() != 3)) {
        outcome.Message =
            QStringLiteral("helper did not end normally: exit %1, %2 %3")
                .arg(child.exitCode())
                .arg(child.errorString(), QString::fromLocal8Bit(child.readAllStandardError()));
        outcome.Failed = true;
        return outcome;
    }
    outcome.Failed = child.exitCode() == 3;
    outcome.Message = QString::fromLocal8Bit(child.readAllStandardError());
    return outcome;
}

// The bytes SaveWebApp makes of an old document: computed on a scratch copy.
QByteArray SavedOver(const QByteArray &old, const TWebApp &webApp, const QString &scratch)
{
    QFile::remove(scratch);
    if (!old.isNull() && !WriteAll(scratch, old))
        return "<scratch unwritable>";
    SaveWebApp(scratch, webApp);
    return ReadAll(scratch);
}

} // namespace

Q_DECLARE_METATYPE(TRunAs)
Q_DECLARE_METATYPE(TExpect)

class TSaveFaultsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void failureKeepsOldDocument_data();
    void failureKeepsOldDocument();
    void saveKeepsOwner();
    void killedWhileSaving();
    void cleanupTestCase();

private:
    QString Path(const QString &name) const { return FDir.filePath(name); }
    bool MakeFolder(const QString &name, uid_t owner, mode_t mode) const;
    QString MountFullFileSystem();

    QTemporaryDir FDir;
    QString FMountError; // why no tmpfs could be mounted, or empty
    bool FMounted = false;
};

void TSaveFaultsTest::initTestCase()
{
    QVERIFY(FDir.isValid());
    // The unprivileged child must be able to reach its folders.
    QVERIFY(::chmod(QFile::encodeName(FDir.path()).constData(), 0755) == 0);
    // So must the helper: a build tree in root's home (mode 700) is closed to it.
    if (IsRoot()) {
        const QString helper = Path(QStringLiteral("savehelper"));
        QVERIFY(QFile::copy(SaveHelper, helper));
        SaveHelper = helper;
    }

    // A private mount namespace for this thread's process tree: the tmpfs disappears with the
    // test, whatever happens to it.
    if (::unshare(CLONE_NEWNS) != 0)
        FMountError =
            QStringLiteral("unshare(CLONE_NEWNS): ") + QString::fromLocal8Bit(strerror(errno));
    else if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        FMountError =
            QStringLiteral("making / private: ") + QString::fromLocal8Bit(strerror(errno));
}

bool TSaveFaultsTest::MakeFolder(const QString &name, uid_t owner, mode_t mode) const
{
    const QByteArray path = QFile::encodeName(Path(name));
    return QDir(FDir.path()).mkpath(name) &&
           (!IsRoot() || ::chown(path.constData(), owner, owner) == 0) &&
           ::chmod(path.constData(), mode) == 0;
}

// Mounts a 64 KiB tmpfs at "full" and fills it to the last byte but the old document's.
QString TSaveFaultsTest::MountFullFileSystem()
{
    if (!FMountError.isEmpty())
        return FMountError;
    const QByteArray mountPoint = QFile::encodeName(Path(QStringLiteral("full")));
    if (!FMounted) {
        if (!QDir(FDir.path()).mkpath(QStringLiteral("full")))
            return QStringLiteral("no mount point");
        if (::mount("tmpfs", mountPoint.constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                    "size=64k,mode=0755") != 0)
            return QStringLiteral("mount tmpfs: ") + QString::fromLocal8Bit(strerror(errno));
        FMounted = true;
    }
    return {};
}

void TSaveFaultsTest::failureKeepsOldDocument_data()
{
    QTest::addColumn<QString>("scene");
    QTest::addColumn<TRunAs>("runAs");
    QTest::addColumn<TExpect>("expect");

    QTest::newRow("read-only file, unprivileged")
        << QStringLiteral("read-only file") << TRunAs::Nobody << TExpect::Failure;
    QTest::newRow("read-only file, privileged")
        << QStringLiteral("read-only file") << TRunAs::Me << TExpect::Failure;
    QTest::newRow("read-only target of a link")
        << QStringLiteral("read-only target") << TRunAs::Me << TExpect::Failure;
    QTest::newRow("folder without write permission, existing file")
        << QStringLiteral("locked folder") << TRunAs::Nobody << TExpect::OldOrNew;
    QTest::newRow("folder without write permission, new file")
        << QStringLiteral("locked folder, new file") << TRunAs::Nobody << TExpect::Failure;
    QTest::newRow("missing folder, unprivileged")
        << QStringLiteral("missing folder") << TRunAs::Nobody << TExpect::Failure;
    QTest::newRow("full file system")
        << QStringLiteral("full file system") << TRunAs::Me << TExpect::Failure;
    QTest::newRow("file size limit")
        << QStringLiteral("plain") << TRunAs::SmallFile << TExpect::Failure;
    QTest::newRow("unreadable file, unprivileged")
        << QStringLiteral("unreadable file") << TRunAs::Nobody << TExpect::Failure;
    QTest::newRow("a folder in the file's place")
        << QStringLiteral("directory") << TRunAs::Me << TExpect::Failure;
    QTest::newRow("old file over the size bound")
        << QStringLiteral("oversized") << TRunAs::Me << TExpect::Failure;
    QTest::newRow("empty name") << QStringLiteral("empty name") << TRunAs::Me << TExpect::Failure;
    QTest::newRow("writable file, unprivileged")
        << QStringLiteral("plain") << TRunAs::Nobody << TExpect::Success;
}

void TSaveFaultsTest::failureKeepsOldDocument()
{
    QFETCH(QString, scene);
    QFETCH(TRunAs, runAs);
    QFETCH(TExpect, expect);
    if (runAs == TRunAs::Nobody && !IsRoot())
        qInfo("not root: running as the current user, whose permissions apply already");

    // Every scene gets its own folder, owned by the user who saves.
    static int sceneNumber = 0;
    const QString folderName = QStringLiteral("scene%1").arg(++sceneNumber);
    const uid_t saver = runAs == TRunAs::Nobody ? NobodyId : ::geteuid();
    QVERIFY(MakeFolder(folderName, saver, 0755));
    QString folder = Path(folderName);
    QString fileName = folder + QStringLiteral("/app.webapp");
    QByteArray old = ForeignDocument();
    mode_t fileMode = 0644;

    if (scene == u"read-only file") {
        fileMode = 0444;
    } else if (scene == u"read-only target") {
        QVERIFY(WriteAll(folder + QStringLiteral("/target.webapp"), old));
        QVERIFY(::chmod(QFile::encodeName(folder + QStringLiteral("/target.webapp")), 0444) == 0);
        fileName = folder + QStringLiteral("/link.webapp");
        QVERIFY(QFile::link(QStringLiteral("target.webapp"), fileName));
    } else if (scene == u"locked folder" || scene == u"locked folder, new file") {
        if (scene == u"locked folder, new file")
            old = QByteArray();
    } else if (scene == u"missing folder") {
        fileName = folder + QStringLiteral("/missing/app.webapp");
        old = QByteArray();
    } else if (scene == u"full file system") {
        const QString error = MountFullFileSystem();
        if (!error.isEmpty())
            QSKIP(qPrintable(QStringLiteral("no tmpfs here (%1); the file size limit row injects "
                                            "the same write failure")
                                 .arg(error)));
        folder = Path(QStringLiteral("full"));
        fileName = folder + QStringLiteral("/app.webapp");
    } else if (scene == u"unreadable file") {
        fileMode = 0200;
    } else if (scene == u"directory") {
        fileName = folder;
        old = QByteArray();
    } else if (scene == u"oversized") {
        // The reader takes no more than the bound: a save would drop the rest.
        old += QByteArray(TProfileFile::MaxFileSize, ';');
    } else if (scene == u"empty name") {
        fileName.clear();
        old = QByteArray();
    }

    if (!old.isNull() && scene != u"read-only target") {
        QVERIFY(WriteAll(fileName, old));
        if (IsRoot())
            QVERIFY(::chown(QFile::encodeName(fileName).constData(), saver, saver) == 0);
        QVERIFY(::chmod(QFile::encodeName(fileName).constData(), fileMode) == 0);
    }
    if (scene.startsWith(u"locked folder"))
        QVERIFY(::chmod(QFile::encodeName(folder).constData(), 0555) == 0);
    if (scene == u"full file system") {
        // Fill what is left, so that not one more block can be had.
        QFile filler(folder + QStringLiteral("/filler"));
        QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray block(4096, 'x');
        while (filler.write(block) > 0) {
        }
        filler.close();
        QFile probe(folder + QStringLiteral("/probe"));
        QVERIFY(probe.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        QCOMPARE(probe.write(block), qint64(-1));
        probe.close();
        QVERIFY(probe.remove());
    }
    const QStringList filesBefore = FilesIn(folder);

    const TOutcome outcome = Save(fileName, RecordB(), runAs);

    const QString readBack = QFileInfo(fileName).canonicalFilePath();
    const QByteArray now = QFileInfo::exists(fileName)
                               ? ReadAll(readBack.isEmpty() ? fileName : readBack)
                               : QByteArray();
    if (outcome.Failed) {
        QVERIFY2(expect != TExpect::Success, qPrintable(outcome.Message));
        QCOMPARE(outcome.Message, QStringLiteral("Unable to write to ") + fileName);
        if (old.isNull())
            QVERIFY(!QFileInfo(fileName).isFile());
        else
            QVERIFY(now == old);
        // A failed save leaves nothing behind, not even a temporary file.
        QCOMPARE(FilesIn(folder), filesBefore);
    } else {
        QVERIFY2(expect != TExpect::Failure, "the save did not fail");
        QVERIFY(now == SavedOver(old, RecordB(), Path(QStringLiteral("expected"))));
        QCOMPARE(LoadWebApp(fileName), RecordB());
        if (scene == u"read-only target")
            QVERIFY(QFileInfo(fileName).isSymLink());
    }
    if (expect == TExpect::OldOrNew)
        qInfo("outcome: %s", outcome.Failed ? "refused, old document kept" : "saved in place");

    if (scene.startsWith(u"locked folder"))
        QVERIFY(::chmod(QFile::encodeName(folder).constData(), 0755) == 0);
    if (scene == u"full file system")
        QVERIFY(QFile::remove(folder + QStringLiteral("/filler")));
}

// Saving someone else's document (as root, or as a member of its group) must not take it over:
// the replacement file gets the old one's owner and group.
void TSaveFaultsTest::saveKeepsOwner()
{
    if (!IsRoot())
        QSKIP("only root can give a file to another user");
    QVERIFY(MakeFolder(QStringLiteral("owned"), NobodyId, 0755));
    const QString fileName = Path(QStringLiteral("owned/app.webapp"));
    QVERIFY(WriteAll(fileName, ForeignDocument()));
    QVERIFY(::chown(QFile::encodeName(fileName).constData(), NobodyId, NobodyId) == 0);

    SaveWebApp(fileName, RecordA());
    QCOMPARE(LoadWebApp(fileName), RecordA());
    QCOMPARE(QFileInfo(fileName).ownerId(), uint(NobodyId));
    QCOMPARE(QFileInfo(fileName).groupId(), uint(NobodyId));
    // And so the owner can still save it.
    QCOMPARE(Save(fileName, RecordB(), TRunAs::Nobody).Message, QString());
    QCOMPARE(LoadWebApp(fileName), RecordB());
}

// A process killed at random moments while it saves in a loop: afterwards the document is always
// wholly the one or the other record's, byte for byte, and reads back as that record.
void TSaveFaultsTest::killedWhileSaving()
{
    QVERIFY(MakeFolder(QStringLiteral("killed"), ::geteuid(), 0755));
    const QString fileName = Path(QStringLiteral("killed/app.webapp"));
    const QString scratch = Path(QStringLiteral("scratch.webapp"));
    const QByteArray docA = SavedOver(ForeignDocument(), RecordA(), scratch);
    const QByteArray docB = SavedOver(docA, RecordB(), scratch);
    // Saving alternately moves between exactly these two texts.
    QVERIFY(SavedOver(docB, RecordA(), scratch) == docA);
    QVERIFY(docA != docB);
    QVERIFY(WriteAll(fileName, docA));

    const quint32 seed = QRandomGenerator::global()->generate();
    qInfo("random seed %u", seed);
    QRandomGenerator random(seed);
    const int rounds = 150;
    int endedA = 0, endedB = 0;
    qint64 saves = 0;
    for (int round = 0; round < rounds; ++round) {
        QProcess child;
        child.start(SaveHelper, {QStringLiteral("loop"), fileName});
        QVERIFY(child.waitForStarted(TTimeout::Event));
        const pid_t pid = pid_t(child.processId());
        QVERIFY(pid > 1);
        // Past start-up, into the saving, then a random moment up to 30 ms later.
        QVERIFY2(child.waitForReadyRead(TTimeout::Program), "the helper saved nothing");
        QThread::usleep(random.bounded(30000));
        QCOMPARE(child.state(), QProcess::Running);
        QVERIFY(::kill(pid, SIGKILL) == 0);
        QVERIFY(child.waitForFinished(TTimeout::Event));
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);
        saves += child.readAllStandardOutput().count('\n');

        const QByteArray now = ReadAll(fileName);
        QVERIFY2(now == docA || now == docB,
                 qPrintable(QStringLiteral("round %1: a document that is neither: %2 bytes")
                                .arg(round)
                                .arg(now.size())));
        const TWebApp loaded = LoadWebApp(fileName);
        QVERIFY(loaded == (now == docA ? RecordA() : RecordB()));
        ++(now == docA ? endedA : endedB);
    }
    const int leftovers = int(FilesIn(Path(QStringLiteral("killed"))).size()) - 1;
    qInfo("%d kills after %lld completed saves: %d ended as A, %d as B; %d temporary files left",
          rounds, saves, endedA, endedB, leftovers);
    // The kills landed among the saves, not before them.
    QVERIFY(saves >= rounds);
    QVERIFY(endedA > 0 && endedB > 0);
}

void TSaveFaultsTest::cleanupTestCase()
{
    // The folder can only be removed once nothing is mounted on it.
    if (FMounted)
        QVERIFY(::umount2(QFile::encodeName(Path(QStringLiteral("full"))).constData(),
                          MNT_DETACH) == 0);
}

QTEST_GUILESS_MAIN(TSaveFaultsTest)
#include "tst_savefaults.moc"
