#include "analysisfrequencyrangesyncstate.h"
#include "analysisoptimizationtabstate.h"
#include "analysisparameterstabstate.h"
#include "filetabstate.h"
#include "interpolationtabstate.h"
#include "termtabstate.h"

#include <QtTest>

using namespace LoadPullStateUtils;

namespace {

QString s(const char *text)
{
    return QString::fromUtf8(text);
}

} // namespace

class tst_TabStates : public QObject
{
    Q_OBJECT

private slots:
    void defaults();
    void fileListOperations();
    void fileValidity_data();
    void fileValidity();
    void interpolationValidity_data();
    void interpolationValidity();
    void statusLevelValidity_data();
    void statusLevelValidity();
    void weightValidity_data();
    void weightValidity();
    void termValidity_data();
    void termValidity();
};

void tst_TabStates::defaults()
{
    const FileTabState file;
    QCOMPARE(file.fileType(), NoFileType);
    QVERIFY(file.isEmpty());

    const InterpolationTabState interpolation;
    QCOMPARE(interpolation.interpolationMethod(), 0);
    QCOMPARE(interpolation.interpolationDomain(), 0);
    QCOMPARE(interpolation.extrapolationMethod(), 0);

    QVERIFY(AnalysisFrequencyRangeSyncState().useFrequencyRangeFromDataFiles());
    QVERIFY(AnalysisFrequencyRangeSyncState().isValid(true));

    const AnalysisParametersTabState parameters;
    QVERIFY(parameters.calcGamma());
    QVERIFY(!parameters.calcImpedance());
    QVERIFY(!parameters.calcAdmittance());
    QCOMPARE(parameters.statusLevel(), s("2"));
    QVERIFY(!parameters.allowNonlinearDevices());

    const AnalysisOptimizationTabState optimization;
    QCOMPARE(optimization.weight(), s("100"));
    QVERIFY(optimization.avoidOutOfRangeData());

    const TermTabState term;
    QCOMPARE(term.referenceImpedance(), s("50.0 + j* 0.0"));
    QCOMPARE(term.unit(), s("Ohm"));
    QCOMPARE(term.termNumber(), s("1"));
}

void tst_TabStates::fileListOperations()
{
    FileTabState file;
    file.setFileType(MauryFileType);
    file.appendFileName(s("a.lp"));
    file.appendFileName(QString());
    file.appendFileName(s("b.lp"));
    QCOMPARE(file.fileNames(), (QStringList{s("a.lp"), s("b.lp")}));

    QVERIFY(!file.removeFileNameAt(2));
    QVERIFY(!file.removeFileNameAt(-1));
    QCOMPARE(file.count(), 2);
    QVERIFY(file.removeFileNameAt(0));
    QCOMPARE(file.fileNames(), QStringList{s("b.lp")});

    file.clear();
    QCOMPARE(file, FileTabState());
}

void tst_TabStates::fileValidity_data()
{
    QTest::addColumn<int>("fileType");
    QTest::addColumn<QStringList>("fileNames");
    QTest::addColumn<bool>("uiState");
    QTest::addColumn<bool>("expected");

    const QStringList files{s("a.lp")};
    QTest::newRow("no file type is invalid") << 0 << files << false << false;
    QTest::newRow("a type without files is valid without uiState")
        << 1 << QStringList() << false << true;
    QTest::newRow("a type without files is invalid with uiState")
        << 1 << QStringList() << true << false;
    QTest::newRow("a type with files is valid with uiState") << 1 << files << true << true;
}

void tst_TabStates::fileValidity()
{
    QFETCH(int, fileType);
    QFETCH(QStringList, fileNames);
    QFETCH(bool, uiState);
    QFETCH(bool, expected);

    FileTabState file;
    file.setFileType(LoadPullFileType(fileType));
    file.setFileNames(fileNames);
    QCOMPARE(file.isValid(uiState), expected);
}

void tst_TabStates::interpolationValidity_data()
{
    QTest::addColumn<int>("method");
    QTest::addColumn<int>("domain");
    QTest::addColumn<int>("extrapolation");
    QTest::addColumn<bool>("expected");

    QTest::newRow("the last value of each choice is valid") << 2 << 1 << 1 << true;
    QTest::newRow("a method above Cubic is invalid") << 3 << 0 << 0 << false;
    QTest::newRow("a negative method is invalid") << -1 << 0 << 0 << false;
    QTest::newRow("a domain above Polar is invalid") << 0 << 2 << 0 << false;
    QTest::newRow("an extrapolation above Constant is invalid") << 0 << 0 << 2 << false;
}

void tst_TabStates::interpolationValidity()
{
    QFETCH(int, method);
    QFETCH(int, domain);
    QFETCH(int, extrapolation);
    QFETCH(bool, expected);

    InterpolationTabState interpolation;
    interpolation.setInterpolationMethod(method);
    interpolation.setInterpolationDomain(domain);
    interpolation.setExtrapolationMethod(extrapolation);
    QCOMPARE(interpolation.isValid(true), expected);
    QCOMPARE(interpolation.isValid(false), expected);
}

void tst_TabStates::statusLevelValidity_data()
{
    QTest::addColumn<QString>("level");
    QTest::addColumn<bool>("uiState");
    QTest::addColumn<bool>("expected");

    QTest::newRow("level 1 is valid with uiState") << s("1") << true << true;
    QTest::newRow("level 4 is valid with uiState") << s("4") << true << true;
    QTest::newRow("level 5 is invalid with uiState") << s("5") << true << false;
    QTest::newRow("level 0 is invalid with uiState") << s("0") << true << false;
    QTest::newRow("a variable name is valid with uiState") << s("lev") << true << true;
    QTest::newRow("the empty text is invalid with uiState") << QString() << true << false;
    QTest::newRow("level 5 is valid without uiState") << s("5") << false << true;
    QTest::newRow("level 0 is valid without uiState") << s("0") << false << true;
    QTest::newRow("the empty text is valid without uiState") << QString() << false << true;
}

void tst_TabStates::statusLevelValidity()
{
    QFETCH(QString, level);
    QFETCH(bool, uiState);
    QFETCH(bool, expected);

    AnalysisParametersTabState parameters;
    parameters.setStatusLevel(level);
    QCOMPARE(parameters.isValid(uiState), expected);
}

void tst_TabStates::weightValidity_data()
{
    QTest::addColumn<QString>("weight");
    QTest::addColumn<bool>("uiState");
    QTest::addColumn<bool>("expected");

    QTest::newRow("a weight of 0 is valid with uiState") << s("0") << true << true;
    QTest::newRow("a weight of 2.5e3 is valid with uiState") << s("2.5e3") << true << true;
    QTest::newRow("a weight of -1 is invalid with uiState") << s("-1") << true << false;
    QTest::newRow("a variable name is valid with uiState") << s("w1") << true << true;
    QTest::newRow("the empty text is invalid with uiState") << QString() << true << false;
    QTest::newRow("a weight of -1 is valid without uiState") << s("-1") << false << true;
    QTest::newRow("the empty text is valid without uiState") << QString() << false << true;
}

void tst_TabStates::weightValidity()
{
    QFETCH(QString, weight);
    QFETCH(bool, uiState);
    QFETCH(bool, expected);

    AnalysisOptimizationTabState optimization;
    optimization.setWeight(weight);
    QCOMPARE(optimization.isValid(uiState), expected);
}

void tst_TabStates::termValidity_data()
{
    QTest::addColumn<QString>("impedance");
    QTest::addColumn<QString>("termNumber");
    QTest::addColumn<bool>("expected");

    QTest::newRow("the defaults are valid") << s("50.0 + j* 0.0") << s("1") << true;
    QTest::newRow("an empty impedance is invalid") << QString() << s("1") << false;
    QTest::newRow("an empty term number is invalid") << s("50") << QString() << false;
}

void tst_TabStates::termValidity()
{
    QFETCH(QString, impedance);
    QFETCH(QString, termNumber);
    QFETCH(bool, expected);

    TermTabState term;
    term.setReferenceImpedance(impedance);
    term.setTermNumber(termNumber);
    term.setUnit(QString()); // the unit is not examined
    QCOMPARE(term.isValid(true), expected);
    QCOMPARE(term.isValid(false), expected);
}

QTEST_GUILESS_MAIN(tst_TabStates)

#include "tst_tabstates.moc"
