#include "targetbound.h"

#include "smithchartdata.h"

#include <QCoreApplication>
#include <QLocale>

#include <cmath>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("TargetBound", text);
}

std::optional<TargetBound> boundOf(const QString &text, const QStringList &quantities,
                                   QString *error)
{
    const int atLeast = text.indexOf(QLatin1String(">="));
    const int atMost = text.indexOf(QLatin1String("<="));
    if ((atLeast < 0) == (atMost < 0)) {
        *error = tr("'%1' is no target: a target is a quantity, >= or <= and a number, such as "
                    "Pout>=39")
                     .arg(text);
        return std::nullopt;
    }
    const int split = atLeast >= 0 ? atLeast : atMost;
    const QString name = text.left(split).trimmed();
    const int quantity = SmithChartData::indexOf(quantities, name);
    if (quantity < 0) {
        *error = tr("the target names no quantity of the file: '%1' (it holds: %2)")
                     .arg(name, quantities.join(QStringLiteral(", ")));
        return std::nullopt;
    }
    bool number = false;
    const QString valueText = text.mid(split + 2).trimmed();
    const double value = QLocale::c().toDouble(valueText, &number);
    if (!number || !std::isfinite(value)) {
        *error = tr("the target of %1 is no number: '%2'").arg(name, valueText);
        return std::nullopt;
    }
    return TargetBound{quantity, atLeast >= 0, value};
}

} // namespace

std::optional<std::vector<TargetBound>>
TargetBound::parse(const QString &text, const QStringList &quantities, QString *error)
{
    std::vector<TargetBound> bounds;
    if (text.trimmed().isEmpty())
        return bounds;
    for (const QString &part : text.split(QLatin1Char(','))) {
        const std::optional<TargetBound> bound = boundOf(part.trimmed(), quantities, error);
        if (!bound)
            return std::nullopt;
        bounds.push_back(*bound);
    }
    return bounds;
}
