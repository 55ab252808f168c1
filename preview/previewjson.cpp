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

// A member for the end of the chart's object, as its members are written.
QByteArray member(const char *name, const QJsonValue &value)
{
    const QByteArray text = value.isArray()
                                ? QJsonDocument(value.toArray()).toJson(QJsonDocument::Compact)
                                : QJsonDocument(value.toObject()).toJson(QJsonDocument::Compact);
    return QByteArray(",\n  \"") + name + "\": " + text;
}

} // namespace

QByteArray PreviewJson::of(const SmithChartRenderer &renderer, const ConditionPreview::Chart &chart,
                           const QString &file)
{
    QByteArray json = SmithChartJson::of(renderer);
    QJsonArray between;
    for (const ConditionPreview::Weighted &weighted : chart.between)
        between.append(QJsonObject{{QStringLiteral("at"), settingsOf(weighted.at)},
                                   {QStringLiteral("weight"), weighted.weight}});
    const QJsonObject condition{{QStringLiteral("at"), settingsOf(chart.at)},
                                {QStringLiteral("file"), file},
                                {QStringLiteral("note"), chart.condition.join(QLatin1Char('\n'))}};
    // The chart's object ends with its last member, a line feed, a brace and a line feed.
    json.chop(3);
    return json + member("condition", condition) + member("between", between) + "\n}\n";
}
