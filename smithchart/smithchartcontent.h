#pragma once

#include <QString>

#include <complex>
#include <optional>
#include <vector>

// What one Smith chart shows: reflection coefficients, measured or, at gain compression,
// interpolated, and, when a quantity is chosen, its value at each of them; or a message in
// place of the chart.
struct SmithChartContent
{
    // A swept variable at one of its values.
    struct Setting
    {
        QString name;
        double value = 0.0;
        QString unit;
    };

    QString title;
    QString coefficient;
    std::optional<Setting> frequency; // none when the file has no frequency variable
    // The values at which the other swept variables stood (the drive level, mostly); at
    // compression, all but the drive level.
    std::vector<Setting> held;
    std::optional<double> compression; // in dB, when the points are at gain compression
    QString quantity;                  // empty: points only
    QString unit;
    bool fixed = false; // the coefficient is held at one value, not measured
    std::vector<std::complex<double>> gammas;
    std::vector<double> values; // the quantity at the gammas' positions
    // At compression, the loads whose gain never falls as far.
    std::vector<std::complex<double>> uncompressed;
    QString message; // shown instead of a chart when not empty
};
