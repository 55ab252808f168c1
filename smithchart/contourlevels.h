#pragma once

#include <QString>

#include <vector>

// The values at which a chart draws contours of a quantity: every step between its lowest and
// highest value. The step suits the unit: 1 dB for quantities in dB, dBm, dBW; 5 % for
// percentages; otherwise, or where that would give too few or too many lines, the round step
// (1, 2, 2.5 or 5 times a power of ten) that draws the count of lines nearest to eight.
class ContourLevels
{
public:
    static constexpr int WantedCount = 8;
    static constexpr int FewestForUnitStep = 3;
    static constexpr int MostForUnitStep = 20;
    static constexpr int MostLevels = 1000;

    // Never finer than `resolution`, the step in which the values are written (a power of ten,
    // or 0 for none): a finer step would only trace the values' rounding.
    static double stepFor(const QString &unit, double lowest, double highest,
                          double resolution = 0.0);
    // The multiples of the step from lowest to highest, both included, each once and written
    // to the step's decimals; none when the range is empty or not finite.
    static std::vector<double> between(const QString &unit, double lowest, double highest);
    static std::vector<double> multiplesOf(double step, double lowest, double highest);

private:
    static double roundStep(double lowest, double highest);
    static int countOf(double step, double lowest, double highest);
    static int decimalsOf(double step);
};
