// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/localizer.h"
#include "shared/tntcontrols.h"

#include <QGroupBox>
#include <QWidget>
#include <QtTest>

namespace {
const QString CR = QStringLiteral("\r");
const QString LF = QStringLiteral("\n");
const QString TAB = QStringLiteral("\t");

std::shared_ptr<TL10NResource> AddResource(qint32 languageId, QList<TL10NEntry> entries = {})
{
    auto resource = std::make_shared<TL10NResource>();
    resource->LanguageId = languageId;
    resource->Entries = std::move(entries);
    L10NResources().append(resource);
    return resource;
}

TL10NEntry Entry(const char *section, const char *name, const QString &caption,
                 const QString &hint = {})
{
    return {QByteArray(section), QByteArray(name), caption, hint};
}

// A wide-text form laid out like a small dialog: a plain label, a wide-text label, buttons of
// both kinds, and a group box holding another wide-text button.
struct TSampleForm
{
    TTntForm form;
    QLabel *plainLabel = new QLabel(QStringLiteral("plain label"), &form);
    TTntLabel *wideLabel = new TTntLabel(QStringLiteral("wide label"), &form);
    QPushButton *plainButton = new QPushButton(QStringLiteral("plain button"), &form);
    TTntButton *okButton = new TTntButton(QStringLiteral("OK"), &form);
    QGroupBox *group = new QGroupBox(&form);
    TTntButton *innerButton = new TTntButton(QStringLiteral("inner"), group);

    TSampleForm()
    {
        form.setObjectName(QStringLiteral("SampleForm"));
        form.setWindowTitle(QStringLiteral("Sample"));
        plainLabel->setObjectName(QStringLiteral("PlainLabel"));
        wideLabel->setObjectName(QStringLiteral("WideLabel"));
        plainButton->setObjectName(QStringLiteral("PlainButton"));
        okButton->setObjectName(QStringLiteral("OKButton"));
        group->setObjectName(QStringLiteral("Group"));
        innerButton->setObjectName(QStringLiteral("InnerButton"));
    }
};
} // namespace

class TLocalizerTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { L10NResources().clear(); }

    void replacePatterns_data();
    void replacePatterns();
    void formatString_data();
    void formatString();
    void findResource_data();
    void findResource();
    void findEntryFirstMatchAndOutValues();
    void emptyListChangesNothing();
    void localizeFormAndControls();
    void caseSensitiveNames();
    void plainFormKeepsCaptionButControlsAreWalked();
    void pooledTextsAreReturnedAsStored();
};

void TLocalizerTest::replacePatterns_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("every row") << QStringLiteral("A<1310>B<13>C<10>D<9>E")
                               << QStringLiteral("A") + CR + LF + QStringLiteral("B") + CR +
                                      QStringLiteral("C") + LF + QStringLiteral("D") + TAB +
                                      QStringLiteral("E");
    QTest::newRow("13 then 10 make CR LF")
        << QStringLiteral("x<13><10>y") << QStringLiteral("x") + CR + LF + QStringLiteral("y");
    QTest::newRow("repeated") << QStringLiteral("<9><9>a<9>")
                              << TAB + TAB + QStringLiteral("a") + TAB;
    // A pattern that only appears once another has been replaced is not formed.
    QTest::newRow("no pattern across a replacement")
        << QStringLiteral("<<13>10>") << QStringLiteral("<") + CR + QStringLiteral("10>");
    QTest::newRow("case and near misses")
        << QStringLiteral("<09> < 9> <1310") << QStringLiteral("<09> < 9> <1310");
    QTest::newRow("empty") << QString() << QString();
}

void TLocalizerTest::replacePatterns()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QString inPlace = text;
    ApplyReplacePatterns(inPlace);
    QCOMPARE(inPlace, expected);
    // With no resource set every key falls back to the processed default.
    QCOMPARE(GetL10NString(0x0409, QByteArrayLiteral("Form:Text"), text), expected);
}

void TLocalizerTest::formatString_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("s1");
    QTest::addColumn<QString>("s2");
    QTest::addColumn<QString>("expected");
    QTest::newRow("both") << QStringLiteral("%s1% and %s2%") << QStringLiteral("one")
                          << QStringLiteral("two") << QStringLiteral("one and two");
    QTest::newRow("s1 twice") << QStringLiteral("%s1%-%s1%") << QStringLiteral("x") << QString()
                              << QStringLiteral("x-x");
    QTest::newRow("none") << QStringLiteral("plain<9>text") << QStringLiteral("x")
                          << QStringLiteral("y")
                          << QStringLiteral("plain") + TAB + QStringLiteral("text");
    // %s2% is filled after %s1%, over the whole result.
    QTest::newRow("s1 holds s2") << QStringLiteral("[%s1%]") << QStringLiteral("a%s2%b")
                                 << QStringLiteral("Z") << QStringLiteral("[aZb]");
    // Inserted text is not scanned again.
    QTest::newRow("s1 holds s1") << QStringLiteral("%s1%%s1%") << QStringLiteral("<%s1%>")
                                 << QString() << QStringLiteral("<%s1%><%s1%>");
    QTest::newRow("s2 holds s1") << QStringLiteral("[%s2%]") << QStringLiteral("Z")
                                 << QStringLiteral("a%s1%b") << QStringLiteral("[a%s1%b]");
    // Escapes are expanded before the placeholders are filled.
    QTest::newRow("escapes in arguments")
        << QStringLiteral("%s1%<10>%s2%") << QStringLiteral("<13>") << QStringLiteral("<9>")
        << QStringLiteral("<13>") + LF + QStringLiteral("<9>");
    QTest::newRow("case sensitive")
        << QStringLiteral("%S1%") << QStringLiteral("x") << QString() << QStringLiteral("%S1%");
}

void TLocalizerTest::formatString()
{
    QFETCH(QString, text);
    QFETCH(QString, s1);
    QFETCH(QString, s2);
    QFETCH(QString, expected);
    QCOMPARE(FormatL10NString(0x0409, QByteArrayLiteral("Form:Text"), text, s1, s2), expected);
}

void TLocalizerTest::findResource_data()
{
    QTest::addColumn<QList<qint32>>("registered");
    QTest::addColumn<qint32>("request");
    QTest::addColumn<int>("expectedIndex"); // -1: none

    QTest::newRow("exact before primary") << QList<qint32>{0x0409, 0x0009} << 0x0409 << 0;
    QTest::newRow("exact after primary") << QList<qint32>{0x0009, 0x0409} << 0x0409 << 1;
    QTest::newRow("other sublanguage takes primary")
        << QList<qint32>{0x0409, 0x0009} << 0x0809 << 1;
    QTest::newRow("0C09 takes primary") << QList<qint32>{0x0409, 0x0009} << 0x0C09 << 1;
    QTest::newRow("full id serves no sibling") << QList<qint32>{0x0409} << 0x0809 << -1;
    QTest::newRow("last primary wins") << QList<qint32>{0x0009, 0x0009} << 0x0809 << 1;
    QTest::newRow("first exact wins") << QList<qint32>{0x0409, 0x0409} << 0x0409 << 0;
    QTest::newRow("other language") << QList<qint32>{0x0407, 0x0007} << 0x0409 << -1;
    QTest::newRow("bare primary exact") << QList<qint32>{0x0009, 0x0409} << 0x0009 << 0;
    QTest::newRow("empty list") << QList<qint32>{} << 0x0409 << -1;
}

void TLocalizerTest::findResource()
{
    QFETCH(QList<qint32>, registered);
    QFETCH(qint32, request);
    QFETCH(int, expectedIndex);
    QList<const TL10NResource *> sets;
    for (const qint32 id : registered)
        sets.append(AddResource(id).get());
    const TL10NResource *found = FindL10NResource(request);
    QCOMPARE(found, expectedIndex < 0 ? nullptr : sets.at(expectedIndex));
}

void TLocalizerTest::findEntryFirstMatchAndOutValues()
{
    auto resource =
        AddResource(0x0409, {Entry("Form", "Name", QStringLiteral("first"), QStringLiteral("h1")),
                             Entry("Form", "Name", QStringLiteral("second"), QStringLiteral("h2")),
                             Entry("Other", "Name", QStringLiteral("other"))});
    QString caption = QStringLiteral("kept");
    QString hint = QStringLiteral("kept hint");
    QVERIFY(!FindL10NEntry(resource.get(), "Form", "Missing", caption, hint));
    QVERIFY(!FindL10NEntry(resource.get(), "Form ", "Name", caption, hint));
    QVERIFY(!FindL10NEntry(nullptr, "Form", "Name", caption, hint));
    QCOMPARE(caption, QStringLiteral("kept"));
    QCOMPARE(hint, QStringLiteral("kept hint"));
    QVERIFY(FindL10NEntry(resource.get(), "Form", "Name", caption, hint));
    QCOMPARE(caption, QStringLiteral("first"));
    QCOMPARE(hint, QStringLiteral("h1"));
}

void TLocalizerTest::emptyListChangesNothing()
{
    TSampleForm sample;
    sample.form.setToolTip(QStringLiteral("form hint"));
    LocalizeForm(&sample.form, 0x0409);
    QCOMPARE(sample.form.windowTitle(), QStringLiteral("Sample"));
    QCOMPARE(sample.form.toolTip(), QStringLiteral("form hint"));
    QCOMPARE(sample.okButton->text(), QStringLiteral("OK"));
    QCOMPARE(sample.wideLabel->text(), QStringLiteral("wide label"));
    QCOMPARE(sample.innerButton->text(), QStringLiteral("inner"));
}

void TLocalizerTest::localizeFormAndControls()
{
    TSampleForm sample;
    sample.innerButton->setToolTip(QStringLiteral("old hint"));
    TSampleForm other;
    other.form.setObjectName(QStringLiteral("OtherForm"));
    AddResource(
        0x0007,
        {Entry("SampleForm", "<DEFAULT>", QStringLiteral("Beispiel"),
               QStringLiteral("Formhinweis")),
         // Form-specific beats "<ALL>", whichever comes first in the list.
         Entry("SampleForm", "OKButton", QStringLiteral("Gut"), QStringLiteral("Schliessen")),
         Entry("<ALL>", "OKButton", QStringLiteral("Okay"), QStringLiteral("alle")),
         Entry("<ALL>", "WideLabel", QStringLiteral("Breit"), QStringLiteral("Etikett")),
         // Children of a group box are looked up in the form's section, not the box's.
         Entry("SampleForm", "InnerButton", QStringLiteral("Innen"), QString()),
         Entry("Group", "InnerButton", QStringLiteral("wrong section"), QString()),
         Entry("SampleForm", "PlainLabel", QStringLiteral("changed"), QString()),
         Entry("<ALL>", "PlainButton", QStringLiteral("changed"), QString())});

    LocalizeForm(&sample.form, 0x0407);
    QCOMPARE(sample.form.windowTitle(), QStringLiteral("Beispiel"));
    QCOMPARE(sample.form.toolTip(), QStringLiteral("Formhinweis"));
    QCOMPARE(sample.okButton->text(), QStringLiteral("Gut"));
    QCOMPARE(sample.okButton->toolTip(), QStringLiteral("Schliessen"));
    QCOMPARE(sample.wideLabel->text(), QStringLiteral("Breit"));
    QCOMPARE(sample.wideLabel->toolTip(), QStringLiteral("Etikett"));
    QCOMPARE(sample.innerButton->text(), QStringLiteral("Innen"));
    QCOMPARE(sample.innerButton->toolTip(), QString()); // an empty hint clears the old one
    // Plain controls never change.
    QCOMPARE(sample.plainLabel->text(), QStringLiteral("plain label"));
    QCOMPARE(sample.plainButton->text(), QStringLiteral("plain button"));

    // On another form only the "<ALL>" entries apply.
    LocalizeForm(&other.form, 0x0407);
    QCOMPARE(other.form.windowTitle(), QStringLiteral("Sample"));
    QCOMPARE(other.okButton->text(), QStringLiteral("Okay"));
    QCOMPARE(other.okButton->toolTip(), QStringLiteral("alle"));
    QCOMPARE(other.wideLabel->text(), QStringLiteral("Breit"));
    QCOMPARE(other.innerButton->text(), QStringLiteral("inner"));
}

void TLocalizerTest::caseSensitiveNames()
{
    TSampleForm sample;
    AddResource(0x0409, {Entry("SampleForm", "okbutton", QStringLiteral("lower")),
                         Entry("sampleform", "OKButton", QStringLiteral("lower section")),
                         Entry("SampleForm", "<default>", QStringLiteral("lower default"))});
    LocalizeForm(&sample.form, 0x0409);
    QCOMPARE(sample.okButton->text(), QStringLiteral("OK"));
    QCOMPARE(sample.form.windowTitle(), QStringLiteral("Sample"));
}

void TLocalizerTest::plainFormKeepsCaptionButControlsAreWalked()
{
    QWidget form;
    form.setObjectName(QStringLiteral("PlainForm"));
    form.setWindowTitle(QStringLiteral("Plain"));
    auto *label = new QLabel(QStringLiteral("label"), &form);
    label->setObjectName(QStringLiteral("Label"));
    // A wide-text button inside a label is not reached: labels parent no controls.
    auto *insideLabel = new TTntButton(QStringLiteral("inside label"), label);
    insideLabel->setObjectName(QStringLiteral("Button"));
    auto *panel = new QWidget(&form);
    auto *button = new TTntButton(QStringLiteral("button"), panel);
    button->setObjectName(QStringLiteral("Button"));
    auto *unnamed = new TTntButton(QStringLiteral("unnamed"), panel);
    AddResource(0x0409, {Entry("PlainForm", "<DEFAULT>", QStringLiteral("changed")),
                         Entry("PlainForm", "Button", QStringLiteral("Knopf")),
                         Entry("PlainForm", "", QStringLiteral("no name"))});
    LocalizeForm(&form, 0x0409);
    QCOMPARE(form.windowTitle(), QStringLiteral("Plain"));
    QCOMPARE(button->text(), QStringLiteral("Knopf"));
    QCOMPARE(insideLabel->text(), QStringLiteral("inside label"));
    QCOMPARE(unnamed->text(), QStringLiteral("no name"));
}

void TLocalizerTest::pooledTextsAreReturnedAsStored()
{
    AddResource(0x0409, {Entry("<SP>", "Main:Saved", QStringLiteral("Saved %s1%<13>"),
                               QStringLiteral("ignored")),
                         Entry("Main", "Other", QStringLiteral("not pooled"))});
    QCOMPARE(GetL10NString(0x0409, "Main:Saved", QStringLiteral("default")),
             QStringLiteral("Saved %s1%<13>"));
    QCOMPARE(FormatL10NString(0x0409, "Main:Saved", QStringLiteral("default"), QStringLiteral("x"),
                              QString()),
             QStringLiteral("Saved x<13>"));
    QCOMPARE(GetL10NString(0x0409, "Other", QStringLiteral("d<9>")), QStringLiteral("d") + TAB);
    QCOMPARE(GetL10NString(0x0809, "Main:Saved", QStringLiteral("d")), QStringLiteral("d"));
}

QTEST_MAIN(TLocalizerTest)
#include "tst_localizer.moc"
