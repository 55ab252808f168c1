#pragma once

#include <complex>
#include <vector>

// Each load followed across rising drive levels, though its measured reflection coefficient
// drifts a little from one level to the next, as in active or de-embedded load pull.
//
// A point of one level continues the point of the level before that lies nearest to it when
// that one lies nearer than half the distance from either point to its nearest neighbour at
// its own level: two points of one level can then never continue the same point, nor one point
// two, whatever the order of the points. Where, from one level to the next, some sweeps end and
// others start, they may be the same loads, drifted farther than that allows (as loads closer
// together than their drift do): the sweeps that end are marked lost, and so are those that
// start, and so is every sweep that went on near them (within twice the distance from such a
// point to its nearest neighbour), which may have gone on with the wrong load.
class LoadSweeps
{
public:
    struct Sweep
    {
        int firstLevel = 0;
        std::vector<int> points; // at firstLevel and the levels after it, one each
        bool lostAtStart = false;
        bool lostAtEnd = false;
    };

    // `levels`: the finite points of each drive level, rising. Every point is in one sweep.
    static std::vector<Sweep> follow(const std::vector<std::vector<std::complex<double>>> &levels);
};
