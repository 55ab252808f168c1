#include "indepvarinfo.h"

#include "numerictext.h"

namespace LoadPullStateUtils {

void IndepVarInfo::normalizeValue()
{
    if (m_value.isEmpty())
        m_value = m_minValue;
    const auto min = toReal(m_minValue);
    const auto max = toReal(m_maxValue);
    const auto value = toReal(m_value);
    if (min && max && value && *min > *value)
        m_value = m_minValue;
}

void IndepVarInfo::merge(const IndepVarInfo &other, bool uiState)
{
    normalizeValue();
    const bool valueOnMinimum = m_value == m_minValue;
    if (uiState) {
        m_minValue = other.m_minValue;
        m_maxValue = other.m_maxValue;
        m_minNumPoints = other.m_minNumPoints;
        m_maxNumPoints = other.m_maxNumPoints;
        m_isFrequency = other.m_isFrequency;
        m_unitType = other.m_unitType;
        if (m_isFrequency)
            m_unit = other.m_unit;
        // A value that sat on the old minimum follows the minimum.
        if (!other.m_value.isEmpty())
            m_value = other.m_value;
        else if (valueOnMinimum)
            m_value = m_minValue;
    } else {
        m_value = other.m_value;
    }
    normalizeValue();
}

bool IndepVarInfo::isValid(bool uiState) const
{
    if (!isRangePartValid(m_name, m_minValue, m_maxValue, uiState) || m_value.isEmpty())
        return false;
    if (!uiState)
        return true;
    if (m_unitType.isEmpty() || m_unit.isEmpty())
        return false;
    const auto min = toReal(m_minValue);
    const auto max = toReal(m_maxValue);
    const auto value = toReal(m_value);
    return !(min && max && value && (*value < *min || *value > *max));
}

bool operator==(const IndepVarInfo &a, const IndepVarInfo &b)
{
    return a.name() == b.name() && a.minValue() == b.minValue() && a.maxValue() == b.maxValue() &&
           a.minNumPoints() == b.minNumPoints() && a.maxNumPoints() == b.maxNumPoints() &&
           a.isFrequency() == b.isFrequency() && a.value() == b.value() &&
           a.unitType() == b.unitType() && a.unit() == b.unit();
}

} // namespace LoadPullStateUtils
