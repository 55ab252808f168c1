#include "realstringparser.h"
#include "testtexts.h"

#include <QtTest>

class tst_RealStringParser : public QObject
{
    Q_OBJECT

private slots:
    void numberWithUnits_data();
    void numberWithUnits();
    void refusedText_data();
    void refusedText();
};

void tst_RealStringParser::numberWithUnits_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("units");

    const auto row = [](const char *name, const char *text, const char *number, const char *units) {
        QTest::newRow(name) << QString::fromUtf8(text) << QString::fromUtf8(number)
                            << QString::fromUtf8(units);
    };
    row("a decimal with a blank before a frequency unit", "5.8 GHz", "5.8", "GHz");
    row("a negative power in dBm", "-10 dBm", "-10", "dBm");
    row("a unit written right after the number", "3V", "3", "V");
    row("an exponent belongs to the number", "1e5 mA", "1e5", "mA");
    row("a signed exponent without a unit", "2.5E-3", "2.5E-3", "");
    row("a leading point and a plus sign", "+.5 V", "+.5", "V");
    row("blanks around the whole text are allowed", " 50 Ohm ", "50", "Ohm");
    row("an e without digits starts the unit", "1eV", "1", "eV");
    row("a unit with a non-ASCII prefix", "4 \u00b5A", "4", "\u00b5A");
}

void tst_RealStringParser::numberWithUnits()
{
    QFETCH(QString, text);
    QFETCH(QString, number);
    QFETCH(QString, units);

    QString parsedNumber;
    QString parsedUnits;
    QVERIFY(RealStringParser::parseNumberAndUnits(text, parsedNumber, parsedUnits));
    QCOMPARE(parsedNumber, number);
    QCOMPARE(parsedUnits, units);
}

void tst_RealStringParser::refusedText_data()
{
    QTest::addColumn<QString>("text");

    QTest::newRow("the empty text") << QString();
    QTest::newRow("a dBm conversion as the export writes it") << "dbmtow( 10 ) "_s;
    QTest::newRow("an expression") << "2*Fnom"_s;
    QTest::newRow("two unit words") << "10 dB m"_s;
    QTest::newRow("a unit before the number") << "GHz 5"_s;
    QTest::newRow("two numbers") << "10 20"_s;
    QTest::newRow("a group separator") << "1,000 Hz"_s;
    QTest::newRow("a lone sign") << "-"_s;
    // Every reader of the number would refuse these: they are no numbers.
    QTest::newRow("a number too large") << "1e400 dBm"_s;
    QTest::newRow("a number too small to be told from 0") << "8e-789 V"_s;
}

void tst_RealStringParser::refusedText()
{
    QFETCH(QString, text);

    QString number = "stale"_s;
    QString units = "stale"_s;
    QVERIFY(!RealStringParser::parseNumberAndUnits(text, number, units));
    QVERIFY(number.isEmpty());
    QVERIFY(units.isEmpty());
}

QTEST_GUILESS_MAIN(tst_RealStringParser)

#include "tst_realstringparser.moc"
