#pragma once

#include <QMetaType>
#include <QString>

namespace LoadPullStateUtils {

// One independent variable of the data files, with the value the user chose for it.
class IndepVarInfo
{
public:
    QString name() const { return m_name; }
    void setName(const QString &name) { m_name = name; }
    QString minValue() const { return m_minValue; }
    void setMinValue(const QString &minValue) { m_minValue = minValue; }
    QString maxValue() const { return m_maxValue; }
    void setMaxValue(const QString &maxValue) { m_maxValue = maxValue; }
    int minNumPoints() const { return m_minNumPoints; }
    void setMinNumPoints(int minNumPoints) { m_minNumPoints = minNumPoints; }
    int maxNumPoints() const { return m_maxNumPoints; }
    void setMaxNumPoints(int maxNumPoints) { m_maxNumPoints = maxNumPoints; }
    bool isFrequency() const { return m_isFrequency; }
    void setIsFrequency(bool isFrequency) { m_isFrequency = isFrequency; }
    QString value() const { return m_value; }
    void setValue(const QString &value) { m_value = value; }
    QString unitType() const { return m_unitType; }
    void setUnitType(const QString &unitType) { m_unitType = unitType; }
    QString unit() const { return m_unit; }
    void setUnit(const QString &unit) { m_unit = unit; }

    // An empty value becomes the minimum, and so does a number below the minimum of a
    // numeric range. A value above the maximum is left for validation to report.
    void normalizeValue();
    // Lays other over this record. With uiState other carries the data-file information
    // (range, points, unit type, frequency flag, and the unit of the frequency variable),
    // which is taken; without it only the user's value is. The name never changes.
    void merge(const IndepVarInfo &other, bool uiState);
    bool isValid(bool uiState) const;

private:
    QString m_name;
    QString m_minValue;
    QString m_maxValue;
    int m_minNumPoints = 0;
    int m_maxNumPoints = 0;
    bool m_isFrequency = false;
    QString m_value;
    QString m_unitType;
    QString m_unit;
};

bool operator==(const IndepVarInfo &a, const IndepVarInfo &b);
inline bool operator!=(const IndepVarInfo &a, const IndepVarInfo &b)
{
    return !(a == b);
}

} // namespace LoadPullStateUtils

Q_DECLARE_METATYPE(LoadPullStateUtils::IndepVarInfo)
