#pragma once

#include <QString>

#include <complex>
#include <vector>

// What one Smith chart shows: measured reflection coefficients and, when a quantity is
// chosen, its value at each of them, or a message in place of the chart.
struct SmithChartContent
{
    QString title;
    QString quantity; // empty: points only
    QString unit;
    bool fixed = false; // the coefficient is held at one value, not measured
    std::vector<std::complex<double>> gammas;
    std::vector<double> values; // the quantity at the gammas' positions
    QString message;            // shown instead of a chart when not empty
};
