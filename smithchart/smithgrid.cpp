#include "smithgrid.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double Degrees = 180.0 / M_PI;

std::complex<double> onCircle(const SmithMapping::Circle &circle, double degrees)
{
    return circle.centre + std::polar(circle.radius, degrees / Degrees);
}

bool holds(const QRectF &rect, std::complex<double> gamma)
{
    return gamma.real() >= rect.left() && gamma.real() <= rect.right() &&
           gamma.imag() >= rect.top() && gamma.imag() <= rect.bottom();
}

// The angles, in degrees, at which a circle meets the lines x = at (or y = at).
void addCrossings(const SmithMapping::Circle &circle, double at, bool horizontal,
                  std::vector<double> &angles)
{
    const double offset =
        (at - (horizontal ? circle.centre.imag() : circle.centre.real())) / circle.radius;
    if (std::abs(offset) > 1.0)
        return;
    const double angle = (horizontal ? std::asin(offset) : std::acos(offset)) * Degrees;
    angles.push_back(angle);
    angles.push_back(horizontal ? 180.0 - angle : -angle);
}

// The least and greatest normalised resistance and reactance of the passive part that a
// rectangle of the plane shows: from a lattice over it and points along the unit circle.
struct ImpedanceRange
{
    double lowestR = INFINITY, highestR = -INFINITY, lowestX = INFINITY, highestX = -INFINITY;

    void add(std::complex<double> gamma)
    {
        if (std::abs(gamma) > 1.0 || gamma == 1.0)
            return;
        const std::complex<double> z = SmithMapping::impedanceOf(gamma, 1.0);
        lowestR = std::min(lowestR, z.real());
        highestR = std::max(highestR, z.real());
        lowestX = std::min(lowestX, z.imag());
        highestX = std::max(highestX, z.imag());
    }
};

ImpedanceRange rangeOf(const QRectF &rect)
{
    constexpr int Lattice = 24;
    ImpedanceRange range;
    for (int i = 0; i <= Lattice; ++i) {
        for (int j = 0; j <= Lattice; ++j)
            range.add({rect.left() + rect.width() * i / Lattice,
                       rect.top() + rect.height() * j / Lattice});
    }
    for (int degrees = 0; degrees < 360; ++degrees) {
        const std::complex<double> gamma = std::polar(1.0, degrees / Degrees);
        if (holds(rect, gamma))
            range.add(gamma * (1.0 - 1e-9));
    }
    return range;
}

// The round step (1, 2 or 5 times a power of ten) at least `least`.
double roundStepAbove(double least)
{
    const double power = std::pow(10.0, std::floor(std::log10(least)));
    for (double factor : {1.0, 2.0, 5.0}) {
        if (factor * power >= least * (1.0 - 1e-12))
            return factor * power;
    }
    return 10.0 * power;
}

// From lowest to highest, each value the first multiple of the round step that the value before
// needs at least that step beyond it; none at 0. At most SmithGrid::MostLines.
template<typename Step> std::vector<double> walk(double lowest, double highest, Step stepAt)
{
    std::vector<double> values;
    double step = roundStepAbove(stepAt(lowest));
    for (double value = std::ceil(lowest / step) * step;
         value <= highest && int(values.size()) < SmithGrid::MostLines;
         value = std::ceil((value + step) / step - 1e-9) * step) {
        if (std::abs(value) > 1e-9 * step)
            values.push_back(value);
        step = roundStepAbove(stepAt(value));
    }
    return values;
}

} // namespace

QString SmithGrid::Line::label() const
{
    const QString number = QString::number(std::abs(value), 'g', 6);
    if (!reactance)
        return number;
    return (value < 0 ? QStringLiteral("-j") : QStringLiteral("j")) + number;
}

SmithGrid::SmithGrid(const SmithMapping &mapping, const QRectF &visible, double extent)
    : m_visible(visible)
    , m_whole(visible.contains(QRectF(-extent, -extent, 2 * extent, 2 * extent)))
{
    if (m_whole) {
        const std::vector<double> classic(std::begin(ClassicValues), std::end(ClassicValues));
        std::vector<double> reactances = classic;
        for (double x : classic)
            reactances.push_back(-x);
        addLines(classic, reactances);
    } else {
        addSteppedLines(mapping);
    }
    m_rim = cut({{0.0, 1.0}, 0.0, 360.0}, visible);
    if (extent > 1.0)
        m_widenedRim = cut({{0.0, extent}, 0.0, 360.0}, visible);
    if (visible.top() <= 0.0 && visible.bottom() >= 0.0) {
        const double left = std::max(-1.0, visible.left()), right = std::min(1.0, visible.right());
        if (left < right)
            m_axis.emplace_back(left, 0.0, right, 0.0);
    }
}

// Lines of resistance (or reactance) v and v + d lie d |1 - gamma|^2 / 2 apart about gamma (the
// chart is conformal): each step is the round one that sets a line and the next LeastSpacing
// pixels apart where the line passes nearest to the middle of the window, so that the steps
// grow towards the open, where the lines crowd.
void SmithGrid::addSteppedLines(const SmithMapping &mapping)
{
    const ImpedanceRange range = rangeOf(m_visible);
    if (!(range.lowestR <= range.highestR))
        return;
    const std::complex<double> middle(m_visible.center().x(), m_visible.center().y());
    const double pixels = LeastSpacing / mapping.unitRadius();
    const auto stepNear = [&](const SmithMapping::Circle &circle) {
        std::complex<double> nearest(std::clamp(middle.real(), -1.0, 1.0), 0.0); // the real axis
        if (std::isfinite(circle.radius)) {
            const std::complex<double> towards = middle - circle.centre;
            nearest = circle.centre + circle.radius * (std::abs(towards) > 0.0
                                                           ? towards / std::abs(towards)
                                                           : std::complex<double>(-1.0, 0.0));
        }
        if (std::abs(nearest) > 0.999)
            nearest *= 0.999 / std::abs(nearest);
        return pixels * 2.0 / std::norm(1.0 - nearest);
    };
    addLines(walk(range.lowestR, range.highestR,
                  [&](double r) { return stepNear(SmithMapping::resistanceCircle(r)); }),
             walk(range.lowestX, range.highestX, [&](double x) {
                 return stepNear(x == 0.0 ? SmithMapping::Circle{0.0, INFINITY}
                                          : SmithMapping::reactanceCircle(x));
             }));
}

void SmithGrid::addLines(const std::vector<double> &resistances,
                         const std::vector<double> &reactances)
{
    for (double r : resistances) {
        std::vector<SmithMapping::Arc> parts =
            cut({SmithMapping::resistanceCircle(r), 0.0, 360.0}, m_visible);
        if (!parts.empty())
            m_lines.push_back({r, false, std::move(parts)});
    }
    for (double x : reactances) {
        std::vector<SmithMapping::Arc> parts = cut(SmithMapping::reactanceArc(x), m_visible);
        if (!parts.empty())
            m_lines.push_back({x, true, std::move(parts)});
    }
}

// Split where the circle crosses the lines of the rectangle's sides; of the pieces, those
// whose middle lies inside it.
std::vector<SmithMapping::Arc> SmithGrid::cut(const SmithMapping::Arc &arc, const QRectF &rect)
{
    const double low = std::min(arc.start, arc.start + arc.sweep);
    const double high = std::max(arc.start, arc.start + arc.sweep);
    std::vector<double> angles;
    addCrossings(arc.circle, rect.left(), false, angles);
    addCrossings(arc.circle, rect.right(), false, angles);
    addCrossings(arc.circle, rect.top(), true, angles);
    addCrossings(arc.circle, rect.bottom(), true, angles);
    std::vector<double> ends{low, high};
    for (double angle : angles) {
        const double within = low + std::fmod(std::fmod(angle - low, 360.0) + 360.0, 360.0);
        if (within > low && within < high)
            ends.push_back(within);
    }
    std::sort(ends.begin(), ends.end());
    std::vector<SmithMapping::Arc> parts;
    for (std::size_t i = 0; i + 1 < ends.size(); ++i) {
        if (ends[i + 1] > ends[i] && holds(rect, onCircle(arc.circle, (ends[i] + ends[i + 1]) / 2)))
            parts.push_back({arc.circle, ends[i], ends[i + 1] - ends[i]});
    }
    return parts;
}
