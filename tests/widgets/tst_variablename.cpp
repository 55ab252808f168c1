#include "variablename.h"

#include <QtTest>

class tst_VariableName : public QObject
{
    Q_OBJECT

private slots:
    void isVariableName_data();
    void isVariableName();
};

void tst_VariableName::isVariableName_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("expected");

    QTest::newRow("the empty text is no name") << QString() << false;
    QTest::newRow("an underscore alone is a name") << QStringLiteral("_") << true;
    QTest::newRow("letters and digits after a letter") << QStringLiteral("Fnom2") << true;
    QTest::newRow("underscores anywhere") << QStringLiteral("_x_1") << true;
    QTest::newRow("a leading digit is refused") << QStringLiteral("2x") << false;
    QTest::newRow("a Greek capital delta starts a name") << QStringLiteral("\u0394f") << true;
    QTest::newRow("a non-ASCII digit may follow") << QStringLiteral("x\u0663") << true;
    QTest::newRow("a blank is refused") << QStringLiteral("f 1") << false;
    QTest::newRow("an operator is refused") << QStringLiteral("x-1") << false;
    QTest::newRow("a point is refused") << QStringLiteral("a.b") << false;
}

void tst_VariableName::isVariableName()
{
    QFETCH(QString, text);
    QFETCH(bool, expected);

    QCOMPARE(::isVariableName(text), expected);
}

QTEST_GUILESS_MAIN(tst_VariableName)

#include "tst_variablename.moc"
