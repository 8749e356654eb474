// SPDX-License-Identifier: GPL-3.0-or-later
#include "designer/mainform.h"
#include "shared/filedialog.h"
#include "shared/messagebox.h"
#include "shared/webappidentity.h"
#include "support/homesandbox.h"
#include "support/testfiles.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTest>

namespace {
// The whole test runs in a home folder of its own: the desktop the designer may write to is
// the home folder's.
THomeSandbox *Home = nullptr;
} // namespace

class TCreateLauncherTest : public QObject
{
    Q_OBJECT

    QString FDocuments;

    static QString MenuEntry(const QByteArray &id)
    {
        return QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation) + u'/' +
               WebAppApplicationId(id) + QStringLiteral(".desktop");
    }
    static QString DesktopEntry(const QByteArray &id)
    {
        return QDir::homePath() + QStringLiteral("/Desktop/") + WebAppApplicationId(id) +
               QStringLiteral(".desktop");
    }
    static void CreateLauncher(TMainForm &form)
    {
        auto *item = form.findChild<QAction *>(QStringLiteral("CreateLauncherItem"));
        QVERIFY(item);
        item->trigger();
    }
    static void TypeUrl(TMainForm &form, const QString &url)
    {
        auto *edit = form.findChild<QLineEdit *>(QStringLiteral("URLEdit"));
        QVERIFY(edit);
        edit->setText(url);
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        FDocuments = Home->FilePath(QStringLiteral("documents"));
        QVERIFY(QDir().mkpath(FDocuments));
    }

    void init()
    {
        TMessageBox::clearShown();
        TFileDialog::clearNextFileName();
    }

    void cleanup()
    {
        QDir(QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation))
            .removeRecursively();
        QDir(QDir::homePath() + QStringLiteral("/Desktop")).removeRecursively();
    }

    // A new web app is saved through Save As first; the launcher starts that document.
    void newDocumentSavedFirst()
    {
        TMainForm form;
        TypeUrl(form, QStringLiteral("https://mail.example.org/"));
        const QString document = FDocuments + QStringLiteral("/My Mail.webapp");
        TFileDialog::setNextFileName(document);
        TMessageBox::setNextAnswer(QMessageBox::No);
        CreateLauncher(form);

        QCOMPARE(form.FileName(), document);
        QVERIFY(!form.Modified());
        QVERIFY(QFileInfo(document).isFile());
        QVERIFY(!form.WebApp().Id.isEmpty());
        const QString entry = ReadText(MenuEntry(form.WebApp().Id));
        QVERIFY(entry.contains(QStringLiteral("\nName=My Mail\n")));
        QVERIFY(entry.contains(QStringLiteral(" /l \"") + document + QStringLiteral("\"\n")));
        QVERIFY(entry.contains(QStringLiteral("\nStartupWMClass=") +
                               WebAppApplicationId(form.WebApp().Id) + u'\n'));
        QVERIFY(!QFileInfo::exists(DesktopEntry(form.WebApp().Id)));

        QCOMPARE(TMessageBox::shown().size(), 1);
        QCOMPARE(TMessageBox::shown().front().Icon, QMessageBox::Question);
        QCOMPARE(TMessageBox::shown().front().DefaultButton, QMessageBox::No);
    }

    // Unsaved changes are saved into the open document before the launcher is written, and Yes
    // puts a copy on the desktop that the desktop will start.
    void changesSavedAndDesktopCopy()
    {
        TMainForm form;
        const QString document = FDocuments + QStringLiteral("/Tasks.webapp");
        TFileDialog::setNextFileName(document);
        TMessageBox::setNextAnswer(QMessageBox::No);
        CreateLauncher(form);
        const QByteArray id = form.WebApp().Id;

        TypeUrl(form, QStringLiteral("https://tasks.example.org/"));
        QVERIFY(form.Modified());
        TMessageBox::setNextAnswer(QMessageBox::Yes);
        CreateLauncher(form);
        QVERIFY(!form.Modified());
        QCOMPARE(LoadWebApp(document).URL, QByteArray("https://tasks.example.org/"));
        QCOMPARE(form.WebApp().Id, id);
        QVERIFY(QFileInfo(DesktopEntry(id)).isExecutable());
        QCOMPARE(ReadText(DesktopEntry(id)), ReadText(MenuEntry(id)));
    }

    void cancelled()
    {
        // Save As cancelled: no launcher and no question.
        {
            TMainForm form;
            TFileDialog::setNextFileName(QString());
            CreateLauncher(form);
            QVERIFY(form.FileName().isEmpty());
            QVERIFY(TMessageBox::shown().isEmpty());
            QVERIFY(QDir(QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation))
                        .entryList(QDir::Files)
                        .isEmpty());
        }
        // The question cancelled: the document is saved, but no launcher is written.
        {
            TMainForm form;
            const QString document = FDocuments + QStringLiteral("/Notes.webapp");
            TFileDialog::setNextFileName(document);
            TMessageBox::setNextAnswer(QMessageBox::Cancel);
            CreateLauncher(form);
            QVERIFY(QFileInfo(document).isFile());
            QVERIFY(!QFileInfo::exists(MenuEntry(form.WebApp().Id)));
        }
    }

    // A document deleted behind the designer's back is written again, so the launcher never
    // points at nothing.
    void missingDocumentRewritten()
    {
        TMainForm form;
        const QString document = FDocuments + QStringLiteral("/Gone.webapp");
        TFileDialog::setNextFileName(document);
        TMessageBox::setNextAnswer(QMessageBox::No);
        CreateLauncher(form);
        QVERIFY(QFile::remove(document));
        TMessageBox::setNextAnswer(QMessageBox::No);
        CreateLauncher(form);
        QVERIFY(QFileInfo(document).isFile());
        QVERIFY(QFileInfo::exists(MenuEntry(form.WebApp().Id)));
    }
};

int main(int argc, char **argv)
{
    THomeSandbox home;
    if (!home.IsValid())
        return 1;
    Home = &home;
    QApplication app(argc, argv);
    TCreateLauncherTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_createlauncher.moc"
