#include "variabledeclaration.h"

#include <cmath>
#include <tuple>

namespace Corvane_LP {

namespace {

constexpr double degreesPerRadian = 57.295779513082320876798;

} // namespace

// hypot, not the root of the sum of squares, which overflows above 1e154 and underflows below
// 1e-154.
double componentOf(RangeComponent component, double re, double im)
{
    switch (component) {
    case RangeComponent::Imaginary:
        return im;
    case RangeComponent::Magnitude:
        return std::hypot(re, im);
    case RangeComponent::PhaseDegrees:
        return std::atan2(im, re) * degreesPerRadian;
    case RangeComponent::Real:
        break;
    }
    return re;
}

int VariableDeclaration::columnCount() const
{
    if (kind == VariableKind::Frequency || fixed)
        return 0;
    return kind == VariableKind::Gamma || complex ? 2 : 1;
}

RangeComponent VariableDeclaration::rangeComponent() const
{
    if (complex)
        return RangeComponent::Magnitude;
    if (kind != VariableKind::Gamma)
        return RangeComponent::Real;
    switch (domain) {
    case RectImag:
        return RangeComponent::Imaginary;
    case PolarMag:
        return RangeComponent::Magnitude;
    case PolarPhase:
        return RangeComponent::PhaseDegrees;
    default:
        return RangeComponent::Real;
    }
}

DataRole VariableDeclaration::role() const
{
    return DataRole{kind, rangeComponent(), static_cast<std::uint8_t>(columnCount()), fixed};
}

bool VariableDeclaration::sameShape(const VariableDeclaration &other) const
{
    const auto shape = [](const VariableDeclaration &d) {
        return std::tie(d.kind, d.unitType, d.gammaType, d.harmonic, d.domain, d.complex, d.fixed);
    };
    return shape(*this) == shape(other);
}

} // namespace Corvane_LP
