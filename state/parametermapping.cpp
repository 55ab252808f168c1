#include "parametermapping.h"

#include "dblpcstate.h"
#include "elidedtext.h"
#include "enumerations.h"
#include "parameternames.h"
#include "parametertexts.h"
#include "storedreading.h"

namespace LoadPullStateUtils {

namespace P = ParameterNames;

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
    // Every text is read once, here; the model of the entries keeps that reading.
    const StoredReading reading(stored);
    const bool uiState = state.uiState();
    FileTabState file = state.fileTabState();
    VariableDetailsTabState details = state.detailsTabState();
    PerformanceTabState performance = state.performanceState();
    AnalysisFrequencyRangeSyncState sync = state.analysisFrequencyRangeSyncState();
    AnalysisParametersTabState parameters = state.analysisParametersTabState();
    AnalysisOptimizationTabState optimization = state.analysisOptimizationTabState();
    const auto flag = [&reading](const QString &parameter) {
        return reading.flag(parameter).value_or(false);
    };

    // Empty names too: the file tab names what it leaves out.
    QStringList fileNames;
    for (const QString &name : stored.value(P::FileName))
        fileNames.append(unquote(name));
    file.setFileNames(fileNames);

    // Each variable record is kept, whatever the others hold: the data files supply what one
    // lacks. Without files they are the settings that files added later take.
    details.setIndependentVariables(reading.independent());
    details.setGammaVariables(reading.gammas());
    performance.setVariables(reading.quantities());

    sync.setUseFrequencyRangeFromDataFiles(flag(P::UseFrequencyRangeFromDataFiles));
    parameters.setCalcGamma(flag(P::CalcGamma));
    parameters.setCalcAdmittance(flag(P::CalcAdmittance));
    parameters.setCalcImpedance(flag(P::CalcImpedance));
    parameters.setAllowNonlinearDevices(flag(P::AllowNonlinearDevices));
    parameters.setStatusLevel(reading.text(P::StatusLevel));
    optimization.setAvoidOutOfRangeData(flag(P::AvoidOutOfRangeData));
    optimization.setWeight(reading.text(P::Weight));

    if (file.isValid(uiState))
        state.setFileTabState(file);
    state.setDetailsTabState(details);
    state.setPerformanceState(performance);
    state.setInterpolationTabState(reading.interpolation());
    if (sync.isValid(uiState))
        state.setAnalysisFrequencyRangeSyncState(sync);
    if (parameters.isValid(uiState))
        state.setAnalysisParametersTabState(parameters);
    if (optimization.isValid(uiState))
        state.setAnalysisOptimizationTabState(optimization);
    state.setTermTabState(reading.term(state.termTabState()));
    state.setEntries(ComponentEntries(stored, reading, details, performance));
    if (warnings)
        warnings->append(reading.warnings());
    return true;
}

ParameterMap toParameterMap(const DBLPCState &state)
{
    return state.entries().written(state.currentTypeState());
}

} // namespace LoadPullStateUtils
