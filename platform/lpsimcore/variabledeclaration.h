#pragma once

#include <string>

namespace Corvane_LP {

enum class VariableKind { Swept, Frequency, Gamma, Performance };

enum GammaDomain { RectReal = 0, RectImag = 1, PolarMag = 2, PolarPhase = 3 };

// One variable as a data file's declaration line states it.
struct VariableDeclaration
{
    std::string name;
    VariableKind kind = VariableKind::Swept;
    std::string unit;
    std::string unitType;
    int gammaType = 0;
    unsigned harmonic = 0;
    int domain = RectReal;
    bool complex = false;
    bool fixed = false; // a reflection coefficient with one value and no columns
    double fixedRe = 0.0;
    double fixedIm = 0.0;

    bool isPerformance() const { return kind == VariableKind::Performance; }
    // 0 for the frequency variable and fixed reflection coefficients, 2 for Re/Im pairs.
    int columnCount() const;
    // The value that a (re, im) sample adds to the reported range; im is 0 for real variables.
    double rangeValue(double re, double im) const;
    // Everything but name and unit agrees.
    bool sameShape(const VariableDeclaration &other) const;
};

} // namespace Corvane_LP
