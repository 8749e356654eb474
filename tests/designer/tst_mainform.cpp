// SPDX-License-Identifier: GPL-3.0-or-later
// The designer window: its start-up state, the handlers that keep its controls consistent, the
// record it fills and shows, its pictures and its fit to the desktop font.

#include "designertesting.h"
#include "document/webapp.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QSet>
#include <QTranslator>
#include <memory>

Q_DECLARE_METATYPE(TWebApp)

namespace {

QStringList Items(const QComboBox *box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

QStringList Items(const QListWidget *list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->item(i)->text();
    return items;
}

QImage Picture(const QLabel *label)
{
    return label->pixmap().toImage();
}

TWebApp Record(QByteArray url, qint32 style, qint32 size, qint32 position, qint32 width,
               qint32 height, bool flip, bool stayOnTop, bool rememberPosition, bool rememberSize,
               bool controlPanel)
{
    TWebApp webApp;
    webApp.Id = QByteArrayLiteral("{6F9619FF-8B86-D011-B42D-00C04FC964FF}");
    webApp.URL = std::move(url);
    webApp.Mimic = QByteArrayLiteral("Default");
    webApp.WindowStyle = style;
    webApp.WindowSize = size;
    webApp.WindowPosition = position;
    webApp.Width = width;
    webApp.Height = height;
    webApp.Flip = flip;
    webApp.StayOnTop = stayOnTop;
    webApp.RememberLastPosition = rememberPosition;
    webApp.RememberLastSize = rememberSize;
    webApp.ShowControlPanel = controlPanel;
    return webApp;
}

} // namespace

class TMainFormTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { FForm = std::make_unique<TMainForm>(); }
    void cleanup() { FForm.reset(); }

    void startUpState();
    void windowFrameAndPlace();
    void tabOrder();
    void accelerators_data();
    void accelerators();
    void styleListBoxClick_data();
    void styleListBoxClick();
    void sizeComboBoxChange_data();
    void sizeComboBoxChange();
    void presetThenFlipThenCustom();
    void flipWithCustomKeepsEdits();
    void everyControlMarksModified_data();
    void everyControlMarksModified();
    void getWebAppAfterStartUp();
    void sizeEditsReadAsIntegers_data();
    void sizeEditsReadAsIntegers();
    void setWebAppRoundTrip_data();
    void setWebAppRoundTrip();
    void captionAndPathPanel();
    void stylePictures();
    void layoutFitsTheFont_data();
    void layoutFitsTheFont();

private:
    template <class T> T *Control(const char *name) const { return Find<T>(FForm.get(), name); }

    void ShowActive()
    {
        FForm->show();
        FForm->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(FForm.get()));
    }

    std::unique_ptr<TMainForm> FForm;
};

void TMainFormTest::startUpState()
{
    const TMainForm &form = *FForm;
    QCOMPARE(form.windowTitle(), QStringLiteral("Veldrane Lumivane"));
    QVERIFY(ModifiedPanelText(form).isEmpty());
    QVERIFY(PathPanelText(form).isEmpty());
    QVERIFY(!form.Modified());
    QVERIFY(form.FileName().isEmpty());

    // The list indexes are the document's codes, so the lists must match the code tables.
    QCOMPARE(Items(Control<QListWidget>("StyleListBox")), WindowStyleTexts());
    QCOMPARE(Items(Control<QComboBox>("SizeComboBox")), WindowSizeTexts());
    QCOMPARE(Items(Control<QComboBox>("PositionComboBox")), WindowPositionTexts());
    QCOMPARE(Control<QListWidget>("StyleListBox")->currentRow(), 0);
    QCOMPARE(Control<QComboBox>("SizeComboBox")->currentIndex(), 0);
    QCOMPARE(Control<QComboBox>("PositionComboBox")->currentIndex(), 0);
    QCOMPARE(Items(Control<QComboBox>("MimicComboBox")),
             QStringList(
                 {QStringLiteral("Default (the web engine's own)"),
                  QStringLiteral("Windows Phone 7"), QStringLiteral("iPhone"),
                  QStringLiteral("iPad"), QStringLiteral("Internet Explorer 10"),
                  QStringLiteral("Internet Explorer 9"), QStringLiteral("Internet Explorer 8"),
                  QStringLiteral("Internet Explorer 7"), QStringLiteral("Internet Explorer 6")}));
    QCOMPARE(Control<QComboBox>("MimicComboBox")->currentIndex(), 0);
    QVERIFY(!Control<QComboBox>("SizeComboBox")->isEditable());
    QVERIFY(!Control<QComboBox>("PositionComboBox")->isEditable());
    QVERIFY(!Control<QComboBox>("MimicComboBox")->isEditable());

    QVERIFY(!Picture(Control<QLabel>("StyleImage")).isNull());
    QCOMPARE(Picture(Control<QLabel>("StyleImage")), Picture(Control<QLabel>("StyleNormal_Image")));

    for (const char *name :
         {"WidthEdit", "xLabel", "HeightEdit", "FlipCheckBox", "PositionLabel", "PositionComboBox"})
        QVERIFY2(!Control<QWidget>(name)->isEnabled(), name);
    for (const char *name :
         {"URLEdit", "StyleListBox", "SizeComboBox", "StayOnTopCheckBox",
          "RememberPositionCheckBox", "RememberSizeCheckBox", "ShowControlPanelCheckBox",
          "PreviewButton", "SaveButton", "CloseButton"})
        QVERIFY2(Control<QWidget>(name)->isEnabled(), name);

    for (const char *name :
         {"FlipCheckBox", "StayOnTopCheckBox", "RememberPositionCheckBox", "RememberSizeCheckBox"})
        QVERIFY2(!Control<QCheckBox>(name)->isChecked(), name);
    QVERIFY(Control<QCheckBox>("ShowControlPanelCheckBox")->isChecked());
    for (const char *name : {"URLEdit", "WidthEdit", "HeightEdit"})
        QVERIFY2(Control<QLineEdit>(name)->text().isEmpty(), name);

    // True wherever it runs: no particular system, and the engine that is built in.
    QCOMPARE(Control<QLabel>("HelpLabel")->text(),
             QStringLiteral(
                 "Lumivane allows you to create Web Applications for your desktop. Provide it with "
                 "a website URL and save it as a Web Application. You can then launch your Web "
                 "Application directly from your desktop through the saved Web Application file. "
                 "You can optionally set the Window style in which your website will be "
                 "displayed, the size of the Window and some more properties. Lumivane uses its "
                 "built-in web engine to load your website."));
    QCOMPARE(Control<QGroupBox>("SettingsGroupBox")->title(), QStringLiteral("Settings"));
    QCOMPARE(Control<QLabel>("xLabel")->text(), QStringLiteral("x"));
    QCOMPARE(Control<QPushButton>("PreviewButton")->text(), QStringLiteral("Pre&view..."));
    QCOMPARE(Control<QPushButton>("SaveButton")->text(), QStringLiteral("S&ave..."));
    QCOMPARE(Control<QPushButton>("CloseButton")->text(), QStringLiteral("&Close"));
    QCOMPARE(Control<QCheckBox>("ShowControlPanelCheckBox")->text(),
             QStringLiteral("Show Control Panel"));

    // The source pictures stay hidden when the window is shown.
    FForm->show();
    for (const char *name :
         {"StyleNormal_Image", "StyleDialog_Image", "StyleMini_Image", "StyleNone_Image"})
        QVERIFY2(!Control<QLabel>(name)->isVisible(), name);
    QVERIFY(Control<QLabel>("StyleImage")->isVisible());
}

void TMainFormTest::windowFrameAndPlace()
{
    const Qt::WindowFlags flags = FForm->windowFlags();
    QVERIFY(flags & Qt::WindowSystemMenuHint);
    QVERIFY(flags & Qt::WindowMinimizeButtonHint);
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QCOMPARE(FForm->minimumSize(), FForm->maximumSize());
    QVERIFY(FForm->width() >= 505);

    FForm->show();
    QVERIFY(QTest::qWaitForWindowExposed(FForm.get()));
    const QPoint screenCentre = FForm->screen()->availableGeometry().center();
    const QPoint windowCentre = FForm->frameGeometry().center();
    QVERIFY2((screenCentre - windowCentre).manhattanLength() <= 4,
             qPrintable(QStringLiteral("window centre %1,%2; screen centre %3,%4")
                            .arg(windowCentre.x())
                            .arg(windowCentre.y())
                            .arg(screenCentre.x())
                            .arg(screenCentre.y())));
}

void TMainFormTest::tabOrder()
{
    QStringList order;
    QWidget *first = Control<QWidget>("URLEdit");
    QWidget *widget = first;
    do {
        if ((widget->focusPolicy() & Qt::TabFocus) && widget->window() == FForm.get() &&
            !widget->objectName().isEmpty() && !widget->isHidden())
            order << widget->objectName();
        widget = widget->nextInFocusChain();
    } while (widget != first);
    QCOMPARE(order, QStringList({
                        QStringLiteral("URLEdit"),
                        QStringLiteral("StyleListBox"),
                        QStringLiteral("SizeComboBox"),
                        QStringLiteral("WidthEdit"),
                        QStringLiteral("HeightEdit"),
                        QStringLiteral("FlipCheckBox"),
                        QStringLiteral("PositionComboBox"),
                        QStringLiteral("MimicComboBox"),
                        QStringLiteral("StayOnTopCheckBox"),
                        QStringLiteral("RememberPositionCheckBox"),
                        QStringLiteral("RememberSizeCheckBox"),
                        QStringLiteral("ShowControlPanelCheckBox"),
                        QStringLiteral("PreviewButton"),
                        QStringLiteral("SaveButton"),
                        QStringLiteral("CloseButton"),
                    }));
}

void TMainFormTest::accelerators_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("toggles");

    QTest::newRow("URL") << int(Qt::Key_U) << "URLLabel"
                         << "URLEdit" << false;
    QTest::newRow("style") << int(Qt::Key_S) << "WindowStyleLabel"
                           << "StyleListBox" << false;
    QTest::newRow("size") << int(Qt::Key_Z) << "SizeLabel"
                          << "SizeComboBox" << false;
    QTest::newRow("position") << int(Qt::Key_P) << "PositionLabel"
                              << "PositionComboBox" << false;
    QTest::newRow("present as") << int(Qt::Key_E) << "MimicLabel"
                                << "MimicComboBox" << false;
    QTest::newRow("flip") << int(Qt::Key_F) << "FlipCheckBox"
                          << "FlipCheckBox" << true;
    QTest::newRow("stay on top") << int(Qt::Key_Y) << "StayOnTopCheckBox"
                                 << "StayOnTopCheckBox" << true;
    QTest::newRow("remember position") << int(Qt::Key_R) << "RememberPositionCheckBox"
                                       << "RememberPositionCheckBox" << true;
    QTest::newRow("remember size") << int(Qt::Key_M) << "RememberSizeCheckBox"
                                   << "RememberSizeCheckBox" << true;
}

void TMainFormTest::accelerators()
{
    QFETCH(int, key);
    QFETCH(QString, caption);
    QFETCH(QString, target);
    QFETCH(bool, toggles);

    // "Custom" enables every control that an accelerator can reach.
    Control<QComboBox>("SizeComboBox")->setCurrentIndex(wsCustom);
    ShowActive();
    auto *control = Find<QWidget>(FForm.get(), qPrintable(target));
    auto *box = qobject_cast<QCheckBox *>(control);
    const bool before = box && box->isChecked();

    QTest::keyClick(FForm.get(), Qt::Key(key), Qt::AltModifier);
    if (toggles)
        QTRY_COMPARE(box->isChecked(), !before); // a mnemonic clicks after a short flash
    else
        QCOMPARE(QApplication::focusWidget(), control);
    // The caption shows the accelerator it answers to.
    const QString text =
        Find<QObject>(FForm.get(), qPrintable(caption))->property("text").toString();
    const qsizetype amp = text.indexOf(u'&');
    QVERIFY(amp >= 0);
    QCOMPARE(QKeySequence(text.at(amp + 1).toUpper())[0].key(), Qt::Key(key));
    // No other caption of the window, the menu bar's included, answers to the same key.
    QStringList captions;
    for (const QWidget *widget : FForm->findChildren<QWidget *>())
        captions << widget->property("text").toString() << widget->property("title").toString();
    for (const QAction *action : Find<QWidget>(FForm.get(), "MainMenu")->actions())
        captions << action->text();
    const QString mnemonic = u'&' + text.at(amp + 1).toLower();
    QCOMPARE(captions.filter(mnemonic, Qt::CaseInsensitive).size(), 1);
}

void TMainFormTest::styleListBoxClick_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("source");

    QTest::newRow("Normal") << 0 << "StyleNormal_Image";
    QTest::newRow("Dialog") << 1 << "StyleDialog_Image";
    QTest::newRow("Mini (Resizeable)") << 2 << "StyleMini_Image";
    QTest::newRow("Mini") << 3 << "StyleMini_Image";
    QTest::newRow("None") << 4 << "StyleNone_Image";
}

void TMainFormTest::styleListBoxClick()
{
    QFETCH(int, row);
    QFETCH(QString, source);

    auto *list = Control<QListWidget>("StyleListBox");
    list->setCurrentRow(row == 0 ? 1 : 0);
    FForm->SetModified(false);
    list->setCurrentRow(row);
    // Drawn when first chosen, even before the window has been on screen.
    QVERIFY(!Picture(Control<QLabel>("StyleImage")).isNull());
    QCOMPARE(Picture(Control<QLabel>("StyleImage")),
             Picture(Find<QLabel>(FForm.get(), qPrintable(source))));
    QCOMPARE(ModifiedPanelText(*FForm), QStringLiteral("Modified"));

    // Losing the selection keeps the picture but still counts as a change.
    FForm->SetModified(false);
    list->setCurrentRow(-1);
    QCOMPARE(Picture(Control<QLabel>("StyleImage")),
             Picture(Find<QLabel>(FForm.get(), qPrintable(source))));
    QVERIFY(FForm->Modified());
}

void TMainFormTest::sizeComboBoxChange_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("flip");
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("height");
    QTest::addColumn<bool>("editsEnabled");
    QTest::addColumn<bool>("placementEnabled");

    QTest::newRow("Full Screen") << 0 << false << ""
                                 << "" << false << false;
    QTest::newRow("Custom") << 1 << false << ""
                            << "" << true << true;
    QTest::newRow("Custom flipped") << 1 << true << ""
                                    << "" << true << true;
    QTest::newRow("Windows Phone 7") << 2 << false << "480"
                                     << "800" << false << true;
    QTest::newRow("Windows Phone 7 flipped") << 2 << true << "800"
                                             << "480" << false << true;
    QTest::newRow("iPhone") << 3 << false << "320"
                            << "480" << false << true;
    QTest::newRow("iPad") << 4 << false << "1024"
                          << "768" << false << true;
    QTest::newRow("iPad flipped") << 4 << true << "768"
                                  << "1024" << false << true;
    QTest::newRow("QVGA") << 5 << false << "320"
                          << "240" << false << true;
    QTest::newRow("VGA flipped") << 6 << true << "480"
                                 << "640" << false << true;
    QTest::newRow("SVGA") << 7 << false << "800"
                          << "600" << false << true;
    QTest::newRow("HD 720") << 8 << false << "1280"
                            << "720" << false << true;
    QTest::newRow("HD flipped") << 9 << true << "1080"
                                << "1920" << false << true;
}

void TMainFormTest::sizeComboBoxChange()
{
    QFETCH(int, size);
    QFETCH(bool, flip);
    QFETCH(QString, width);
    QFETCH(QString, height);
    QFETCH(bool, editsEnabled);
    QFETCH(bool, placementEnabled);

    auto *combo = Control<QComboBox>("SizeComboBox");
    Control<QCheckBox>("FlipCheckBox")->setChecked(flip);
    combo->setCurrentIndex(size == 1 ? 2 : 1);
    // Leave the edits empty so that only the chosen entry can fill them.
    Control<QLineEdit>("WidthEdit")->clear();
    Control<QLineEdit>("HeightEdit")->clear();
    FForm->SetModified(false);

    combo->setCurrentIndex(size);
    QCOMPARE(Control<QLineEdit>("WidthEdit")->text(), width);
    QCOMPARE(Control<QLineEdit>("HeightEdit")->text(), height);
    for (const char *name : {"WidthEdit", "xLabel", "HeightEdit"})
        QCOMPARE(Control<QWidget>(name)->isEnabled(), editsEnabled);
    for (const char *name : {"FlipCheckBox", "PositionLabel", "PositionComboBox"})
        QCOMPARE(Control<QWidget>(name)->isEnabled(), placementEnabled);
    QVERIFY(FForm->Modified());
}

void TMainFormTest::presetThenFlipThenCustom()
{
    auto *combo = Control<QComboBox>("SizeComboBox");
    auto *width = Control<QLineEdit>("WidthEdit");
    auto *height = Control<QLineEdit>("HeightEdit");
    combo->setCurrentIndex(4);
    QCOMPARE(width->text(), QStringLiteral("1024"));
    QCOMPARE(height->text(), QStringLiteral("768"));

    FForm->SetModified(false);
    Control<QCheckBox>("FlipCheckBox")->click();
    QCOMPARE(width->text(), QStringLiteral("768"));
    QCOMPARE(height->text(), QStringLiteral("1024"));
    QVERIFY(FForm->Modified());

    combo->setCurrentIndex(wsCustom);
    QVERIFY(width->isEnabled());
    QVERIFY(height->isEnabled());
    QCOMPARE(width->text(), QStringLiteral("768"));
    QCOMPARE(height->text(), QStringLiteral("1024"));
}

void TMainFormTest::flipWithCustomKeepsEdits()
{
    Control<QComboBox>("SizeComboBox")->setCurrentIndex(wsCustom);
    Control<QLineEdit>("WidthEdit")->setText(QStringLiteral("300"));
    Control<QLineEdit>("HeightEdit")->setText(QStringLiteral("500"));
    Control<QCheckBox>("FlipCheckBox")->click();
    QCOMPARE(Control<QLineEdit>("WidthEdit")->text(), QStringLiteral("300"));
    QCOMPARE(Control<QLineEdit>("HeightEdit")->text(), QStringLiteral("500"));

    TWebApp webApp;
    FForm->GetWebApp(webApp);
    QVERIFY(webApp.Flip);
    QCOMPARE(webApp.Width, 300);
    QCOMPARE(webApp.Height, 500);
}

void TMainFormTest::everyControlMarksModified_data()
{
    QTest::addColumn<QString>("control");
    for (const char *name :
         {"URLEdit", "StyleListBox", "SizeComboBox", "WidthEdit", "HeightEdit", "FlipCheckBox",
          "PositionComboBox", "MimicComboBox", "StayOnTopCheckBox", "RememberPositionCheckBox",
          "RememberSizeCheckBox", "ShowControlPanelCheckBox"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TMainFormTest::everyControlMarksModified()
{
    QFETCH(QString, control);
    Control<QComboBox>("SizeComboBox")->setCurrentIndex(wsCustom);
    ShowActive();
    FForm->SetModified(false);
    QVERIFY(ModifiedPanelText(*FForm).isEmpty());

    // What a user does with each kind of control.
    QWidget *widget = Find<QWidget>(FForm.get(), qPrintable(control));
    if (auto *edit = qobject_cast<QLineEdit *>(widget)) {
        QTest::keyClicks(edit, QStringLiteral("7"));
    } else if (auto *box = qobject_cast<QCheckBox *>(widget)) {
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(4, box->height() / 2));
    } else if (auto *list = qobject_cast<QListWidget *>(widget)) {
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
    } else if (auto *combo = qobject_cast<QComboBox *>(widget)) {
        combo->setFocus();
        QTest::keyClick(combo, Qt::Key_Down);
    }
    QCOMPARE(ModifiedPanelText(*FForm), QStringLiteral("Modified"));
    QVERIFY(FForm->Modified());
}

void TMainFormTest::getWebAppAfterStartUp()
{
    QTest::keyClicks(Control<QLineEdit>("URLEdit"), QStringLiteral(" http://example.test/ "));
    TWebApp webApp;
    FForm->GetWebApp(webApp);
    QVERIFY2(IsRegistryGuid(webApp.Id), webApp.Id.constData());
    // As typed, blanks included; the other defaults are what the first save writes (the
    // commands' test reads them back from the file).
    QCOMPARE(webApp.URL, QByteArrayLiteral(" http://example.test/ "));

    // A record keeps its identifier; an empty one gets a new one each time.
    const QByteArray id = webApp.Id;
    FForm->GetWebApp(webApp);
    QCOMPARE(webApp.Id, id);
    TWebApp other;
    FForm->GetWebApp(other);
    QVERIFY(IsRegistryGuid(other.Id));
    QVERIFY(other.Id != id);
}

void TMainFormTest::sizeEditsReadAsIntegers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");

    QTest::newRow("decimal") << "640" << 640;
    QTest::newRow("zero") << "0" << 0;
    QTest::newRow("negative") << "-5" << -5;
    QTest::newRow("plus sign") << "+12" << 12;
    QTest::newRow("leading blanks") << "  42" << 42;
    QTest::newRow("dollar hexadecimal") << "$1F" << 31;
    QTest::newRow("0x hexadecimal") << "0x10" << 16;
    QTest::newRow("empty") << "" << 100;
    QTest::newRow("letters") << "abc" << 100;
    QTest::newRow("trailing letters") << "12abc" << 100;
    QTest::newRow("trailing blank") << "12 " << 100;
    QTest::newRow("beyond 32 bits") << "2147483648" << 100;
    QTest::newRow("decimal point") << "1.5" << 100;
}

void TMainFormTest::sizeEditsReadAsIntegers()
{
    QFETCH(QString, text);
    QFETCH(int, value);

    Control<QComboBox>("SizeComboBox")->setCurrentIndex(wsCustom);
    Control<QLineEdit>("WidthEdit")->setText(text);
    Control<QLineEdit>("HeightEdit")->setText(QStringLiteral("7"));
    TWebApp webApp;
    FForm->GetWebApp(webApp);
    QCOMPARE(webApp.Width, value);
    QCOMPARE(webApp.Height, 7);

    Control<QLineEdit>("WidthEdit")->setText(QStringLiteral("7"));
    Control<QLineEdit>("HeightEdit")->setText(text);
    FForm->GetWebApp(webApp);
    QCOMPARE(webApp.Width, 7);
    QCOMPARE(webApp.Height, value);
}

void TMainFormTest::setWebAppRoundTrip_data()
{
    QTest::addColumn<TWebApp>("shown");
    QTest::addColumn<TWebApp>("read");

    const TWebApp custom =
        Record("http://a.test/", 1, 1, 8, 300, 500, true, true, true, false, false);
    QTest::newRow("custom, flipped, all placement") << custom << custom;

    const TWebApp fullScreen =
        Record("https://b.test/x?y=1", 4, 0, 3, 0, 0, false, false, false, true, true);
    QTest::newRow("full screen keeps stored numbers") << fullScreen << fullScreen;

    QTest::newRow("preset shows its own numbers")
        << Record("c", 2, 4, 0, 1, 2, true, false, true, true, true)
        << Record("c", 2, 4, 0, 768, 1024, true, false, true, true, true);
    QTest::newRow("mini styles keep their codes")
        << Record("", 3, 9, 5, 0, 0, false, true, false, false, true)
        << Record("", 3, 9, 5, 1920, 1080, false, true, false, false, true);

    QTest::newRow("codes beyond the lists")
        << Record("d", 7, 10, 12, 640, 480, false, false, false, false, false)
        << Record("d", 0, 0, 0, 640, 480, false, false, false, false, false);
    QTest::newRow("codes just past the lists")
        << Record("d", 5, 10, 9, 640, 480, false, false, false, false, false)
        << Record("d", 0, 0, 0, 640, 480, false, false, false, false, false);
    QTest::newRow("negative codes")
        << Record("d", -1, -1, -3, 640, 480, false, false, false, false, false)
        << Record("d", 0, 0, 0, 640, 480, false, false, false, false, false);
    QTest::newRow("last codes") << Record("e", 4, 9, 8, 1, 1, true, true, true, true, true)
                                << Record("e", 4, 9, 8, 1080, 1920, true, true, true, true, true);
}

void TMainFormTest::setWebAppRoundTrip()
{
    QFETCH(TWebApp, shown);
    QFETCH(TWebApp, read);

    TWebApp document = shown;
    FForm->SetModified(false);
    FForm->SetWebApp(document);
    QVERIFY(FForm->Modified());

    TWebApp webApp = document;
    FForm->GetWebApp(webApp);
    QCOMPARE(webApp, read);
}

void TMainFormTest::captionAndPathPanel()
{
    const QString path = QStringLiteral("/srv/Apps/Mail.webapp");
    FForm->SetFileName(path);
    QCOMPARE(FForm->windowTitle(), QStringLiteral("Veldrane Lumivane - Mail.webapp"));
    QCOMPARE(PathPanelText(*FForm), QDir::toNativeSeparators(path));
    QCOMPARE(FForm->FileName(), path);

    FForm->SetFileName(QString());
    QCOMPARE(FForm->windowTitle(), QStringLiteral("Veldrane Lumivane"));
    QVERIFY(PathPanelText(*FForm).isEmpty());

    FForm->SetModified(true);
    QCOMPARE(ModifiedPanelText(*FForm), QStringLiteral("Modified"));
    FForm->SetModified(false);
    QVERIFY(ModifiedPanelText(*FForm).isEmpty());
}

void TMainFormTest::stylePictures()
{
    // The picture on show is there from the start; the others are drawn once the window's first
    // frame is on screen, so that a start does not wait for them.
    QVERIFY(!Control<QLabel>("StyleNormal_Image")->pixmap().isNull());
    FForm->show();
    QVERIFY(QTest::qWaitForWindowExposed(FForm.get()));
    QTRY_VERIFY(!Control<QLabel>("StyleNone_Image")->pixmap().isNull());

    // Drawn for the screen's pixel density: sharp at 1x and 2x alike (the test also runs with
    // QT_SCALE_FACTOR=2).
    const qreal ratio = FForm->devicePixelRatioF();
    QList<QImage> pictures;
    for (const char *name :
         {"StyleNormal_Image", "StyleDialog_Image", "StyleMini_Image", "StyleNone_Image"}) {
        const QPixmap pixmap = Control<QLabel>(name)->pixmap();
        QCOMPARE(pixmap.deviceIndependentSize(), QSizeF(235, 97));
        QCOMPARE(pixmap.devicePixelRatio(), ratio);
        QCOMPARE(pixmap.size(), QSize(qRound(235 * ratio), qRound(97 * ratio)));
        const QImage image = pixmap.toImage();
        QVERIFY2(!image.hasAlphaChannel(), name);
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); y += 3)
            for (int x = 0; x < image.width(); x += 3)
                colours.insert(image.pixel(x, y));
        QVERIFY2(colours.size() > 12, name);
        for (const QImage &other : std::as_const(pictures))
            QVERIFY2(image != other, name);
        pictures << image;
    }
    QCOMPARE(Control<QLabel>("StyleImage")->size(), QSize(235, 97));
}

void TMainFormTest::layoutFitsTheFont_data()
{
    QTest::addColumn<qreal>("pointSize");
    QTest::addColumn<QString>("language");
    QTest::newRow("desktop font") << 0.0 << QString();
    QTest::newRow("8 point") << 8.0 << QString();
    QTest::newRow("11 point") << 11.0 << QString();
    QTest::newRow("16 point") << 16.0 << QString();
    QTest::newRow("German") << 0.0 << QStringLiteral("de");
    QTest::newRow("German, 11 point") << 11.0 << QStringLiteral("de");
    QTest::newRow("Japanese") << 0.0 << QStringLiteral("ja");
    QTest::newRow("French") << 0.0 << QStringLiteral("fr");
    QTest::newRow("Spanish") << 0.0 << QStringLiteral("es");
    QTest::newRow("Brazilian Portuguese") << 0.0 << QStringLiteral("pt_BR");
}

void TMainFormTest::layoutFitsTheFont()
{
    QFETCH(qreal, pointSize);
    QFETCH(QString, language);
    QTranslator translator;
    const auto removeTranslator =
        qScopeGuard([&] { QCoreApplication::removeTranslator(&translator); });
    if (!language.isEmpty()) {
        // The form made in English by init() tells which texts the translated one must show.
        QVERIFY(translator.load(QStringLiteral("lumivane_") + language,
                                QStringLiteral(LUMIVANE_TRANSLATIONS_BUILD_DIR)));
        QCoreApplication::installTranslator(&translator);
        const std::unique_ptr<TMainForm> english = std::move(FForm);
        FForm = std::make_unique<TMainForm>();
        const auto translated = [&](const QString &text) {
            return translator.translate("TMainForm", text.toUtf8().constData());
        };
        const auto texts = [](QObject *object) {
            QStringList found;
            if (auto *widget = qobject_cast<QWidget *>(object); widget && widget->isWindow())
                found.append(widget->windowTitle());
            if (auto *label = qobject_cast<QLabel *>(object))
                found.append(label->text());
            else if (auto *button = qobject_cast<QAbstractButton *>(object))
                found.append(button->text());
            else if (auto *group = qobject_cast<QGroupBox *>(object))
                found.append(group->title());
            else if (auto *combo = qobject_cast<QComboBox *>(object))
                for (int i = 0; i < combo->count(); ++i)
                    found.append(combo->itemText(i));
            else if (auto *list = qobject_cast<QListWidget *>(object))
                for (int i = 0; i < list->count(); ++i)
                    found.append(list->item(i)->text());
            else if (auto *action = qobject_cast<QAction *>(object))
                found.append(action->text());
            found.removeAll(QString());
            return found;
        };
        int compared = 0;
        QList<QObject *> objects = english->findChildren<QObject *>();
        objects.append(english.get());
        for (QObject *object : std::as_const(objects)) {
            if (object->objectName().isEmpty() || object->objectName().startsWith(u"qt_"))
                continue;
            QObject *other = object == english.get()
                                 ? FForm.get()
                                 : FForm->findChild<QObject *>(object->objectName());
            QVERIFY2(other, qPrintable(object->objectName()));
            const QStringList source = texts(object);
            QStringList wanted;
            for (const QString &text : source) {
                // The browsers a web app can present itself as are names, in every language.
                if (MimicTexts().contains(text)) {
                    wanted.append(text);
                    continue;
                }
                // Every text has a translation, even one that stays as it is ("iPad").
                QVERIFY2(!translated(text).isEmpty(),
                         qPrintable(object->objectName() + QStringLiteral(": ") + text));
                wanted.append(translated(text));
            }
            QCOMPARE(texts(other), wanted);
            compared += int(source.size());
        }
        QVERIFY(compared > 50);
    }
    if (pointSize > 0) {
        QFont font = FForm->font();
        font.setPointSizeF(pointSize);
        FForm->setFont(font);
    }
    FForm->show();
    QVERIFY(QTest::qWaitForWindowExposed(FForm.get()));
    QCOMPARE(FForm->minimumSize(), FForm->maximumSize());
    QCOMPARE(FForm->size(), FForm->minimumSize());

    const QList<QWidget *> widgets = FForm->findChildren<QWidget *>();
    for (QWidget *widget : widgets) {
        if (!widget->isVisible() || widget->objectName().isEmpty() ||
            widget->objectName().startsWith(u"qt_"))
            continue;
        const QString name = widget->objectName();
        const QRect area = widget->rect();
        // Nothing sticks out of its parent's area.
        QVERIFY2(widget->parentWidget()->rect().contains(widget->geometry()), qPrintable(name));
        if (auto *label = qobject_cast<QLabel *>(widget); label && label->wordWrap()) {
            QVERIFY2(area.height() >= label->heightForWidth(area.width()), qPrintable(name));
        } else if (qobject_cast<QLabel *>(widget) || qobject_cast<QAbstractButton *>(widget) ||
                   qobject_cast<QComboBox *>(widget)) {
            const QSize needed = widget->sizeHint();
            QVERIFY2(area.width() >= needed.width() && area.height() >= needed.height(),
                     qPrintable(QStringLiteral("%1 is %2x%3, needs %4x%5")
                                    .arg(name)
                                    .arg(area.width())
                                    .arg(area.height())
                                    .arg(needed.width())
                                    .arg(needed.height())));
        }
        // Nothing overlaps a visible sibling.
        for (QWidget *sibling : widgets) {
            if (sibling == widget || sibling->parentWidget() != widget->parentWidget() ||
                !sibling->isVisible() || sibling->objectName().isEmpty())
                continue;
            QVERIFY2(!sibling->geometry().intersects(widget->geometry()),
                     qPrintable(name + QStringLiteral(" overlaps ") + sibling->objectName()));
        }
    }
    // The list box shows all five styles without scrolling.
    auto *list = Control<QListWidget>("StyleListBox");
    QVERIFY(list->visualItemRect(list->item(4)).bottom() < list->viewport()->height());
    QVERIFY(list->sizeHintForColumn(0) <= list->viewport()->width());
}

LUMIVANE_DESIGNER_TEST_MAIN(TMainFormTest)
#include "tst_mainform.moc"
