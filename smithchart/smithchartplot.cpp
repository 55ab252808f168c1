#include "smithchartplot.h"

#include "charttext.h"
#include "measuredmesh.h"
#include "smithchartdata.h"
#include "smithchartexport.h"

#include <QCoreApplication>

#include <numeric>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("SmithChartPlot", text);
}

// The positions of the quantities named, none for "none", or nothing with the reason in
// `error`. A quantity of the file named "none" goes before the choice of none.
std::optional<std::vector<int>> contouredOf(const SmithChartData &data, const QString &dataFile,
                                            const QString &names, QString *error)
{
    const QStringList quantities = data.quantities();
    if (names.isEmpty())
        return quantities.isEmpty() ? std::vector<int>() : std::vector<int>{0};
    std::vector<int> contoured;
    for (const QString &name : names.split(QLatin1Char(','))) {
        const int index = SmithChartData::indexOf(quantities, name.trimmed());
        if (index < 0 && name.trimmed() == QLatin1String("none"))
            continue;
        if (index < 0) {
            *error =
                tr("%1 holds no performance quantity '%2' (it holds: %3)")
                    .arg(dataFile, name.trimmed(),
                         quantities.isEmpty() ? tr("none") : quantities.join(QStringLiteral(", ")));
            return std::nullopt;
        }
        contoured.push_back(index);
    }
    return contoured;
}

} // namespace

QStringList SmithChartPlot::readoutAt(const SmithChartRenderer &chart, std::complex<double> gamma)
{
    const auto line = [](const QString &name, const QString &unit, std::optional<double> value) {
        return value ? name + QStringLiteral(" = ") + ChartText::withUnit(*value, unit)
                     : tr("%1: outside the measured region").arg(name);
    };
    QStringList lines;
    for (const QuantityContours &quantity : chart.quantities())
        lines << line(quantity.name(), quantity.unit(), quantity.valueAt(gamma));
    const SmithChartContent &content = chart.content();
    if (content.compression) {
        std::vector<int> all(content.drive.values.size());
        std::iota(all.begin(), all.end(), 0);
        const MeasuredMesh mesh(content.gammas, all);
        lines << line(content.drive.name, content.drive.unit,
                      mesh.valueAt(gamma, content.drive.values));
    }
    return lines;
}

bool SmithChartPlot::write(const QString &dataFile, const Options &options,
                           const QString &pictureFile, QString *error, QStringList *readout)
{
    SmithChartData data;
    if (!data.load(dataFile, options.coefficient, error))
        return false;
    const std::optional<std::vector<int>> contoured =
        contouredOf(data, dataFile, options.contoured, error);
    if (!contoured)
        return false;
    const std::optional<std::vector<TargetBound>> targets =
        TargetBound::parse(options.target, data.quantities(), error);
    if (!targets) {
        *error = tr("--target: %1").arg(*error);
        return false;
    }
    if (options.compression && *options.compression < data.gainResolution()) {
        *error = tr("--compression %1 dB is finer than the gain of %2 is given (%3 dB): its "
                    "rounding could not tell the compression")
                     .arg(ChartText::number(*options.compression, 6), dataFile,
                          ChartText::number(data.gainResolution(), 6));
        return false;
    }
    SmithChartData::Choice choice;
    choice.condition = data.defaultCondition();
    choice.contoured = *contoured;
    choice.targets = *targets;
    QString remark;
    if (!data.choose(options.at, choice, &remark, error)) {
        *error = tr("--at: %1").arg(*error);
        return false;
    }
    SmithChartContent content =
        options.compression ? data.compressed(choice, *options.compression) : data.content(choice);
    content.remark = remark;
    content.referenceImpedance = options.referenceImpedance;
    content.levels = options.levels;
    content.admittanceGrid = options.admittanceGrid;
    if (!content.message.isEmpty()) {
        *error = content.message;
        return false;
    }
    const SmithChartRenderer chart(std::move(content));
    if (options.readout && readout)
        *readout = readoutAt(chart, *options.readout);
    return SmithChartExport::write(chart, chart.window(options.view), pictureFile, error);
}
