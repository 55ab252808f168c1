#include "dblpcstate.h"

namespace LoadPullStateUtils {

namespace {

// The position of each file type's set.
constexpr std::size_t MauryIndex = 0;
constexpr std::size_t FocusIndex = 1;
constexpr std::size_t DatasetIndex = 2;

} // namespace

DBLPCState::DBLPCState()
    : DBLPCState(true)
{}

DBLPCState::DBLPCState(bool uiState)
    : m_typeStates{DBLPCTypeState(MauryFileType, uiState), DBLPCTypeState(FocusFileType, uiState),
                   DBLPCTypeState(DatasetFileType, uiState)}
{}

void DBLPCState::setFileType(LoadPullFileType t)
{
    m_fileType = t;
    switch (t) {
    case MauryFileType:
        m_current = MauryIndex;
        break;
    case FocusFileType:
        m_current = FocusIndex;
        break;
    case DatasetFileType:
        m_current = DatasetIndex;
        break;
    default:
        break;
    }
}

void DBLPCState::setUiState(bool uiState)
{
    for (DBLPCTypeState &typeState : m_typeStates)
        typeState.setUiState(uiState);
}

FileTabState DBLPCState::fileTabState() const
{
    return currentTypeState().fileTabState();
}

void DBLPCState::setFileTabState(const FileTabState &state)
{
    current().setFileTabState(state);
}

VariableDetailsTabState DBLPCState::detailsTabState() const
{
    return currentTypeState().detailsTabState();
}

void DBLPCState::setDetailsTabState(const VariableDetailsTabState &state)
{
    current().setDetailsTabState(state);
}

PerformanceTabState DBLPCState::performanceState() const
{
    return currentTypeState().performanceState();
}

void DBLPCState::setPerformanceState(const PerformanceTabState &state)
{
    current().setPerformanceState(state);
}

InterpolationTabState DBLPCState::interpolationTabState() const
{
    return currentTypeState().interpolationTabState();
}

void DBLPCState::setInterpolationTabState(const InterpolationTabState &state)
{
    current().setInterpolationTabState(state);
}

AnalysisFrequencyRangeSyncState DBLPCState::analysisFrequencyRangeSyncState() const
{
    return currentTypeState().analysisFrequencyRangeSyncState();
}

void DBLPCState::setAnalysisFrequencyRangeSyncState(const AnalysisFrequencyRangeSyncState &state)
{
    current().setAnalysisFrequencyRangeSyncState(state);
}

AnalysisParametersTabState DBLPCState::analysisParametersTabState() const
{
    return currentTypeState().analysisParametersTabState();
}

void DBLPCState::setAnalysisParametersTabState(const AnalysisParametersTabState &state)
{
    current().setAnalysisParametersTabState(state);
}

AnalysisOptimizationTabState DBLPCState::analysisOptimizationTabState() const
{
    return currentTypeState().analysisOptimizationTabState();
}

void DBLPCState::setAnalysisOptimizationTabState(const AnalysisOptimizationTabState &state)
{
    current().setAnalysisOptimizationTabState(state);
}

TermTabState DBLPCState::termTabState() const
{
    return currentTypeState().termTabState();
}

void DBLPCState::setTermTabState(const TermTabState &state)
{
    current().setTermTabState(state);
}

bool operator==(const DBLPCState &a, const DBLPCState &b)
{
    return a.m_fileType == b.m_fileType && a.m_current == b.m_current &&
           a.m_typeStates == b.m_typeStates && a.m_entries == b.m_entries;
}

} // namespace LoadPullStateUtils
