#include "gammasstate.h"
#include "indepvariablesstate.h"
#include "performancetabstate.h"
#include "variabledetailstabstate.h"

#include <QtTest>

using namespace LoadPullStateUtils;

namespace {

QString s(const char *text)
{
    return QString::fromUtf8(text);
}

IndepVarInfo indep(const char *name, const char *value = "3", bool isFrequency = false)
{
    IndepVarInfo info;
    info.setName(s(name));
    info.setValue(s(value));
    info.setMinValue(s("1"));
    info.setMaxValue(s("5"));
    info.setIsFrequency(isFrequency);
    return info;
}

GammaVarInfo gamma(const char *name)
{
    GammaVarInfo info;
    info.setName(s(name));
    return info;
}

PerformanceVarBaseInfo performance(const char *name, const char *unit = "W")
{
    PerformanceVarBaseInfo info;
    info.setName(s(name));
    info.setUnit(s(unit));
    return info;
}

template<typename Info> QStringList namesOf(const QList<Info> &variables)
{
    QStringList names;
    for (const Info &info : variables)
        names << info.name();
    return names;
}

} // namespace

class tst_VariableCollections : public QObject
{
    Q_OBJECT

private slots:
    void namesComeInAscendingOrder();
    void recordsWithoutNameAreIgnored();
    void updatesNeverAddNames();
    void addVariableNormalizesOnRequest();
    void mergeStateFollowsTheMinimum();
    void frequencyIsTheLastFlaggedInsertion();
    void updatingTheFrequencyVariableUpdatesItsCopy();
    void setFrequencyVariable();
    void setVariablesClearsTheFrequency();
    void copiesKeepTheFrequencyAsItIs();
    void lookupsOutsideGiveDefaultRecords();
    void performanceSetVariablesFromBaseRecords();
    void performanceAllOrNothing();
    void performanceMergeState_data();
    void performanceMergeState();
    void oneInvalidRecordMakesTheCollectionInvalid();
};

void tst_VariableCollections::namesComeInAscendingOrder()
{
    const QStringList expected{s("Alpha"), s("Zeta"), s("alpha"), s("beta")};

    IndepVariablesState indeps;
    GammasState gammas;
    PerformanceTabState performances;
    for (const char *name : {"beta", "Zeta", "alpha", "Alpha"}) {
        indeps.addVariable(indep(name), false);
        gammas.addVariable(gamma(name));
        performances.addVariable(PerformanceVarInfo(performance(name)));
    }
    QCOMPARE(namesOf(indeps.allVariables()), expected);
    QCOMPARE(namesOf(gammas.allVariables()), expected);
    QCOMPARE(namesOf(performances.allVariables()), expected);
    QCOMPARE(indeps.variableAt(1).name(), s("Zeta"));
    QCOMPARE(gammas.variableAt(3).name(), s("beta"));
}

void tst_VariableCollections::recordsWithoutNameAreIgnored()
{
    IndepVariablesState indeps;
    indeps.addVariable(indep("", "3", true), false);
    QCOMPARE(indeps.count(), 0);
    QCOMPARE(indeps.frequency(), IndepVarInfo());

    GammasState gammas;
    gammas.setVariables({gamma(""), gamma("G1")});
    QCOMPARE(gammas.count(), 1);

    PerformanceTabState performances;
    performances.setVariables(QList<PerformanceVarBaseInfo>{performance("")});
    QCOMPARE(performances.count(), 0);
}

void tst_VariableCollections::updatesNeverAddNames()
{
    IndepVariablesState indeps;
    indeps.addVariable(indep("Pin"), false);
    indeps.updateVariables({indep("Pin", "4"), indep("Vdd")}, true);
    QCOMPARE(namesOf(indeps.allVariables()), QStringList{s("Pin")});
    QCOMPARE(indeps.variableNamed(s("Pin")).value(), s("4"));

    GammasState gammas;
    gammas.addVariable(gamma("G1"));
    gammas.updateVariables({gamma("G2")}, true);
    QCOMPARE(gammas.count(), 1);

    PerformanceTabState performances;
    performances.setVariables(QList<PerformanceVarBaseInfo>{performance("Pout")});
    performances.updateVariables(QList<PerformanceVarBaseInfo>{performance("Gain")}, true);
    performances.updateVariables(QList<PerformanceVarInfo>{PerformanceVarInfo(performance("PAE"))},
                                 true);
    QCOMPARE(namesOf(performances.allVariables()), QStringList{s("Pout")});
}

void tst_VariableCollections::addVariableNormalizesOnRequest()
{
    IndepVariablesState indeps;
    indeps.addVariable(indep("Pin", ""), true);
    indeps.addVariable(indep("Vdd", ""), false);
    QCOMPARE(indeps.variableNamed(s("Pin")).value(), s("1"));
    QCOMPARE(indeps.variableNamed(s("Vdd")).value(), QString());
}

void tst_VariableCollections::mergeStateFollowsTheMinimum()
{
    IndepVariablesState stored;
    stored.setVariables({indep("OnMinimum", "1"), indep("Inside", "3")}, false);
    IndepVariablesState fromData;
    IndepVarInfo onMinimum = indep("OnMinimum", "");
    onMinimum.setMinValue(s("0.5"));
    IndepVarInfo inside = indep("Inside", "");
    inside.setMinValue(s("0.5"));
    fromData.setVariables({onMinimum, inside, indep("New")}, false);

    stored.mergeState(fromData, true);

    QCOMPARE(stored.variableNamed(s("OnMinimum")).value(), s("0.5"));
    QCOMPARE(stored.variableNamed(s("Inside")).value(), s("3"));
    QCOMPARE(stored.count(), 2);
}

void tst_VariableCollections::frequencyIsTheLastFlaggedInsertion()
{
    IndepVariablesState indeps;
    indeps.addVariable(indep("zfreq", "3", true), false);
    indeps.addVariable(indep("afreq", "3", true), false);
    indeps.addVariable(indep("Pin"), false);
    QCOMPARE(indeps.frequency().name(), s("afreq"));
}

void tst_VariableCollections::updatingTheFrequencyVariableUpdatesItsCopy()
{
    IndepVariablesState indeps;
    indeps.addVariable(indep("freq", "3", true), false);
    indeps.updateVariable(indep("freq", "4", true), true);
    QCOMPARE(indeps.frequency().value(), s("4"));
}

void tst_VariableCollections::setFrequencyVariable()
{
    IndepVariablesState indeps;
    indeps.addVariable(indep("F"), false);
    indeps.setFrequencyVariable(s("F"));
    indeps.setFrequencyVariable(s("G"));
    indeps.setFrequencyVariable(QString());

    QCOMPARE(indeps.count(), 2);
    const IndepVarInfo stored = indeps.variableNamed(s("F"));
    QVERIFY(stored.isFrequency());
    QCOMPARE(stored.value(), s("freq"));
    QCOMPARE(stored.unitType(), s("Frequency"));
    QCOMPARE(stored.unit(), QString());
    QCOMPARE(stored.maxValue(), s("5")); // the stored record is the starting point
    QCOMPARE(indeps.variableNamed(s("G")).minValue(), QString());
    QCOMPARE(indeps.frequency().name(), s("G"));
}

void tst_VariableCollections::setVariablesClearsTheFrequency()
{
    IndepVariablesState indeps;
    indeps.addVariable(indep("freq", "3", true), false);
    indeps.setVariables({indep("Pin")}, false);
    QCOMPARE(indeps.frequency(), IndepVarInfo());
}

void tst_VariableCollections::copiesKeepTheFrequencyAsItIs()
{
    // The frequency copy is the last flagged insertion, not the last flagged name, and it
    // outlives the replacement of its record.
    IndepVariablesState source;
    source.addVariable(indep("zfreq", "3", true), false);
    source.addVariable(indep("afreq", "3", true), false);
    source.addVariable(indep("afreq", "4"), false);

    const IndepVariablesState copy(source);
    QCOMPARE(copy, source);
    QCOMPARE(copy.frequency(), indep("afreq", "3", true));

    IndepVariablesState assigned;
    assigned.addVariable(indep("other", "3", true), false);
    assigned = source;
    QCOMPARE(assigned, source);

    assigned = IndepVariablesState();
    QCOMPARE(assigned.frequency(), IndepVarInfo());
    QCOMPARE(assigned.count(), 0);
}

void tst_VariableCollections::lookupsOutsideGiveDefaultRecords()
{
    IndepVariablesState indeps;
    indeps.addVariable(indep("Pin"), false);
    QCOMPARE(indeps.variableNamed(s("Vdd")), IndepVarInfo());
    QCOMPARE(indeps.variableAt(1), IndepVarInfo());
    QCOMPARE(indeps.variableAt(-1), IndepVarInfo());
}

void tst_VariableCollections::performanceSetVariablesFromBaseRecords()
{
    PerformanceTabState performances;
    performances.addVariable(PerformanceVarInfo(performance("Old")));
    performances.setVariables(QList<PerformanceVarBaseInfo>{performance("Pout", "dBm")});

    const PerformanceVarInfo stored = performances.variableAt(0);
    QCOMPARE(performances.count(), 1);
    QCOMPARE(static_cast<const PerformanceVarBaseInfo &>(stored), performance("Pout", "dBm"));
    QVERIFY(stored.output());
    QVERIFY(!stored.autoPlot());
}

void tst_VariableCollections::performanceAllOrNothing()
{
    PerformanceTabState performances;
    performances.setVariables(
        QList<PerformanceVarBaseInfo>{performance("Gain"), performance("Pout")});
    performances.setOutputAll(false);
    performances.setDisplayAll(true);

    QVERIFY(!performances.outputAll());
    QVERIFY(performances.displayAll());
    for (const PerformanceVarInfo &info : performances.allVariables()) {
        QVERIFY(!info.output());
        QVERIFY(info.autoPlot());
    }
}

void tst_VariableCollections::performanceMergeState_data()
{
    QTest::addColumn<bool>("uiState");

    QTest::newRow("with uiState the all-or-nothing flags are taken") << true;
    QTest::newRow("without uiState the all-or-nothing flags stay") << false;
}

void tst_VariableCollections::performanceMergeState()
{
    QFETCH(bool, uiState);

    PerformanceTabState stored;
    stored.setVariables(QList<PerformanceVarBaseInfo>{performance("Pout")});
    PerformanceTabState other;
    other.setVariables(QList<PerformanceVarBaseInfo>{performance("Pout", "dBm")});
    other.setOutputAll(false);
    other.setDisplayAll(true);

    stored.mergeState(other, uiState);

    QCOMPARE(stored.outputAll(), !uiState);
    QCOMPARE(stored.displayAll(), uiState);
    const PerformanceVarInfo merged = stored.variableAt(0);
    QVERIFY(!merged.output()); // the user's choices always come along
    QVERIFY(merged.autoPlot());
    QCOMPARE(merged.unit(), uiState ? s("dBm") : s("W"));
}

void tst_VariableCollections::oneInvalidRecordMakesTheCollectionInvalid()
{
    IndepVariablesState indeps;
    indeps.setVariables({indep("Pin"), indep("Vdd", "")}, false);
    QVERIFY(!indeps.isValid(false));
    indeps.setVariables({indep("Pin")}, false);
    QVERIFY(indeps.isValid(false));

    GammasState gammas;
    gammas.addVariable(gamma("G1"));
    QVERIFY(!gammas.isValid(false));

    VariableDetailsTabState details;
    details.setIndependentVariables(indeps);
    QVERIFY(details.isValid(false));
    details.setGammaVariables(gammas);
    QVERIFY(!details.isValid(false));

    PerformanceTabState performances;
    performances.setVariables(QList<PerformanceVarBaseInfo>{performance("Pout", "")});
    QVERIFY(performances.isValid(false));
    QVERIFY(!performances.isValid(true));
}

QTEST_GUILESS_MAIN(tst_VariableCollections)

#include "tst_variablecollections.moc"
