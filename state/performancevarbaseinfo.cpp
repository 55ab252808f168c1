#include "performancevarbaseinfo.h"

#include "numerictext.h"

namespace LoadPullStateUtils {

void PerformanceVarBaseInfo::merge(const PerformanceVarBaseInfo &other, bool uiState)
{
    if (!uiState)
        return;
    m_minValue = other.m_minValue;
    m_maxValue = other.m_maxValue;
    m_unit = other.m_unit;
    m_isComplex = other.m_isComplex;
}

bool PerformanceVarBaseInfo::isValid(bool uiState) const
{
    return isRangePartValid(m_name, m_minValue, m_maxValue, uiState) &&
           !(uiState && m_unit.isEmpty());
}

bool operator==(const PerformanceVarBaseInfo &a, const PerformanceVarBaseInfo &b)
{
    return a.name() == b.name() && a.minValue() == b.minValue() && a.maxValue() == b.maxValue() &&
           a.unit() == b.unit() && a.isComplex() == b.isComplex();
}

} // namespace LoadPullStateUtils
