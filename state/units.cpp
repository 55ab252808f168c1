#include "units.h"

namespace LoadPullStateUtils {

QStringList resistanceUnits()
{
    static const QStringList units{QStringLiteral("None"), QStringLiteral("mOhm"),
                                   QStringLiteral("Ohm"),  QStringLiteral("kOhm"),
                                   QStringLiteral("MOhm"), QStringLiteral("GOhm"),
                                   QStringLiteral("TOhm")};
    return units;
}

} // namespace LoadPullStateUtils
