#include "indepvariablesstate.h"

#include "variablemap.h"

namespace LoadPullStateUtils {

void IndepVariablesState::addVariable(const IndepVarInfo &info, bool normalize)
{
    if (info.name().isEmpty())
        return;
    IndepVarInfo stored = info;
    if (normalize)
        stored.normalizeValue();
    m_variables.insert(stored.name(), stored);
    if (stored.isFrequency())
        m_frequency = stored;
}

void IndepVariablesState::updateVariable(const IndepVarInfo &info, bool uiState)
{
    if (const auto merged = mergedRecord(m_variables, info, uiState))
        addVariable(*merged, false);
}

void IndepVariablesState::setVariables(const QList<IndepVarInfo> &variables, bool normalize)
{
    m_variables.clear();
    m_frequency = IndepVarInfo();
    for (const IndepVarInfo &info : variables)
        addVariable(info, normalize);
}

void IndepVariablesState::updateVariables(const QList<IndepVarInfo> &variables, bool uiState)
{
    for (const IndepVarInfo &info : variables)
        updateVariable(info, uiState);
}

void IndepVariablesState::mergeState(const IndepVariablesState &other, bool uiState)
{
    if (&other != this)
        updateVariables(other.allVariables(), uiState);
}

void IndepVariablesState::setFrequencyVariable(const QString &name)
{
    if (name.isEmpty())
        return;
    // A variable the component gives a value of its own keeps it: the data files tell which
    // variable they sweep as frequency.
    IndepVarInfo info = variableNamed(name);
    info.setIsFrequency(true);
    if (info.name().isEmpty()) {
        info.setName(name);
        info.setValue(QStringLiteral("freq"));
        info.setUnitType(QStringLiteral("Frequency"));
        info.setUnit(QString());
    }
    addVariable(info, false);
}

IndepVarInfo IndepVariablesState::variableNamed(const QString &name) const
{
    return m_variables.value(name);
}

IndepVarInfo IndepVariablesState::variableAt(int i) const
{
    return recordAt(m_variables, i);
}

bool IndepVariablesState::isValid(bool uiState) const
{
    return allValid(m_variables, uiState);
}

bool operator==(const IndepVariablesState &a, const IndepVariablesState &b)
{
    return a.variables() == b.variables() && a.frequency() == b.frequency();
}

} // namespace LoadPullStateUtils
