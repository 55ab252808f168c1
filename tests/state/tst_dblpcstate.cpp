#include "dblpcstate.h"
#include "metatypes.h"

#include <QtTest>

using namespace LoadPullStateUtils;

namespace {

QString s(const char *text)
{
    return QString::fromUtf8(text);
}

IndepVarInfo indep(const char *name, const char *value = "3", bool isFrequency = false,
                   const char *min = "1")
{
    IndepVarInfo info;
    info.setName(s(name));
    info.setValue(s(value));
    info.setMinValue(s(min));
    info.setMaxValue(s("5"));
    info.setUnit(s("dBm"));
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

TermTabState term(const char *number)
{
    TermTabState state;
    state.setTermNumber(s(number));
    return state;
}

} // namespace

class tst_DBLPCState : public QObject
{
    Q_OBJECT

private slots:
    void collectionsKeepNamedRecordsInNameOrder();
    void updatesMergeButNeverAddNames();
    void setFrequencyVariable();
    void frequencyIsKeptAsItIsByCopiesAndClearedBySetVariables();
    void eachFileTypeKeepsItsOwnSet();
    void copiesNeverReferToTheSource();
    void metaTypesAreRegisteredByFullAndShortName();
};

void tst_DBLPCState::collectionsKeepNamedRecordsInNameOrder()
{
    IndepVariablesState indeps;
    GammasState gammas;
    QList<PerformanceVarBaseInfo> quantities;
    for (const char *name : {"beta", "Zeta", "alpha", "Alpha", ""}) {
        indeps.addVariable(indep(name, "", true), true);
        gammas.addVariable(gamma(name));
        quantities << performance(name);
    }
    PerformanceTabState performances;
    performances.setVariables(quantities);

    const QList<QString> expected{s("Alpha"), s("Zeta"), s("alpha"), s("beta")};
    QCOMPARE(indeps.variables().keys(), expected);
    QCOMPARE(gammas.variables().keys(), expected);
    QCOMPARE(performances.variables().keys(), expected);
    QCOMPARE(gammas.variableAt(1).name(), s("Zeta"));
    QCOMPARE(gammas.variableAt(4), GammaVarInfo());
    QCOMPARE(indeps.variableAt(-1), IndepVarInfo());
    // The frequency variable is the last flagged insertion, normalised on request.
    QCOMPARE(indeps.frequency(), indep("Alpha", "1", true));
    QVERIFY(performances.variableAt(0).output() && !performances.variableAt(0).autoPlot());
}

void tst_DBLPCState::updatesMergeButNeverAddNames()
{
    IndepVariablesState indeps;
    indeps.addVariable(indep("Pin", "1", true), false);
    IndepVariablesState fromData;
    fromData.setVariables({indep("Pin", "", true, "0.5"), indep("Vdd")}, false);
    indeps.mergeState(fromData, true);
    QCOMPARE(indeps.variables().keys(), QList<QString>{s("Pin")});
    QCOMPARE(indeps.variableNamed(s("Pin")).value(), s("0.5"));
    QCOMPARE(indeps.frequency().value(), s("0.5"));

    GammasState gammas;
    gammas.addVariable(gamma("G1"));
    gammas.updateVariables({gamma("G2")}, true);
    QCOMPARE(gammas.count(), 1);

    PerformanceTabState performances;
    performances.setVariables(QList<PerformanceVarBaseInfo>{performance("Pout")});
    performances.updateVariables(QList<PerformanceVarBaseInfo>{performance("Gain")}, true);
    PerformanceTabState other;
    other.setVariables(
        QList<PerformanceVarBaseInfo>{performance("Pout", "dBm"), performance("PAE")});
    other.setOutputAll(false);
    other.setDisplayAll(true);
    performances.mergeState(other, false); // the user's choices come, flags and unit stay
    QCOMPARE(performances.variables().keys(), QList<QString>{s("Pout")});
    QVERIFY(performances.outputAll() && !performances.displayAll());
    QVERIFY(!performances.variableAt(0).output() && performances.variableAt(0).autoPlot());
    QCOMPARE(performances.variableAt(0).unit(), s("W"));
    performances.mergeState(other, true);
    QVERIFY(!performances.outputAll() && performances.displayAll());
    QCOMPARE(performances.variableAt(0).unit(), s("dBm"));
}

// A variable the component gives a value of its own keeps it; one it names only as the
// frequency comes with the value "freq".
void tst_DBLPCState::setFrequencyVariable()
{
    IndepVariablesState indeps;
    indeps.addVariable(indep("F"), false);
    indeps.setFrequencyVariable(s("F"));
    indeps.setFrequencyVariable(s("G"));
    indeps.setFrequencyVariable(QString());

    QCOMPARE(indeps.variableNamed(s("F")), indep("F", "3", true));
    IndepVarInfo named;
    named.setName(s("G"));
    named.setIsFrequency(true);
    named.setValue(s("freq"));
    named.setUnitType(s("Frequency"));
    QCOMPARE(indeps.variableNamed(s("G")), named);
    QCOMPARE(indeps.count(), 2);
    QCOMPARE(indeps.frequency(), named);
}

void tst_DBLPCState::frequencyIsKeptAsItIsByCopiesAndClearedBySetVariables()
{
    // The frequency copy is the last flagged insertion, not the last flagged name, and it
    // outlives the replacement of its record.
    IndepVariablesState source;
    source.addVariable(indep("zfreq", "3", true), false);
    source.addVariable(indep("afreq", "3", true), false);
    source.addVariable(indep("afreq", "4"), false);

    const IndepVariablesState copy(source);
    QCOMPARE(copy.frequency(), indep("afreq", "3", true));
    IndepVariablesState assigned;
    assigned.addVariable(indep("other", "3", true), false);
    assigned = source;
    QCOMPARE(assigned, source);

    assigned.setVariables({indep("Pin")}, false);
    QCOMPARE(assigned.frequency(), IndepVarInfo());
    QCOMPARE(assigned.count(), 1);
}

void tst_DBLPCState::eachFileTypeKeepsItsOwnSet()
{
    QCOMPARE(DBLPCState().currentTypeState(), DBLPCTypeState(MauryFileType, true));
    DBLPCState made(false);
    DBLPCState switched;
    switched.setUiState(false);
    QCOMPARE(switched, made);
    for (const LoadPullFileType type : {DatasetFileType, FocusFileType, MauryFileType}) {
        made.setFileType(type);
        QCOMPARE(made.currentTypeState(), DBLPCTypeState(type, false));
    }

    DBLPCState state;
    state.setTermTabState(term("2"));
    state.setFileType(FocusFileType);
    state.setTermTabState(term("3"));
    FileTabState dataset;
    dataset.setFileType(DatasetFileType);
    state.setFileTabState(dataset);
    QCOMPARE(state.fileType(), FocusFileType); // the file tab's type switches no set
    state.setFileType(MauryFileType);
    QCOMPARE(state.termTabState(), term("2"));

    state.setFileType(FocusFileType);
    state.setFileType(NoFileType); // no set of its own: the Focus set stays current
    QCOMPARE(state.fileType(), NoFileType);
    QCOMPARE(state.termTabState(), term("3"));
    QCOMPARE(state.fileTabState().fileType(), DatasetFileType);
}

void tst_DBLPCState::copiesNeverReferToTheSource()
{
    DBLPCState source;
    source.setFileType(FocusFileType);
    source.setTermTabState(term("3"));

    DBLPCState copy(source);
    DBLPCState assigned(false);
    assigned = source;
    QCOMPARE(copy, source);
    QCOMPARE(assigned, source);
    copy.setTermTabState(term("4"));
    assigned.setTermTabState(term("5"));
    QCOMPARE(source.termTabState(), term("3"));
    source.setTermTabState(term("6"));
    QCOMPARE(copy.termTabState(), term("4"));
}

namespace {

int metaTypeIdOf(const char *name)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return QMetaType::fromName(name).id();
#else
    return QMetaType::type(name);
#endif
}

} // namespace

void tst_DBLPCState::metaTypesAreRegisteredByFullAndShortName()
{
    registerStateMetaTypes();
    const QList<QPair<const char *, int>> names{
        {"LoadPullStateUtils::DBLPCState", qMetaTypeId<DBLPCState>()},
        {"DBLPCState", qMetaTypeId<DBLPCState>()},
        {"QList<IndepVarInfo>", qMetaTypeId<QList<IndepVarInfo>>()},
        {"QList<GammaVarInfo>", qMetaTypeId<QList<GammaVarInfo>>()},
        {"QList<PerformanceVarBaseInfo>", qMetaTypeId<QList<PerformanceVarBaseInfo>>()}};
    for (const auto &name : names)
        QVERIFY2(metaTypeIdOf(name.first) == name.second, name.first);
}

QTEST_GUILESS_MAIN(tst_DBLPCState)

#include "tst_dblpcstate.moc"
