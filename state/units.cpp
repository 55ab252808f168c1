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

bool isDbm(const QString &unit)
{
    return unit.compare(QLatin1String("dBm"), Qt::CaseInsensitive) == 0;
}

} // namespace LoadPullStateUtils
