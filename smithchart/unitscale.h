#pragma once

#include <QString>

#include <optional>

// The factor that takes a value in unit `from` into unit `to` where both are one unit with
// decimal prefixes (MHz and GHz, mA and A); logarithmic units (dBm, dBW) convert only into
// themselves, in any letter case. Nothing for units that do not convert. What a value given
// for a chart or a preview means in the data file's unit.
std::optional<double> unitScale(const QString &from, const QString &to);
