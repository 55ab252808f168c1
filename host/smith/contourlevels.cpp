#include "contourlevels.h"

#include <algorithm>
#include <cmath>

namespace {

bool usable(double lowest, double highest)
{
    return std::isfinite(highest - lowest) && highest > lowest;
}

double unitStep(const QString &unit)
{
    if (unit.startsWith(QLatin1String("dB")))
        return 1.0;
    if (unit == QLatin1String("%"))
        return 5.0;
    return 0.0;
}

} // namespace

// Of the round steps near span / WantedCount, the one whose count of levels comes nearest.
double ContourLevels::roundStep(double span)
{
    const double power = std::pow(10.0, std::floor(std::log10(span / WantedCount)));
    double best = power;
    for (const double factor : {2.0, 2.5, 5.0, 10.0}) {
        const double step = factor * power;
        if (std::abs(span / step - WantedCount) < std::abs(span / best - WantedCount))
            best = step;
    }
    return best;
}

double ContourLevels::stepFor(const QString &unit, double lowest, double highest)
{
    if (!usable(lowest, highest))
        return 0.0;
    const double step = unitStep(unit);
    const int count = step > 0.0 ? countOf(step, lowest, highest) : 0;
    if (count >= FewestForUnitStep && count <= MostForUnitStep)
        return step;
    return roundStep(highest - lowest);
}

std::vector<double> ContourLevels::between(const QString &unit, double lowest, double highest)
{
    const double step = stepFor(unit, lowest, highest);
    std::vector<double> levels;
    if (step <= 0.0)
        return levels;
    const double first = std::ceil(lowest / step);
    for (int i = 0; i < countOf(step, lowest, highest); ++i) {
        // Far from zero, neighbouring multiples of a small step round to one value.
        const double level = (first + i) * step;
        if (levels.empty() || level > levels.back())
            levels.push_back(level);
    }
    return levels;
}

// Worked out in double and bounded before it becomes an int: values near the largest double
// over a step of 1 have more multiples between them than an int holds.
int ContourLevels::countOf(double step, double lowest, double highest)
{
    const double count = std::floor(highest / step) - std::ceil(lowest / step) + 1.0;
    if (!(count > 0.0))
        return 0;
    return int(std::min(count, double(MostLevels)));
}
