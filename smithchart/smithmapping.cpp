#include "smithmapping.h"

#include <algorithm>
#include <cmath>
#include <limits>

SmithMapping::SmithMapping(const QPointF &centre, double unitRadius)
    : m_centre(centre)
    , m_unitRadius(unitRadius)
{}

SmithMapping SmithMapping::fitting(const QRectF &area, const Window &window)
{
    const double unitRadius = std::min(area.width(), area.height()) / 2.0 / window.halfSide;
    const QPointF shift(window.centre.real() * unitRadius, -window.centre.imag() * unitRadius);
    return SmithMapping(area.center() - shift, unitRadius);
}

std::complex<double> SmithMapping::reflectionOf(std::complex<double> impedance, double z0)
{
    if (!std::isfinite(std::abs(impedance)))
        return 1.0;
    return (impedance - z0) / (impedance + z0);
}

std::complex<double> SmithMapping::impedanceOf(std::complex<double> gamma, double z0)
{
    if (gamma == 1.0)
        return std::numeric_limits<double>::infinity();
    return z0 * (1.0 + gamma) / (1.0 - gamma);
}

SmithMapping::Circle SmithMapping::resistanceCircle(double r)
{
    return {r / (1.0 + r), 1.0 / (1.0 + r)};
}

SmithMapping::Circle SmithMapping::reactanceCircle(double x)
{
    return {{1.0, 1.0 / x}, 1.0 / std::abs(x)};
}

SmithMapping::Arc SmithMapping::reactanceArc(double x)
{
    const Circle circle = reactanceCircle(x);
    const auto degreesTo = [&circle](std::complex<double> gamma) {
        return std::arg(gamma - circle.centre) * 180.0 / M_PI;
    };
    const double start = degreesTo(1.0);
    double sweep = std::remainder(degreesTo(reflectionOf({0.0, x}, 1.0)) - start, 360.0);
    // Of the two ways round, the one whose middle lies inside the unit circle.
    const double middle = (start + sweep / 2.0) * M_PI / 180.0;
    if (std::abs(circle.centre + std::polar(circle.radius, middle)) > 1.0)
        sweep -= std::copysign(360.0, sweep);
    return {circle, start, sweep};
}

QPointF SmithMapping::toChart(std::complex<double> gamma) const
{
    return {m_centre.x() + gamma.real() * m_unitRadius, m_centre.y() - gamma.imag() * m_unitRadius};
}

std::complex<double> SmithMapping::toGamma(const QPointF &point) const
{
    return {(point.x() - m_centre.x()) / m_unitRadius, (m_centre.y() - point.y()) / m_unitRadius};
}

QRectF SmithMapping::boundsOf(const Circle &circle) const
{
    const double radius = circle.radius * m_unitRadius;
    const QPointF centre = toChart(circle.centre);
    return {centre.x() - radius, centre.y() - radius, 2.0 * radius, 2.0 * radius};
}

QRectF SmithMapping::gammaRect(const QRectF &area) const
{
    const std::complex<double> low = toGamma(area.bottomLeft());
    const std::complex<double> high = toGamma(area.topRight());
    return {low.real(), low.imag(), high.real() - low.real(), high.imag() - low.imag()};
}
