#include "gaincompression.h"

#include <algorithm>

std::optional<GainCompression::Crossing> GainCompression::of(const std::vector<double> &gains,
                                                             double decibels)
{
    if (gains.empty())
        return std::nullopt;
    double highest = gains.front();
    for (std::size_t i = 1; i < gains.size(); ++i) {
        const double target = highest - decibels;
        // A compression too small to change a gain this large is never reached.
        if (!(target < highest))
            return std::nullopt;
        // The gain before stood above the target (it would have ended the search), so the
        // fraction lies in (0, 1], unless that gain is not finite.
        if (gains[i] <= target) {
            const double fraction = (gains[i - 1] - target) / (gains[i - 1] - gains[i]);
            return Crossing{i, fraction > 0.0 && fraction <= 1.0 ? fraction : 1.0};
        }
        highest = std::max(highest, gains[i]);
    }
    return std::nullopt;
}

double GainCompression::valueAt(const std::vector<double> &values, const Crossing &crossing)
{
    const double before = values[crossing.index - 1];
    return before + crossing.fraction * (values[crossing.index] - before);
}
