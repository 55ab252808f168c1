#include "performancetabstate.h"

#include "variablemap.h"

namespace LoadPullStateUtils {

void PerformanceTabState::setOutputAll(bool outputAll)
{
    m_outputAll = outputAll;
    for (PerformanceVarInfo &info : m_variables)
        info.setOutput(outputAll);
}

void PerformanceTabState::setDisplayAll(bool displayAll)
{
    m_displayAll = displayAll;
    for (PerformanceVarInfo &info : m_variables)
        info.setAutoPlot(displayAll);
}

void PerformanceTabState::addVariable(const PerformanceVarInfo &info)
{
    if (!info.name().isEmpty())
        m_variables.insert(info.name(), info);
}

void PerformanceTabState::updateVariable(const PerformanceVarInfo &info, bool uiState)
{
    if (const auto merged = mergedRecord(m_variables, info, uiState))
        addVariable(*merged);
}

void PerformanceTabState::updateVariable(const PerformanceVarBaseInfo &info, bool uiState)
{
    if (const auto merged = mergedRecord(m_variables, info, uiState))
        addVariable(*merged);
}

void PerformanceTabState::setVariables(const QList<PerformanceVarInfo> &variables)
{
    m_variables.clear();
    for (const PerformanceVarInfo &info : variables)
        addVariable(info);
}

void PerformanceTabState::setVariables(const QList<PerformanceVarBaseInfo> &variables)
{
    m_variables.clear();
    for (const PerformanceVarBaseInfo &info : variables)
        addVariable(PerformanceVarInfo(info));
}

void PerformanceTabState::updateVariables(const QList<PerformanceVarInfo> &variables, bool uiState)
{
    for (const PerformanceVarInfo &info : variables)
        updateVariable(info, uiState);
}

void PerformanceTabState::updateVariables(const QList<PerformanceVarBaseInfo> &variables,
                                          bool uiState)
{
    for (const PerformanceVarBaseInfo &info : variables)
        updateVariable(info, uiState);
}

void PerformanceTabState::mergeState(const PerformanceTabState &other, bool uiState)
{
    if (&other == this)
        return;
    if (uiState) {
        m_outputAll = other.m_outputAll;
        m_displayAll = other.m_displayAll;
    }
    updateVariables(other.allVariables(), uiState);
}

PerformanceVarInfo PerformanceTabState::variableAt(int i) const
{
    return recordAt(m_variables, i);
}

bool PerformanceTabState::isValid(bool uiState) const
{
    return allValid(m_variables, uiState);
}

bool operator==(const PerformanceTabState &a, const PerformanceTabState &b)
{
    return a.variables() == b.variables() && a.outputAll() == b.outputAll() &&
           a.displayAll() == b.displayAll();
}

} // namespace LoadPullStateUtils
