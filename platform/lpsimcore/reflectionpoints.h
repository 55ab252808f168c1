#pragma once

#include "lpsimcore_export.h"

#include <complex>
#include <cstddef>
#include <string>
#include <vector>

namespace Corvane_LP {

// The measured points of one reflection coefficient of one data file, grouped by frequency and
// by the values at which the other swept variables stood, each with the values of every
// performance quantity there. Apart from the query: a chart of the data needs the points, the
// editor only their ranges.
struct ReflectionPoints
{
    struct Variable
    {
        std::string name;
        std::string unit;     // "None" when it has none, as a query reports it
        bool complex = false; // a complex quantity's values are its magnitudes
        std::string unitType; // as a query reports it: "Power" for a drive level in dBm
    };

    struct Point
    {
        double re = 0.0;
        double im = 0.0;
        std::vector<double> values; // at the positions of `quantities`
        // Each complex quantity's value, in the order of `quantities`: interpolating one in
        // the rectangular domain needs its parts.
        std::vector<std::complex<double>> complexValues;
    };

    struct Group
    {
        double frequency = 0.0;   // 0 when the file has no frequency variable
        std::vector<double> held; // at the positions of `held`
        std::vector<Point> points;
        // Rows left out: each at a place measured before in the group, whose first row is kept.
        std::size_t repeated = 0;
    };

    std::vector<std::string> coefficients; // every reflection coefficient, in declaration order
    std::string coefficient;               // the one whose points these are
    bool fixed = false;                    // held at one value: one point per group
    Variable frequency;                    // its name is empty when the file has none
    // The other swept variables in declaration order; a measured reflection coefficient
    // stands as two, Re(name) and Im(name).
    std::vector<Variable> held;
    std::vector<Variable> quantities; // in declaration order
    // Ordered by frequency, then by the held values. A point measured more than once in a
    // group keeps the values of its first row; the group counts the others.
    std::vector<Group> groups;
};

// Leaves out each point of the group at a place that an earlier point holds, keeping the first
// one's values and the points' order, and adds the points left out to the group's count.
LPSIMCORE_EXPORT void keepFirstOfEachPlace(ReflectionPoints::Group &group);

// Reads the points of `coefficient` (when empty, the first measured reflection coefficient, or
// failing that the first declared) from the file at `path`. False, with `errorText` saying why,
// when the file is refused as a query would refuse it or declares no such coefficient. The file
// is read anew, not through the query's cache; nothing is thrown.
LPSIMCORE_EXPORT bool readReflectionPoints(const std::string &path, const std::string &coefficient,
                                           ReflectionPoints &points, std::string &errorText);

} // namespace Corvane_LP
