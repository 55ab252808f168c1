#include "gammavarinfo.h"
#include "indepvarinfo.h"
#include "performancevarinfo.h"

#include <QtTest>

using namespace LoadPullStateUtils;

namespace {

QString s(const char *text)
{
    return QString::fromUtf8(text);
}

IndepVarInfo indep(const char *value, const char *min, const char *max)
{
    IndepVarInfo info;
    info.setName(s("Pin"));
    info.setValue(s(value));
    info.setMinValue(s(min));
    info.setMaxValue(s(max));
    return info;
}

IndepVarInfo withUnits(IndepVarInfo info, const char *unitType, const char *unit,
                       bool isFrequency = false)
{
    info.setUnitType(s(unitType));
    info.setUnit(s(unit));
    info.setIsFrequency(isFrequency);
    return info;
}

IndepVarInfo withPoints(IndepVarInfo info, int minNumPoints, int maxNumPoints)
{
    info.setMinNumPoints(minNumPoints);
    info.setMaxNumPoints(maxNumPoints);
    return info;
}

GammaVarInfo gamma(const char *min, const char *max, int points, const char *type,
                   const char *domain, const char *value)
{
    GammaVarInfo info;
    info.setName(s("GammaL"));
    info.setMinValue(s(min));
    info.setMaxValue(s(max));
    info.setMinNumPoints(points);
    info.setMaxNumPoints(points);
    info.setType(s(type));
    info.setDomain(s(domain));
    info.setValue(s(value));
    return info;
}

PerformanceVarInfo performance(const char *min, const char *max, const char *unit, bool isComplex,
                               bool output = true, bool autoPlot = false)
{
    PerformanceVarInfo info;
    info.setName(s("Pout"));
    info.setMinValue(s(min));
    info.setMaxValue(s(max));
    info.setUnit(s(unit));
    info.setIsComplex(isComplex);
    info.setOutput(output);
    info.setAutoPlot(autoPlot);
    return info;
}

} // namespace

class tst_VariableInfo : public QObject
{
    Q_OBJECT

private slots:
    void defaults();
    void normalizeValue_data();
    void normalizeValue();
    void indepMerge_data();
    void indepMerge();
    void gammaMerge_data();
    void gammaMerge();
    void performanceMerge_data();
    void performanceMerge();
    void indepValidity_data();
    void indepValidity();
    void gammaValidity_data();
    void gammaValidity();
    void performanceValidity_data();
    void performanceValidity();
};

void tst_VariableInfo::defaults()
{
    const IndepVarInfo indepInfo;
    QVERIFY(indepInfo.name().isEmpty() && indepInfo.value().isEmpty());
    QCOMPARE(indepInfo.minNumPoints(), 0);
    QVERIFY(!indepInfo.isFrequency());
    QCOMPARE(GammaVarInfo().harmIndex(), s("1"));
    const PerformanceVarInfo performanceInfo;
    QVERIFY(!performanceInfo.isComplex());
    QVERIFY(performanceInfo.output());
    QVERIFY(!performanceInfo.autoPlot());
}

void tst_VariableInfo::normalizeValue_data()
{
    QTest::addColumn<IndepVarInfo>("info");
    QTest::addColumn<QString>("expected");

    QTest::newRow("an empty value takes the minimum") << indep("", "1", "5") << s("1");
    QTest::newRow("a value below the minimum rises to it") << indep("0.5", "1", "5") << s("1");
    QTest::newRow("a value above the maximum is left to validation")
        << indep("7", "1", "5") << s("7");
    QTest::newRow("a variable name is never moved") << indep("Pnom", "1", "5") << s("Pnom");
    QTest::newRow("without a maximum a low value stays") << indep("0.5", "1", "") << s("0.5");
}

void tst_VariableInfo::normalizeValue()
{
    QFETCH(IndepVarInfo, info);
    QFETCH(QString, expected);

    info.normalizeValue();
    QCOMPARE(info.value(), expected);
}

void tst_VariableInfo::indepMerge_data()
{
    QTest::addColumn<IndepVarInfo>("stored");
    QTest::addColumn<IndepVarInfo>("other");
    QTest::addColumn<bool>("uiState");
    QTest::addColumn<IndepVarInfo>("expected");

    QTest::newRow("with uiState a value on the old minimum follows a lower minimum")
        << indep("2", "2", "6") << indep("", "1", "5") << true << indep("1", "1", "5");
    QTest::newRow("with uiState an empty value counts as on the minimum")
        << indep("", "2", "6") << indep("", "1", "5") << true << indep("1", "1", "5");
    QTest::newRow("with uiState a value off the old minimum stays")
        << indep("3", "2", "6") << indep("", "1", "5") << true << indep("3", "1", "5");
    QTest::newRow("with uiState a value on the old minimum follows a higher minimum")
        << indep("1", "1", "5") << indep("", "2", "6") << true << indep("2", "2", "6");
    QTest::newRow("with uiState a kept value below the new minimum rises to it")
        << indep("3", "1", "5") << indep("", "4", "9") << true << indep("4", "4", "9");
    QTest::newRow("with uiState a new value is taken")
        << indep("3", "1", "5") << indep("4", "2", "6") << true << indep("4", "2", "6");
    QTest::newRow("with uiState the point counts are taken")
        << withPoints(indep("3", "1", "5"), 3, 5) << withPoints(indep("3", "1", "5"), 7, 8) << true
        << withPoints(indep("3", "1", "5"), 7, 8);
    QTest::newRow("without uiState the range and points stay and the value is taken")
        << withPoints(indep("3", "1", "5"), 3, 5) << withPoints(indep("4", "9", "10"), 7, 8)
        << false << withPoints(indep("4", "1", "5"), 3, 5);
    QTest::newRow("without uiState an empty value falls back to the minimum")
        << indep("3", "1", "5") << indep("", "9", "10") << false << indep("1", "1", "5");
    QTest::newRow("without uiState the unit type and frequency flag stay")
        << withUnits(indep("3", "1", "5"), "Power", "dBm")
        << withUnits(indep("3", "1", "5"), "Frequency", "GHz", true) << false
        << withUnits(indep("3", "1", "5"), "Power", "dBm");
    QTest::newRow("with uiState the unit type, frequency flag and frequency unit are taken")
        << withUnits(indep("3", "1", "5"), "Power", "dBm")
        << withUnits(indep("3", "1", "5"), "Frequency", "GHz", true) << true
        << withUnits(indep("3", "1", "5"), "Frequency", "GHz", true);
    QTest::newRow("with uiState a variable other than frequency keeps its unit")
        << withUnits(indep("3", "1", "5"), "Power", "dBm")
        << withUnits(indep("3", "1", "5"), "Power", "W") << true
        << withUnits(indep("3", "1", "5"), "Power", "dBm");
    QTest::newRow("without uiState the frequency variable keeps its unit")
        << withUnits(indep("3", "1", "5"), "Frequency", "GHz", true)
        << withUnits(indep("3", "1", "5"), "Frequency", "MHz", true) << false
        << withUnits(indep("3", "1", "5"), "Frequency", "GHz", true);

    IndepVarInfo renamed = indep("4", "2", "6");
    renamed.setName(s("Other"));
    QTest::newRow("a merge never changes the name")
        << indep("3", "1", "5") << renamed << true << indep("4", "2", "6");
}

void tst_VariableInfo::indepMerge()
{
    QFETCH(IndepVarInfo, stored);
    QFETCH(IndepVarInfo, other);
    QFETCH(bool, uiState);
    QFETCH(IndepVarInfo, expected);

    stored.merge(other, uiState);
    QCOMPARE(stored, expected);
}

void tst_VariableInfo::gammaMerge_data()
{
    QTest::addColumn<bool>("uiState");
    QTest::addColumn<GammaVarInfo>("expected");

    QTest::newRow("with uiState the range, points and choices are taken")
        << true << gamma("0.1", "0.9", 7, "Source", "Polar-Mag", "0.5");
    QTest::newRow("without uiState only the choices are taken")
        << false << gamma("0", "1", 3, "Source", "Polar-Mag", "0.5");
}

void tst_VariableInfo::gammaMerge()
{
    QFETCH(bool, uiState);
    QFETCH(GammaVarInfo, expected);

    GammaVarInfo stored = gamma("0", "1", 3, "Load", "Rect-Real", "0");
    GammaVarInfo other = gamma("0.1", "0.9", 7, "Source", "Polar-Mag", "0.5");
    other.setName(s("Other"));
    stored.merge(other, uiState);
    QCOMPARE(stored, expected);
}

void tst_VariableInfo::performanceMerge_data()
{
    QTest::addColumn<bool>("fromBase");
    QTest::addColumn<bool>("uiState");
    QTest::addColumn<PerformanceVarInfo>("expected");

    QTest::newRow("with uiState a full record gives everything but the name")
        << false << true << performance("-5", "5", "W", true, true, true);
    QTest::newRow("without uiState a full record gives the choices, not unit and value type")
        << false << false << performance("0", "1", "dBm", false, true, true);
    QTest::newRow("with uiState a base record gives range, unit and value type")
        << true << true << performance("-5", "5", "W", true, false, false);
    QTest::newRow("without uiState a base record gives nothing")
        << true << false << performance("0", "1", "dBm", false, false, false);
}

void tst_VariableInfo::performanceMerge()
{
    QFETCH(bool, fromBase);
    QFETCH(bool, uiState);
    QFETCH(PerformanceVarInfo, expected);

    PerformanceVarInfo stored = performance("0", "1", "dBm", false, false, false);
    PerformanceVarInfo other = performance("-5", "5", "W", true, true, true);
    other.setName(s("Other"));
    if (fromBase)
        stored.merge(static_cast<const PerformanceVarBaseInfo &>(other), uiState);
    else
        stored.merge(other, uiState);
    QCOMPARE(stored, expected);
}

void tst_VariableInfo::indepValidity_data()
{
    QTest::addColumn<IndepVarInfo>("info");
    QTest::addColumn<bool>("uiState");
    QTest::addColumn<bool>("expected");

    const auto complete = [](const char *value, const char *min, const char *max) {
        return withUnits(indep(value, min, max), "Power", "dBm");
    };
    QTest::newRow("a complete variable within its range is valid with uiState")
        << complete("3", "1", "5") << true << true;
    QTest::newRow("a value on the maximum is valid") << complete("5", "1", "5") << true << true;
    QTest::newRow("a value below the minimum is invalid with uiState")
        << complete("0.5", "1", "5") << true << false;
    QTest::newRow("a value above the maximum is invalid with uiState")
        << complete("7", "1", "5") << true << false;
    QTest::newRow("a value above the maximum passes without uiState")
        << complete("7", "1", "5") << false << true;
    QTest::newRow("a variable name as value skips the range check")
        << complete("Pnom", "1", "5") << true << true;
    QTest::newRow("a maximum below the minimum is invalid with uiState")
        << complete("3", "5", "1") << true << false;
    QTest::newRow("a range given as names is not compared")
        << complete("3", "lo", "hi") << true << true;
    QTest::newRow("an empty minimum is invalid with uiState")
        << complete("3", "", "5") << true << false;
    QTest::newRow("an empty unit type is invalid with uiState")
        << withUnits(indep("3", "1", "5"), "", "dBm") << true << false;
    QTest::newRow("an empty unit is invalid with uiState")
        << withUnits(indep("3", "1", "5"), "Power", "") << true << false;
    QTest::newRow("a name and a value suffice without uiState")
        << indep("3", "", "") << false << true;
    QTest::newRow("a name and a value without range and units fail with uiState")
        << indep("3", "", "") << true << false;
    QTest::newRow("without a value the variable is invalid without uiState")
        << indep("", "", "") << false << false;
    QTest::newRow("without a value the variable is invalid with uiState")
        << complete("", "1", "5") << true << false;
    IndepVarInfo nameless = indep("3", "", "");
    nameless.setName(QString());
    QTest::newRow("without a name the variable is invalid") << nameless << false << false;
}

void tst_VariableInfo::indepValidity()
{
    QFETCH(IndepVarInfo, info);
    QFETCH(bool, uiState);
    QFETCH(bool, expected);

    QCOMPARE(info.isValid(uiState), expected);
}

void tst_VariableInfo::gammaValidity_data()
{
    QTest::addColumn<GammaVarInfo>("info");
    QTest::addColumn<bool>("uiState");
    QTest::addColumn<bool>("expected");

    const GammaVarInfo complete = gamma("0", "1", 5, "Load", "Rect-Real", "0.5");
    QTest::newRow("a complete gamma is valid with uiState") << complete << true << true;
    QTest::newRow("choices without a range are valid without uiState")
        << gamma("", "", 0, "Load", "Rect-Real", "0.5") << false << true;
    QTest::newRow("choices without a range are invalid with uiState")
        << gamma("", "", 0, "Load", "Rect-Real", "0.5") << true << false;
    QTest::newRow("a missing type is always invalid")
        << gamma("0", "1", 5, "", "Rect-Real", "0.5") << false << false;
    QTest::newRow("a missing domain is always invalid")
        << gamma("0", "1", 5, "Load", "", "0.5") << false << false;
    QTest::newRow("a missing value is always invalid")
        << gamma("0", "1", 5, "Load", "Rect-Real", "") << false << false;
    GammaVarInfo noHarmonic = complete;
    noHarmonic.setHarmIndex(QString());
    QTest::newRow("a missing harmonic index is always invalid") << noHarmonic << false << false;
    QTest::newRow("a maximum below the minimum is invalid with uiState")
        << gamma("1", "0", 5, "Load", "Rect-Real", "0.5") << true << false;
}

void tst_VariableInfo::gammaValidity()
{
    QFETCH(GammaVarInfo, info);
    QFETCH(bool, uiState);
    QFETCH(bool, expected);

    QCOMPARE(info.isValid(uiState), expected);
}

void tst_VariableInfo::performanceValidity_data()
{
    QTest::addColumn<PerformanceVarInfo>("info");
    QTest::addColumn<bool>("uiState");
    QTest::addColumn<bool>("expected");

    QTest::newRow("a complete quantity is valid with uiState")
        << performance("0", "1", "W", false) << true << true;
    QTest::newRow("a name alone is valid without uiState")
        << performance("", "", "", false) << false << true;
    QTest::newRow("a name alone is invalid with uiState")
        << performance("", "", "", false) << true << false;
    QTest::newRow("an empty unit is invalid with uiState")
        << performance("0", "1", "", false) << true << false;
    QTest::newRow("a maximum below the minimum is invalid with uiState")
        << performance("1", "0", "W", false) << true << false;
    PerformanceVarInfo nameless = performance("0", "1", "W", false);
    nameless.setName(QString());
    QTest::newRow("a quantity without a name is invalid") << nameless << false << false;
}

void tst_VariableInfo::performanceValidity()
{
    QFETCH(PerformanceVarInfo, info);
    QFETCH(bool, uiState);
    QFETCH(bool, expected);

    QCOMPARE(info.isValid(uiState), expected);
}

QTEST_GUILESS_MAIN(tst_VariableInfo)

#include "tst_variableinfo.moc"
