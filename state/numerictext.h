#pragma once

#include <optional>

class QString;

namespace LoadPullStateUtils {

// Numbers are held as text because they may name design variables or host expressions;
// they are converted only to check them. A text that does not convert to a finite number
// ("inf", "1e400") gives no value, and a check that needs the number is skipped.
std::optional<double> toReal(const QString &text);
std::optional<int> toInteger(const QString &text);

// A number the host reads, or a design variable name: a value the editor writes with its unit.
// An expression, or a number the editor could not read back ("1e", "1e400"), is neither.
bool isNumberOrName(const QString &text);

// The part of validation that every variable record shares: a name and, when the record
// carries the data-file information, a non-empty range whose maximum is not below its
// minimum.
bool isRangePartValid(const QString &name, const QString &minValue, const QString &maxValue,
                      bool uiState);

} // namespace LoadPullStateUtils
