#include "pickedvalues.h"

#include "namedsettings.h"

#include <optional>
#include <utility>
#include <vector>

namespace {

using Pairs = std::vector<std::pair<QString, ConditionPreview::Held>>;

// Each value a number or name with or without its unit.
std::optional<Pairs> pairsOf(const QString &text)
{
    const NamedSettings named = NamedSettings::read(text);
    if (!named.unreadable.isEmpty())
        return std::nullopt;
    Pairs pairs;
    for (const NamedSetting &setting : named.settings) {
        const QStringList value = setting.value.simplified().split(QLatin1Char(' '));
        if (value.size() > 2)
            return std::nullopt;
        pairs.push_back({setting.name, {value.at(0), value.value(1)}});
    }
    return pairs;
}

} // namespace

bool PickedValues::readable(const QString &text)
{
    return bool(pairsOf(text));
}

bool PickedValues::apply(const QString &text, PreviewCharter::Request &request)
{
    const std::optional<Pairs> pairs = pairsOf(text);
    if (!pairs)
        return false;
    for (const auto &[name, held] : *pairs) {
        if (name == request.settings.frequencyName)
            request.frequency = QString(held.text + QLatin1Char(' ') + held.unit).trimmed();
        else
            request.picked.insert(name, held);
    }
    return true;
}
