#pragma once

#include <complex>
#include <cstdint>
#include <string>
#include <vector>

namespace LpDataGen {

enum class GammaRole { Load, SecondHarmonicLoad, Source };

// One reflection coefficient of a measurement: swept over its points, or fixed at one value.
struct GammaAxis
{
    GammaRole role = GammaRole::Load;
    std::string name;
    std::string domain;          // written as Domain=<...> when not empty
    bool statesHarmonic = false; // writes Harmonic=<n> although the name implies it
    bool fixed = false;          // one point, declared with Value=<re, im> and no columns
    std::vector<std::complex<double>> points;
};

// What one synthetic measurement sweeps. Rows run over supply, the gamma points (the first
// axis outermost) and input power (innermost), in one block per frequency.
struct MeasurementPlan
{
    std::string title;
    std::uint64_t seed = 1;
    std::vector<double> frequenciesGHz;
    std::vector<double> supplyVolts; // a Vdd column when not empty; else 28 V
    std::vector<double> inputPowersDbm;
    std::vector<GammaAxis> gammas;
    bool withOutputVoltage = true; // the complex quantity Vout
};

} // namespace LpDataGen
