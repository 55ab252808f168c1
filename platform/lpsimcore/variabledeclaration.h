#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace Corvane_LP {

enum class VariableKind : std::uint8_t { Swept, Frequency, Gamma, Performance };

enum GammaDomain { RectReal = 0, RectImag = 1, PolarMag = 2, PolarPhase = 3 };

// As declarations spell them, by GammaDomain.
inline constexpr std::array<std::string_view, 4> domainNames = {"Rect-Real", "Rect-Imag",
                                                                "Polar-Mag", "Polar-Phase"};

// The part of a (re, im) sample whose range a query reports; im is 0 for real variables.
enum class RangeComponent : std::uint8_t { Real, Imaginary, Magnitude, PhaseDegrees };

double componentOf(RangeComponent component, double re, double im);

// What the column-name line and the data rows need to know of a declared variable. Small,
// because a file may declare millions of variables.
struct DataRole
{
    VariableKind kind = VariableKind::Swept;
    RangeComponent component = RangeComponent::Real;
    std::uint8_t columns = 1; // 0 for the frequency variable and fixed reflection coefficients
    bool fixed = false;
};

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
    RangeComponent rangeComponent() const;
    DataRole role() const;
    // Everything but name and unit agrees.
    bool sameShape(const VariableDeclaration &other) const;
};

} // namespace Corvane_LP
