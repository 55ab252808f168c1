#pragma once

#include <QMetaType>
#include <QString>

namespace LoadPullStateUtils {

// One performance quantity as the data files describe it.
class PerformanceVarBaseInfo
{
public:
    QString name() const { return m_name; }
    void setName(const QString &name) { m_name = name; }
    QString minValue() const { return m_minValue; }
    void setMinValue(const QString &minValue) { m_minValue = minValue; }
    QString maxValue() const { return m_maxValue; }
    void setMaxValue(const QString &maxValue) { m_maxValue = maxValue; }
    QString unit() const { return m_unit; }
    void setUnit(const QString &unit) { m_unit = unit; }
    bool isComplex() const { return m_isComplex; }
    void setIsComplex(bool isComplex) { m_isComplex = isComplex; }

    // Everything here is known only from the data files, so it is taken from other only
    // with uiState. The name never changes.
    void merge(const PerformanceVarBaseInfo &other, bool uiState);
    bool isValid(bool uiState) const;

private:
    QString m_name;
    QString m_minValue;
    QString m_maxValue;
    QString m_unit;
    bool m_isComplex = false;
};

bool operator==(const PerformanceVarBaseInfo &a, const PerformanceVarBaseInfo &b);
inline bool operator!=(const PerformanceVarBaseInfo &a, const PerformanceVarBaseInfo &b)
{
    return !(a == b);
}

} // namespace LoadPullStateUtils

Q_DECLARE_METATYPE(LoadPullStateUtils::PerformanceVarBaseInfo)
