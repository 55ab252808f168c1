#include "transistormodel.h"

#include <cmath>

namespace LpDataGen {

namespace {

constexpr double pi = 3.14159265358979323846;
constexpr double referenceOhms = 50.0;
constexpr double quiescentAmps = 0.08;

double radians(double degrees)
{
    return degrees * pi / 180.0;
}

double wattsOf(double dbm)
{
    return std::pow(10.0, (dbm - 30.0) / 10.0);
}

double dbmOf(double watts)
{
    return 10.0 * std::log10(watts) + 30.0;
}

// The share of the available power that a termination gamma passes, against the optimum.
double matchFactor(std::complex<double> gamma, std::complex<double> optimum)
{
    const double distance =
        std::norm(gamma - optimum) / std::norm(1.0 - gamma * std::conj(optimum));
    return 1.0 - distance;
}

} // namespace

Performance TransistorModel::evaluate(const OperatingPoint &point) const
{
    const double detuning = point.frequencyGHz - 1.8;
    const auto optimumLoad = std::polar(0.62, radians(168.0 - 12.0 * detuning));
    const auto optimumSource = std::polar(0.72, radians(-155.0 + 8.0 * detuning));
    const double loadMatch = matchFactor(point.load, optimumLoad);
    const double sourceMatch = matchFactor(point.source, optimumSource);

    const double smallSignalGainDb =
        19.0 - 2.5 * detuning + 10.0 * std::log10(loadMatch * sourceMatch);
    const double saturatedWatts =
        point.supplyVolts * point.supplyVolts / 80.0 * (0.4 + 0.6 * loadMatch);
    const double linearWatts = wattsOf(point.inputPowerDbm + smallSignalGainDb);
    const double outputWatts = saturatedWatts * std::tanh(linearWatts / saturatedWatts);
    const double drive = outputWatts / saturatedWatts;

    const double harmonicShort =
        std::abs(point.harmonicLoad) * -std::cos(std::arg(point.harmonicLoad));
    const double peakEfficiency = (0.58 + 0.10 * harmonicShort) * (0.55 + 0.45 * loadMatch);
    const double supplyWatts =
        outputWatts / (peakEfficiency * std::sqrt(drive)) + quiescentAmps * point.supplyVolts;
    const double inputWatts = wattsOf(point.inputPowerDbm);

    const std::complex<double> loadImpedance =
        referenceOhms * (1.0 + point.load) / (1.0 - point.load);
    const double amplitude = std::sqrt(2.0 * outputWatts * loadImpedance.real());
    const double phase = std::arg(1.0 + point.load) - 0.6 * drive * drive;

    Performance result;
    result.outputPowerDbm = dbmOf(outputWatts);
    result.gainDb = result.outputPowerDbm - point.inputPowerDbm;
    result.paePercent = 100.0 * (outputWatts - inputWatts) / supplyWatts;
    result.drainCurrentMilliAmps = 1000.0 * supplyWatts / point.supplyVolts;
    result.outputVoltage = std::polar(amplitude, phase);
    return result;
}

} // namespace LpDataGen
