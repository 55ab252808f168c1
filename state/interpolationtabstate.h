#pragma once

#include <QMetaType>

namespace LoadPullStateUtils {

// The interpolation tab's record. Each choice is the int value of its enumeration
// (InterpolationMethod, InterpolationDomain, ExtrapolationMethod).
class InterpolationTabState
{
public:
    int interpolationMethod() const { return m_interpolationMethod; }
    void setInterpolationMethod(int method) { m_interpolationMethod = method; }
    int interpolationDomain() const { return m_interpolationDomain; }
    void setInterpolationDomain(int domain) { m_interpolationDomain = domain; }
    int extrapolationMethod() const { return m_extrapolationMethod; }
    void setExtrapolationMethod(int method) { m_extrapolationMethod = method; }

    // Every choice within its enumeration; uiState makes no difference.
    bool isValid(bool uiState) const;

private:
    int m_interpolationMethod = 0;
    int m_interpolationDomain = 0;
    int m_extrapolationMethod = 0;
};

bool operator==(const InterpolationTabState &a, const InterpolationTabState &b);
inline bool operator!=(const InterpolationTabState &a, const InterpolationTabState &b)
{
    return !(a == b);
}

} // namespace LoadPullStateUtils

Q_DECLARE_METATYPE(LoadPullStateUtils::InterpolationTabState)
