#pragma once

#include <optional>
#include <string_view>

// The units that the data-file format knows: the unit type of each, and how a value converts
// between two units of one type. One table serves both, so that a unit whose type is known
// always converts within its type.
namespace Corvane_LP {

// "Frequency", "Power", "Voltage", "Current", "Resistance", or "Unitless" for any other text.
std::string_view unitTypeOf(std::string_view unit);

// The value in unit `to`, or nothing when it has none there: units of different types, a unit
// the table does not know, a power of 0 W or less in a logarithmic unit, or a result that is
// not finite. Identical unit texts always convert, unknown ones included.
std::optional<double> convertedValue(double value, std::string_view from, std::string_view to);

} // namespace Corvane_LP
