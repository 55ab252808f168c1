#include "analysisoptimizationtabstate.h"
#include "analysisparameterstabstate.h"
#include "filetabstate.h"
#include "interpolationtabstate.h"
#include "performancevarinfo.h"
#include "termtabstate.h"
#include "variabledetailstabstate.h"

#include <QtTest>

#include <type_traits>

using namespace LoadPullStateUtils;

using Validity = QPair<bool, bool>; // with and without uiState

namespace {

QString s(const char *text)
{
    return QString::fromUtf8(text);
}

// A copy of record with one field set through its setter.
template<typename Record, typename Class, typename Value>
Record with(Record record, void (Class::*set)(Value), std::decay_t<Value> value)
{
    (record.*set)(value);
    return record;
}

// The variable Pin in dBm; a unit in Hz makes it the frequency variable.
IndepVarInfo indep(const char *value, const char *min = "1", const char *max = "5",
                   const char *unit = "dBm", int points = 0)
{
    IndepVarInfo info;
    info.setName(s("Pin"));
    info.setValue(s(value));
    info.setMinValue(s(min));
    info.setMaxValue(s(max));
    info.setIsFrequency(s(unit).endsWith(s("Hz")));
    info.setUnitType(info.isFrequency() ? s("Frequency") : s("Power"));
    info.setUnit(s(unit));
    info.setMinNumPoints(points);
    info.setMaxNumPoints(points + 1);
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
    info.setMaxNumPoints(points + 1);
    info.setType(s(type));
    info.setDomain(s(domain));
    info.setValue(s(value));
    return info;
}

PerformanceVarInfo performance(const char *min, const char *max, const char *unit,
                               bool isComplex = false, bool output = true, bool autoPlot = false)
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

// A row evaluates the record with and without uiState.
template<typename Record>
void validityRow(const char *name, const Record &record, bool withUiState, bool withoutUiState)
{
    QTest::newRow(name) << qMakePair(record.isValid(true), record.isValid(false))
                        << qMakePair(withUiState, withoutUiState);
}

} // namespace

class tst_Records : public QObject
{
    Q_OBJECT

private slots:
    void validity_data();
    void validity();
    void indepMerge_data();
    void indepMerge();
    void gammaMerge_data();
    void gammaMerge();
    void performanceMerge_data();
    void performanceMerge();
};

void tst_Records::validity_data()
{
    QTest::addColumn<Validity>("actual");
    QTest::addColumn<Validity>("expected");

    validityRow("Pin on its maximum", indep("5"), true, true);
    validityRow("Pin below its minimum", indep("0.5"), false, true);
    validityRow("Pin above its maximum", indep("7"), false, true);
    validityRow("Pin valued by a name", indep("Pnom"), true, true);
    validityRow("Pin with a maximum below its minimum", indep("3", "5", "1"), false, true);
    validityRow("Pin with a range of names", indep("3", "lo", "hi"), true, true);
    validityRow("Pin without a minimum", indep("3", ""), false, true);
    validityRow("Pin without a unit", indep("3", "1", "5", ""), false, true);
    const IndepVarInfo noUnitType = with(indep("3"), &IndepVarInfo::setUnitType, {});
    validityRow("Pin without a unit type", noUnitType, false, true);
    validityRow("Pin without a value", indep(""), false, false);

    const GammaVarInfo complete = gamma("0", "1", 5, "Load", "Rect-Real", "0.5");
    const auto gammaWithout = [&](void (GammaVarInfo::*set)(const QString &)) {
        return with(complete, set, {});
    };
    validityRow("complete gamma", complete, true, true);
    validityRow("gamma without a range", gamma("", "", 0, "Load", "Rect-Real", "0.5"), false, true);
    validityRow("gamma without a type", gammaWithout(&GammaVarInfo::setType), false, false);
    validityRow("gamma without a domain", gammaWithout(&GammaVarInfo::setDomain), false, false);
    validityRow("gamma without a value", gammaWithout(&GammaVarInfo::setValue), false, false);
    validityRow("gamma without harmonic", gammaWithout(&GammaVarInfo::setHarmIndex), false, false);

    validityRow("complete Pout", performance("0", "1", "W"), true, true);
    validityRow("Pout without a unit", performance("0", "1", ""), false, true);
    validityRow("quantity without a name", PerformanceVarInfo(), false, false);

    IndepVariablesState indeps;
    indeps.setVariables({indep("3"), with(indep(""), &IndepVarInfo::setName, s("Vdd"))}, false);
    validityRow("collection with one invalid variable", indeps, false, false);
    GammasState gammas;
    gammas.addVariable(gammaWithout(&GammaVarInfo::setValue));
    VariableDetailsTabState details;
    details.setGammaVariables(gammas);
    validityRow("details with an invalid gamma", details, false, false);

    FileTabState maury;
    maury.setFileType(MauryFileType);
    const QStringList files{s("a.lp")};
    validityRow("files without a type", with(FileTabState(), &FileTabState::setFileNames, files),
                false, false);
    validityRow("a type without files", maury, false, true);
    validityRow("a type with files", with(maury, &FileTabState::setFileNames, files), true, true);

    const auto interpolation = [](int method, int domain, int extrapolation) {
        InterpolationTabState state;
        state.setInterpolationMethod(method);
        state.setInterpolationDomain(domain);
        state.setExtrapolationMethod(extrapolation);
        return state;
    };
    validityRow("last value of each interpolation choice", interpolation(2, 1, 1), true, true);
    validityRow("interpolation method 3", interpolation(3, 0, 0), false, false);
    validityRow("interpolation method -1", interpolation(-1, 0, 0), false, false);
    validityRow("interpolation domain 2", interpolation(0, 2, 0), false, false);
    validityRow("extrapolation method 2", interpolation(0, 0, 2), false, false);

    const auto level = [](const char *text) {
        return with(AnalysisParametersTabState(), &AnalysisParametersTabState::setStatusLevel,
                    s(text));
    };
    validityRow("status level 1", level("1"), true, true);
    validityRow("status level 4", level("4"), true, true);
    validityRow("status level 5", level("5"), false, true);
    validityRow("status level 0", level("0"), false, true);
    validityRow("status level by name", level("lev"), true, true);
    validityRow("empty status level", level(""), false, true);

    const auto weight = [](const char *text) {
        return with(AnalysisOptimizationTabState(), &AnalysisOptimizationTabState::setWeight,
                    s(text));
    };
    validityRow("weight 0", weight("0"), true, true);
    validityRow("weight -1", weight("-1"), false, true);
    validityRow("weight by name", weight("w1"), true, true);
    validityRow("empty weight", weight(""), false, true);

    validityRow("term without an impedance",
                with(TermTabState(), &TermTabState::setReferenceImpedance, {}), false, false);
    validityRow("term without a number", with(TermTabState(), &TermTabState::setTermNumber, {}),
                false, false);
}

void tst_Records::validity()
{
    QFETCH(Validity, actual);
    QFETCH(Validity, expected);

    QCOMPARE(actual, expected);
}

void tst_Records::indepMerge_data()
{
    QTest::addColumn<IndepVarInfo>("stored");
    QTest::addColumn<IndepVarInfo>("other");
    QTest::addColumn<bool>("uiState");
    QTest::addColumn<IndepVarInfo>("expected");

    QTest::newRow("with uiState a value on the old minimum follows a lower one")
        << indep("2", "2", "6") << indep("", "1", "5") << true << indep("1", "1", "5");
    QTest::newRow("with uiState a value off the old minimum stays")
        << indep("3", "2", "6") << indep("", "1", "5") << true << indep("3", "1", "5");
    QTest::newRow("with uiState a kept value below the new minimum rises to it")
        << indep("3") << indep("", "4", "9") << true << indep("4", "4", "9");
    QTest::newRow("with uiState a new value is taken, a unit other than Hz is not")
        << indep("3") << indep("4", "2", "6", "W") << true << indep("4", "2", "6");
    QTest::newRow("with uiState range, points, unit type, flag and unit of frequency are taken")
        << indep("3", "1", "5", "dBm", 3) << indep("4", "2", "6", "GHz", 7) << true
        << indep("4", "2", "6", "GHz", 7);
    QTest::newRow("without uiState only the value is taken")
        << indep("3", "1", "5", "GHz", 3) << indep("4", "9", "10", "dBm", 7) << false
        << indep("4", "1", "5", "GHz", 3);
    QTest::newRow("without uiState an empty value falls back to the minimum")
        << indep("3") << indep("") << false << indep("1");
    QTest::newRow("a value above the maximum is left to validation")
        << indep("3") << indep("7") << false << indep("7");
    QTest::newRow("a variable name is never moved")
        << indep("3") << indep("Pnom") << false << indep("Pnom");
    QTest::newRow("without a maximum a low value stays")
        << indep("3", "1", "") << indep("0.5") << false << indep("0.5", "1", "");
}

void tst_Records::indepMerge()
{
    QFETCH(IndepVarInfo, stored);
    QFETCH(IndepVarInfo, other);
    QFETCH(bool, uiState);
    QFETCH(IndepVarInfo, expected);

    other.setName(s("Other")); // a merge never changes the name
    stored.merge(other, uiState);
    QCOMPARE(stored, expected);
}

void tst_Records::gammaMerge_data()
{
    QTest::addColumn<bool>("uiState");
    QTest::addColumn<GammaVarInfo>("expected");

    QTest::newRow("with uiState the range, points and choices are taken")
        << true << gamma("0.1", "0.9", 7, "Source", "Polar-Mag", "0.5");
    QTest::newRow("without uiState only the choices are taken")
        << false << gamma("0", "1", 3, "Source", "Polar-Mag", "0.5");
}

void tst_Records::gammaMerge()
{
    QFETCH(bool, uiState);
    QFETCH(GammaVarInfo, expected);

    GammaVarInfo stored = gamma("0", "1", 3, "Load", "Rect-Real", "0");
    const GammaVarInfo other =
        with(gamma("0.1", "0.9", 7, "Source", "Polar-Mag", "0.5"), &GammaVarInfo::setName, s("G"));
    stored.merge(other, uiState);
    QCOMPARE(stored, expected);
}

void tst_Records::performanceMerge_data()
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
}

void tst_Records::performanceMerge()
{
    QFETCH(bool, fromBase);
    QFETCH(bool, uiState);
    QFETCH(PerformanceVarInfo, expected);

    PerformanceVarInfo stored = performance("0", "1", "dBm", false, false, false);
    const PerformanceVarInfo other =
        with(performance("-5", "5", "W", true, true, true), &PerformanceVarInfo::setName, s("Q"));
    if (fromBase)
        stored.merge(static_cast<const PerformanceVarBaseInfo &>(other), uiState);
    else
        stored.merge(other, uiState);
    QCOMPARE(stored, expected);
}

QTEST_GUILESS_MAIN(tst_Records)

#include "tst_records.moc"
