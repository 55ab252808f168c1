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

// The chart's text without its member `name`. The chart's writer puts each member of the
// outermost object on lines of its own, indented by two spaces (deeper ones further), with the
// comma that separates it from the next at the end of its last line.
QByteArray withoutMember(QByteArray json, const char *name)
{
    const QByteArray start = QByteArray("\n  \"") + name + "\": ";
    const int from = int(json.indexOf(start));
    if (from < 0)
        return json;
    int to = from + 1;
    while (to < json.size() && json.mid(to, 4) != "\n  \"" && json.mid(to, 2) != "\n}")
        ++to;
    const bool last = json.mid(to, 2) == "\n}";
    return json.remove(last ? from - 1 : from, to - from + (last ? 1 : 0));
}

} // namespace

QByteArray PreviewJson::of(const SmithChartRenderer &renderer, const ConditionPreview::Chart &chart,
                           const QString &file)
{
    // Where the chart's own data name a condition, the preview's takes its place.
    QByteArray json = withoutMember(SmithChartJson::of(renderer), "condition");
    QJsonArray between;
    for (const ConditionPreview::Weighted &weighted : chart.between)
        between.append(QJsonObject{{QStringLiteral("at"), settingsOf(weighted.at)},
                                   {QStringLiteral("weight"), weighted.weight},
                                   {QStringLiteral("bracketing"), weighted.bracketing}});
    const QJsonObject condition{{QStringLiteral("at"), settingsOf(chart.at)},
                                {QStringLiteral("file"), file},
                                {QStringLiteral("note"), chart.condition.join(QLatin1Char('\n'))}};
    // The chart's object ends with its last member, a line feed, a brace and a line feed.
    json.chop(3);
    return json + member("condition", condition) + member("between", between) + "\n}\n";
}
