// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/instanceobject.h"
#include "app/startup.h"
#include "shared/webappidentity.h"
#include "support/httptestserver.h"
#include "support/program.h"
#include "support/testfiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

// A silent exit must cost well under a second of processor time (counted, unlike the time on
// the clock, the same on a busy machine); a sanitized build loads and checks far more before
// main() even starts, so it gets more room.
#if defined(__SANITIZE_ADDRESS__)
static constexpr qint64 SilentExitLimitMs = 3000;
#else
static constexpr qint64 SilentExitLimitMs = 1000;
#endif

// How long the web app window waits at most for its page to leave when it closes.
static constexpr qint64 ClosingWaitMs = 5000;

Q_DECLARE_METATYPE(TStartRole)

namespace {

// True when an exclusive lock on the file could be taken now, that is when no instance holds
// its shared lock. The lock is released again at once.
bool NoInstanceHolds(const QString &lockFile)
{
    const int fd = ::open(QFile::encodeName(lockFile).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return true;
    const bool free = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    ::close(fd);
    return free;
}

// The processor time of every ended child process so far.
qint64 ChildrenCpuMs()
{
    rusage usage{};
    ::getrusage(RUSAGE_CHILDREN, &usage);
    return qint64(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000 +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000;
}

} // namespace

class TStartupTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void lowerAscii();
    void decideRole_data();
    void decideRole();
    void silentExit_data();
    void silentExit();
    void instanceObjectHeldWhileRunning_data();
    void instanceObjectHeldWhileRunning();
    void instancesNeverWaitForEachOther();
    void lockFileWithoutRuntimeFolder();
    void terminationClosesAsTheUserWould_data();
    void terminationClosesAsTheUserWould();

private:
    // In a process group of its own when asked, to be ended as a session ends its processes.
    QProcess *Start(const QStringList &arguments, bool ownProcessGroup = false);

    QTemporaryDir FDir;
    QString FLockFile;
};

namespace {
// Whether the process has the web engine's library in its memory.
bool MapsWebEngine(qint64 pid)
{
    QFile maps(QStringLiteral("/proc/%1/maps").arg(pid));
    if (!maps.open(QIODevice::ReadOnly))
        qFatal("Cannot read the memory map of process %lld", pid);
    return maps.readAll().contains("libQt6WebEngineCore");
}
} // namespace

void TStartupTest::initTestCase()
{
    QVERIFY(FDir.isValid());
    QDir dir(FDir.path());
    QVERIFY(dir.mkdir(QStringLiteral("runtime"),
                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    QVERIFY(dir.mkdir(QStringLiteral("folder.webapp")));
    QFile file(dir.filePath(QStringLiteral("Doc With Blanks.WebApp")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[Configuration]\r\n");
    file.close();
    QVERIFY(WriteAll(dir.filePath(QStringLiteral("page.webapp")),
                     "[Configuration]\r\nURL=data:text/html,<title>Page</title>\r\n"));
    QVERIFY(QFile::link(file.fileName(), dir.filePath(QStringLiteral("link.webapp"))));
    QVERIFY(QFile::link(dir.filePath(QStringLiteral("folder.webapp")),
                        dir.filePath(QStringLiteral("folderlink.webapp"))));
    QVERIFY(QFile::link(dir.filePath(QStringLiteral("absent")),
                        dir.filePath(QStringLiteral("dangling.webapp"))));
    QCOMPARE(
        ::mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("fifo.webapp"))).constData(), 0600),
        0);
    // Relative paths resolve against the current folder.
    QVERIFY(QDir::setCurrent(FDir.path()));
    FLockFile = dir.filePath(QStringLiteral("runtime/Lumivane"));
}

// A failed check leaves no program running into the next test.
void TStartupTest::cleanup()
{
    for (QProcess *process : findChildren<QProcess *>()) {
        process->kill();
        process->waitForFinished(TTimeout::Event);
        delete process;
    }
}

void TStartupTest::lowerAscii()
{
    QCOMPARE(LowerAscii(QStringLiteral("/L")), QStringLiteral("/l"));
    QCOMPARE(LowerAscii(QStringLiteral("AZaz@[`{")), QStringLiteral("azaz@[`{"));
    // Only A to Z: other letters keep their case.
    QCOMPARE(LowerAscii(QStringLiteral("\u00C4\u0130\u212A")),
             QStringLiteral("\u00C4\u0130\u212A"));
}

void TStartupTest::decideRole_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<TStartRole>("role");

    const QString doc = FDir.filePath(QStringLiteral("Doc With Blanks.WebApp"));
    using L = QStringList;
    QTest::newRow("none") << L{} << TStartRole::Designer;
    QTest::newRow("/l file") << L{QStringLiteral("/l"), doc} << TStartRole::Runner;
    QTest::newRow("/L file") << L{QStringLiteral("/L"), doc} << TStartRole::Runner;
    QTest::newRow("extra arguments ignored")
        << L{QStringLiteral("/l"), doc, QStringLiteral("/x"), QString()} << TStartRole::Runner;
    QTest::newRow("relative path")
        << L{QStringLiteral("/l"), QStringLiteral("Doc With Blanks.WebApp")} << TStartRole::Runner;
    QTest::newRow("link to a file")
        << L{QStringLiteral("/l"), QStringLiteral("link.webapp")} << TStartRole::Runner;

    QTest::newRow("/l alone") << L{QStringLiteral("/l")} << TStartRole::None;
    QTest::newRow("/l empty path") << L{QStringLiteral("/l"), QString()} << TStartRole::None;
    QTest::newRow("/l missing file")
        << L{QStringLiteral("/l"), QStringLiteral("absent.webapp")} << TStartRole::None;
    QTest::newRow("/l directory") << L{QStringLiteral("/l"), QStringLiteral("folder.webapp")}
                                  << TStartRole::None;
    QTest::newRow("/l link to a directory")
        << L{QStringLiteral("/l"), QStringLiteral("folderlink.webapp")} << TStartRole::None;
    QTest::newRow("/l dangling link")
        << L{QStringLiteral("/l"), QStringLiteral("dangling.webapp")} << TStartRole::None;
    QTest::newRow("/l fifo") << L{QStringLiteral("/l"), QStringLiteral("fifo.webapp")}
                             << TStartRole::None;
    QTest::newRow("/l device") << L{QStringLiteral("/l"), QStringLiteral("/dev/null")}
                               << TStartRole::None;
    QTest::newRow("path case matters")
        << L{QStringLiteral("/l"), QStringLiteral("doc with blanks.webapp")} << TStartRole::None;
    QTest::newRow("dash") << L{QStringLiteral("-l"), doc} << TStartRole::None;
    QTest::newRow("longer switch") << L{QStringLiteral("/list"), doc} << TStartRole::None;
    QTest::newRow("switch with blank") << L{QStringLiteral("/l "), doc} << TStartRole::None;
    QTest::newRow("path alone") << L{doc} << TStartRole::None;
    QTest::newRow("empty first argument") << L{QString(), doc} << TStartRole::None;
    QTest::newRow("other switch") << L{QStringLiteral("/x")} << TStartRole::None;
}

void TStartupTest::decideRole()
{
    QFETCH(QStringList, arguments);
    QFETCH(TStartRole, role);

    const TStartDecision decision = DecideRole(arguments);
    QCOMPARE(decision.Role, role);
    if (role == TStartRole::Runner) {
        QCOMPARE(decision.FirstArgument, QStringLiteral("/l"));
        QCOMPARE(decision.DocumentPath, arguments.at(1));
    }
}

void TStartupTest::silentExit_data()
{
    QTest::addColumn<QStringList>("arguments");
    using L = QStringList;
    QTest::newRow("/l alone") << L{QStringLiteral("/l")};
    QTest::newRow("/l directory") << L{QStringLiteral("/l"), FDir.path()};
    QTest::newRow("/l missing file") << L{QStringLiteral("/l"), QStringLiteral("absent.webapp")};
    QTest::newRow("/l fifo") << L{QStringLiteral("/L"), QStringLiteral("fifo.webapp")};
    // A device that never ends, should anything read it before deciding.
    QTest::newRow("/l device") << L{QStringLiteral("/l"), QStringLiteral("/dev/zero")};
    QTest::newRow("/l link to a folder")
        << L{QStringLiteral("/l"), QStringLiteral("folderlink.webapp")};
    QTest::newRow("path alone") << L{QStringLiteral("Doc With Blanks.WebApp")};
    QTest::newRow("other switch") << L{QStringLiteral("-platform"), QStringLiteral("xcb")};
    QTest::newRow("help") << L{QStringLiteral("--help")};
}

void TStartupTest::silentExit()
{
    QFETCH(QStringList, arguments);
    QVERIFY2(QFileInfo(ProgramBinary()).isExecutable(), "LUMIVANE_BINARY names no program");

    // A display that does not exist: any attempt to open a window would fail loudly.
    QProcessEnvironment environment = ProgramEnvironment(FDir.path());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("DISPLAY"), QStringLiteral(":4242"));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProgram(ProgramBinary());
    process.setArguments(arguments);
    const qint64 before = ChildrenCpuMs();
    QVERIFY(RunToEnd(process));
    const qint64 cpu = ChildrenCpuMs() - before;

    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
    QCOMPARE(process.readAllStandardOutput(), QByteArray());
    QCOMPARE(process.readAllStandardError(), QByteArray());
    QVERIFY2(cpu < SilentExitLimitMs, qPrintable(QString::number(cpu)));
}

QProcess *TStartupTest::Start(const QStringList &arguments, bool ownProcessGroup)
{
    auto *process = new QProcess(this);
    process->setProcessEnvironment(ProgramEnvironment(FDir.path()));
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    if (ownProcessGroup)
        process->setChildProcessModifier([] { ::setpgid(0, 0); });
    process->start(ProgramBinary(), arguments);
    return process;
}

void TStartupTest::instanceObjectHeldWhileRunning_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("engine");
    QTest::newRow("designer") << QStringList() << false;
    QTest::newRow("runner") << QStringList{QStringLiteral("/l"), QStringLiteral("page.webapp")}
                            << true;
}

void TStartupTest::instanceObjectHeldWhileRunning()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, engine);
    QVERIFY(NoInstanceHolds(FLockFile));
    QProcess *process = Start(arguments);
    QVERIFY(process->waitForStarted(TTimeout::Event));
    // It is a window, not a silent exit: the process gets to its event loop and keeps running.
    QVERIFY(
        WaitFor([process] { return CatchesTermination(process->processId()); }, TTimeout::Program));
    QCOMPARE(process->state(), QProcess::Running);
    QVERIFY(!NoInstanceHolds(FLockFile));
    // The web engine is the runner's: the designer starts without it.
    QCOMPARE(MapsWebEngine(process->processId()), engine);
    process->kill();
    QVERIFY(WaitForEnd(*process));
    QVERIFY(NoInstanceHolds(FLockFile));
}

void TStartupTest::instancesNeverWaitForEachOther()
{
    // A second instance finds the object existing and goes on, as does one started while a
    // script holds the lock file exclusively.
    const int fd =
        ::open(QFile::encodeName(FLockFile).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    QVERIFY(fd >= 0);
    QCOMPARE(::flock(fd, LOCK_EX | LOCK_NB), 0);
    QProcess *first = Start({});
    QVERIFY(first->waitForStarted(TTimeout::Event));
    QVERIFY(WaitFor([first] { return CatchesTermination(first->processId()); }, TTimeout::Program));
    ::close(fd);

    QProcess *second = Start({});
    QVERIFY(second->waitForStarted(TTimeout::Event));
    QVERIFY(
        WaitFor([second] { return CatchesTermination(second->processId()); }, TTimeout::Program));
    QVERIFY(!NoInstanceHolds(FLockFile));
    QCOMPARE(first->state(), QProcess::Running);
    second->kill();
    QVERIFY(WaitForEnd(*second));
    first->kill();
    QVERIFY(WaitForEnd(*first));
}

void TStartupTest::lockFileWithoutRuntimeFolder()
{
    const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
    const QString own = QDir(QDir::tempPath()).filePath(QStringLiteral("Test-%1").arg(::getuid()));
    QFile::remove(own);
    for (const char *runtime : {"", "relative/runtime", "/nonexistent/runtime"}) {
        qputenv("XDG_RUNTIME_DIR", runtime);
        QCOMPARE(TInstanceObject::LockFileName(QStringLiteral("Test")), own);
    }
    {
        const TInstanceObject instance(QStringLiteral("Test"));
        QVERIFY(!NoInstanceHolds(own));
    }
    QVERIFY(NoInstanceHolds(own));
    QFile::remove(own);
    qputenv("XDG_RUNTIME_DIR", saved);
}

void TStartupTest::terminationClosesAsTheUserWould_data()
{
    QTest::addColumn<int>("signalNumber");
    QTest::addColumn<bool>("wholeGroup");
    QTest::newRow("SIGTERM, as at logout") << int(SIGTERM) << false;
    // A session's end signals every process at once, the web engine's own among them.
    QTest::newRow("SIGTERM to every process") << int(SIGTERM) << true;
    QTest::newRow("SIGHUP") << int(SIGHUP) << false;
    QTest::newRow("SIGINT") << int(SIGINT) << false;
}

void TStartupTest::terminationClosesAsTheUserWould()
{
    QFETCH(int, signalNumber);
    QFETCH(bool, wholeGroup);
    THttpTestServer server;
    QVERIFY(server.isListening());
    // The page signs in (a cookie the engine keeps in memory for a while), then says so.
    server.Serve("/in", "<title>In</title><script>"
                        "document.cookie = 'session=kept; max-age=99999'; fetch('/signed-in');"
                        "</script>");
    server.Serve("/signed-in", "ok");
    const QString id = QStringLiteral("0A0A0A0A-0000-0000-000%1-%2")
                           .arg(int(wholeGroup))
                           .arg(signalNumber, 12, 10, QChar(u'0'));
    const QString document =
        FDir.filePath(QStringLiteral("signed-in-%1-%2.webapp").arg(signalNumber).arg(wholeGroup));
    QFile file(document);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[Configuration]\r\nId={" + id.toLatin1() +
               "}\r\nURL=" + server.Url("/in").toEncoded() +
               "\r\nWindowSize=1\r\nWidth=400\r\nHeight=300\r\n"
               "RememberLastPosition=1\r\nRememberLastSize=0\r\n");
    file.close();

    QProcess *process = Start({QStringLiteral("/l"), document}, wholeGroup);
    QVERIFY(process->waitForStarted(TTimeout::Event));
    // Signed in: the site has seen the cookie come back.
    const auto signedIn = [&server] {
        for (const THttpTestServer::TRequest &request : server.Requests()) {
            if (request.Path == "/signed-in" && request.Cookie.contains("session=kept"))
                return true;
        }
        return false;
    };
    QVERIFY(WaitFor(signedIn, TTimeout::Program));
    const pid_t pid = pid_t(process->processId());
    QElapsedTimer ending;
    ending.start();
    QCOMPARE(::kill(wholeGroup ? -pid : pid, signalNumber), 0);
    QVERIFY(WaitForEnd(*process));
    // With the page's process gone there is no blank page to wait for: the window does not sit
    // out its closing wait (5 s) for one.
    if (wholeGroup)
        QVERIFY2(ending.elapsed() < ClosingWaitMs - 1000,
                 qPrintable(QString::number(ending.elapsed())));
    QCOMPARE(process->exitStatus(), QProcess::NormalExit);
    QCOMPARE(process->exitCode(), 0);
    // Where the window was is kept, as after a close by the user.
    QFile store(FDir.filePath(QStringLiteral("config/Veldrane/Lumivane.conf")));
    QVERIFY(store.open(QIODevice::ReadOnly));
    QVERIFY(store.readAll().contains(id.toLatin1()));
    // For the message, should the next start not send the cookie: whether this run left it on
    // disk, or the next one did not read it.
    QFile cookies(FDir.filePath(QStringLiteral("data/Veldrane/Lumivane/profiles/%1/Cookies")
                                    .arg(WebAppApplicationId('{' + id.toLatin1() + '}'))));
    const bool onDisk = cookies.open(QIODevice::ReadOnly) && cookies.readAll().contains("session");

    // And the sign-in is there the next time.
    server.ClearRequests();
    QProcess *again = Start({QStringLiteral("/l"), document});
    QVERIFY(again->waitForStarted(TTimeout::Event));
    QVERIFY(WaitFor([&server] { return server.Count("/in") > 0; }, TTimeout::Program));
    // The first run's last requests (its icon) may reach the server only now: the page's own
    // request is the one that counts.
    const auto &requests = server.Requests();
    const auto page = std::find_if(requests.cbegin(), requests.cend(),
                                   [](const auto &request) { return request.Path == "/in"; });
    QVERIFY(page != requests.cend());
    const QByteArray cookie = page->Cookie;
    again->kill();
    QVERIFY(WaitForEnd(*again));
    QVERIFY2(cookie.contains("session=kept"),
             qPrintable(QStringLiteral("sent \"%1\"; the cookie database %2 it")
                            .arg(QString::fromLatin1(cookie),
                                 onDisk ? QStringLiteral("has") : QStringLiteral("lacks"))));
}

QTEST_GUILESS_MAIN(TStartupTest)
#include "tst_startup.moc"
