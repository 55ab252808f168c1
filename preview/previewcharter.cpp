#include "previewcharter.h"

#include "charttext.h"

#include <QFileInfo>

#include <algorithm>

namespace {

QString frequencyText(double frequency, const QString &unit)
{
    return ChartText::withUnit(frequency, unit, 6);
}

} // namespace

void PreviewCharter::fail(Result &result, const QString &why)
{
    result.chart.content.message = why;
}

std::shared_ptr<const ConditionPreview> PreviewCharter::loaded(const QString &path, QString *error)
{
    const QFileInfo info(path);
    Loaded &entry = m_loaded[path];
    if (entry.data && entry.modified == info.lastModified() && entry.size == info.size())
        return entry.data;
    auto data = std::make_shared<ConditionPreview>();
    if (!data->load(path, error)) {
        m_loaded.erase(path);
        return nullptr;
    }
    entry = {info.lastModified(), info.size(), data};
    return data;
}

PreviewCharter::Result PreviewCharter::chart(const Request &request)
{
    Result result;
    std::vector<std::pair<QString, std::shared_ptr<const ConditionPreview>>> readable;
    QStringList refused;
    for (const QString &name : request.settings.files) {
        QString error;
        if (auto data = loaded(request.folder.absoluteFilePath(name), &error))
            readable.emplace_back(name, data);
        else
            refused << error;
    }
    if (readable.empty()) {
        fail(result,
             refused.isEmpty() ? tr("No data file is listed.") : refused.join(QLatin1Char('\n')));
        return result;
    }
    for (const auto &entry : readable) {
        for (double frequency : entry.second->frequencies())
            result.frequencies << frequencyText(frequency, entry.second->frequencyUnit());
    }
    result.frequencies.removeDuplicates();
    const ConditionPreview &first = *readable.front().second;
    // A value picked for the file's frequency variable chooses the frequency, whatever the
    // component calls its frequency.
    QMap<QString, ConditionPreview::Held> picked = request.picked;
    const ConditionPreview::Held pickedFrequency =
        first.hasFrequency() ? picked.take(first.sweptNames().value(0)) : ConditionPreview::Held();
    const QString asked =
        pickedFrequency.text.isEmpty()
            ? request.frequency
            : QString(pickedFrequency.text + QLatin1Char(' ') + pickedFrequency.unit);
    const QString typed = asked.trimmed().isEmpty()
                              ? QString::number(first.frequencies().front(), 'g', 17) +
                                    QLatin1Char(' ') + first.frequencyUnit()
                              : asked.trimmed();
    const std::optional<double> frequency = first.frequencyOf(typed);
    if (!frequency) {
        fail(result, tr("'%1' is no frequency in %2.").arg(typed, first.frequencyUnit()));
        return result;
    }
    result.frequency = frequencyText(*frequency, first.frequencyUnit());
    QStringList ranges;
    for (const auto &[name, data] : readable) {
        const std::optional<double> inFile = data->frequencyOf(typed);
        if (inFile && data->holdsFrequency(*inFile))
            result.files << name;
        const std::vector<double> measured = data->frequencies();
        ranges << tr("%1 measures %2 to %3")
                      .arg(name, frequencyText(measured.front(), data->frequencyUnit()),
                           frequencyText(measured.back(), data->frequencyUnit()));
    }
    if (result.files.isEmpty()) {
        fail(result, tr("No listed file holds %1: %2.")
                         .arg(result.frequency, ranges.join(QStringLiteral("; "))));
        return result;
    }
    result.file = result.files.contains(request.file) ? request.file : result.files.front();
    const auto chosen = std::find_if(readable.begin(), readable.end(),
                                     [&](const auto &entry) { return entry.first == result.file; });
    const ConditionPreview &data = *chosen->second;
    result.quantities = data.quantities();
    result.marked = data.inFileOrder(request.settings.marked);
    result.contoured =
        request.contoured.isEmpty() ? QStringList(result.marked.mid(0, 2)) : request.contoured;
    result.contoured.removeAll(QStringLiteral("none"));
    for (const QString &name : qAsConst(result.contoured)) {
        if (data.inFileOrder({name}).isEmpty()) {
            fail(result, tr("%1 holds no performance quantity '%2' (it holds: %3)")
                             .arg(result.file, name, result.quantities.join(QStringLiteral(", "))));
            return result;
        }
    }
    for (auto it = picked.cbegin(); it != picked.cend(); ++it) {
        if (!data.sweptNames().contains(it.key())) {
            fail(result,
                 tr("%1 sweeps no variable '%2' (it sweeps: %3)")
                     .arg(result.file, it.key(), data.sweptNames().join(QStringLiteral(", "))));
            return result;
        }
    }
    ConditionPreview::Settings settings = request.settings.chart;
    settings.contoured = result.contoured;
    for (auto it = picked.cbegin(); it != picked.cend(); ++it)
        settings.held.insert(it.key(), it.value());
    result.chart = data.chart(settings, data.frequencyOf(typed));
    for (const QString &reason : qAsConst(refused))
        result.chart.condition << tr("Left out: %1").arg(reason);
    return result;
}
