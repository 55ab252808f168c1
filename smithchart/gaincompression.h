#pragma once

#include <cstddef>
#include <optional>
#include <vector>

// Where a load's gain has compressed: the lowest drive level at which its gain has fallen a
// given number of dB below the highest gain it reached at lower drive (its small-signal gain
// where the gain only falls, its peak where the gain first expands). Between measured drive
// levels the gain, like every other quantity, is taken as linear in the drive level.
class GainCompression
{
public:
    // A place between two neighbouring samples of a sweep: `fraction` of the way from the
    // sample before `index` to the sample at it.
    struct Crossing
    {
        std::size_t index = 0;
        double fraction = 0.0;
    };

    // `gains`: one load's gain in dB at rising drive levels. Nothing when the gain never falls
    // `decibels` below the highest gain before it.
    static std::optional<Crossing> of(const std::vector<double> &gains, double decibels);
    // The value at the crossing of a quantity given at the same drive levels as the gains.
    static double valueAt(const std::vector<double> &values, const Crossing &crossing);
};
