#pragma once

#include "performancevarinfo.h"

#include <QList>
#include <QMap>
#include <QMetaType>

namespace LoadPullStateUtils {

// The performance quantities by name, with the tab's all-or-nothing choices.
class PerformanceTabState
{
public:
    QMap<QString, PerformanceVarInfo> variables() const { return m_variables; }
    bool outputAll() const { return m_outputAll; }
    // Sets the flag and the output choice of every quantity.
    void setOutputAll(bool outputAll);
    bool displayAll() const { return m_displayAll; }
    // Sets the flag and the plot choice of every quantity.
    void setDisplayAll(bool displayAll);

    // Inserts or replaces the record of info's name; a record without a name is ignored.
    void addVariable(const PerformanceVarInfo &info);
    // Merges info into the stored record of its name; an absent name is not added.
    void updateVariable(const PerformanceVarInfo &info, bool uiState);
    void updateVariable(const PerformanceVarBaseInfo &info, bool uiState);
    void setVariables(const QList<PerformanceVarInfo> &variables);
    // Each quantity starts output and not plotted.
    void setVariables(const QList<PerformanceVarBaseInfo> &variables);
    void updateVariables(const QList<PerformanceVarInfo> &variables, bool uiState);
    void updateVariables(const QList<PerformanceVarBaseInfo> &variables, bool uiState);
    // With uiState the all-or-nothing flags are taken from other as well.
    void mergeState(const PerformanceTabState &other, bool uiState);

    PerformanceVarInfo variableAt(int i) const;
    QList<PerformanceVarInfo> allVariables() const { return m_variables.values(); }
    int count() const { return m_variables.size(); }

    bool isValid(bool uiState) const;

private:
    QMap<QString, PerformanceVarInfo> m_variables;
    bool m_outputAll = true;
    bool m_displayAll = false;
};

bool operator==(const PerformanceTabState &a, const PerformanceTabState &b);
inline bool operator!=(const PerformanceTabState &a, const PerformanceTabState &b)
{
    return !(a == b);
}

} // namespace LoadPullStateUtils

Q_DECLARE_METATYPE(LoadPullStateUtils::PerformanceTabState)
