#include "dblpctypestate.h"

namespace LoadPullStateUtils {

DBLPCTypeState::DBLPCTypeState(LoadPullFileType fileType, bool uiState)
    : m_uiState(uiState)
{
    m_fileTabState.setFileType(fileType);
}

bool operator==(const DBLPCTypeState &a, const DBLPCTypeState &b)
{
    return a.uiState() == b.uiState() && a.fileTabState() == b.fileTabState() &&
           a.detailsTabState() == b.detailsTabState() &&
           a.performanceState() == b.performanceState() &&
           a.interpolationTabState() == b.interpolationTabState() &&
           a.analysisFrequencyRangeSyncState() == b.analysisFrequencyRangeSyncState() &&
           a.analysisParametersTabState() == b.analysisParametersTabState() &&
           a.analysisOptimizationTabState() == b.analysisOptimizationTabState() &&
           a.termTabState() == b.termTabState();
}

} // namespace LoadPullStateUtils
