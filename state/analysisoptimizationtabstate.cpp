#include "analysisoptimizationtabstate.h"

#include "numerictext.h"

namespace LoadPullStateUtils {

bool AnalysisOptimizationTabState::isValid(bool uiState) const
{
    if (!uiState)
        return true;
    if (m_weight.isEmpty())
        return false;
    const auto weight = toReal(m_weight);
    return !weight || *weight >= 0;
}

bool operator==(const AnalysisOptimizationTabState &a, const AnalysisOptimizationTabState &b)
{
    return a.weight() == b.weight() && a.avoidOutOfRangeData() == b.avoidOutOfRangeData();
}

} // namespace LoadPullStateUtils
