#pragma once

#include "gammasstate.h"
#include "indepvariablesstate.h"

#include <QMetaType>

namespace LoadPullStateUtils {

// The variable details tab's record: its two tables.
class VariableDetailsTabState
{
public:
    IndepVariablesState independentVariables() const { return m_independentVariables; }
    void setIndependentVariables(const IndepVariablesState &variables)
    {
        m_independentVariables = variables;
    }
    GammasState gammaVariables() const { return m_gammaVariables; }
    void setGammaVariables(const GammasState &variables) { m_gammaVariables = variables; }

    bool isValid(bool uiState) const;

private:
    IndepVariablesState m_independentVariables;
    GammasState m_gammaVariables;
};

bool operator==(const VariableDetailsTabState &a, const VariableDetailsTabState &b);
inline bool operator!=(const VariableDetailsTabState &a, const VariableDetailsTabState &b)
{
    return !(a == b);
}

} // namespace LoadPullStateUtils

Q_DECLARE_METATYPE(LoadPullStateUtils::VariableDetailsTabState)
