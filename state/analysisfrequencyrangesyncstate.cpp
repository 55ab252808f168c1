#include "analysisfrequencyrangesyncstate.h"

namespace LoadPullStateUtils {

bool AnalysisFrequencyRangeSyncState::isValid(bool /*uiState*/) const
{
    return true;
}

bool operator==(const AnalysisFrequencyRangeSyncState &a, const AnalysisFrequencyRangeSyncState &b)
{
    return a.useFrequencyRangeFromDataFiles() == b.useFrequencyRangeFromDataFiles();
}

} // namespace LoadPullStateUtils
