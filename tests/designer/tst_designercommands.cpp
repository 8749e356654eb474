// SPDX-License-Identifier: GPL-3.0-or-later
// The designer's commands: Open, Save, Save As, Exit and the close box, with the unsaved-changes
// question, the file dialogs and the error display of a failed save.

#include "designertesting.h"
#include "document/webapp.h"
#include "runner/runnerentry.h"
#include "runner/webappform.h"
#include "runner/webbrowserex.h"
#include "shared/filedialog.h"
#include "shared/messagebox.h"
#include "shared/shellhelpers.h"
#include "support/homesandbox.h"
#include "support/httptestserver.h"
#include "support/testfiles.h"
#include "support/wait.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebEnginePage>
#include <memory>

namespace {

const QString Question = QStringLiteral("Your changes have not been saved. Save them?");

QStringList FileLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromLatin1(file.readAll()).split(u'\n');
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    for (QString &line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
    }
    return lines;
}

// Records how the next dialog was set up without showing one, so that a later lastOptions()
// tells whether a command showed a dialog of its own.
void ForgetLastDialog()
{
    TFileDialog::setNextFileName(QString());
    TFileDialog::getOpenFileName(nullptr, QStringLiteral("none"), {}, {}, {});
}

bool NoDialogSince()
{
    return TFileDialog::lastOptions().Title == QStringLiteral("none");
}

} // namespace

class TDesignerCommandsTest : public QObject, public TDesignerFixture
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void menuItems();
    void firstSaveWritesThirteenLines();
    void saveWithoutPathCancelled();
    void saveKeepsIdAndStartsInDocumentFolder();
    void openShowsDocument();
    void saveKeepsUrlBytesUntilEdited();
    void mimicShownAndSaved_data();
    void mimicShownAndSaved();
    void openAsksFirst_data();
    void openAsksFirst();
    void exitAndCloseBoxAsk_data();
    void exitAndCloseBoxAsk();
    void failedSaveStopsOpenAndExit();
    void realSaveDialog();
    void previewRunsUnderFreshIds();
    void previewPresentsChosenMimic();
    void previewThatFails();
    void previewWithoutRunnerModule();
    void aboutNamesTheWebEngine();

private:
    QString Path(const QString &name) const { return FDir->filePath(name); }
    void TypeURL(const QString &text) { QTest::keyClicks(Control<QLineEdit>("URLEdit"), text); }
    void VerifyQuestion(int index);

    std::unique_ptr<QTemporaryDir> FDir; // fresh for every test
    // A home of the test's own, so that the desktop folder is the test's to make or leave out.
    std::unique_ptr<THomeSandbox> FHome;
    TRunnerEntry FRunner; // the runner linked in, in place of the program's module
};

void TDesignerCommandsTest::init()
{
    SetRunnerModule(&FRunner);
    FDir = std::make_unique<QTemporaryDir>();
    QVERIFY(FDir->isValid());
    FHome = std::make_unique<THomeSandbox>();
    QVERIFY(FHome->IsValid());
    Start();
}

void TDesignerCommandsTest::cleanup()
{
    Finish();
    FHome.reset();
}

void TDesignerCommandsTest::VerifyQuestion(int index)
{
    QVERIFY(TMessageBox::shown().size() > index);
    const TMessageBox::TShown &shown = TMessageBox::shown().at(index);
    QCOMPARE(shown.Icon, QMessageBox::Question);
    QCOMPARE(shown.Title, QStringLiteral("Veldrane Lumivane"));
    QCOMPARE(shown.Text, Question);
    QCOMPARE(shown.Buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    QCOMPARE(shown.DefaultButton, QMessageBox::Yes);
}

void TDesignerCommandsTest::menuItems()
{
    QCOMPARE(Control<QMenuBar>("MainMenu")->actions().size(), 1);
    auto *menu = Control<QMenu>("WebAppsMenu");
    QCOMPARE(Control<QMenuBar>("MainMenu")->actions().constFirst(), menu->menuAction());
    QCOMPARE(menu->title(), QStringLiteral("&WebApps"));

    struct TItem
    {
        const char *Name;
        const char *Text;
        const char *Shortcut;
    };
    const TItem items[] = {
        {"OpenItem", "&Open...", "Ctrl+O"},
        {"SaveItem", "&Save", "Ctrl+S"},
        {"SaveAsItem", "Save &As...", "Ctrl+Shift+S"},
        {"CreateLauncherItem", "Create &Launcher...", ""},
        {"N1", nullptr, nullptr},
        {"AboutItem", "About...", ""},
        {"N2", nullptr, nullptr},
        {"ExitItem", "E&xit", "Alt+F4"},
    };
    const QList<QAction *> actions = menu->actions();
    QCOMPARE(actions.size(), qsizetype(std::size(items)));
    for (int i = 0; i < actions.size(); ++i) {
        const QAction *action = actions.at(i);
        QCOMPARE(action->objectName(), QLatin1String(items[i].Name));
        QCOMPARE(action->isSeparator(), items[i].Text == nullptr);
        if (items[i].Text) {
            QCOMPARE(action->text(), QLatin1String(items[i].Text));
            QCOMPARE(action->shortcut(), QKeySequence(QLatin1String(items[i].Shortcut)));
        }
    }
}

void TDesignerCommandsTest::firstSaveWritesThirteenLines()
{
    const QString desktop = FHome->FilePath(QStringLiteral("Desktop"));
    QVERIFY(QDir().mkpath(desktop));
    QCOMPARE(QDir(GetDesktopFolder()), QDir(desktop));
    TypeURL(QStringLiteral("http://example.test/"));
    const QString path = Path(QStringLiteral("first.webapp"));
    TFileDialog::setNextFileName(path);
    QTest::keySequence(FForm.get(), QKeySequence(QStringLiteral("Ctrl+S")));

    const TFileDialog::TOptions options = TFileDialog::lastOptions();
    QVERIFY(options.Save);
    QCOMPARE(options.Title, QStringLiteral("Save Lumidoc"));
    QCOMPARE(QDir(options.Directory), QDir(desktop));
    QCOMPARE(options.Filter, QStringLiteral("Lumivane (*.webapp)"));
    QCOMPARE(options.DefaultSuffix, QStringLiteral("webapp"));

    const QStringList lines = FileLines(path);
    QCOMPARE(lines.size(), 14);
    const QString id = lines.at(1).mid(3);
    QVERIFY2(lines.at(1).startsWith(u"Id=") && IsRegistryGuid(id.toLatin1()), qPrintable(id));
    QCOMPARE(lines, QStringList({
                        QStringLiteral("[Configuration]"),
                        QStringLiteral("Id=") + id,
                        QStringLiteral("URL=http://example.test/"),
                        QStringLiteral("Mimic=Default"),
                        QStringLiteral("WindowStyle=0"),
                        QStringLiteral("WindowSize=0"),
                        QStringLiteral("WindowPosition=0"),
                        QStringLiteral("Width=100"),
                        QStringLiteral("Height=100"),
                        QStringLiteral("Flip=0"),
                        QStringLiteral("StayOnTop=0"),
                        QStringLiteral("RememberLastPosition=0"),
                        QStringLiteral("RememberLastSize=0"),
                        QStringLiteral("ShowControlPanel=1"),
                    }));
    QCOMPARE(FForm->windowTitle(), QStringLiteral("Veldrane Lumivane - first.webapp"));
    QCOMPARE(PathPanelText(*FForm), QDir::toNativeSeparators(path));
    QVERIFY(ModifiedPanelText(*FForm).isEmpty());
    QVERIFY(TMessageBox::shown().isEmpty());
}

void TDesignerCommandsTest::saveWithoutPathCancelled()
{
    TypeURL(QStringLiteral("x"));
    TFileDialog::setNextFileName(QString());
    QTest::mouseClick(Control<QPushButton>("SaveButton"), Qt::LeftButton);
    QCOMPARE(TFileDialog::lastOptions().Title, QStringLiteral("Save Lumidoc"));
    // No desktop folder: the dialog starts at home rather than being offered "Desktop" as a name.
    QVERIFY(!QFileInfo::exists(GetDesktopFolder()));
    QCOMPARE(QDir(TFileDialog::lastOptions().Directory), QDir(FHome->Path()));
    QCOMPARE(FForm->windowTitle(), QStringLiteral("Veldrane Lumivane"));
    QCOMPARE(ModifiedPanelText(*FForm), QStringLiteral("Modified"));
    QVERIFY(FForm->FileName().isEmpty());
    QVERIFY(QDir(FDir->path()).entryList({QStringLiteral("*.webapp")}, QDir::Files).isEmpty());
}

void TDesignerCommandsTest::saveKeepsIdAndStartsInDocumentFolder()
{
    QVERIFY(QDir(FDir->path()).mkdir(QStringLiteral("Apps")));
    const QString first = Path(QStringLiteral("Apps/Mail.webapp"));
    TypeURL(QStringLiteral("http://mail.test/"));
    SaveAs(first);
    const QByteArray id = LoadWebApp(first).Id;
    QVERIFY(IsRegistryGuid(id));

    // Save writes again even without changes, under the same identifier.
    QVERIFY(QFile::remove(first));
    QTest::keySequence(FForm.get(), QKeySequence(QStringLiteral("Ctrl+S")));
    QCOMPARE(LoadWebApp(first).Id, id);

    // The next dialogs start in the document's folder.
    const QString second = Path(QStringLiteral("Second.webapp"));
    SaveAs(second);
    QCOMPARE(TFileDialog::lastOptions().Directory, Path(QStringLiteral("Apps/")));
    QCOMPARE(LoadWebApp(second).Id, id);
    Open(first);
    QCOMPARE(TFileDialog::lastOptions().Directory, FDir->path() + u'/');
    QVERIFY(!TFileDialog::lastOptions().Save);
    QCOMPARE(TFileDialog::lastOptions().Title, QStringLiteral("Open Lumidoc"));
    QCOMPARE(TFileDialog::lastOptions().Filter, QStringLiteral("Lumivane (*.webapp)"));
    QCOMPARE(TFileDialog::lastOptions().DefaultSuffix, QStringLiteral("webapp"));

    // Save As after Open carries the opened document's identifier into the new file.
    const QString third = Path(QStringLiteral("Third.webapp"));
    SaveAs(third);
    QCOMPARE(LoadWebApp(third).Id, id);
    QVERIFY(TMessageBox::shown().isEmpty());
}

void TDesignerCommandsTest::openShowsDocument()
{
    // A custom size, a mimic written by hand and keys out of the usual order.
    const QString path = Path(QStringLiteral("Hand.webapp"));
    QVERIFY(WriteAll(path,
                     "[Configuration]\r\n"
                     "Mimic=iphone\r\n"
                     "Id={0D7B7C2E-51C6-4B37-9E0A-6B1C2D3E4F50}\r\n"
                     "URL=http://hand.test/\r\n"
                     "WindowStyle=3\r\nWindowSize=1\r\nWindowPosition=5\r\n"
                     "Width=300\r\nHeight=500\r\nFlip=1\r\nStayOnTop=1\r\n"
                     "RememberLastPosition=0\r\nRememberLastSize=1\r\nShowControlPanel=0\r\n"));
    const TWebApp document = LoadWebApp(path);
    TypeURL(QStringLiteral("dropped"));
    TMessageBox::setNextAnswer(QMessageBox::No);
    Open(path);

    QCOMPARE(FForm->windowTitle(), QStringLiteral("Veldrane Lumivane - Hand.webapp"));
    QCOMPARE(PathPanelText(*FForm), QDir::toNativeSeparators(path));
    QVERIFY(ModifiedPanelText(*FForm).isEmpty());
    QCOMPARE(Control<QLineEdit>("URLEdit")->text(), QStringLiteral("http://hand.test/"));
    QCOMPARE(Control<QLineEdit>("URLEdit")->cursorPosition(), 0); // a long one shows its start
    QCOMPARE(Control<QComboBox>("SizeComboBox")->currentIndex(), wsCustom);
    QCOMPARE(Control<QComboBox>("PositionComboBox")->currentIndex(), 5);
    QCOMPARE(Control<QLineEdit>("WidthEdit")->text(), QStringLiteral("300"));
    QCOMPARE(Control<QLineEdit>("HeightEdit")->text(), QStringLiteral("500"));
    QVERIFY(Control<QCheckBox>("FlipCheckBox")->isChecked());
    QVERIFY(!Control<QCheckBox>("ShowControlPanelCheckBox")->isChecked());

    QCOMPARE(Control<QComboBox>("MimicComboBox")->currentText(), QStringLiteral("iPhone"));

    // Saved again: the same record, the mimic as written by hand included.
    QTest::keySequence(FForm.get(), QKeySequence(QStringLiteral("Ctrl+S")));
    QCOMPARE(LoadWebApp(path), document);
}

void TDesignerCommandsTest::saveKeepsUrlBytesUntilEdited()
{
    // Written on a system with another encoding: the byte is no text in this one.
    const QString path = Path(QStringLiteral("Latin.webapp"));
    QVERIFY(WriteAll(path, "[Configuration]\nURL=http://caf\xe9.test/men\xfc\nWindowSize=0\n"));
    Open(path);
    Control<QCheckBox>("StayOnTopCheckBox")->click();
    QTest::keySequence(FForm.get(), QKeySequence(QStringLiteral("Ctrl+S")));
    QVERIFY(TMessageBox::shown().isEmpty());
    QCOMPARE(LoadWebApp(path).URL, QByteArray("http://caf\xe9.test/men\xfc"));
    QVERIFY(LoadWebApp(path).StayOnTop);

    // Once the user edits the address, what the box shows is saved.
    QLineEdit *edit = Control<QLineEdit>("URLEdit");
    edit->setText(QStringLiteral("http://caf\u00e9.test/"));
    QTest::keySequence(FForm.get(), QKeySequence(QStringLiteral("Ctrl+S")));
    QCOMPARE(LoadWebApp(path).URL, edit->text().toLocal8Bit());
}

void TDesignerCommandsTest::mimicShownAndSaved_data()
{
    QTest::addColumn<QByteArray>("line"); // the document's Mimic line, if any
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("picked"); // the entry the user then picks, if any
    QTest::addColumn<QByteArray>("saved");

    const QString engine = QStringLiteral("Default (the web engine's own)");
    QTest::newRow("no key") << QByteArray() << engine << QString() << QByteArray("Default");
    QTest::newRow("Default") << QByteArray("Mimic=Default") << engine << QString()
                             << QByteArray("Default");
    QTest::newRow("default in capitals")
        << QByteArray("Mimic=DEFAULT") << engine << QString() << QByteArray("DEFAULT");
    QTest::newRow("known, lower case")
        << QByteArray("Mimic=internet explorer 6") << "Internet Explorer 6" << QString()
        << QByteArray("internet explorer 6");
    QTest::newRow("known, capitals")
        << QByteArray("Mimic=IPAD") << "iPad" << QString() << QByteArray("IPAD");
    QTest::newRow("known, as listed") << QByteArray("Mimic=Windows Phone 7") << "Windows Phone 7"
                                      << QString() << QByteArray("Windows Phone 7");
    QTest::newRow("unknown") << QByteArray("Mimic=Internet Explorer 11") << "Internet Explorer 11"
                             << QString() << QByteArray("Internet Explorer 11");
    QTest::newRow("unknown, another encoding")
        << QByteArray("Mimic=Caf\xe9 \xae") << QString::fromLocal8Bit("Caf\xe9 \xae") << QString()
        << QByteArray("Caf\xe9 \xae");
    QTest::newRow("unknown, another picked") << QByteArray("Mimic=Android") << "Android"
                                             << "iPhone" << QByteArray("iPhone");
    QTest::newRow("known, Default picked")
        << QByteArray("Mimic=iphone") << "iPhone" << engine << QByteArray("Default");
    QTest::newRow("known, another picked") << QByteArray("Mimic=iphone") << "iPhone"
                                           << "iPad" << QByteArray("iPad");
}

void TDesignerCommandsTest::mimicShownAndSaved()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, shown);
    QFETCH(QString, picked);
    QFETCH(QByteArray, saved);

    const QString path = Path(QStringLiteral("mimic.webapp"));
    QVERIFY(
        WriteAll(path, "[Configuration]\nURL=http://mimic.test/\n" + line + "\nWindowSize=0\n"));
    Open(path);
    auto *box = Control<QComboBox>("MimicComboBox");
    QCOMPARE(box->currentText(), shown);
    const int listed = int(MimicTexts().size()) + 1;
    QCOMPARE(box->count(), listed + (box->currentIndex() >= listed ? 1 : 0));
    QVERIFY(!FForm->Modified());
    if (!picked.isEmpty()) {
        const int entry = box->findText(picked);
        QVERIFY(entry >= 0);
        box->setCurrentIndex(entry);
        QCOMPARE(ModifiedPanelText(*FForm), QStringLiteral("Modified"));
    }
    QTest::keySequence(FForm.get(), QKeySequence(QStringLiteral("Ctrl+S")));
    QVERIFY(TMessageBox::shown().isEmpty());
    QCOMPARE(LoadWebApp(path).Mimic, saved);
    QVERIFY(FileLines(path).contains(QStringLiteral("Mimic=") + QString::fromLatin1(saved)));

    // A document's own entry goes when another document is opened.
    QVERIFY(WriteAll(path, "[Configuration]\nMimic=iPhone\n"));
    Open(path);
    QCOMPARE(box->count(), listed);
    QCOMPARE(box->currentText(), QStringLiteral("iPhone"));
}

void TDesignerCommandsTest::openAsksFirst_data()
{
    QTest::addColumn<bool>("named");    // the edited document already has a path
    QTest::addColumn<int>("answer");    // to the question; NoButton: no changes, no question
    QTest::addColumn<bool>("saveName"); // the save dialog picks a file (else it is cancelled)
    QTest::addColumn<bool>("saved");    // the edit reached a file
    QTest::addColumn<bool>("opened");

    QTest::newRow("no changes") << true << int(QMessageBox::NoButton) << false << false << true;
    QTest::newRow("No") << true << int(QMessageBox::No) << false << false << true;
    QTest::newRow("Cancel") << true << int(QMessageBox::Cancel) << false << false << false;
    QTest::newRow("Yes") << true << int(QMessageBox::Yes) << false << true << true;
    QTest::newRow("Yes, new, save cancelled")
        << false << int(QMessageBox::Yes) << false << false << false;
    QTest::newRow("Yes, new, saved") << false << int(QMessageBox::Yes) << true << true << false;
}

void TDesignerCommandsTest::openAsksFirst()
{
    QFETCH(bool, named);
    QFETCH(int, answer);
    QFETCH(bool, saveName);
    QFETCH(bool, saved);
    QFETCH(bool, opened);

    const QString other = Path(QStringLiteral("Other.webapp"));
    TWebApp otherApp;
    otherApp.URL = QByteArrayLiteral("http://other.test/");
    SaveWebApp(other, otherApp);

    const QString edited = Path(QStringLiteral("Edited.webapp"));
    if (named)
        SaveAs(edited);
    if (answer != QMessageBox::NoButton)
        TypeURL(QStringLiteral("http://edit.test/"));
    TMessageBox::clearShown();
    TMessageBox::setNextAnswer(TMessageBox::Button(answer));

    if (!named) {
        // One prepared answer only: it goes to the save dialog, and no open dialog may follow
        // when the save dialog is cancelled. A save that goes through is followed by the real
        // open dialog, which is rejected as it appears.
        TFileDialog::setNextFileName(saveName ? edited : QString());
        QTest::keySequence(FForm.get(), QKeySequence(QStringLiteral("Ctrl+O")));
        if (saveName)
            QVERIFY2(FQuestions->Texts.removeOne(QStringLiteral("Open Lumidoc")),
                     "no open dialog after the save");
    } else {
        Open(other);
    }

    QCOMPARE(TMessageBox::shown().size(), answer == QMessageBox::NoButton ? 0 : 1);
    if (answer != QMessageBox::NoButton)
        VerifyQuestion(0);
    QCOMPARE(LoadWebApp(edited).URL == QByteArrayLiteral("http://edit.test/"), saved);
    QCOMPARE(FForm->FileName() == other, opened);
    if (opened) {
        QCOMPARE(Control<QLineEdit>("URLEdit")->text(), QStringLiteral("http://other.test/"));
        QVERIFY(!FForm->Modified());
    } else {
        QCOMPARE(FForm->Modified(), !saved);
        QCOMPARE(FForm->FileName(), named || saved ? edited : QString());
    }
    TFileDialog::clearNextFileName();
}

void TDesignerCommandsTest::exitAndCloseBoxAsk_data()
{
    QTest::addColumn<QString>("trigger");
    QTest::addColumn<bool>("modified");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<bool>("saved");

    for (const char *trigger : {"CloseButton", "ExitItem", "Alt+F4", "close box"}) {
        const QByteArray name(trigger);
        QTest::newRow(name + ", no changes")
            << trigger << false << int(QMessageBox::NoButton) << true << false;
        QTest::newRow(name + ", No") << trigger << true << int(QMessageBox::No) << true << false;
        QTest::newRow(name + ", Cancel")
            << trigger << true << int(QMessageBox::Cancel) << false << false;
        QTest::newRow(name + ", Yes") << trigger << true << int(QMessageBox::Yes) << true << true;
    }
}

void TDesignerCommandsTest::exitAndCloseBoxAsk()
{
    QFETCH(QString, trigger);
    QFETCH(bool, modified);
    QFETCH(int, answer);
    QFETCH(bool, closed);
    QFETCH(bool, saved);

    const QString path = Path(QStringLiteral("Exit.webapp"));
    SaveAs(path);
    if (modified)
        TypeURL(QStringLiteral("http://late.test/"));
    TMessageBox::setNextAnswer(TMessageBox::Button(answer));

    if (trigger == u"CloseButton")
        QTest::mouseClick(Control<QPushButton>("CloseButton"), Qt::LeftButton);
    else if (trigger == u"ExitItem")
        Control<QAction>("ExitItem")->trigger();
    else if (trigger == u"Alt+F4")
        QTest::keyClick(FForm.get(), Qt::Key_F4, Qt::AltModifier);
    else
        FForm->close(); // what the window manager's close box asks for

    // Asked once, never twice, whichever way the window was closed.
    QCOMPARE(TMessageBox::shown().size(), modified ? 1 : 0);
    if (modified)
        VerifyQuestion(0);
    QCOMPARE(FForm->isVisible(), !closed);
    QCOMPARE(LoadWebApp(path).URL == QByteArrayLiteral("http://late.test/"), saved);
    QCOMPARE(FForm->Modified(), modified && !saved);
}

void TDesignerCommandsTest::failedSaveStopsOpenAndExit()
{
    // Two boxes in a row, the question and the error: the question takes the prepared answer,
    // the error box is a real one, closed through a timer.
    AnswerDialogsInTest();
    const QString path = Path(QStringLiteral("Locked.webapp"));
    SaveAs(path);
    QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    TypeURL(QStringLiteral("http://locked.test/"));
    const QString error = QStringLiteral("Unable to write to ") + path + u'.';

    const auto answerYesThenCloseError = [this] {
        TMessageBox::clearShown();
        TMessageBox::setNextAnswer(QMessageBox::Yes);
        QTimer::singleShot(100, this, [] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
                box->button(QMessageBox::Ok)->click();
        });
    };

    // Open: no open dialog follows the failed save.
    ForgetLastDialog();
    answerYesThenCloseError();
    QTest::keySequence(FForm.get(), QKeySequence(QStringLiteral("Ctrl+O")));
    QCOMPARE(TMessageBox::shown().size(), 2);
    VerifyQuestion(0);
    QCOMPARE(TMessageBox::shown().at(1).Icon, QMessageBox::Critical);
    QCOMPARE(TMessageBox::shown().at(1).Text, error);
    QVERIFY(NoDialogSince());
    QCOMPARE(FForm->FileName(), path);
    QVERIFY(FForm->Modified());

    // Exit and the close box: the window stays.
    answerYesThenCloseError();
    QTest::mouseClick(Control<QPushButton>("CloseButton"), Qt::LeftButton);
    QCOMPARE(TMessageBox::shown().size(), 2);
    QCOMPARE(TMessageBox::shown().at(1).Text, error);
    QVERIFY(FForm->isVisible());
    QCOMPARE(ModifiedPanelText(*FForm), QStringLiteral("Modified"));

    answerYesThenCloseError();
    FForm->close();
    QCOMPARE(TMessageBox::shown().size(), 2);
    QCOMPARE(TMessageBox::shown().at(1).Text, error);
    QVERIFY(FForm->isVisible());
    QVERIFY(!QApplication::activeModalWidget());
}

void TDesignerCommandsTest::realSaveDialog()
{
    AnswerDialogsInTest();
    TypeURL(QStringLiteral("http://typed.test/"));
    const QString typed = Path(QStringLiteral("typed"));
    QString problem = QStringLiteral("no dialog appeared");

    // The dialog as the user sees it: pick a name without the extension.
    QTimer::singleShot(100, this, [&] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        if (dialog->windowTitle() != u"Save Lumidoc")
            problem = QStringLiteral("title ") + dialog->windowTitle();
        else if (dialog->nameFilters() != QStringList(QStringLiteral("Lumivane (*.webapp)")))
            problem = QStringLiteral("filter ") + dialog->nameFilters().join(u';');
        else if (dialog->defaultSuffix() != u"webapp")
            problem = QStringLiteral("suffix ") + dialog->defaultSuffix();
        else if (dialog->acceptMode() != QFileDialog::AcceptSave)
            problem = QStringLiteral("not a save dialog");
        else
            problem.clear();
        dialog->setDirectory(FDir->path());
        QTest::keyClicks(Find<QLineEdit>(dialog, "fileNameEdit"), QStringLiteral("typed"));
        static_cast<QDialog *>(dialog)->accept(); // as the Save button does
    });
    QTest::keySequence(FForm.get(), QKeySequence(QStringLiteral("Ctrl+S")));
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    const QString saved = typed + QStringLiteral(".webapp");
    QCOMPARE(FForm->FileName(), saved);
    QCOMPARE(LoadWebApp(saved).URL, QByteArrayLiteral("http://typed.test/"));

    // Choosing the existing file asks before overwriting it; the test agrees.
    Control<QLineEdit>("URLEdit")->setText(QStringLiteral("http://again.test/"));
    ShowActive(); // the closed dialog took the activation with it
    bool overwriteAsked = false;
    QTimer::singleShot(100, this, [&] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        QTimer::singleShot(100, this, [&] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                overwriteAsked = true;
                box->button(QMessageBox::Yes)->click();
            }
        });
        dialog->setDirectory(FDir->path());
        Find<QLineEdit>(dialog, "fileNameEdit")->setText(QStringLiteral("typed.webapp"));
        static_cast<QDialog *>(dialog)->accept(); // as the Save button does
    });
    QTest::keySequence(FForm.get(), QKeySequence(QStringLiteral("Ctrl+Shift+S")));
    QVERIFY(overwriteAsked);
    QCOMPARE(LoadWebApp(saved).URL, QByteArrayLiteral("http://again.test/"));
    QVERIFY(!FForm->Modified());

    // A name in a folder that does not exist: the dialog says so and stays open.
    ShowActive();
    const QString missing = Path(QStringLiteral("missing"));
    bool stayedOpen = false;
    QTimer::singleShot(100, this, [&] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        TMessageBox::setNextAnswer(QMessageBox::Ok);
        dialog->setDirectory(FDir->path());
        Find<QLineEdit>(dialog, "fileNameEdit")->setText(QStringLiteral("missing/new"));
        static_cast<QDialog *>(dialog)->accept(); // as the Save button does
        stayedOpen = dialog->isVisible() && dialog->result() != QDialog::Accepted;
        dialog->reject();
    });
    QTest::keySequence(FForm.get(), QKeySequence(QStringLiteral("Ctrl+Shift+S")));
    QVERIFY(stayedOpen);
    QCOMPARE(TMessageBox::shown().size(), 1);
    QCOMPARE(TMessageBox::shown().constFirst().Icon, QMessageBox::Warning);
    QCOMPARE(TMessageBox::shown().constFirst().Title, QStringLiteral("Save Lumidoc"));
    QVERIFY2(TMessageBox::shown().constFirst().Text.startsWith(QDir::toNativeSeparators(missing)),
             qPrintable(TMessageBox::shown().constFirst().Text));
    QCOMPARE(FForm->FileName(), saved); // cancelled: nothing changed
    QVERIFY(!QFileInfo::exists(missing));
}

namespace {

// What a preview window showed while it was open.
struct TPreviewSeen
{
    QPointer<TWebAppForm> Form;
    QByteArray Id;
    QByteArray URL;
    bool Preview = false;
    bool DesignerDisabled = false;
    bool Loaded = false;
};

TWebAppForm *OpenPreview()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *form = qobject_cast<TWebAppForm *>(widget); form && form->isVisible())
            return form;
    }
    return nullptr;
}

} // namespace

void TDesignerCommandsTest::previewRunsUnderFreshIds()
{
    AnswerDialogsInTest(); // the preview is a modal window of its own
    const QString path = Path(QStringLiteral("Previewed.webapp"));
    TypeURL(QStringLiteral("data:text/html,<title>Previewed</title><p>page</p>"));
    SaveAs(path);
    TypeURL(QStringLiteral("<!-- unsaved -->"));
    const QByteArray documentId = LoadWebApp(path).Id;
    QVERIFY(IsRegistryGuid(documentId));

    // The first preview is closed by its user, the second by its page.
    QList<TPreviewSeen> previews;
    for (const bool pageCloses : {false, true}) {
        TPreviewSeen seen;
        QTimer poll;
        poll.setInterval(50);
        connect(&poll, &QTimer::timeout, this, [&] {
            if (!seen.Form) {
                seen.Form = OpenPreview();
                if (!seen.Form)
                    return;
                seen.Id = seen.Form->WebApp().Id;
                seen.URL = seen.Form->WebApp().URL;
                seen.Preview = seen.Form->Role() == TWebAppForm::TRole::Preview;
                seen.DesignerDisabled = !FForm->isEnabled();
            }
            if (seen.Form->windowTitle() != u"Previewed" || seen.Loaded)
                return;
            seen.Loaded = true;
            if (pageCloses)
                seen.Form->Browser()->page()->runJavaScript(QStringLiteral("window.close()"));
            else
                seen.Form->close();
        });
        poll.start();
        // Whatever happens, the test does not wait for ever; but having to close the preview
        // here is a failure.
        QTimer guard;
        guard.setSingleShot(true);
        connect(&guard, &QTimer::timeout, this, [&] {
            if (seen.Form)
                seen.Form->close();
        });
        guard.start(TTimeout::Page);
        QTest::mouseClick(Control<QPushButton>("PreviewButton"), Qt::LeftButton);
        poll.stop();
        QVERIFY2(guard.isActive(), "the preview did not end by itself");

        QVERIFY2(seen.Loaded, "the preview did not show its page");
        QVERIFY(seen.Preview);
        QVERIFY(seen.DesignerDisabled);
        QVERIFY(seen.Form.isNull()); // destroyed with the command
        QVERIFY(!OpenPreview());
        QCOMPARE(seen.URL,
                 QByteArrayLiteral(
                     "data:text/html,<title>Previewed</title><p>page</p><!-- unsaved -->"));
        previews << seen;
    }

    QVERIFY(IsRegistryGuid(previews.at(0).Id));
    QVERIFY(IsRegistryGuid(previews.at(1).Id));
    QVERIFY(previews.at(0).Id != previews.at(1).Id);
    QVERIFY(previews.at(0).Id != documentId);
    QVERIFY(previews.at(1).Id != documentId);

    // The designer is as it was: same document, same identifier, same unsaved change.
    QVERIFY(FForm->isVisible());
    QVERIFY(FForm->isEnabled());
    QCOMPARE(FForm->FileName(), path);
    QCOMPARE(FForm->WebApp().Id, documentId);
    QCOMPARE(ModifiedPanelText(*FForm), QStringLiteral("Modified"));
    QCOMPARE(ApplicationTitle(), QStringLiteral("Veldrane Lumivane"));
    QCOMPARE(LoadWebApp(path).Id, documentId);
    QVERIFY(TMessageBox::shown().isEmpty());
}

void TDesignerCommandsTest::previewPresentsChosenMimic()
{
    AnswerDialogsInTest(); // the preview is a modal window of its own
    THttpTestServer server;
    server.Serve("/agent", "<title>Agent</title>");
    TypeURL(server.Url("/agent").toString());
    auto *box = Control<QComboBox>("MimicComboBox");
    box->setCurrentIndex(box->findText(QStringLiteral("iPad")));

    // The preview is closed once the site has been asked for its page.
    QTimer poll;
    poll.setInterval(50);
    connect(&poll, &QTimer::timeout, this, [&] {
        if (TWebAppForm *preview = OpenPreview(); preview && server.Count("/agent") > 0)
            preview->close();
    });
    poll.start();
    QTimer guard;
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, this, [] {
        if (TWebAppForm *preview = OpenPreview())
            preview->close();
    });
    guard.start(TTimeout::Page);
    QTest::mouseClick(Control<QPushButton>("PreviewButton"), Qt::LeftButton);
    QVERIFY2(guard.isActive(), "the site was never asked for the page");
    QVERIFY(server.Count("/agent") > 0);
    QCOMPARE(server.Find("/agent")->UserAgent,
             QByteArray("Mozilla/5.0 (iPad; U; CPU OS 3_2 like Mac OS X; en-us) "
                        "AppleWebKit/531.21.10 (KHTML, like Gecko) Version/4.0.4 Mobile/7B334b "
                        "Safari/531.21.10"));
}

void TDesignerCommandsTest::previewThatFails()
{
    // Nothing to navigate to: the error reaches the error display and no window stays behind.
    TMessageBox::setNextAnswer(QMessageBox::Ok);
    QTest::mouseClick(Control<QPushButton>("PreviewButton"), Qt::LeftButton);
    QCOMPARE(TMessageBox::shown().size(), 1);
    QCOMPARE(TMessageBox::shown().constFirst().Icon, QMessageBox::Critical);
    QCOMPARE(TMessageBox::shown().constFirst().Title, ApplicationTitle());
    QVERIFY(!OpenPreview());
    for (QWidget *widget : QApplication::topLevelWidgets())
        QVERIFY(!qobject_cast<TWebAppForm *>(widget));
    QVERIFY(FForm->isEnabled());
    QVERIFY(!FForm->Modified());
}

void TDesignerCommandsTest::previewWithoutRunnerModule()
{
    // No module beside the test program: the command fails with a message, and the designer is
    // left as it was, its cursor included.
    SetRunnerModule(nullptr);
    TypeURL(QStringLiteral("data:text/html,<p>page</p>"));
    TMessageBox::setNextAnswer(QMessageBox::Ok);
    QTest::mouseClick(Control<QPushButton>("PreviewButton"), Qt::LeftButton);
    QCOMPARE(TMessageBox::shown().size(), 1);
    const QString text = TMessageBox::shown().constFirst().Text;
    QVERIFY2(text.startsWith(QStringLiteral("Unable to find ")), qPrintable(text));
    QVERIFY2(text.contains(RunnerModuleFileName()), qPrintable(text));
    QVERIFY(!OpenPreview());
    QVERIFY(FForm->isEnabled());
    QVERIFY(!QGuiApplication::overrideCursor());
    QCOMPARE(ApplicationTitle(), QStringLiteral("Veldrane Lumivane"));
    QCOMPARE(ModifiedPanelText(*FForm), QStringLiteral("Modified"));
}

void TDesignerCommandsTest::aboutNamesTheWebEngine()
{
    // The About window is modal: its line is read from inside it, which then closes it.
    AnswerDialogsInTest();
    QString line;
    QTimer look;
    connect(&look, &QTimer::timeout, this, [&line] {
        auto *about = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!about || about->objectName() != u"AboutForm")
            return;
        const auto *label = about->findChild<QLabel *>(QStringLiteral("EngineLabel"));
        line = label && label->isVisible() ? label->text() : QStringLiteral("none");
        about->reject();
    });
    look.start(20);
    FForm->findChild<QAction *>(QStringLiteral("AboutItem"))->trigger();
    // The versions the running engine reports.
    QVERIFY2(
        QRegularExpression(
            QStringLiteral(R"(^Web engine: Qt WebEngine \d+\.\d+\.\d+ \(Chromium \d+(\.\d+)*\)$)"))
            .match(line)
            .hasMatch(),
        qPrintable(line));
    QVERIFY(!QGuiApplication::overrideCursor());
}

LUMIVANE_DESIGNER_TEST_MAIN(TDesignerCommandsTest)
#include "tst_designercommands.moc"
