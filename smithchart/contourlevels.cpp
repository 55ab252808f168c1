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

double ContourLevels::stepFor(const QString &unit, double lowest, double highest, double resolution)
{
    if (!usable(lowest, highest))
        return 0.0;
    const double step = unitStep(unit);
    const int count = step > 0.0 ? countOf(step, lowest, highest) : 0;
    if (count >= FewestForUnitStep && count <= MostForUnitStep)
        return std::max(step, resolution);
    return std::max(roundStep(lowest, highest), resolution);
}

// The multiples as the step's decimals write them: 37.3, not 37.300000000000004, which is
// 373 times the double nearest 0.1.
std::vector<double> ContourLevels::between(const QString &unit, double lowest, double highest)
{
    return multiplesOf(stepFor(unit, lowest, highest), lowest, highest);
}

std::vector<double> ContourLevels::multiplesOf(double step, double lowest, double highest)
{
    std::vector<double> levels;
    if (step <= 0.0)
        return levels;
    const double first = std::ceil(lowest / step);
    const int decimals = decimalsOf(step);
    const double scale = std::pow(10.0, decimals);
    const double units = std::round(step * scale);
    for (int i = 0; i < countOf(step, lowest, highest); ++i) {
        const double level = decimals > 0 ? (first + i) * units / scale : (first + i) * step;
        // Far from zero, neighbouring multiples of a small step round to one value.
        if (level >= lowest && level <= highest && (levels.empty() || level > levels.back()))
            levels.push_back(level);
    }
    return levels;
}

// The fewest decimals that write a round step: 1 for 0.5, 2 for 0.25, none for 20.
int ContourLevels::decimalsOf(double step)
{
    int decimals = 0;
    double scaled = step;
    while (decimals < 17 &&
           (std::round(scaled) == 0.0 || std::abs(scaled - std::round(scaled)) > 1e-6 * scaled))
        scaled = step * std::pow(10.0, ++decimals);
    return decimals;
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
