#include "gaincompression.h"

#include <cmath>

// The gain's fall below the highest gain before is worked out as one difference: a fall from
// near the largest double to its negative overflows to infinity, rightly above any compression,
// and a gain that stays flat falls by nothing, however large it is.
std::optional<GainCompression::Crossing> GainCompression::of(const std::vector<double> &gains,
                                                             double decibels)
{
    double highest = -INFINITY; // gains that are not finite are not reached
    double fallBefore = 0.0;
    for (std::size_t i = 0; i < gains.size(); ++i) {
        const double fall = highest - gains[i];
        if (i > 0 && std::isfinite(highest) && fall >= decibels) {
            const double fraction = (decibels - fallBefore) / (fall - fallBefore);
            return Crossing{i, fraction >= 0.0 && fraction <= 1.0 ? fraction : 1.0};
        }
        if (gains[i] > highest)
            highest = gains[i];
        fallBefore = highest - gains[i];
    }
    return std::nullopt;
}

// Values of either sign near the largest double are interpolated without their difference,
// which would overflow.
double GainCompression::valueAt(const std::vector<double> &values, const Crossing &crossing)
{
    const double before = values[crossing.index - 1], after = values[crossing.index];
    const double difference = after - before;
    return std::isfinite(difference)
               ? before + crossing.fraction * difference
               : (1.0 - crossing.fraction) * before + crossing.fraction * after;
}
