#pragma once

#include <QMetaType>
#include <QString>

namespace LoadPullStateUtils {

// The optimisation tab's record: whether out-of-range data are avoided, and how hard.
class AnalysisOptimizationTabState
{
public:
    // The weight factor of the penalty goal: a number not below 0, or a design variable.
    QString weight() const { return m_weight; }
    void setWeight(const QString &weight) { m_weight = weight; }
    bool avoidOutOfRangeData() const { return m_avoidOutOfRangeData; }
    void setAvoidOutOfRangeData(bool avoid) { m_avoidOutOfRangeData = avoid; }

    // The weight is checked only with uiState.
    bool isValid(bool uiState) const;

private:
    QString m_weight = QStringLiteral("100");
    bool m_avoidOutOfRangeData = true;
};

bool operator==(const AnalysisOptimizationTabState &a, const AnalysisOptimizationTabState &b);
inline bool operator!=(const AnalysisOptimizationTabState &a, const AnalysisOptimizationTabState &b)
{
    return !(a == b);
}

} // namespace LoadPullStateUtils

Q_DECLARE_METATYPE(LoadPullStateUtils::AnalysisOptimizationTabState)
