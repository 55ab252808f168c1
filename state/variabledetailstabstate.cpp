#include "variabledetailstabstate.h"

namespace LoadPullStateUtils {

bool VariableDetailsTabState::isValid(bool uiState) const
{
    return m_independentVariables.isValid(uiState) && m_gammaVariables.isValid(uiState);
}

bool operator==(const VariableDetailsTabState &a, const VariableDetailsTabState &b)
{
    return a.independentVariables() == b.independentVariables() &&
           a.gammaVariables() == b.gammaVariables();
}

} // namespace LoadPullStateUtils
