// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/userlanguage.h"

#include <QHash>
#include <QTest>

class TUserLanguageTest : public QObject
{
    Q_OBJECT

private slots:
    void languageId_data();
    void languageId();
    void everyLocaleGivesAWellFormedId();
    void readOnce();
};

void TUserLanguageTest::languageId_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<uint>("id");

    QTest::newRow("en_US") << QStringLiteral("en_US") << 0x0409u;
    QTest::newRow("en_GB") << QStringLiteral("en_GB") << 0x0809u;
    QTest::newRow("en_IN") << QStringLiteral("en_IN") << 0x4009u;
    QTest::newRow("de_DE") << QStringLiteral("de_DE") << 0x0407u;
    QTest::newRow("de_AT") << QStringLiteral("de_AT") << 0x0C07u;
    QTest::newRow("de_CH") << QStringLiteral("de_CH") << 0x0807u;
    QTest::newRow("fr_FR") << QStringLiteral("fr_FR") << 0x040Cu;
    QTest::newRow("fr_CA") << QStringLiteral("fr_CA") << 0x0C0Cu;
    QTest::newRow("es_ES") << QStringLiteral("es_ES") << 0x0C0Au;
    QTest::newRow("es_MX") << QStringLiteral("es_MX") << 0x080Au;
    QTest::newRow("es_AR") << QStringLiteral("es_AR") << 0x2C0Au;
    QTest::newRow("zh_CN") << QStringLiteral("zh_CN") << 0x0804u;
    QTest::newRow("zh_TW") << QStringLiteral("zh_TW") << 0x0404u;
    QTest::newRow("zh_HK") << QStringLiteral("zh_HK") << 0x0C04u;
    QTest::newRow("ja_JP") << QStringLiteral("ja_JP") << 0x0411u;
    QTest::newRow("ko_KR") << QStringLiteral("ko_KR") << 0x0412u;
    QTest::newRow("pt_BR") << QStringLiteral("pt_BR") << 0x0416u;
    QTest::newRow("pt_PT") << QStringLiteral("pt_PT") << 0x0816u;
    QTest::newRow("ru_RU") << QStringLiteral("ru_RU") << 0x0419u;
    QTest::newRow("hi_IN") << QStringLiteral("hi_IN") << 0x0439u;
    QTest::newRow("bn_BD") << QStringLiteral("bn_BD") << 0x0845u;
    QTest::newRow("ar_SA") << QStringLiteral("ar_SA") << 0x0401u;
    QTest::newRow("ar_EG") << QStringLiteral("ar_EG") << 0x0C01u;
    QTest::newRow("tr_TR") << QStringLiteral("tr_TR") << 0x041Fu;
    QTest::newRow("it_IT") << QStringLiteral("it_IT") << 0x0410u;
    QTest::newRow("nb_NO") << QStringLiteral("nb_NO") << 0x0414u;
    QTest::newRow("C locale is US English") << QStringLiteral("C") << 0x0409u;
    QTest::newRow("unlisted country: main id") << QStringLiteral("de_BE") << 0x0407u;
    QTest::newRow("unlisted English country") << QStringLiteral("en_NG") << 0x0409u;
    QTest::newRow("unlisted language: neutral") << QStringLiteral("kl_GL") << 0x0400u;
}

void TUserLanguageTest::languageId()
{
    QFETCH(QString, locale);
    QFETCH(uint, id);
    QCOMPARE(LanguageIdForLocale(QLocale(locale)), quint32(id));
}

// Every locale Qt knows maps to an id whose primary language is the same for all countries of
// one language, with a sublanguage set, or to the neutral id: a mistyped entry shows here.
void TUserLanguageTest::everyLocaleGivesAWellFormedId()
{
    QHash<int, quint32> primaryOfLanguage;
    const QList<QLocale> locales =
        QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory);
    QVERIFY(locales.size() > 100);
    for (const QLocale &locale : locales) {
        const quint32 id = LanguageIdForLocale(locale);
        QVERIFY2(id <= 0xFFFF, qPrintable(locale.name()));
        QVERIFY2(id >> 10 != 0, qPrintable(locale.name()));
        if (locale.language() == QLocale::C)
            continue;
        const quint32 primary = id & 0x3FF;
        const auto known = primaryOfLanguage.constFind(locale.language());
        if (known == primaryOfLanguage.constEnd())
            primaryOfLanguage.insert(locale.language(), primary);
        else
            QVERIFY2(*known == primary, qPrintable(locale.name()));
    }
    // Distinct languages never share a primary id.
    QHash<quint32, int> languageOfPrimary;
    for (auto it = primaryOfLanguage.cbegin(); it != primaryOfLanguage.cend(); ++it) {
        // Windows files both written forms of Norwegian under one primary language.
        if (it.value() == 0 || it.key() == QLocale::NorwegianNynorsk)
            continue;
        QVERIFY2(!languageOfPrimary.contains(it.value()),
                 qPrintable(QLocale::languageToString(QLocale::Language(it.key()))));
        languageOfPrimary.insert(it.value(), it.key());
    }
    QVERIFY(languageOfPrimary.size() >= 20);
}

void TUserLanguageTest::readOnce()
{
    InitUserLanguageId();
    const quint32 first = UserLanguageId();
    QCOMPARE(first, LanguageIdForLocale(QLocale::system()));
    // Changing the application's locale later does not change the value read at start-up.
    QLocale::setDefault(
        QLocale(first == 0x0411 ? QStringLiteral("de_DE") : QStringLiteral("ja_JP")));
    InitUserLanguageId();
    QCOMPARE(UserLanguageId(), first);
}

QTEST_GUILESS_MAIN(TUserLanguageTest)
#include "tst_userlanguage.moc"
