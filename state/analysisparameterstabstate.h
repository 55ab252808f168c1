#pragma once

#include <QMetaType>
#include <QString>

namespace LoadPullStateUtils {

// The analysis parameters tab's record: computed quantities, status level, devices.
class AnalysisParametersTabState
{
public:
    bool calcGamma() const { return m_calcGamma; }
    void setCalcGamma(bool calcGamma) { m_calcGamma = calcGamma; }
    bool calcImpedance() const { return m_calcImpedance; }
    void setCalcImpedance(bool calcImpedance) { m_calcImpedance = calcImpedance; }
    bool calcAdmittance() const { return m_calcAdmittance; }
    void setCalcAdmittance(bool calcAdmittance) { m_calcAdmittance = calcAdmittance; }
    // An integer text from 1 to 4, or a design variable name.
    QString statusLevel() const { return m_statusLevel; }
    void setStatusLevel(const QString &statusLevel) { m_statusLevel = statusLevel; }
    bool allowNonlinearDevices() const { return m_allowNonlinearDevices; }
    void setAllowNonlinearDevices(bool allow) { m_allowNonlinearDevices = allow; }

    // The status level is checked only with uiState.
    bool isValid(bool uiState) const;

private:
    bool m_calcGamma = true;
    bool m_calcImpedance = false;
    bool m_calcAdmittance = false;
    QString m_statusLevel = QStringLiteral("2");
    bool m_allowNonlinearDevices = false;
};

bool operator==(const AnalysisParametersTabState &a, const AnalysisParametersTabState &b);
inline bool operator!=(const AnalysisParametersTabState &a, const AnalysisParametersTabState &b)
{
    return !(a == b);
}

} // namespace LoadPullStateUtils

Q_DECLARE_METATYPE(LoadPullStateUtils::AnalysisParametersTabState)
