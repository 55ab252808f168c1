#include "dblpcstate.h"
#include "metatypes.h"

#include <QSignalSpy>
#include <QtTest>

using namespace LoadPullStateUtils;

namespace {

TermTabState term(const char *number)
{
    TermTabState state;
    state.setTermNumber(QString::fromLatin1(number));
    return state;
}

IndepVarInfo frequencyVariable(const char *name)
{
    IndepVarInfo info;
    info.setName(QString::fromLatin1(name));
    info.setIsFrequency(true);
    return info;
}

} // namespace

// Declares its signals the way the tabs do.
class StateEmitter : public QObject
{
    Q_OBJECT

signals:
    void stateChanged(LoadPullStateUtils::DBLPCState state);
    void fileTypeChanged(LoadPullStateUtils::LoadPullFileType fileType);
    void foundVariables(QList<LoadPullStateUtils::IndepVarInfo> independentVariables,
                        QList<LoadPullStateUtils::GammaVarInfo> gammaVariables, int numFiles);
    void foundPerformanceVariables(
        QList<LoadPullStateUtils::PerformanceVarBaseInfo> performanceVariables, int numFiles);
};

class tst_DBLPCState : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void defaults();
    void everySetHasItsFileTypeAndTheUiState();
    void eachFileTypeKeepsItsOwnSettings();
    void settersWriteTheCurrentSet();
    void fileTabStateCarriesItsFileType();
    void unknownFileTypeLeavesTheCurrentSet_data();
    void unknownFileTypeLeavesTheCurrentSet();
    void copyNeverRefersToTheSource();
    void assignmentNeverRefersToTheSource();
    void copyKeepsTheFrequencyAsItIs();
    void recordsTravelInSignals();
    void shortNamesAreRegistered();
};

void tst_DBLPCState::initTestCase()
{
    registerStateMetaTypes();
}

void tst_DBLPCState::defaults()
{
    const DBLPCState state;
    QCOMPARE(state.fileType(), MauryFileType);
    QVERIFY(state.uiState());
    QCOMPARE(state.fileTabState().fileType(), MauryFileType);
    QCOMPARE(state.termTabState(), TermTabState());
}

void tst_DBLPCState::everySetHasItsFileTypeAndTheUiState()
{
    DBLPCState made(false);
    DBLPCState switched;
    switched.setUiState(false);
    for (const LoadPullFileType type : {DatasetFileType, FocusFileType, MauryFileType}) {
        made.setFileType(type);
        switched.setFileType(type);
        QCOMPARE(made.fileType(), type);
        QCOMPARE(made.fileTabState().fileType(), type);
        QVERIFY(!made.uiState());
        QVERIFY(!switched.uiState());
    }
}

void tst_DBLPCState::eachFileTypeKeepsItsOwnSettings()
{
    DBLPCState state;
    state.setTermTabState(term("2"));
    state.setFileType(FocusFileType);
    QCOMPARE(state.termTabState(), TermTabState());
    state.setTermTabState(term("3"));
    state.setFileType(MauryFileType);
    QCOMPARE(state.termTabState(), term("2"));
    state.setFileType(FocusFileType);
    QCOMPARE(state.termTabState(), term("3"));
}

void tst_DBLPCState::settersWriteTheCurrentSet()
{
    IndepVariablesState indeps;
    indeps.setFrequencyVariable(QStringLiteral("freq"));
    VariableDetailsTabState details;
    details.setIndependentVariables(indeps);
    PerformanceTabState performance;
    performance.setDisplayAll(true);
    InterpolationTabState interpolation;
    interpolation.setInterpolationMethod(CubicInterpolation);
    AnalysisFrequencyRangeSyncState sync;
    sync.setUseFrequencyRangeFromDataFiles(false);
    AnalysisParametersTabState parameters;
    parameters.setStatusLevel(QStringLiteral("4"));
    AnalysisOptimizationTabState optimization;
    optimization.setWeight(QStringLiteral("5"));

    DBLPCState state;
    state.setDetailsTabState(details);
    state.setPerformanceState(performance);
    state.setInterpolationTabState(interpolation);
    state.setAnalysisFrequencyRangeSyncState(sync);
    state.setAnalysisParametersTabState(parameters);
    state.setAnalysisOptimizationTabState(optimization);
    state.setTermTabState(term("2"));

    QCOMPARE(state.detailsTabState(), details);
    QCOMPARE(state.performanceState(), performance);
    QCOMPARE(state.interpolationTabState(), interpolation);
    QCOMPARE(state.analysisFrequencyRangeSyncState(), sync);
    QCOMPARE(state.analysisParametersTabState(), parameters);
    QCOMPARE(state.analysisOptimizationTabState(), optimization);
    QCOMPARE(state.termTabState(), term("2"));
    state.setFileType(DatasetFileType);
    QCOMPARE(state.currentTypeState(), DBLPCTypeState(DatasetFileType));
}

void tst_DBLPCState::fileTabStateCarriesItsFileType()
{
    FileTabState file;
    file.setFileType(FocusFileType);
    DBLPCState state;
    state.setFileTabState(file);
    QCOMPARE(state.fileTabState().fileType(), FocusFileType);
    QCOMPARE(state.fileType(), MauryFileType);
}

void tst_DBLPCState::unknownFileTypeLeavesTheCurrentSet_data()
{
    QTest::addColumn<int>("fileType");

    QTest::newRow("no file type keeps the Focus set current") << 0;
    QTest::newRow("an unknown file type keeps the Focus set current") << 7;
}

void tst_DBLPCState::unknownFileTypeLeavesTheCurrentSet()
{
    QFETCH(int, fileType);

    DBLPCState state;
    state.setFileType(FocusFileType);
    state.setTermTabState(term("3"));
    state.setFileType(LoadPullFileType(fileType));

    QCOMPARE(int(state.fileType()), fileType);
    QCOMPARE(state.termTabState(), term("3"));
    QCOMPARE(state.fileTabState().fileType(), FocusFileType);
}

void tst_DBLPCState::copyNeverRefersToTheSource()
{
    DBLPCState source;
    source.setFileType(FocusFileType);
    source.setTermTabState(term("3"));

    DBLPCState copy(source);
    QCOMPARE(copy, source);
    QCOMPARE(copy.termTabState(), term("3"));
    copy.setTermTabState(term("4"));
    QCOMPARE(source.termTabState(), term("3"));
    source.setTermTabState(term("5"));
    QCOMPARE(copy.termTabState(), term("4"));
}

void tst_DBLPCState::assignmentNeverRefersToTheSource()
{
    DBLPCState source;
    source.setFileType(DatasetFileType);
    source.setTermTabState(term("3"));

    DBLPCState target(false);
    target = source;
    QCOMPARE(target, source);
    target.setTermTabState(term("4"));
    QCOMPARE(source.termTabState(), term("3"));
    target.setFileType(MauryFileType);
    QCOMPARE(source.fileType(), DatasetFileType);
    QCOMPARE(source.termTabState(), term("3"));
}

void tst_DBLPCState::copyKeepsTheFrequencyAsItIs()
{
    IndepVariablesState indeps;
    indeps.addVariable(frequencyVariable("zfreq"), false);
    indeps.addVariable(frequencyVariable("afreq"), false);
    VariableDetailsTabState details;
    details.setIndependentVariables(indeps);
    DBLPCState source;
    source.setDetailsTabState(details);

    const DBLPCState copy(source);
    QCOMPARE(copy.detailsTabState().independentVariables().frequency().name(),
             QStringLiteral("afreq"));
}

void tst_DBLPCState::recordsTravelInSignals()
{
    StateEmitter emitter;
    QSignalSpy stateSpy(&emitter, &StateEmitter::stateChanged);
    QSignalSpy typeSpy(&emitter, &StateEmitter::fileTypeChanged);
    QSignalSpy variablesSpy(&emitter, &StateEmitter::foundVariables);
    QSignalSpy performanceSpy(&emitter, &StateEmitter::foundPerformanceVariables);
    QVERIFY(stateSpy.isValid() && typeSpy.isValid());
    QVERIFY(variablesSpy.isValid() && performanceSpy.isValid());

    DBLPCState state;
    state.setTermTabState(term("2"));
    const QList<IndepVarInfo> indeps{frequencyVariable("freq")};
    GammaVarInfo gamma;
    gamma.setName(QStringLiteral("GammaL"));
    PerformanceVarBaseInfo performance;
    performance.setName(QStringLiteral("Pout"));

    emit emitter.stateChanged(state);
    emit emitter.fileTypeChanged(FocusFileType);
    emit emitter.foundVariables(indeps, {gamma}, 2);
    emit emitter.foundPerformanceVariables({performance}, 2);

    QCOMPARE(stateSpy.count(), 1);
    QCOMPARE(qvariant_cast<DBLPCState>(stateSpy.at(0).at(0)), state);
    QCOMPARE(qvariant_cast<LoadPullFileType>(typeSpy.at(0).at(0)), FocusFileType);
    QCOMPARE(qvariant_cast<QList<IndepVarInfo>>(variablesSpy.at(0).at(0)), indeps);
    QCOMPARE(qvariant_cast<QList<GammaVarInfo>>(variablesSpy.at(0).at(1)), {gamma});
    QCOMPARE(qvariant_cast<QList<PerformanceVarBaseInfo>>(performanceSpy.at(0).at(0)),
             {performance});
}

void tst_DBLPCState::shortNamesAreRegistered()
{
    QCOMPARE(QMetaType::type("QList<IndepVarInfo>"), qMetaTypeId<QList<IndepVarInfo>>());
    QCOMPARE(QMetaType::type("QList<GammaVarInfo>"), qMetaTypeId<QList<GammaVarInfo>>());
    QCOMPARE(QMetaType::type("QList<PerformanceVarBaseInfo>"),
             qMetaTypeId<QList<PerformanceVarBaseInfo>>());
    QCOMPARE(QMetaType::type("DBLPCState"), qMetaTypeId<DBLPCState>());
    QCOMPARE(QMetaType::type("LoadPullStateUtils::FileTabState"), qMetaTypeId<FileTabState>());
}

QTEST_GUILESS_MAIN(tst_DBLPCState)

#include "tst_dblpcstate.moc"
