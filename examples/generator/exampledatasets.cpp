#include "exampledatasets.h"

#include "datafilewriter.h"

#include <algorithm>
#include <cmath>

namespace LpDataGen {

namespace {

constexpr double pi = 3.14159265358979323846;

// perSide x perSide points around the centre, `step` apart, row by row.
std::vector<std::complex<double>> gammaGrid(std::complex<double> centre, double step, int perSide)
{
    std::vector<std::complex<double>> points;
    const double offset = (perSide - 1) / 2.0;
    for (int row = 0; row < perSide; ++row) {
        for (int column = 0; column < perSide; ++column)
            points.push_back(centre +
                             std::complex<double>((column - offset) * step, (row - offset) * step));
    }
    return points;
}

std::vector<std::complex<double>> gammaArc(double magnitude, const std::vector<double> &degrees)
{
    std::vector<std::complex<double>> points;
    for (double angle : degrees)
        points.push_back(std::polar(magnitude, angle * pi / 180.0));
    return points;
}

std::vector<double> steps(double first, double step, int count)
{
    std::vector<double> values;
    for (int index = 0; index < count; ++index)
        values.push_back(first + step * index);
    return values;
}

GammaAxis sweptGamma(GammaRole role, std::string name, std::string domain,
                     std::vector<std::complex<double>> points)
{
    return GammaAxis{role, std::move(name), std::move(domain), false, false, std::move(points)};
}

GammaAxis fixedGamma(GammaRole role, std::string name, std::complex<double> value)
{
    return GammaAxis{role, std::move(name), {}, false, true, {value}};
}

MeasurementPlan twoFrequencies()
{
    MeasurementPlan plan;
    plan.title = "Power transistor, fundamental load pull at 1.8 and 2.0 GHz, fixed source";
    plan.seed = 11;
    plan.frequenciesGHz = {1.8, 2.0};
    plan.inputPowersDbm = steps(10.0, 4.0, 5);
    plan.gammas = {sweptGamma(GammaRole::Load, "gamma_ld1", {}, gammaGrid({-0.55, 0.12}, 0.1, 5)),
                   fixedGamma(GammaRole::Source, "gamma_src1", {-0.6, -0.28})};
    return plan;
}

// The same measurement as twoFrequencies a band higher: the two files agree and can be
// listed together.
MeasurementPlan upperBand()
{
    MeasurementPlan plan = twoFrequencies();
    plan.title = "Power transistor, fundamental load pull at 2.2 and 2.4 GHz, fixed source";
    plan.seed = 15;
    plan.frequenciesGHz = {2.2, 2.4};
    return plan;
}

MeasurementPlan harmonicLoad()
{
    MeasurementPlan plan;
    plan.title = "Power transistor, fundamental and second-harmonic load pull";
    plan.seed = 12;
    plan.frequenciesGHz = {1.8, 2.0};
    plan.inputPowersDbm = steps(12.0, 6.0, 3);
    GammaAxis harmonic = sweptGamma(GammaRole::SecondHarmonicLoad, "gamma_ld2", "Polar-Phase",
                                    gammaArc(0.9, {90.0, 150.0, 180.0, 210.0, 270.0}));
    harmonic.statesHarmonic = true;
    plan.gammas = {
        sweptGamma(GammaRole::Load, "gamma_ld1", "Polar-Mag", gammaGrid({-0.55, 0.12}, 0.12, 3)),
        harmonic, fixedGamma(GammaRole::Source, "gamma_src1", {-0.6, -0.28})};
    return plan;
}

MeasurementPlan sourcePull()
{
    MeasurementPlan plan;
    plan.title = "Power transistor, source pull at 1.8 and 2.0 GHz, fixed load";
    plan.seed = 13;
    plan.frequenciesGHz = {1.8, 2.0};
    plan.inputPowersDbm = steps(8.0, 8.0, 3);
    plan.gammas = {
        sweptGamma(GammaRole::Source, "gamma_src1", "Rect-Imag", gammaGrid({-0.6, -0.25}, 0.1, 4)),
        fixedGamma(GammaRole::Load, "gamma_ld1", {-0.55, 0.12})};
    plan.withOutputVoltage = false;
    return plan;
}

MeasurementPlan supplySweep()
{
    MeasurementPlan plan;
    plan.title = "Power transistor, load pull at 2.0 GHz over supply voltage";
    plan.seed = 14;
    plan.frequenciesGHz = {2.0};
    plan.supplyVolts = {24.0, 28.0, 32.0};
    plan.inputPowersDbm = steps(10.0, 5.0, 4);
    plan.gammas = {sweptGamma(GammaRole::Load, "gamma_ld1", {}, gammaGrid({-0.5, 0.15}, 0.1, 4)),
                   fixedGamma(GammaRole::Source, "gamma_src1", {-0.6, -0.28})};
    return plan;
}

} // namespace

std::vector<ExampleFile> exampleFiles()
{
    return {{"pa_two_frequencies.lp", twoFrequencies()},
            {"pa_upper_band.lp", upperBand()},
            {"pa_harmonic_load.lp2", harmonicLoad()},
            {"pa_source_pull.lp3", sourcePull()},
            {"pa_supply_sweep.spl", supplySweep()}};
}

MeasurementPlan largeFilePlan(std::size_t bytes)
{
    MeasurementPlan plan;
    plan.title = "Power transistor, dense two-harmonic load pull over a frequency sweep";
    plan.seed = 21;
    plan.frequenciesGHz = {1.0};
    plan.inputPowersDbm = steps(10.0, 2.0, 12);
    GammaAxis harmonic = sweptGamma(GammaRole::SecondHarmonicLoad, "gamma_ld2", "Polar-Phase",
                                    gammaArc(0.9, {120.0, 160.0, 200.0, 240.0}));
    harmonic.statesHarmonic = true;
    plan.gammas = {sweptGamma(GammaRole::Load, "gamma_ld1", {}, gammaGrid({-0.55, 0.12}, 0.06, 9)),
                   harmonic, fixedGamma(GammaRole::Source, "gamma_src1", {-0.6, -0.28})};
    const std::size_t blockBytes = generateDataFile(plan).size();
    const auto blocks = std::max<std::size_t>(1, (bytes + blockBytes / 2) / blockBytes);
    plan.frequenciesGHz.clear();
    // 1 MHz apart; computed from integers so that each prints short.
    for (std::size_t block = 0; block < blocks; ++block)
        plan.frequenciesGHz.push_back(static_cast<double>(1000 + block) / 1000.0);
    return plan;
}

} // namespace LpDataGen
