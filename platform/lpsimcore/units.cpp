#include "units.h"

#include "textscan.h"

#include <array>
#include <cmath>
#include <cstdlib>

namespace Corvane_LP {

namespace {

// A unit is a power of ten of its type's base unit; a logarithmic one gives decibels above
// that power of ten (dBm: above 10^-3 W).
struct Unit
{
    std::string_view name;
    std::string_view unitType;
    int decades;
    bool decibels = false;
};

constexpr std::array<Unit, 22> units = {{
    {"Hz", "Frequency", 0},    {"kHz", "Frequency", 3},    {"MHz", "Frequency", 6},
    {"GHz", "Frequency", 9},   {"THz", "Frequency", 12},   {"dBm", "Power", -3, true},
    {"dBW", "Power", 0, true}, {"W", "Power", 0},          {"mW", "Power", -3},
    {"uW", "Power", -6},       {"kW", "Power", 3},         {"V", "Voltage", 0},
    {"mV", "Voltage", -3},     {"uV", "Voltage", -6},      {"kV", "Voltage", 3},
    {"A", "Current", 0},       {"mA", "Current", -3},      {"uA", "Current", -6},
    {"Ohm", "Resistance", 0},  {"mOhm", "Resistance", -3}, {"kOhm", "Resistance", 3},
    {"MOhm", "Resistance", 6},
}};

const Unit *unitNamed(std::string_view name)
{
    for (const Unit &unit : units) {
        if (unit.name == name)
            return &unit;
    }
    return nullptr;
}

// One multiplication or division by a power of ten that a double holds exactly, so that
// 2200 MHz gives the very double 2.2 GHz.
double scaled(double value, int decades)
{
    const double factor = exactPowersOfTen[std::abs(decades)];
    return decades >= 0 ? value * factor : value / factor;
}

double converted(double value, const Unit &from, const Unit &to)
{
    const int decades = from.decades - to.decades;
    if (from.decibels && to.decibels)
        return value + 10.0 * decades;
    if (from.decibels)
        return std::pow(10.0, value / 10.0 + decades);
    if (to.decibels)
        return value > 0.0 ? 10.0 * (std::log10(value) + decades) : NAN;
    return scaled(value, decades);
}

} // namespace

std::string_view unitTypeOf(std::string_view unit)
{
    const Unit *known = unitNamed(unit);
    return known ? known->unitType : "Unitless";
}

std::optional<double> convertedValue(double value, std::string_view from, std::string_view to)
{
    if (from == to)
        return value;
    const Unit *source = unitNamed(from);
    const Unit *target = unitNamed(to);
    if (!source || !target || source->unitType != target->unitType)
        return std::nullopt;
    const double result = converted(value, *source, *target);
    if (!std::isfinite(result))
        return std::nullopt;
    return result;
}

} // namespace Corvane_LP
