#pragma once

#include <QString>

#include <complex>

// How a chart writes numbers for people: in the C locale, to a few significant digits.
class ChartText
{
public:
    static QString number(double value, int digits = 4);
    // "30 dBm"; the number alone without a unit.
    static QString withUnit(double value, const QString &unit, int digits = 4);
    // "re + jim" or "re - jim".
    static QString complex(std::complex<double> value, int digits = 4);
};
