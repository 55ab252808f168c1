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

// Of the round steps near (highest - lowest) / WantedCount, the one that draws the count of
// lines nearest to it; of two as near, the smaller.
double ContourLevels::roundStep(double lowest, double highest)
{
    const double power = std::pow(10.0, std::floor(std::log10((highest - lowest) / WantedCount)));
    double best = 0.0;
    int bestDistance = 0;
    for (const double decade : {power / 10.0, power, power * 10.0}) {
        for (const double factor : {1.0, 2.0, 2.5, 5.0}) {
            const double step = factor * decade;
            const int distance = std::abs(countOf(step, lowest, highest) - WantedCount);
            if (best == 0.0 || distance < bestDistance) {
                best = step;
                bestDistance = distance;
            }
        }
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
    return roundStep(lowest, highest);
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
