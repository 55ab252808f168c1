#pragma once

#include <complex>

namespace LpDataGen {

struct OperatingPoint
{
    double frequencyGHz = 1.8;
    double supplyVolts = 28.0;
    double inputPowerDbm = 0.0;
    std::complex<double> load;
    std::complex<double> harmonicLoad;
    std::complex<double> source;
};

struct Performance
{
    double outputPowerDbm = 0.0;
    double gainDb = 0.0;
    double paePercent = 0.0;
    double drainCurrentMilliAmps = 0.0;
    std::complex<double> outputVoltage; // fundamental, at the device's output plane
};

// A plausible, not accurate, 10 W class power transistor: mismatch-scaled gain, a soft
// compression to a load-dependent saturated power, efficiency raised by a second-harmonic load
// near a short circuit, and some AM-PM.
class TransistorModel
{
public:
    Performance evaluate(const OperatingPoint &point) const;
};

} // namespace LpDataGen
