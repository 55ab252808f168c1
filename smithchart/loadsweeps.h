#pragma once

#include <complex>
#include <vector>

// Each load followed across rising drive levels, though its measured reflection coefficient
// drifts from one level to the next, as in active or de-embedded load pull: from each level to
// the next by LevelMatch. A load is followed while its matches are clear; where LevelMatch
// cannot tell whether a load went on, its sweep ends there lost, and the sweep of each point
// that may continue it starts lost.
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
