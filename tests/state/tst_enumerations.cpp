#include "enumerations.h"
#include "testtexts.h"

#include <QtTest>

using namespace LoadPullStateUtils;

class tst_Enumerations : public QObject
{
    Q_OBJECT

private slots:
    void conversions_data();
    void conversions();
    void fileTypeFromParameter_data();
    void fileTypeFromParameter();
};

// Each row evaluates a conversion, so that it reads as "this call gives that".
void tst_Enumerations::conversions_data()
{
    QTest::addColumn<QVariant>("actual");
    QTest::addColumn<QVariant>("expected");

    const auto row = [](const char *name, const QVariant &actual, const QVariant &expected) {
        QTest::newRow(name) << actual << expected;
    };
    row("a value outside the table has no text", toText(NoFileType), QString());
    row("a text in another letter case reads as value 0",
        int(fromText<InterpolationMethod>("cubic"_s)), 0);
}

void tst_Enumerations::conversions()
{
    QFETCH(QVariant, actual);
    QFETCH(QVariant, expected);

    QCOMPARE(actual, expected);
}

void tst_Enumerations::fileTypeFromParameter_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");

    QTest::newRow("Maury is taken without a message") << "Maury"_s << 1;
    QTest::newRow("Focus is told the editor shows Maury settings") << "Focus"_s << 1;
    QTest::newRow("lower-case maury is told so too") << "maury"_s << 1;
}

// A type not offered is answered with the Maury settings and a message saying so.
void tst_Enumerations::fileTypeFromParameter()
{
    QFETCH(QString, text);
    QFETCH(int, expected);
    QCOMPARE(int(LoadPullStateUtils::fileTypeFromParameter(text)), expected);
    const QString message = text == "Maury"_s
                                ? QString()
                                : text + " is not of a load pull file type supported by Talvex.\n"
                                         "Please choose a type using the component dialog.\n"
                                         " The editor shows the component's settings as Maury "
                                         "settings and keeps its file type as it is."_s;
    QCOMPARE(LoadPullStateUtils::unsupportedFileTypeMessage(text), message);
}

QTEST_MAIN(tst_Enumerations)

#include "tst_enumerations.moc"
