#include "previewjson.h"

#include "smithchartjson.h"
#include "smithchartrenderer.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QJsonArray settingsOf(const std::vector<SmithChartContent::Setting> &settings)
{
    QJsonArray array;
    for (const SmithChartContent::Setting &setting : settings)
        array.append(QJsonObject{{QStringLiteral("name"), setting.name},
                                 {QStringLiteral("value"), setting.value},
                                 {QStringLiteral("unit"), setting.unit}});
    return array;
}

} // namespace

QByteArray PreviewJson::of(const SmithChartRenderer &renderer, const ConditionPreview::Chart &chart,
                           const QString &file)
{
    QJsonArray between;
    for (const ConditionPreview::Weighted &weighted : chart.between)
        between.append(QJsonObject{{QStringLiteral("at"), settingsOf(weighted.at)},
                                   {QStringLiteral("weight"), weighted.weight},
                                   {QStringLiteral("bracketing"), weighted.bracketing}});
    const QJsonObject condition{{QStringLiteral("at"), settingsOf(chart.at)},
                                {QStringLiteral("file"), file},
                                {QStringLiteral("note"), chart.condition.join(QLatin1Char('\n'))}};
    // The preview's condition takes the place of the one the chart's data name.
    return SmithChartJson::of(
        renderer, {{"condition", QJsonDocument(condition).toJson(QJsonDocument::Compact)},
                   {"between", QJsonDocument(between).toJson(QJsonDocument::Compact)}});
}
