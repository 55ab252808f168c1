#include "parametermapping.h"

#include "dblpcstate.h"
#include "elidedtext.h"
#include "enumerations.h"
#include "parameternames.h"
#include "parametertexts.h"

namespace LoadPullStateUtils {

namespace P = ParameterNames;

namespace {

ParameterMap unquoted(const ParameterMap &stored)
{
    ParameterMap map;
    for (auto it = stored.cbegin(); it != stored.cend(); ++it) {
        QStringList texts;
        for (const QString &text : it.value())
            texts.append(unquote(text));
        map.insert(it.key(), texts);
    }
    return map;
}

QString firstText(const ParameterMap &map, const QString &name)
{
    return map.value(name).value(0);
}

// --- Reading ---------------------------------------------------------------------------

QString malformedDbmWarning(const QString &variableName)
{
    return elidedText(variableName) + QStringLiteral("  value format is incorrect ");
}

// Every variable the lists name is kept, even where an entry is missing or cannot be read:
// the data files supply what is missing, and the user is told of a value that cannot be read.
IndepVariablesState readIndependentVariables(const ParameterMap &map, QStringList &warnings)
{
    const QStringList names = map.value(P::IndepVarName);
    const QStringList values = map.value(P::IndepVarValue);
    const QStringList unitTypes = map.value(P::IndepVarUnitType);
    QList<IndepVarInfo> records;
    for (int i = 0; i < names.size(); ++i) {
        IndepVarInfo info;
        info.setName(names.at(i));
        if (i < values.size() && !readIndependentValue(values.at(i), info))
            warnings.append(malformedDbmWarning(info.name()));
        if (i < unitTypes.size())
            info.setUnitType(unitTypes.at(i));
        records.append(info);
    }
    IndepVariablesState variables;
    variables.setVariables(records, false);
    variables.setFrequencyVariable(firstText(map, P::FreqVarName));
    return variables;
}

GammasState readGammas(const ParameterMap &map)
{
    const QStringList names = map.value(P::GammaName);
    const QStringList types = map.value(P::GammaType);
    const QStringList harmIndices = map.value(P::GammaHarmIndex);
    const QStringList domains = map.value(P::GammaDomain);
    const QStringList values = map.value(P::GammaValue);
    QList<GammaVarInfo> records;
    for (int i = 0; i < names.size(); ++i) {
        GammaVarInfo info;
        info.setName(names.at(i));
        if (i < types.size())
            info.setType(types.at(i));
        if (i < harmIndices.size())
            info.setHarmIndex(harmIndices.at(i));
        if (i < domains.size())
            info.setDomain(domains.at(i));
        if (i < values.size())
            info.setValue(values.at(i));
        records.append(info);
    }
    GammasState gammas;
    gammas.setVariables(records);
    return gammas;
}

// Whether a quantity is complex is read as well, though the data files tell and override
// it: a quantity of a data file that cannot be read keeps it so.
PerformanceTabState readPerformance(const ParameterMap &map, PerformanceTabState performance)
{
    const QStringList names = map.value(P::PrfmParamName);
    const QStringList outputs = map.value(P::PrfmParamOutput);
    const QStringList autoPlots = map.value(P::PrfmParamAutoPlot);
    const QStringList types = map.value(P::PrfmParamType);
    QList<PerformanceVarInfo> records;
    for (int i = 0; i < names.size(); ++i) {
        PerformanceVarInfo info;
        info.setName(names.at(i));
        if (i < outputs.size())
            info.setOutput(fromYesNoText(outputs.at(i)));
        if (i < autoPlots.size())
            info.setAutoPlot(fromYesNoText(autoPlots.at(i)));
        if (i < types.size())
            info.setIsComplex(readValueType(types.at(i)).value_or(false));
        records.append(info);
    }
    performance.setVariables(records);
    return performance;
}

// A choice the editor does not offer, an empty text too, is kept as the component stores it;
// a component without the parameter has the first choice.
template<typename Enumeration> int readChoice(const ParameterMap &map, const QString &name)
{
    const QString text = firstText(map, name);
    if (map.contains(name) && !texts<Enumeration>().contains(text))
        return KeptChoice;
    return fromText<Enumeration>(text);
}

InterpolationTabState readInterpolation(const ParameterMap &map)
{
    InterpolationTabState interpolation;
    interpolation.setInterpolationMethod(readChoice<InterpolationMethod>(map, P::InterpMode));
    interpolation.setInterpolationDomain(readChoice<InterpolationDomain>(map, P::InterpDom));
    interpolation.setExtrapolationMethod(readChoice<ExtrapolationMethod>(map, P::ExtrapMode));
    return interpolation;
}

AnalysisParametersTabState readAnalysisParameters(const ParameterMap &map,
                                                  AnalysisParametersTabState parameters)
{
    parameters.setCalcGamma(fromYesNoText(firstText(map, P::CalcGamma)));
    parameters.setCalcAdmittance(fromYesNoText(firstText(map, P::CalcAdmittance)));
    parameters.setCalcImpedance(fromYesNoText(firstText(map, P::CalcImpedance)));
    parameters.setAllowNonlinearDevices(fromYesNoText(firstText(map, P::AllowNonlinearDevices)));
    parameters.setStatusLevel(firstText(map, P::StatusLevel));
    return parameters;
}

// The term number and the impedance are each the component's where it gives one: an empty
// impedance does not cost a term number the component gives.
TermTabState readTerm(const ParameterMap &map, TermTabState term)
{
    if (map.contains(P::NUM))
        term.setTermNumber(firstText(map, P::NUM));
    if (map.contains(P::Z))
        readImpedance(firstText(map, P::Z), term);
    return term;
}

} // namespace

bool parametersToState(TvlValue *list, DBLPCState &state, QStringList *warnings)
{
    ParameterMap map;
    return list && readParameterList(list, map) && fromParameterMap(map, state, warnings);
}

TvlValue *stateToParameters(const DBLPCState &state)
{
    return writeParameterList(toParameterMap(state));
}

bool fromParameterMap(const ParameterMap &stored, DBLPCState &state, QStringList *warnings)
{
    QStringList told;
    const ParameterMap map = unquoted(stored);
    const bool uiState = state.uiState();
    FileTabState file = state.fileTabState();
    VariableDetailsTabState details = state.detailsTabState();
    PerformanceTabState performance = state.performanceState();
    AnalysisFrequencyRangeSyncState sync = state.analysisFrequencyRangeSyncState();
    AnalysisParametersTabState parameters = state.analysisParametersTabState();
    AnalysisOptimizationTabState optimization = state.analysisOptimizationTabState();
    TermTabState term = state.termTabState();

    // The editor works on the Maury settings whatever type the component names; the stored
    // type is written back as it is.
    const QString fileTypeText = firstText(map, P::FileType);
    if (!fileTypeText.isEmpty())
        told.append(unsupportedFileTypeMessage(fileTypeText));
    told.removeAll(QString());
    // Empty names too: the file tab names what it leaves out.
    file.setFileNames(map.value(P::FileName));

    // Each variable record is kept, whatever the others hold: the data files supply what one
    // lacks. Without files they are the settings that files added later take.
    details.setIndependentVariables(readIndependentVariables(map, told));
    details.setGammaVariables(readGammas(map));
    performance = readPerformance(map, performance);

    const InterpolationTabState interpolation = readInterpolation(map);
    term = readTerm(map, term);
    sync.setUseFrequencyRangeFromDataFiles(
        fromYesNoText(firstText(map, P::UseFrequencyRangeFromDataFiles)));
    parameters = readAnalysisParameters(map, parameters);
    optimization.setAvoidOutOfRangeData(fromYesNoText(firstText(map, P::AvoidOutOfRangeData)));
    optimization.setWeight(firstText(map, P::Weight));

    if (file.isValid(uiState))
        state.setFileTabState(file);
    state.setDetailsTabState(details);
    state.setPerformanceState(performance);
    state.setInterpolationTabState(interpolation);
    if (sync.isValid(uiState))
        state.setAnalysisFrequencyRangeSyncState(sync);
    if (parameters.isValid(uiState))
        state.setAnalysisParametersTabState(parameters);
    if (optimization.isValid(uiState))
        state.setAnalysisOptimizationTabState(optimization);
    state.setTermTabState(term);
    state.setEntries(ComponentEntries(stored, details, performance));
    if (warnings)
        warnings->append(told);
    return true;
}

ParameterMap toParameterMap(const DBLPCState &state)
{
    return state.entries().written(state.currentTypeState());
}

} // namespace LoadPullStateUtils
