#include "gammasstate.h"

#include "variablemap.h"

namespace LoadPullStateUtils {

void GammasState::addVariable(const GammaVarInfo &info)
{
    if (!info.name().isEmpty())
        m_variables.insert(info.name(), info);
}

void GammasState::updateVariable(const GammaVarInfo &info, bool uiState)
{
    if (const auto merged = mergedRecord(m_variables, info, uiState))
        addVariable(*merged);
}

void GammasState::setVariables(const QList<GammaVarInfo> &variables)
{
    m_variables.clear();
    for (const GammaVarInfo &info : variables)
        addVariable(info);
}

void GammasState::updateVariables(const QList<GammaVarInfo> &variables, bool uiState)
{
    for (const GammaVarInfo &info : variables)
        updateVariable(info, uiState);
}

void GammasState::mergeState(const GammasState &other, bool uiState)
{
    if (&other != this)
        updateVariables(other.allVariables(), uiState);
}

GammaVarInfo GammasState::variableAt(int i) const
{
    return recordAt(m_variables, i);
}

bool GammasState::isValid(bool uiState) const
{
    return allValid(m_variables, uiState);
}

bool operator==(const GammasState &a, const GammasState &b)
{
    return a.variables() == b.variables();
}

} // namespace LoadPullStateUtils
