#pragma once

#include <QString>

#include <complex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// How a chart writes numbers for people: in the C locale, to a few significant digits; and
// reads a reflection coefficient back.
class ChartText
{
public:
    // A text of the data library, which is Latin-1, and a unit of it, empty for "None".
    static QString fromLibrary(const std::string &text);
    static QString unitFromLibrary(const std::string &unit);
    static QString number(double value, int digits = 4);
    // "30 dBm"; the number alone without a unit.
    static QString withUnit(double value, const QString &unit, int digits = 4);
    // "re + jim" or "re - jim".
    static QString complex(std::complex<double> value, int digits = 4);
    // The finest step 10^-d (d up to 15) of which every value is a multiple, as far as a double
    // tells: 0.01 for values written with two decimals; 0 for values written more finely.
    static double resolutionOf(const std::vector<double> &values);
    // "re", "re+jim" or "re - j im", in the C locale; nothing for another text.
    static std::optional<std::complex<double>> complexFrom(const QString &text);
    // A number and the unit it is given in ("1.9 GHz", "20dBm", "18"; empty for none), read
    // as the design environment reads such a value; nothing for another text.
    static std::optional<std::pair<double, QString>> quantityFrom(const QString &text);
};
