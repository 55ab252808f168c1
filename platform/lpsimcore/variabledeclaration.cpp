#include "variabledeclaration.h"

#include <cmath>
#include <tuple>

namespace Corvane_LP {

namespace {

constexpr double degreesPerRadian = 57.295779513082320876798;

double magnitude(double re, double im)
{
    return std::sqrt(re * re + im * im);
}

} // namespace

int VariableDeclaration::columnCount() const
{
    if (kind == VariableKind::Frequency || fixed)
        return 0;
    return kind == VariableKind::Gamma || complex ? 2 : 1;
}

double VariableDeclaration::rangeValue(double re, double im) const
{
    if (complex)
        return magnitude(re, im);
    if (kind != VariableKind::Gamma)
        return re;
    switch (domain) {
    case RectImag:
        return im;
    case PolarMag:
        return magnitude(re, im);
    case PolarPhase:
        return std::atan2(im, re) * degreesPerRadian;
    default:
        return re;
    }
}

bool VariableDeclaration::sameShape(const VariableDeclaration &other) const
{
    const auto shape = [](const VariableDeclaration &d) {
        return std::tie(d.kind, d.unitType, d.gammaType, d.harmonic, d.domain, d.complex, d.fixed);
    };
    return shape(*this) == shape(other);
}

} // namespace Corvane_LP
