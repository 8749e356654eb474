// SPDX-License-Identifier: GPL-3.0-or-later
#include "designer/launcherwriter.h"
#include "document/lumivaneerror.h"
#include "shared/webappidentity.h"
#include "support/program.h"
#include "support/testfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QByteArray Id = QByteArrayLiteral("{1B4E28BA-2FA1-11D2-883F-0016D3CCA427}");

// The value of a key as written in an entry's text, before any unescaping.
QString EntryValue(const QString &entry, const QString &key)
{
    for (const QString &line : entry.split(u'\n'))
        if (line.startsWith(key + u'='))
            return line.mid(key.size() + 1);
    return {};
}

bool WriteFile(const QString &fileName, const QByteArray &contents)
{
    QDir().mkpath(QFileInfo(fileName).absolutePath());
    QFile file(fileName);
    return file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size();
}
} // namespace

class TLauncherWriterTest : public QObject
{
    Q_OBJECT

    QTemporaryDir FRoot;

    TLauncherWriter Writer(const QString &program = QStringLiteral("/usr/bin/lumivane")) const
    {
        TLauncherWriter writer;
        writer.SetProgram(program);
        writer.SetApplicationsFolder(FRoot.filePath(QStringLiteral("applications")));
        writer.SetDesktopFolder(FRoot.filePath(QStringLiteral("Desktop")));
        return writer;
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(FRoot.isValid());
    }

    void cleanup()
    {
        QDir(FRoot.filePath(QStringLiteral("applications"))).removeRecursively();
        QDir(FRoot.filePath(QStringLiteral("Desktop"))).removeRecursively();
        QFile::remove(WebAppIconPath(Id));
    }

    void quoteExecArgument_data()
    {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("quoted");
        QTest::newRow("plain") << QStringLiteral("/home/ann/Mail.webapp")
                               << QStringLiteral("/home/ann/Mail.webapp");
        QTest::newRow("blank") << QStringLiteral("/home/ann/My Apps/Mail.webapp")
                               << QStringLiteral("\"/home/ann/My Apps/Mail.webapp\"");
        QTest::newRow("double quote") << QStringLiteral("a\"b") << QStringLiteral("\"a\\\"b\"");
        QTest::newRow("backslash") << QStringLiteral("a\\b") << QStringLiteral("\"a\\\\b\"");
        QTest::newRow("dollar") << QStringLiteral("$HOME") << QStringLiteral("\"\\$HOME\"");
        QTest::newRow("backquote") << QStringLiteral("`id`") << QStringLiteral("\"\\`id\\`\"");
        QTest::newRow("single quote") << QStringLiteral("it's") << QStringLiteral("\"it's\"");
        QTest::newRow("shell characters") << QStringLiteral("a&b;c|d<e>f*g?h#i(j)~k")
                                          << QStringLiteral("\"a&b;c|d<e>f*g?h#i(j)~k\"");
        QTest::newRow("percent unquoted")
            << QStringLiteral("100%.webapp") << QStringLiteral("100%%.webapp");
        QTest::newRow("percent quoted") << QStringLiteral("a b%f") << QStringLiteral("\"a b%%f\"");
        QTest::newRow("empty") << QString() << QStringLiteral("\"\"");
    }

    void quoteExecArgument()
    {
        QFETCH(QString, argument);
        QFETCH(QString, quoted);
        QCOMPARE(QuoteExecArgument(argument), quoted);
    }

    void escapeDesktopValue_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("escaped");
        QTest::newRow("plain") << QStringLiteral("Mail") << QStringLiteral("Mail");
        QTest::newRow("backslash")
            << QStringLiteral("\"a\\\\b\"") << QStringLiteral("\"a\\\\\\\\b\"");
        QTest::newRow("line break and tab")
            << QStringLiteral("a\nb\tc") << QStringLiteral("a\\nb\\tc");
        QTest::newRow("leading blank") << QStringLiteral(" Mail ") << QStringLiteral("\\sMail ");
    }

    void escapeDesktopValue()
    {
        QFETCH(QString, value);
        QFETCH(QString, escaped);
        QCOMPARE(EscapeDesktopValue(value), escaped);
    }

    void entryNamesAndClass_data()
    {
        QTest::addColumn<QString>("document");
        QTest::addColumn<QString>("name");
        QTest::newRow("simple") << QStringLiteral("/home/ann/Mail.webapp")
                                << QStringLiteral("Mail");
        QTest::newRow("dots") << QStringLiteral("/home/ann/my.mail.webapp")
                              << QStringLiteral("my.mail");
        QTest::newRow("no extension") << QStringLiteral("/home/ann/Mail") << QStringLiteral("Mail");
        QTest::newRow("only extension")
            << QStringLiteral("/home/ann/.webapp") << QStringLiteral(".webapp");
    }

    void entryNamesAndClass()
    {
        QFETCH(QString, document);
        QFETCH(QString, name);
        const QString entry = Writer().DesktopEntry(document, Id);
        QVERIFY(entry.startsWith(QStringLiteral("[Desktop Entry]\n")));
        QCOMPARE(EntryValue(entry, QStringLiteral("Name")), name);
        QCOMPARE(EntryValue(entry, QStringLiteral("Exec")),
                 QStringLiteral("/usr/bin/lumivane /l ") + document);
        QCOMPARE(EntryValue(entry, QStringLiteral("StartupWMClass")), WebAppApplicationId(Id));
        QCOMPARE(EntryValue(entry, QStringLiteral("Icon")), QStringLiteral("lumivane"));
    }

    // Different documents are different applications for the desktop; the same Id is the same.
    void applicationIdFollowsId()
    {
        const QString id = WebAppApplicationId(Id);
        QVERIFY(id.startsWith(QStringLiteral("lumivane-")));
        QCOMPARE(id.size(), 21);
        QCOMPARE(WebAppApplicationId(QByteArray(Id)), id);
        QVERIFY(WebAppApplicationId(QByteArrayLiteral("{00000000-0000-0000-0000-000000000000}")) !=
                id);
        QVERIFY(WebAppApplicationId(QByteArray()) != id);
        // An Id that looks like a path never leaves the icons folder.
        const QString icon = WebAppIconPath(QByteArrayLiteral("../../../etc/passwd"));
        QCOMPARE(QFileInfo(icon).absolutePath(),
                 QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
                     QStringLiteral("/icons"));
    }

    void siteIconOnceSaved()
    {
        QImage icon(32, 32, QImage::Format_ARGB32);
        icon.fill(Qt::red);
        QVERIFY(QDir().mkpath(QFileInfo(WebAppIconPath(Id)).absolutePath()));
        QVERIFY(icon.save(WebAppIconPath(Id), "PNG"));
        const QString doc = QStringLiteral("/home/ann/Mail.webapp");
        QCOMPARE(EntryValue(Writer().DesktopEntry(doc, Id), QStringLiteral("Icon")),
                 WebAppIconPath(Id));
        // Another web app has no icon of its own yet.
        QCOMPARE(EntryValue(Writer().DesktopEntry(doc, QByteArrayLiteral("{other}")),
                            QStringLiteral("Icon")),
                 QStringLiteral("lumivane"));
    }

    void writesMenuEntryAndDesktopCopy()
    {
        const QString doc = FRoot.filePath(QStringLiteral("Mail.webapp"));
        const QString fileName = WebAppApplicationId(Id) + QStringLiteral(".desktop");
        const QString menuEntry = FRoot.filePath(QStringLiteral("applications/") + fileName);
        const QString desktopEntry = FRoot.filePath(QStringLiteral("Desktop/") + fileName);

        QCOMPARE(Writer().Write(doc, Id, false), QStringList{menuEntry});
        QCOMPARE(ReadText(menuEntry), Writer().DesktopEntry(doc, Id));
        QVERIFY(!QFileInfo::exists(desktopEntry));

        QCOMPARE(Writer().Write(doc, Id, true), (QStringList{menuEntry, desktopEntry}));
        QCOMPARE(ReadText(desktopEntry), ReadText(menuEntry));
        QVERIFY(QFileInfo(desktopEntry).isExecutable());

        // Writing again replaces the launcher of the same web app instead of adding one.
        Writer().Write(FRoot.filePath(QStringLiteral("Moved.webapp")), Id, false);
        QCOMPARE(QDir(FRoot.filePath(QStringLiteral("applications"))).entryList(QDir::Files).size(),
                 1);
        QCOMPARE(EntryValue(ReadText(menuEntry), QStringLiteral("Name")), QStringLiteral("Moved"));
    }

    void unwritableFolder()
    {
        const QString blocker = FRoot.filePath(QStringLiteral("blocker"));
        QVERIFY(WriteFile(blocker, "not a folder"));
        TLauncherWriter writer = Writer();
        writer.SetApplicationsFolder(blocker + QStringLiteral("/applications"));
        try {
            writer.Write(QStringLiteral("/home/ann/Mail.webapp"), Id, false);
            QFAIL("no error raised");
        } catch (const TLumivaneError &error) {
            QVERIFY(error.message().startsWith(QStringLiteral("Unable to write to ") + blocker));
        }
    }

    // The written launcher is judged by the desktop's own tools: the validator accepts it and a
    // real launch hands the program exactly "/l" and the document's path, whatever characters
    // the folders and names hold.
    void launchesWithPathIntact_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("document");
        QTest::newRow("plain") << QStringLiteral("bin") << QStringLiteral("Mail.webapp");
        QTest::newRow("blanks") << QStringLiteral("my programs")
                                << QStringLiteral("My Mail.webapp");
        QTest::newRow("quotes and dollars")
            << QStringLiteral("it's $HOME") << QStringLiteral("a \"quoted\" $HOME `id`.webapp");
        // GIO looks the program up without undoing "%%", so percent signs go in the document only.
        QTest::newRow("backslash and percent")
            << QStringLiteral("back\\slash") << QStringLiteral("50%f \\n %u.webapp");
        QTest::newRow("shell characters")
            << QStringLiteral("(x) & y; #z") << QStringLiteral("a|b <c> *?~ é.webapp");
    }

    void launchesWithPathIntact()
    {
        QFETCH(QString, folder);
        QFETCH(QString, document);
        const QString gio = QStandardPaths::findExecutable(QStringLiteral("gio"));
        const QString validator =
            QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
        QVERIFY2(!gio.isEmpty(), "gio is missing (libglib2.0-bin)");
        QVERIFY2(!validator.isEmpty(), "desktop-file-validate is missing (desktop-file-utils)");

        // A stand-in for the program that records its arguments, one per line.
        const QString record = FRoot.filePath(QStringLiteral("arguments.txt"));
        QFile::remove(record);
        const QString program = FRoot.filePath(folder + QStringLiteral("/lumivane"));
        QVERIFY(
            WriteFile(program, "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"" +
                                   record.toUtf8() + ".part\" && mv \"" + record.toUtf8() +
                                   ".part\" \"" + record.toUtf8() + "\"\n"));
        QVERIFY(
            QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        const QString doc = FRoot.filePath(document);
        QVERIFY(WriteFile(doc, "[Configuration]\n"));

        const QString entry = Writer(program).Write(doc, Id, false).front();

        QProcess validate;
        validate.setProcessChannelMode(QProcess::MergedChannels);
        validate.setProgram(validator);
        validate.setArguments({entry});
        QVERIFY(RunToEnd(validate));
        QCOMPARE(QString::fromLocal8Bit(validate.readAll()), QString());
        QCOMPARE(validate.exitCode(), 0);

        QProcess launch;
        launch.setProcessChannelMode(QProcess::MergedChannels);
        launch.setProgram(gio);
        launch.setArguments({QStringLiteral("launch"), entry});
        QVERIFY(RunToEnd(launch));
        QVERIFY2(launch.exitCode() == 0, launch.readAll().constData());
        // gio does not wait for what it launched.
        QVERIFY(WaitFor([&record] { return QFileInfo(record).size() > 0; }, TTimeout::Program));
        QCOMPARE(ReadText(record), QStringLiteral("/l\n") + doc + u'\n');
    }
};

QTEST_GUILESS_MAIN(TLauncherWriterTest)
#include "tst_launcherwriter.moc"
