#include "smithchartplot.h"

#include "smithchartdata.h"
#include "smithchartexport.h"
#include "smithchartrenderer.h"

#include <QCoreApplication>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("SmithChartPlot", text);
}

// The position of the quantity named, -1 for none, or nothing with the reason in `error`. A
// quantity of the file named "none" goes before the choice of none.
std::optional<int> quantityIndex(const SmithChartData &data, const QString &dataFile,
                                 const QString &quantity, QString *error)
{
    const QStringList quantities = data.quantities();
    if (quantity.isEmpty())
        return quantities.isEmpty() ? -1 : 0;
    const int index = quantities.indexOf(quantity) >= 0
                          ? quantities.indexOf(quantity)
                          : quantities.indexOf(QLatin1Char('|') + quantity + QLatin1Char('|'));
    if (index < 0 && quantity == QLatin1String("none"))
        return -1;
    if (index < 0) {
        *error =
            tr("%1 holds no performance quantity '%2' (it holds: %3)")
                .arg(dataFile, quantity,
                     quantities.isEmpty() ? tr("none") : quantities.join(QStringLiteral(", ")));
        return std::nullopt;
    }
    return index;
}

} // namespace

bool SmithChartPlot::write(const QString &dataFile, const QString &coefficient,
                           const QString &quantity, std::optional<double> compression,
                           const QString &pictureFile, QString *error)
{
    SmithChartData data;
    if (!data.load(dataFile, coefficient, error))
        return false;
    const std::optional<int> contoured = quantityIndex(data, dataFile, quantity, error);
    if (!contoured)
        return false;
    SmithChartContent content =
        compression ? data.compressed(0, data.defaultCondition(), *contoured, *compression)
                    : data.content(0, data.defaultCondition(), *contoured);
    if (!content.message.isEmpty()) {
        *error = content.message;
        return false;
    }
    return SmithChartExport::write(SmithChartRenderer(std::move(content)), pictureFile, error);
}
