#include "analysisparameterstabstate.h"

#include "numerictext.h"

namespace LoadPullStateUtils {

bool AnalysisParametersTabState::isValid(bool uiState) const
{
    if (!uiState)
        return true;
    if (m_statusLevel.isEmpty())
        return false;
    const auto level = toInteger(m_statusLevel);
    return !level || (*level >= 1 && *level <= 4);
}

bool operator==(const AnalysisParametersTabState &a, const AnalysisParametersTabState &b)
{
    return a.calcGamma() == b.calcGamma() && a.calcImpedance() == b.calcImpedance() &&
           a.calcAdmittance() == b.calcAdmittance() && a.statusLevel() == b.statusLevel() &&
           a.allowNonlinearDevices() == b.allowNonlinearDevices();
}

} // namespace LoadPullStateUtils
