#pragma once

#include "indepvarinfo.h"

#include <QList>
#include <QMap>
#include <QMetaType>

namespace LoadPullStateUtils {

// The independent variables by name, the frequency variable among them.
class IndepVariablesState
{
public:
    QMap<QString, IndepVarInfo> variables() const { return m_variables; }
    // A copy of the last record stored with its frequency flag set.
    IndepVarInfo frequency() const { return m_frequency; }

    // Inserts or replaces the record of info's name; a record without a name is ignored.
    void addVariable(const IndepVarInfo &info, bool normalize);
    // Merges info into the stored record of its name; an absent name is not added.
    void updateVariable(const IndepVarInfo &info, bool uiState);
    // Replaces every record, the frequency variable included.
    void setVariables(const QList<IndepVarInfo> &variables, bool normalize);
    void updateVariables(const QList<IndepVarInfo> &variables, bool uiState);
    void mergeState(const IndepVariablesState &other, bool uiState);
    // Marks the variable of that name as the frequency variable, adding it with the value
    // "freq" when absent; a stored record keeps its value. It leaves the flags of other
    // records alone, so it belongs to freshly filled states.
    void setFrequencyVariable(const QString &name);

    IndepVarInfo variableNamed(const QString &name) const;
    IndepVarInfo variableAt(int i) const;
    QList<IndepVarInfo> allVariables() const { return m_variables.values(); }
    int count() const { return m_variables.size(); }

    bool isValid(bool uiState) const;

private:
    QMap<QString, IndepVarInfo> m_variables;
    IndepVarInfo m_frequency;
};

bool operator==(const IndepVariablesState &a, const IndepVariablesState &b);
inline bool operator!=(const IndepVariablesState &a, const IndepVariablesState &b)
{
    return !(a == b);
}

} // namespace LoadPullStateUtils

Q_DECLARE_METATYPE(LoadPullStateUtils::IndepVariablesState)
