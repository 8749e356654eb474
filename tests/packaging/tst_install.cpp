// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/program.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QString MimeType = QStringLiteral("application/x-lumivane-webapp");

struct TRun
{
    int ExitCode = -1;
    QString Output; // stdout and stderr together
};

// Runs a tool with a clean desktop environment that sees only the installed tree and the
// system's own data, never the user's associations.
TRun Run(const QString &program, const QStringList &arguments, const QString &prefix,
         const QString &home)
{
    QProcess process;
    QProcessEnvironment env;
    env.insert(QStringLiteral("PATH"),
               prefix + QStringLiteral("/bin:/usr/local/bin:/usr/bin:/bin"));
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/data"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/config"));
    env.insert(QStringLiteral("XDG_DATA_DIRS"), prefix + QStringLiteral("/share:/usr/share"));
    // xdg-mime asks the session bus which desktop runs; without an address libdbus would
    // autolaunch one.
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("disabled:"));
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setProgram(program);
    process.setArguments(arguments);
    if (!RunToEnd(process) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), QString::fromLocal8Bit(process.readAll())};
}

// The value of a key in the [Desktop Entry] group, as written.
QString DesktopValue(const QString &fileName, const QString &key)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    bool inEntry = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(u'['))
            inEntry = line == QStringLiteral("[Desktop Entry]");
        else if (inEntry && line.startsWith(key + u'='))
            return line.mid(key.size() + 1);
    }
    return {};
}
} // namespace

class TInstallTest : public QObject
{
    Q_OBJECT

    QTemporaryDir FPrefix;
    QTemporaryDir FHome;

    QString Installed(const QString &relative) const { return FPrefix.filePath(relative); }
    TRun RunTool(const QString &program, const QStringList &arguments) const
    {
        return Run(program, arguments, FPrefix.path(), FHome.path());
    }

private slots:
    void initTestCase()
    {
        QVERIFY(FPrefix.isValid() && FHome.isValid());
        const TRun install =
            RunTool(QStringLiteral(LUMIVANE_CMAKE_COMMAND),
                    {QStringLiteral("--install"), QStringLiteral(LUMIVANE_BUILD_DIR),
                     QStringLiteral("--prefix"), FPrefix.path()});
        QVERIFY2(install.ExitCode == 0, qPrintable(install.Output));
    }

    void installedFiles_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("iconSize"); // 0: not a bitmap icon
        QTest::newRow("program") << QStringLiteral("bin/lumivane") << 0;
        QTest::newRow("runner module") << QStringLiteral(LUMIVANE_RUNNER_MODULE_INSTALL_PATH) << 0;
        QTest::newRow("designer entry")
            << QStringLiteral("share/applications/lumivane.desktop") << 0;
        QTest::newRow("document entry")
            << QStringLiteral("share/applications/lumivane-webapp.desktop") << 0;
        QTest::newRow("mime type")
            << QStringLiteral("share/mime/packages/lumivane-webapp.xml") << 0;
        QTest::newRow("scalable icon")
            << QStringLiteral("share/icons/hicolor/scalable/apps/lumivane.svg") << 0;
        for (const int size : {256, 128, 96, 48, 32})
            QTest::newRow(qPrintable(QStringLiteral("icon %1").arg(size)))
                << QStringLiteral("share/icons/hicolor/%1x%1/apps/lumivane.png").arg(size) << size;
    }

    void installedFiles()
    {
        QFETCH(QString, path);
        QFETCH(int, iconSize);
        const QFileInfo info(Installed(path));
        QVERIFY2(info.isFile(), qPrintable(path));
        QVERIFY(info.size() > 0);
        if (path.startsWith(QStringLiteral("bin/")))
            QVERIFY(info.isExecutable());
        if (iconSize > 0) {
            // A theme looks a size up in its own folder only; a misfiled size is a blurry icon.
            QImageReader reader(info.filePath());
            QCOMPARE(reader.format(), QByteArray("png"));
            QCOMPARE(reader.size(), QSize(iconSize, iconSize));
        }
    }

    void desktopEntries_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("exec");
        QTest::addColumn<QString>("mimeType");
        QTest::addColumn<QString>("noDisplay");
        // The designer takes no file; documents open in the runner, which only they start,
        // so that entry stays out of the menu.
        QTest::newRow("designer") << QStringLiteral("lumivane.desktop")
                                  << QStringLiteral("lumivane") << QString() << QString();
        QTest::newRow("documents")
            << QStringLiteral("lumivane-webapp.desktop") << QStringLiteral("lumivane /l %f")
            << MimeType + u';' << QStringLiteral("true");
    }

    void desktopEntries()
    {
        QFETCH(QString, fileName);
        QFETCH(QString, exec);
        QFETCH(QString, mimeType);
        QFETCH(QString, noDisplay);
        const QString path = Installed(QStringLiteral("share/applications/") + fileName);

        const QString validator =
            QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
        QVERIFY2(!validator.isEmpty(), "desktop-file-validate is missing (desktop-file-utils)");
        const TRun validation = RunTool(validator, {path});
        // Hints and warnings do not change the exit code, so any output counts as a failure.
        QCOMPARE(validation.ExitCode, 0);
        QCOMPARE(validation.Output, QString());

        QCOMPARE(DesktopValue(path, QStringLiteral("Type")), QStringLiteral("Application"));
        QCOMPARE(DesktopValue(path, QStringLiteral("Exec")), exec);
        QCOMPARE(DesktopValue(path, QStringLiteral("Icon")), QStringLiteral("lumivane"));
        QCOMPARE(DesktopValue(path, QStringLiteral("MimeType")), mimeType);
        QCOMPARE(DesktopValue(path, QStringLiteral("NoDisplay")), noDisplay);
    }

    // The installed tree, once its caches are built as the package's triggers build them,
    // makes *.webapp a type of its own with our icon and our entry as its default.
    void installedProgramFindsItsRunner()
    {
        // Nothing beside the installed program: the runner comes from the installed library
        // folder, found from the program's own place.
        QTemporaryDir work;
        QVERIFY(work.isValid());
        const QString document = work.filePath(QStringLiteral("Installed.webapp"));
        QFile file(document);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Configuration]\r\nURL=data:text/html,<title>Installed</title>\r\n");
        file.close();

        QProcess process;
        process.setProcessEnvironment(ProgramEnvironment(work.path()));
        process.setProcessChannelMode(QProcess::ForwardedChannels);
        process.start(Installed(QStringLiteral("bin/lumivane")), {QStringLiteral("/l"), document});
        QVERIFY(process.waitForStarted(TTimeout::Event));
        const QString module =
            QFileInfo(Installed(QStringLiteral(LUMIVANE_RUNNER_MODULE_INSTALL_PATH)))
                .canonicalFilePath();
        const auto maps = [&process] {
            QFile file(QStringLiteral("/proc/%1/maps").arg(process.processId()));
            return file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll())
                                                  : QString();
        };
        QVERIFY(WaitFor([&] { return maps().contains(module); }, TTimeout::Program));
        QCOMPARE(process.state(), QProcess::Running);
        process.kill();
        QVERIFY(WaitForEnd(process));
    }

    void documentTypeOpensInRunner()
    {
        const TRun mime = RunTool(QStringLiteral("update-mime-database"),
                                  {Installed(QStringLiteral("share/mime"))});
        QVERIFY2(mime.ExitCode == 0, qPrintable(mime.Output));
        const TRun desktop = RunTool(QStringLiteral("update-desktop-database"),
                                     {Installed(QStringLiteral("share/applications"))});
        QVERIFY2(desktop.ExitCode == 0, qPrintable(desktop.Output));

        QFile globs(Installed(QStringLiteral("share/mime/globs2")));
        QVERIFY(globs.open(QIODevice::ReadOnly));
        QVERIFY(globs.readAll().contains((MimeType + QStringLiteral(":*.webapp")).toLatin1()));
        QFile icons(Installed(QStringLiteral("share/mime/icons")));
        QVERIFY(icons.open(QIODevice::ReadOnly));
        QVERIFY(icons.readAll().contains((MimeType + QStringLiteral(":lumivane")).toLatin1()));

        const TRun query = RunTool(QStringLiteral("xdg-mime"),
                                   {QStringLiteral("query"), QStringLiteral("default"), MimeType});
        QCOMPARE(query.ExitCode, 0);
        QCOMPARE(query.Output.trimmed(), QStringLiteral("lumivane-webapp.desktop"));
    }
};

QTEST_GUILESS_MAIN(TInstallTest)
#include "tst_install.moc"
