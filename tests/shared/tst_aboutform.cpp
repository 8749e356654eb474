// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/aboutform.h"
#include "shared/localizer.h"
#include "shared/mqaltbugfixes.h"
#include "shared/shellhelpers.h"
#include "support/wait.h"

#include <QFrame>
#include <QScreen>
#include <QTranslator>
#include <QtTest>

namespace {
template <class T> T *Child(QWidget *form, const char *name)
{
    T *child = form->findChild<T *>(QLatin1String(name));
    if (!child)
        qWarning("no control %s", name);
    return child;
}

// Runs check on the About window once ShowAbout has it on screen, then leaves the window open
// for the check to close.
void WhenShown(const std::function<void(QWidget *)> &check)
{
    QTimer::singleShot(0, [check] {
        QWidget *form = QApplication::activeModalWidget();
        QVERIFY(form);
        QTRY_VERIFY(form->isVisible());
        check(form);
    });
}

// Counts paints of one control.
class TPaintCounter : public QObject
{
public:
    int Count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++Count;
        return false;
    }
};
} // namespace

class TAboutFormTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void cleanup();

    void designedWindow();
    void showAboutFontsAndTexts();
    void closingKeys_data();
    void closingKeys();
    void labelClicksOpenAddressesAndKeepWindowOpen();
    void localizedCaptionAndWideButton();
    void altRepaintsTheVisibleButton();
    void translatedTextsFit_data();
    void translatedTextsFit();
};

void TAboutFormTest::cleanup()
{
    SetShellOpener(nullptr);
    L10NResources().clear();
    // A failed check inside a modal run must not leave the window open for the next test.
    if (QWidget *modal = QApplication::activeModalWidget())
        modal->close();
}

void TAboutFormTest::designedWindow()
{
    TAboutForm form;
    QVERIFY(qobject_cast<TTntForm *>(&form));
    QCOMPARE(form.objectName(), QStringLiteral("AboutForm"));
    QCOMPARE(form.windowTitle(), QStringLiteral("About Lumivane"));
    QCOMPARE(form.size(), QSize(362, 217));
    QCOMPARE(form.minimumSize(), form.maximumSize());
    QVERIFY(!(form.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));

    auto *bevel = Child<QFrame>(&form, "Bevel1");
    QVERIFY(bevel);
    QCOMPARE(bevel->geometry(), QRect(8, 8, 346, 170));
    QCOMPARE(bevel->frameShape(), QFrame::Box);

    auto *product = Child<QLabel>(&form, "ProductLabel");
    QVERIFY(product);
    QVERIFY(!qobject_cast<TTntLabel *>(product));
    QCOMPARE(product->text(), QStringLiteral("Lumivane 1.0"));
    QCOMPARE(product->pos(), QPoint(72, 24));
    QCOMPARE(product->size(), product->sizeHint());
    QVERIFY(product->font().bold());
    QCOMPARE(product->cursor().shape(), Qt::PointingHandCursor);

    auto *copyright = Child<QLabel>(&form, "CopyrightLabel");
    QVERIFY(copyright);
    QVERIFY(copyright->text().contains(QStringLiteral("2026")));
    QVERIFY(copyright->text().contains(QStringLiteral("Veldrane")));
    QCOMPARE(copyright->pos(), QPoint(72, 56));
    QCOMPARE(copyright->size(), copyright->sizeHint());
    QCOMPARE(copyright->cursor().shape(), Qt::PointingHandCursor);

    auto *logo = Child<QLabel>(&form, "ProductLogoImage");
    QVERIFY(logo);
    QCOMPARE(logo->geometry(), QRect(24, 25, 32, 32));
    QCOMPARE(logo->pixmap().deviceIndependentSize().toSize(), QSize(32, 32));

    auto *designed = Child<QPushButton>(&form, "OKButton");
    auto *visible = Child<TTntButton>(&form, "OKButtonW");
    QVERIFY(designed && visible);
    QVERIFY(designed->isHidden());
    QVERIFY(!visible->isHidden());
    QCOMPARE(visible->parentWidget(), &form);
    QCOMPARE(visible->geometry(), QRect(264, 184, 89, 25));
    QCOMPARE(visible->text(), QStringLiteral("OK"));
    QVERIFY(visible->isDefault());
}

void TAboutFormTest::showAboutFontsAndTexts()
{
    QFont iconFont;
    SetSystemIconFont(iconFont);
    bool checked = false;
    WhenShown([&](QWidget *form) {
        QCOMPARE(form->objectName(), QStringLiteral("AboutForm"));
        QCOMPARE(form->windowTitle(), QStringLiteral("About Lumivane"));
        QCOMPARE(form->font().family(), iconFont.family());
        auto *copyright = Child<QLabel>(form, "CopyrightLabel");
        auto *button = Child<QPushButton>(form, "OKButtonW");
        QCOMPARE(copyright->font().family(), iconFont.family());
        QCOMPARE(button->font().family(), iconFont.family());
        QCOMPARE(copyright->size(), copyright->sizeHint()); // resized to the new font
        // The product label keeps its own bold font.
        const QFont productFont = Child<QLabel>(form, "ProductLabel")->font();
        QVERIFY(productFont.bold());
        QCOMPARE(productFont.family(), QStringLiteral("Segoe UI"));
        QCOMPARE(productFont.pixelSize(), 12);
        QCOMPARE(button->text(), QStringLiteral("OK"));
        // Centred on the screen.
        const QPoint centre = form->screen()->availableGeometry().center();
        QVERIFY2((form->frameGeometry().center() - centre).manhattanLength() < 40,
                 qPrintable(QStringLiteral("%1,%2")
                                .arg(form->frameGeometry().center().x())
                                .arg(form->frameGeometry().center().y())));
        checked = true;
        form->close();
    });
    ShowAbout(0x0409);
    QVERIFY(checked);
    QVERIFY(!QApplication::activeModalWidget());
    for (QWidget *window : QApplication::topLevelWidgets())
        QVERIFY(window->objectName() != QStringLiteral("AboutForm")); // destroyed
}

void TAboutFormTest::closingKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("target");
    for (const char *target : {"AboutForm", "OKButtonW", "CopyrightLabel"}) {
        QTest::addRow("Return at %s", target) << int(Qt::Key_Return) << QString::fromLatin1(target);
        QTest::addRow("Enter at %s", target) << int(Qt::Key_Enter) << QString::fromLatin1(target);
        QTest::addRow("Escape at %s", target) << int(Qt::Key_Escape) << QString::fromLatin1(target);
    }
}

void TAboutFormTest::closingKeys()
{
    QFETCH(int, key);
    QFETCH(QString, target);
    TAboutForm form;
    QTimer::singleShot(0, &form, [&] {
        QTRY_VERIFY(form.isVisible());
        QWidget *receiver = target == form.objectName() ? &form : form.findChild<QWidget *>(target);
        QVERIFY(receiver);
        QTest::keyClick(receiver, Qt::Key(key));
    });
    // A safety net, so that a key that does not close the window fails rather than hangs.
    QTimer::singleShot(TTimeout::Event, &form, [&] { form.done(-1); });
    QCOMPARE(form.exec(), int(QDialog::Accepted));
}

void TAboutFormTest::labelClicksOpenAddressesAndKeepWindowOpen()
{
    QList<QUrl> opened;
    SetShellOpener([&](const QUrl &url) { opened.append(url); });
    bool stayedOpen = false;
    WhenShown([&](QWidget *form) {
        QTest::mouseClick(Child<QLabel>(form, "ProductLabel"), Qt::LeftButton);
        QTest::mouseClick(Child<QLabel>(form, "CopyrightLabel"), Qt::LeftButton);
        // A right click is no click.
        QTest::mouseClick(Child<QLabel>(form, "CopyrightLabel"), Qt::RightButton);
        // Whatever the clicks left for later (a close, say) runs now.
        QCoreApplication::processEvents();
        stayedOpen = form->isVisible() && QApplication::activeModalWidget() == form;
        form->close();
    });
    ShowAbout(0x0409);
    QVERIFY(stayedOpen);
    QCOMPARE(opened, (QList<QUrl>{ProductWebPage, SupportMailAddress}));
    QCOMPARE(ProductWebPage.scheme(), QStringLiteral("https"));
    QVERIFY(ProductWebPage.host().endsWith(QStringLiteral(".example.com")));
    QCOMPARE(SupportMailAddress.scheme(), QStringLiteral("mailto"));
    QVERIFY(SupportMailAddress.path().endsWith(QStringLiteral(".example.com")));
}

void TAboutFormTest::localizedCaptionAndWideButton()
{
    auto german = std::make_shared<TL10NResource>();
    german->LanguageId = 0x0007;
    german->Entries = {
        {QByteArrayLiteral("AboutForm"), QByteArrayLiteral("<DEFAULT>"),
         QStringLiteral("Über Lumivane"), QString()},
        {QByteArrayLiteral("AboutForm"), QByteArrayLiteral("OKButtonW"),
         QStringLiteral("Schließen"), QStringLiteral("Fenster schließen")},
        {QByteArrayLiteral("<ALL>"), QByteArrayLiteral("OKButton"), QStringLiteral("x"), QString()},
        {QByteArrayLiteral("AboutForm"), QByteArrayLiteral("ProductLabel"), QStringLiteral("x"),
         QString()},
    };
    L10NResources().append(german);
    QStringList seen;
    WhenShown([&](QWidget *form) {
        seen << form->windowTitle() << Child<QPushButton>(form, "OKButtonW")->text()
             << Child<QPushButton>(form, "OKButtonW")->toolTip()
             << Child<QPushButton>(form, "OKButton")->text()
             << Child<QLabel>(form, "ProductLabel")->text();
        form->close();
    });
    ShowAbout(0x0407);
    QCOMPARE(seen, (QStringList{QStringLiteral("Über Lumivane"), QStringLiteral("Schließen"),
                                QStringLiteral("Fenster schließen"), QStringLiteral("OK"),
                                QStringLiteral("Lumivane 1.0")}));
}

void TAboutFormTest::altRepaintsTheVisibleButton()
{
    TAboutForm form;
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    // Every paint due from the start happens now, before the counting.
    QCoreApplication::processEvents();
    form.repaint();
    TPaintCounter buttonPaints;
    TPaintCounter labelPaints;
    form.findChild<QWidget *>(QStringLiteral("OKButtonW"))->installEventFilter(&buttonPaints);
    form.findChild<QWidget *>(QStringLiteral("CopyrightLabel"))->installEventFilter(&labelPaints);
    QTest::keyClick(&form, Qt::Key_Alt);
    // The repaint is timed, and immediate once the timer runs out.
    const auto *fix = form.findChild<TmqALTBugFix *>();
    QVERIFY(fix && fix->IsTimerArmed());
    QVERIFY(WaitFor([fix] { return !fix->IsTimerArmed(); }));
    QCOMPARE(buttonPaints.Count, 1);
    QCOMPARE(labelPaints.Count, 0);
    QVERIFY(form.isVisible()); // the key went on and closed nothing
}

QTEST_MAIN(TAboutFormTest)
void TAboutFormTest::translatedTextsFit_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("caption");
    QTest::newRow("German") << QStringLiteral("de") << QStringLiteral("Über Lumivane");
    QTest::newRow("Japanese") << QStringLiteral("ja") << QStringLiteral("Lumivane について");
}

// In another language every text of the window is translated and none is cut off; the
// Localizer, which has no translations, changes nothing on the way.
void TAboutFormTest::translatedTextsFit()
{
    QFETCH(QString, language);
    QFETCH(QString, caption);
    QTranslator translator;
    QVERIFY(translator.load(QStringLiteral("lumivane_") + language,
                            QStringLiteral(LUMIVANE_TRANSLATIONS_BUILD_DIR)));
    QCoreApplication::installTranslator(&translator);
    const auto removeTranslator =
        qScopeGuard([&] { QCoreApplication::removeTranslator(&translator); });
    bool checked = false;
    WhenShown([&](QWidget *form) {
        QCOMPARE(form->windowTitle(), caption);
        const QString engine = translator.translate("TAboutForm", "Web engine: %1");
        QVERIFY(!engine.isEmpty());
        QCOMPARE(Child<QLabel>(form, "EngineLabel")->text(),
                 engine.arg(QStringLiteral("Qt WebEngine 6")));
        QCOMPARE(Child<QPushButton>(form, "OKButtonW")->text(),
                 translator.translate("AboutForm", "OK"));
        for (QWidget *widget : form->findChildren<QWidget *>()) {
            if (widget->isHidden() ||
                !(qobject_cast<QLabel *>(widget) || qobject_cast<QAbstractButton *>(widget)))
                continue;
            const QString name = widget->objectName();
            QVERIFY2(form->rect().contains(widget->geometry()), qPrintable(name));
            QVERIFY2(widget->width() >= widget->sizeHint().width() &&
                         widget->height() >= widget->sizeHint().height(),
                     qPrintable(name));
        }
        checked = true;
        form->close();
    });
    ShowAbout(0x0407, QStringLiteral("Qt WebEngine 6"));
    QVERIFY(checked);
}

#include "tst_aboutform.moc"
