#include "unitscale.h"

#include <utility>

std::optional<double> unitScale(const QString &from, const QString &to)
{
    if (from == to || (from.startsWith(QLatin1String("dB"), Qt::CaseInsensitive) &&
                       from.compare(to, Qt::CaseInsensitive) == 0))
        return 1.0;
    static const std::pair<QChar, double> prefixes[] = {
        {QLatin1Char('T'), 1e12}, {QLatin1Char('G'), 1e9},  {QLatin1Char('M'), 1e6},
        {QLatin1Char('k'), 1e3},  {QLatin1Char('m'), 1e-3}, {QLatin1Char('u'), 1e-6},
        {QLatin1Char('n'), 1e-9}, {QLatin1Char('p'), 1e-12}};
    const auto split = [](const QString &unit) -> std::pair<double, QString> {
        for (const auto &[prefix, factor] : prefixes) {
            if (unit.size() > 1 && unit.front() == prefix)
                return {factor, unit.mid(1)};
        }
        return {1.0, unit};
    };
    const auto [fromFactor, fromBase] = split(from);
    const auto [toFactor, toBase] = split(to);
    if (fromBase.isEmpty() || fromBase != toBase || fromBase.startsWith(QLatin1String("dB")))
        return std::nullopt;
    return fromFactor / toFactor;
}
