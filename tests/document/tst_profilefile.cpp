// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/profilefile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

class TProfileFileTest : public QObject
{
    Q_OBJECT

private slots:
    void parseInteger_data();
    void parseInteger();
    void readValue_data();
    void readValue();
    void readCutsLongValues();
    void readTypedValues();
    void write_data();
    void write();
    void loadOnlyReadsRegularFiles();
    void loadStopsAtSizeBound();
};

void TProfileFileTest::parseInteger_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("value");

    QTest::newRow("zero") << QByteArray("0") << true << 0;
    QTest::newRow("decimal") << QByteArray("1024") << true << 1024;
    QTest::newRow("leading zeros") << QByteArray("007") << true << 7;
    QTest::newRow("minus") << QByteArray("-5") << true << -5;
    QTest::newRow("plus") << QByteArray("+7") << true << 7;
    QTest::newRow("leading blanks") << QByteArray(" \t 12") << true << 12;
    QTest::newRow("blanks then sign") << QByteArray("  -3") << true << -3;
    QTest::newRow("0x") << QByteArray("0x3") << true << 3;
    QTest::newRow("0X mixed case digits") << QByteArray("0X1fA") << true << 0x1fa;
    QTest::newRow("dollar") << QByteArray("$3") << true << 3;
    QTest::newRow("dollar ff") << QByteArray("$ff") << true << 255;
    QTest::newRow("negative hex") << QByteArray("-$10") << true << -16;
    QTest::newRow("max") << QByteArray("2147483647") << true << 2147483647;
    QTest::newRow("min") << QByteArray("-2147483648") << true << int(-2147483648LL);
    QTest::newRow("hex max") << QByteArray("0x7FFFFFFF") << true << 0x7fffffff;

    QTest::newRow("empty") << QByteArray() << false << 0;
    QTest::newRow("blanks only") << QByteArray("   ") << false << 0;
    QTest::newRow("trailing letters") << QByteArray("12abc") << false << 0;
    QTest::newRow("trailing blank") << QByteArray("12 ") << false << 0;
    QTest::newRow("sign only") << QByteArray("-") << false << 0;
    QTest::newRow("double sign") << QByteArray("--1") << false << 0;
    QTest::newRow("blank after sign") << QByteArray("- 1") << false << 0;
    QTest::newRow("dollar only") << QByteArray("$") << false << 0;
    QTest::newRow("0x only") << QByteArray("0x") << false << 0;
    QTest::newRow("bad hex digit") << QByteArray("0x1g") << false << 0;
    QTest::newRow("hex digit in decimal") << QByteArray("1f") << false << 0;
    QTest::newRow("exponent") << QByteArray("1e3") << false << 0;
    QTest::newRow("word") << QByteArray("true") << false << 0;
    QTest::newRow("above max") << QByteArray("2147483648") << false << 0;
    QTest::newRow("below min") << QByteArray("-2147483649") << false << 0;
    QTest::newRow("hex above max") << QByteArray("0x80000000") << false << 0;
    QTest::newRow("hex all ones") << QByteArray("$FFFFFFFF") << false << 0;
    QTest::newRow("huge") << QByteArray("99999999999999999999999") << false << 0;
}

void TProfileFileTest::parseInteger()
{
    QFETCH(QByteArray, text);
    QFETCH(bool, valid);
    QFETCH(int, value);

    const std::optional<qint32> result = ParseProfileInteger(text);
    QCOMPARE(result.has_value(), valid);
    if (valid)
        QCOMPARE(*result, value);
}

void TProfileFileTest::readValue_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("section");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<bool>("present");
    QTest::addColumn<QByteArray>("value");

    const QByteArray s("S");
    const QByteArray k("Key");
    QTest::newRow("plain") << QByteArray("[S]\nKey=v\n") << s << k << true << QByteArray("v");
    QTest::newRow("names ignore case")
        << QByteArray("[configuration]\nurl=x\n") << QByteArray("Configuration")
        << QByteArray("URL") << true << QByteArray("x");
    QTest::newRow("blanks trimmed")
        << QByteArray("[S]\n  Key \t=  a b \t\n") << s << k << true << QByteArray("a b");
    QTest::newRow("header with blanks")
        << QByteArray("  [ S ]  \nKey=v") << s << k << true << QByteArray("v");
    QTest::newRow("double quotes")
        << QByteArray("[S]\nKey=\"  a b  \"\n") << s << k << true << QByteArray("  a b  ");
    QTest::newRow("single quotes")
        << QByteArray("[S]\nKey='a'\n") << s << k << true << QByteArray("a");
    QTest::newRow("one pair only")
        << QByteArray("[S]\nKey=\"\"a\"\"\n") << s << k << true << QByteArray("\"a\"");
    QTest::newRow("mismatched quotes")
        << QByteArray("[S]\nKey=\"a'\n") << s << k << true << QByteArray("\"a'");
    QTest::newRow("lone quote") << QByteArray("[S]\nKey=\"\n") << s << k << true
                                << QByteArray("\"");
    QTest::newRow("empty value") << QByteArray("[S]\nKey=\n") << s << k << true << QByteArray();
    QTest::newRow("equals in value")
        << QByteArray("[S]\nKey=a=b\n") << s << k << true << QByteArray("a=b");
    QTest::newRow("crlf") << QByteArray("[S]\r\nKey=v\r\nNext=w\r\n") << s << k << true
                          << QByteArray("v");
    QTest::newRow("byte-order mark")
        << QByteArray("\xEF\xBB\xBF[S]\r\nKey=v\r\n") << s << k << true << QByteArray("v");
    QTest::newRow("first duplicate wins")
        << QByteArray("[S]\nKey=1\nKey=2\n[S]\nKey=3\n") << s << k << true << QByteArray("1");
    QTest::newRow("key of another section")
        << QByteArray("[A]\nKey=1\n[S]\nOther=2\n") << s << k << false << QByteArray();
    QTest::newRow("key before any section")
        << QByteArray("Key=1\n[S]\n") << s << k << false << QByteArray();
    QTest::newRow("comment") << QByteArray("[S]\n;Key=1\n") << s << k << false << QByteArray();
    QTest::newRow("longer key") << QByteArray("[S]\nKeys=1\n") << s << k << false << QByteArray();
    QTest::newRow("longer section")
        << QByteArray("[SS]\nKey=1\n") << s << k << false << QByteArray();
    QTest::newRow("no section") << QByteArray() << s << k << false << QByteArray();
}

void TProfileFileTest::readValue()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, section);
    QFETCH(QByteArray, key);
    QFETCH(bool, present);
    QFETCH(QByteArray, value);

    TProfileFile file;
    file.SetText(text);
    const std::optional<QByteArray> result = file.ReadValue(section, key);
    QCOMPARE(result.has_value(), present);
    if (present)
        QCOMPARE(*result, value);
    // Reading never changes the text.
    QCOMPARE(file.Text(), text);
}

void TProfileFileTest::readCutsLongValues()
{
    const QByteArray value = QByteArray(2047, 'a') + QByteArray(953, 'b');
    TProfileFile file;
    file.SetText("[S]\nKey=" + value + "\nShort=\"" + QByteArray(2047, 'c') + "\"\n");
    QCOMPARE(file.ReadString("S", "Key", {}), QByteArray(2047, 'a'));
    // The quotes go before the cut, so a quoted value of exactly 2047 characters survives whole.
    QCOMPARE(file.ReadString("S", "Short", {}), QByteArray(2047, 'c'));
}

void TProfileFileTest::readTypedValues()
{
    TProfileFile file;
    file.SetText("[S]\nNumber= 0x10 \nQuoted=\"-4\"\nBad=12abc\nWord=true\nTwo=2\nZero=0\n");
    QCOMPARE(file.ReadInteger("S", "Number", 9), 16);
    QCOMPARE(file.ReadInteger("S", "Quoted", 9), -4);
    QCOMPARE(file.ReadInteger("S", "Bad", 9), 9);
    QCOMPARE(file.ReadInteger("S", "Missing", 9), 9);
    QCOMPARE(file.ReadString("S", "Missing", "dflt"), QByteArray("dflt"));

    QCOMPARE(file.ReadBool("S", "Word", false), false);
    QCOMPARE(file.ReadBool("S", "Word", true), true);
    QCOMPARE(file.ReadBool("S", "Two", false), true);
    QCOMPARE(file.ReadBool("S", "Zero", true), false);
    QCOMPARE(file.ReadBool("S", "Missing", true), true);
}

void TProfileFileTest::write_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QByteArray>("after");

    // Every row writes Key=value into section S.
    QTest::newRow("new file uses crlf")
        << QByteArray() << QByteArray("v") << QByteArray("[S]\r\nKey=v\r\n");
    QTest::newRow("in place, lf kept")
        << QByteArray("[S]\nA=1\nKey=old\nB=2\n") << QByteArray("new")
        << QByteArray("[S]\nA=1\nKey=new\nB=2\n");
    QTest::newRow("in place keeps spelling and spacing")
        << QByteArray("[s]\r\n  kEY = old \r\n") << QByteArray("new")
        << QByteArray("[s]\r\n  kEY = new\r\n");
    QTest::newRow("in place, last line without end")
        << QByteArray("[S]\nKey=old") << QByteArray("new") << QByteArray("[S]\nKey=new");
    QTest::newRow("empty value") << QByteArray("[S]\nKey=old\n") << QByteArray()
                                 << QByteArray("[S]\nKey=\n");
    QTest::newRow("appended at end of section, before blank lines")
        << QByteArray("[S]\nA=1\n;note\n\n[T]\nKey=1\n") << QByteArray("v")
        << QByteArray("[S]\nA=1\n;note\nKey=v\n\n[T]\nKey=1\n");
    QTest::newRow("appended to empty section")
        << QByteArray("[S]\r\n[T]\r\n") << QByteArray("v") << QByteArray("[S]\r\nKey=v\r\n[T]\r\n");
    QTest::newRow("commented key is not the key")
        << QByteArray("[S]\n;Key=1\n") << QByteArray("v") << QByteArray("[S]\n;Key=1\nKey=v\n");
    QTest::newRow("section appended at end of file")
        << QByteArray("; comment\n[T]\nKey=1\n") << QByteArray("v")
        << QByteArray("; comment\n[T]\nKey=1\n[S]\nKey=v\n");
    QTest::newRow("last line gains its line end")
        << QByteArray("[S]\nA=1") << QByteArray("v") << QByteArray("[S]\nA=1\nKey=v\n");
    QTest::newRow("new lines follow the first line end")
        << QByteArray("[T]\r\nX=1\nY=2\n") << QByteArray("v")
        << QByteArray("[T]\r\nX=1\nY=2\n[S]\r\nKey=v\r\n");
    QTest::newRow("byte-order mark kept")
        << QByteArray("\xEF\xBB\xBF[S]\nKey=1\n") << QByteArray("2")
        << QByteArray("\xEF\xBB\xBF[S]\nKey=2\n");
    QTest::newRow("line break cuts the value")
        << QByteArray("[S]\nKey=1\n") << QByteArray("a\r\n[X]") << QByteArray("[S]\nKey=a\n");
}

void TProfileFileTest::write()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, value);
    QFETCH(QByteArray, after);

    TProfileFile file;
    file.SetText(before);
    file.WriteString("S", "Key", value);
    QCOMPARE(file.Text(), after);
}

void TProfileFileTest::loadOnlyReadsRegularFiles()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    TProfileFile file;

    QCOMPARE(file.Load(dir.filePath(QStringLiteral("absent.webapp"))),
             TProfileFile::TLoadResult::Missing);
    QCOMPARE(file.Load(QString()), TProfileFile::TLoadResult::Missing);
    QCOMPARE(file.Load(dir.path()), TProfileFile::TLoadResult::Failed);

    // A FIFO without a writer would block an ordinary open for ever.
    const QString fifo = dir.filePath(QStringLiteral("fifo.webapp"));
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(file.Load(fifo), TProfileFile::TLoadResult::Failed);
    QCOMPARE(file.Load(QStringLiteral("/dev/zero")), TProfileFile::TLoadResult::Failed);
    QVERIFY(timer.elapsed() < 1000);
    QCOMPARE(file.Text(), QByteArray());

    QFile regular(dir.filePath(QStringLiteral("a.webapp")));
    QVERIFY(regular.open(QIODevice::WriteOnly));
    regular.write("[S]\nKey=v\n");
    regular.close();
    QCOMPARE(file.Load(regular.fileName()), TProfileFile::TLoadResult::Loaded);
    QCOMPARE(file.ReadString("S", "Key", {}), QByteArray("v"));
    // A failed load leaves nothing of the previous file behind.
    QCOMPARE(file.Load(dir.path()), TProfileFile::TLoadResult::Failed);
    QCOMPARE(file.ReadValue("S", "Key"), std::nullopt);
}

void TProfileFileTest::loadStopsAtSizeBound()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile big(dir.filePath(QStringLiteral("big.webapp")));
    QVERIFY(big.open(QIODevice::WriteOnly));
    big.write("[S]\nKey=v\n");
    const qint64 padding = TProfileFile::MaxFileSize - big.pos() - 4;
    big.write(QByteArray(padding, ';'));
    big.write("\nLate=1\n"); // crosses the bound
    big.close();

    TProfileFile file;
    QCOMPARE(file.Load(big.fileName()), TProfileFile::TLoadResult::Truncated);
    QCOMPARE(file.ReadString("S", "Key", {}), QByteArray("v"));
    QCOMPARE(file.ReadValue("S", "Late"), std::nullopt);
    QCOMPARE(file.Text().size(), TProfileFile::MaxFileSize);

    QVERIFY(big.resize(TProfileFile::MaxFileSize));
    QCOMPARE(file.Load(big.fileName()), TProfileFile::TLoadResult::Loaded);
}

QTEST_GUILESS_MAIN(TProfileFileTest)
#include "tst_profilefile.moc"
