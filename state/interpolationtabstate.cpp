#include "interpolationtabstate.h"

#include "enumerations.h"

namespace LoadPullStateUtils {

namespace {

bool isWithin(int value, int first, int last)
{
    return value >= first && value <= last;
}

} // namespace

bool InterpolationTabState::isValid(bool /*uiState*/) const
{
    return isWithin(m_interpolationMethod, LinearInterpolation, CubicInterpolation) &&
           isWithin(m_interpolationDomain, RectangularDomain, PolarDomain) &&
           isWithin(m_extrapolationMethod, InterpolationModeExtrapolation, ConstantExtrapolation);
}

bool operator==(const InterpolationTabState &a, const InterpolationTabState &b)
{
    return a.interpolationMethod() == b.interpolationMethod() &&
           a.interpolationDomain() == b.interpolationDomain() &&
           a.extrapolationMethod() == b.extrapolationMethod();
}

} // namespace LoadPullStateUtils
