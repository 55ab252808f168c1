#include "numerictext.h"

#include "numbergrammar.h"
#include "variablename.h"

#include <QString>

#include <cmath>

namespace LoadPullStateUtils {

std::optional<double> toReal(const QString &text)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok && std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

std::optional<int> toInteger(const QString &text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

bool isNumberOrName(const QString &text)
{
    // A written text is complete: "e" or "E5" is the variable name it has the form of.
    return isRealNumber(text) || isVariableName(text);
}

bool isRangePartValid(const QString &name, const QString &minValue, const QString &maxValue,
                      bool uiState)
{
    if (name.isEmpty())
        return false;
    if (!uiState)
        return true;
    if (minValue.isEmpty() || maxValue.isEmpty())
        return false;
    const auto min = toReal(minValue);
    const auto max = toReal(maxValue);
    return !(min && max && *max < *min);
}

} // namespace LoadPullStateUtils
