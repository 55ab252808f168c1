#pragma once

#include "gammavarinfo.h"

#include <QList>
#include <QMap>
#include <QMetaType>

namespace LoadPullStateUtils {

// The reflection-coefficient variables by name.
class GammasState
{
public:
    QMap<QString, GammaVarInfo> variables() const { return m_variables; }

    // Inserts or replaces the record of info's name; a record without a name is ignored.
    void addVariable(const GammaVarInfo &info);
    // Merges info into the stored record of its name; an absent name is not added.
    void updateVariable(const GammaVarInfo &info, bool uiState);
    void setVariables(const QList<GammaVarInfo> &variables);
    void updateVariables(const QList<GammaVarInfo> &variables, bool uiState);
    void mergeState(const GammasState &other, bool uiState);

    GammaVarInfo variableAt(int i) const;
    QList<GammaVarInfo> allVariables() const { return m_variables.values(); }
    int count() const { return m_variables.size(); }

    bool isValid(bool uiState) const;

private:
    QMap<QString, GammaVarInfo> m_variables;
};

bool operator==(const GammasState &a, const GammasState &b);
inline bool operator!=(const GammasState &a, const GammasState &b)
{
    return !(a == b);
}

} // namespace LoadPullStateUtils

Q_DECLARE_METATYPE(LoadPullStateUtils::GammasState)
