#pragma once

#include <QStringList>

namespace LoadPullStateUtils {

// The units of the term tab's reference impedance, in combo-box order. "None" means the
// value is written without a unit.
QStringList resistanceUnits();

// A value in dBm, in any letter case, goes to the host as a conversion to watts.
bool isDbm(const QString &unit);

} // namespace LoadPullStateUtils
