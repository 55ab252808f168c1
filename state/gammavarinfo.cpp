#include "gammavarinfo.h"

#include "numerictext.h"

namespace LoadPullStateUtils {

void GammaVarInfo::merge(const GammaVarInfo &other, bool uiState)
{
    if (uiState) {
        m_minValue = other.m_minValue;
        m_maxValue = other.m_maxValue;
        m_minNumPoints = other.m_minNumPoints;
        m_maxNumPoints = other.m_maxNumPoints;
    }
    m_type = other.m_type;
    m_harmIndex = other.m_harmIndex;
    m_domain = other.m_domain;
    m_value = other.m_value;
}

bool GammaVarInfo::isValid(bool uiState) const
{
    return isRangePartValid(m_name, m_minValue, m_maxValue, uiState) && !m_type.isEmpty() &&
           !m_harmIndex.isEmpty() && !m_domain.isEmpty() && !m_value.isEmpty();
}

bool operator==(const GammaVarInfo &a, const GammaVarInfo &b)
{
    return a.name() == b.name() && a.minValue() == b.minValue() && a.maxValue() == b.maxValue() &&
           a.minNumPoints() == b.minNumPoints() && a.maxNumPoints() == b.maxNumPoints() &&
           a.type() == b.type() && a.harmIndex() == b.harmIndex() && a.domain() == b.domain() &&
           a.value() == b.value();
}

} // namespace LoadPullStateUtils
