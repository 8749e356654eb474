// SPDX-License-Identifier: GPL-3.0-or-later
// Hostile input for the runner: the built program is started with "/l" and a bad document (or a
// bad placement store) and must either end at once with exit code 0 or keep running; it must
// never crash. Where the document still names a URL of the test's own server, the request for it
// shows that the runner got through loading and applying the document.

#include "support/httptestserver.h"
#include "support/program.h"
#include "support/testfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <fcntl.h>
#include <linux/capability.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// How long a program that has no page to ask for is watched for a crash once it waits for its
// user (in its window or at an error box).
constexpr int SurvivalWatchMs = 3000;

QByteArray Document(const QByteArray &lines)
{
    return "[Configuration]\r\n" + lines;
}

// Whether the program's main thread waits in its event loop for something to happen.
bool WaitsForEvents(qint64 pid)
{
    QFile wchan(QStringLiteral("/proc/%1/wchan").arg(pid));
    return wchan.open(QIODevice::ReadOnly) && wchan.readAll().contains("poll");
}

// A sanitizer or a fatal Qt message leaves one of these on stderr.
bool HasCrashReport(const QByteArray &output)
{
    return output.contains("ERROR: AddressSanitizer") || output.contains("ERROR: LeakSanitizer") ||
           output.contains("runtime error:") || output.contains("QFATAL") ||
           output.contains("ASSERT failure");
}

} // namespace

class TRunnerBadInputTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void survivesDocument_data();
    void survivesDocument();
    void survivesPlacementStore_data();
    void survivesPlacementStore();
    void survivesUnreadableDocument();

private:
    struct TRun
    {
        bool Started = false;
        bool Ended = false;
        int ExitCode = 0;
        QProcess::ExitStatus Status = QProcess::NormalExit;
        QByteArray Output;
        bool Asked = false;
    };

    // Runs "/l path" until it ends, or until the server is asked for expectedPath, or (with no
    // page to ask for) until it has waited for its user for SurvivalWatchMs; then ends it.
    TRun Run(const QString &path, const QByteArray &expectedPath, const QString &configFolder,
             bool withoutFileOverride = false);
    void CheckSurvived(const TRun &run, const QByteArray &expectedPath);
    QString Path(const QString &name) const { return FDir.filePath(name); }

    // The origin of the server, which answers every path with a small page.
    QByteArray Origin() const { return FServer.Url(QByteArray()).toEncoded(); }
    // Whether the server was asked for a path (with its query) that starts with prefix.
    bool Asked(const QByteArray &prefix) const;

    QTemporaryDir FDir;
    THttpTestServer FServer;
};

void TRunnerBadInputTest::initTestCase()
{
    QVERIFY2(QFileInfo(ProgramBinary()).isExecutable(), "LUMIVANE_BINARY names no program");
    QVERIFY(FDir.isValid());
    QVERIFY(FServer.isListening());
    FServer.ServeOtherPaths("<title>ok</title>ok\r\n");
    QVERIFY(::chmod(QFile::encodeName(FDir.path()).constData(), 0755) == 0);
}

bool TRunnerBadInputTest::Asked(const QByteArray &prefix) const
{
    const QList<THttpTestServer::TRequest> &requests = FServer.Requests();
    return std::any_of(
        requests.cbegin(), requests.cend(),
        [&](const THttpTestServer::TRequest &request) { return request.Path.startsWith(prefix); });
}

TRunnerBadInputTest::TRun TRunnerBadInputTest::Run(const QString &path,
                                                   const QByteArray &expectedPath,
                                                   const QString &configFolder,
                                                   bool withoutFileOverride)
{
    QProcess process;
    const QString home =
        withoutFileOverride ? Path(QStringLiteral("limited")) : Path(QStringLiteral("home"));
    QProcessEnvironment environment = ProgramEnvironment(home);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configFolder);
    if (withoutFileOverride)
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home);
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    // A session of its own, so that the program and the web engine's processes end together
    // and none of them outlives its run.
    // Root reads any file: without the powers that override file permissions (gone for good, so
    // also after exec) it stays root, and still reaches the program wherever the checkout is.
    process.setChildProcessModifier([withoutFileOverride] {
        ::setsid();
        if (withoutFileOverride && (::prctl(PR_CAPBSET_DROP, CAP_DAC_OVERRIDE) != 0 ||
                                    ::prctl(PR_CAPBSET_DROP, CAP_DAC_READ_SEARCH) != 0))
            ::_exit(5);
    });
    FServer.ClearRequests();
    process.start(ProgramBinary(), {QStringLiteral("/l"), path});

    TRun run;
    run.Started = process.waitForStarted(TTimeout::Event);
    if (!run.Started)
        return run;
    const qint64 pid = process.processId();
    const auto ended = [&process] { return process.state() == QProcess::NotRunning; };
    const auto asked = [&] { return !expectedPath.isEmpty() && Asked(expectedPath); };
    // Each outcome is looked at below; the waits' own results add nothing.
    [[maybe_unused]] const bool settled = WaitFor(
        [&] { return ended() || asked() || (expectedPath.isEmpty() && WaitsForEvents(pid)); },
        TTimeout::Program);
    if (expectedPath.isEmpty()) {
        [[maybe_unused]] const bool watched = WaitFor(ended, SurvivalWatchMs);
    }
    run.Asked = asked();
    run.Ended = ended();
    if (run.Ended) {
        run.ExitCode = process.exitCode();
        run.Status = process.exitStatus();
    }
    ::kill(-pid_t(pid), SIGKILL);
    [[maybe_unused]] const bool killed = WaitForEnd(process, TTimeout::Event);
    run.Output = process.readAll();
    return run;
}

void TRunnerBadInputTest::CheckSurvived(const TRun &run, const QByteArray &expectedPath)
{
    QVERIFY2(run.Started, "the program did not start");
    QVERIFY2(!HasCrashReport(run.Output), run.Output.right(4000).constData());
    if (run.Ended) {
        QVERIFY2(run.Status == QProcess::NormalExit && run.ExitCode == 0,
                 qPrintable(QStringLiteral("ended with %1 (%2): %3")
                                .arg(run.ExitCode)
                                .arg(run.Status == QProcess::CrashExit ? QStringLiteral("crash")
                                                                       : QStringLiteral("exit"))
                                .arg(QString::fromLocal8Bit(run.Output.right(4000)))));
    }
    if (!expectedPath.isEmpty()) {
        QByteArrayList paths;
        for (const THttpTestServer::TRequest &request : FServer.Requests())
            paths.append(request.Path);
        QVERIFY2(run.Asked, qPrintable(QStringLiteral("the page %1 was never asked for; asked: %2")
                                           .arg(QString::fromLatin1(expectedPath.left(200)))
                                           .arg(QString::fromLatin1(paths.join(' ')))));
    }
}

void TRunnerBadInputTest::survivesDocument_data()
{
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<QByteArray>("expectedPath"); // its start; empty: no page to ask for
    QTest::addColumn<qint64>("sparseSize");       // > 0: the file is extended to this size

    const QByteArray origin = Origin();
    auto url = [&](const char *path) { return "URL=" + origin + path + "\r\n"; };

    QRandomGenerator random(20261208);
    QByteArray noise(1 << 20, Qt::Uninitialized);
    for (char &c : noise)
        c = char(random.bounded(256));
    QTest::newRow("random bytes") << noise << QByteArray() << qint64(0);
    QTest::newRow("NUL bytes") << QByteArray(1 << 20, '\0') << QByteArray() << qint64(0);
    QTest::newRow("NUL bytes in a document")
        << Document(QByteArrayLiteral("Id=\0\0\r\n") + url("/nul") +
                    QByteArrayLiteral("\0\0\0\r\nWidth=\0\x35\r\n"))
        << QByteArray("/nul") << qint64(0);
    QTest::newRow("2 GiB sparse file")
        << Document(url("/sparse")) << QByteArray("/sparse") << (qint64(2) << 30);
    QTest::newRow("lines of megabytes")
        << Document("Id=" + QByteArray(3 << 20, 'i') + "\r\n" + url("/long-lines") +
                    "Mimic=" + QByteArray(1 << 19, 'm') + "\r\n")
        << QByteArray("/long-lines") << qint64(0);
    QTest::newRow("a line longer than the size bound")
        << Document(url("/over-bound") + "Mimic=" + QByteArray(6 << 20, 'm') + "\r\n")
        << QByteArray("/over-bound") << qint64(0);

    QByteArray sections;
    for (int i = 0; i < 10000; ++i)
        sections += "[Section" + QByteArray::number(i) + "]\r\nURL=elsewhere\r\n";
    QTest::newRow("10,000 sections before the document's")
        << sections + Document(url("/many-sections")) << QByteArray("/many-sections") << qint64(0);
    QByteArray same;
    for (int i = 0; i < 10000; ++i)
        same += Document(url(i == 0 ? "/same-sections" : "/later-section"));
    QTest::newRow("10,000 sections of the same name")
        << same << QByteArray("/same-sections") << qint64(0);

    QTest::newRow("invalid UTF-8 in the URL")
        << Document("URL=" + origin + "/utf8-\xFF\xFE\xC3\x28\xED\xA0\x80\r\n")
        << QByteArray("/utf8-") << qint64(0);
    const QByteArray longPath = "/u" + QByteArray(2047 - origin.size() - 2, 'a');
    QTest::newRow("URL of 2047 characters")
        << Document("URL=" + origin + longPath + "\r\n") << longPath << qint64(0);
    QTest::newRow("URL longer than 2047 characters")
        << Document("URL=" + origin + longPath + QByteArray(5000, 'z') + "\r\n") << longPath
        << qint64(0);
    QTest::newRow("javascript: URL")
        << Document("URL=javascript:while(true){}\r\n") << QByteArray() << qint64(0);
    QTest::newRow("file: URL") << Document("URL=file:///etc/hostname\r\n") << QByteArray()
                               << qint64(0);
    QTest::newRow("file: URL of a device")
        << Document("URL=file:///dev/zero\r\n") << QByteArray() << qint64(0);
    QTest::newRow("URL without a scheme")
        << Document("URL=::::////\r\n") << QByteArray() << qint64(0);

    const QByteArray absurd[][2] = {
        {"custom size 2^31-1",
         "WindowSize=1\r\nWidth=2147483647\r\nHeight=2147483647\r\nWindowPosition=8\r\n"},
        {"custom size 0", "WindowSize=1\r\nWidth=0\r\nHeight=0\r\nWindowPosition=3\r\n"},
        {"custom size negative",
         "WindowSize=1\r\nWidth=-2147483648\r\nHeight=-5\r\nWindowPosition=6\r\n"},
        {"codes 2^31-1",
         "WindowStyle=2147483647\r\nWindowSize=2147483647\r\nWindowPosition=2147483647\r\n"},
        {"negative codes", "WindowStyle=-1\r\nWindowSize=-2147483648\r\nWindowPosition=-1\r\n"},
        {"every style with a preset flipped",
         "WindowStyle=4\r\nWindowSize=9\r\nFlip=1\r\nStayOnTop=1\r\nShowControlPanel=1\r\n"},
        {"numbers out of range",
         "WindowSize=0x100000000\r\nWidth=$FFFFFFFFFF\r\nHeight=99999999999999999999\r\n"},
    };
    for (const auto &row : absurd) {
        const QByteArray path = "/absurd-" + QByteArray::number(qHash(row[0]));
        QTest::newRow(row[0].constData())
            << Document("URL=" + origin + path + "\r\n" + row[1]) << path << qint64(0);
    }
}

void TRunnerBadInputTest::survivesDocument()
{
    QFETCH(QByteArray, document);
    QFETCH(QByteArray, expectedPath);
    QFETCH(qint64, sparseSize);

    const QString path = Path(QStringLiteral("document.webapp"));
    QVERIFY(WriteAll(path, document));
    if (sparseSize > 0)
        QVERIFY(QFile::resize(path, sparseSize));
    QElapsedTimer timer;
    timer.start();
    const TRun run = Run(path, expectedPath, Path(QStringLiteral("config-documents")));
    CheckSurvived(run, expectedPath);
    qInfo("%s after %lld ms", run.Ended ? "ended" : "ran", timer.elapsed());
}

void TRunnerBadInputTest::survivesPlacementStore_data()
{
    QTest::addColumn<QByteArray>("store"); // with ID standing for the web app's group
    QTest::addColumn<bool>("storeIsFolder");

    QRandomGenerator random(8122026);
    QByteArray noise(64 << 10, Qt::Uninitialized);
    for (char &c : noise)
        c = char(random.bounded(256));
    QTest::newRow("random bytes") << noise << false;
    QTest::newRow("random bytes after the group")
        << "[WebApps]\nID\\Left=" + noise.left(4096) + "\n"
        << false;
    QTest::newRow("values that are not numbers")
        << QByteArray("[WebApps]\nID\\Left=abc\nID\\Top=\nID\\Width=12abc\nID\\Height=\"\"\n")
        << false;
    QTest::newRow("values of other types")
        << QByteArray("[WebApps]\nID\\Left=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\x2QRect)\n"
                      "ID\\Top=@ByteArray(\\xff\\xfe)\nID\\Width=@Rect(1 2 3 4)\n"
                      "ID\\Height=1, 2, 3\n")
        << false;
    QTest::newRow("extreme numbers")
        << QByteArray("[WebApps]\nID\\Left=2147483647\nID\\Top=-2147483648\n"
                      "ID\\Width=2147483647\nID\\Height=99999999999999999999\n")
        << false;
    QTest::newRow("zero and negative sizes")
        << QByteArray("[WebApps]\nID\\Left=-100000\nID\\Top=-100000\nID\\Width=0\n"
                      "ID\\Height=-1\n")
        << false;
    QTest::newRow("a group where a value should be")
        << QByteArray("[WebApps]\nID\\Left\\x=1\nID\\Top\\y\\z=2\n") << false;
    QTest::newRow("the store is a folder") << QByteArray() << true;
}

// The remembered placement is read before the page is asked for, whatever the store holds.
void TRunnerBadInputTest::survivesPlacementStore()
{
    QFETCH(QByteArray, store);
    QFETCH(bool, storeIsFolder);

    static int number = 0;
    const QString config = Path(QStringLiteral("config-store%1").arg(++number));
    QVERIFY(QDir().mkpath(config + QStringLiteral("/Veldrane")));
    const QString storeFile = config + QStringLiteral("/Veldrane/Lumivane.conf");
    const QByteArray id = "{11111111-2222-3333-4444-555555555555}";
    if (storeIsFolder) {
        QVERIFY(QDir().mkpath(storeFile));
    } else {
        // The group's name as the store writes it, taken from the store itself.
        QString group;
        {
            QSettings probe(storeFile + QStringLiteral(".probe"), QSettings::IniFormat);
            probe.setValue(
                QStringLiteral("WebApps/") + QString::fromLatin1(id) + QStringLiteral("/Left"), 1);
            probe.sync();
            QFile written(probe.fileName());
            QVERIFY(written.open(QIODevice::ReadOnly));
            const QByteArray text = written.readAll();
            const qsizetype start = text.indexOf('\n') + 1;
            group = QString::fromLatin1(text.mid(start, text.indexOf("\\Left") - start));
        }
        QVERIFY(!group.isEmpty());
        store.replace("ID\\", group.toLatin1() + '\\');
        QVERIFY(WriteAll(storeFile, store));
    }

    const QString path = Path(QStringLiteral("placement.webapp"));
    const QByteArray expectedPath = "/placement-" + QByteArray::number(number);
    QVERIFY(WriteAll(path, Document("Id=" + id + "\r\nURL=" + Origin() + expectedPath +
                                    "\r\nWindowSize=1\r\nWidth=300\r\nHeight=200\r\n"
                                    "RememberLastPosition=1\r\nRememberLastSize=1\r\n")));
    const TRun run = Run(path, expectedPath, config);
    CheckSurvived(run, expectedPath);
}

// A document the user may not read: as root every file is readable, so the program runs as an
// unprivileged user there. It loads the defaults and runs.
void TRunnerBadInputTest::survivesUnreadableDocument()
{
    const bool root = ::geteuid() == 0;
    const QString home = Path(QStringLiteral("limited"));
    QVERIFY(QDir().mkpath(home));
    QVERIFY(::chmod(QFile::encodeName(home).constData(), 0700) == 0);

    const QString path = Path(QStringLiteral("unreadable.webapp"));
    QVERIFY(WriteAll(path, Document("URL=" + Origin() + "/unreadable\r\n")));
    QVERIFY(::chmod(QFile::encodeName(path).constData(), 0) == 0);
    CheckSurvived(Run(path, {}, home + QStringLiteral("/config"), root), {});
    // Unreadable means its URL was never seen.
    QVERIFY(!Asked("/unreadable"));
}

QTEST_GUILESS_MAIN(TRunnerBadInputTest)
#include "tst_runnerbadinput.moc"
