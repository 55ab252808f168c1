#pragma once

#include <QStringList>

namespace LoadPullStateUtils {

// The units of the term tab's reference impedance, in combo-box order. "None" means the
// value is written without a unit.
QStringList resistanceUnits();

} // namespace LoadPullStateUtils
