#include "pickedvalues.h"

#include "namedsettings.h"
#include "realstringparser.h"

#include <optional>
#include <utility>
#include <vector>

namespace {

using Pairs = std::vector<std::pair<QString, ConditionPreview::Held>>;

// Each value a number with or without its unit, split as the design environment splits one;
// any other value is taken whole, and the preview says it cannot tell what it stands for.
std::optional<Pairs> pairsOf(const QString &text)
{
    const NamedSettings named = NamedSettings::read(text);
    if (!named.unreadable.isEmpty())
        return std::nullopt;
    Pairs pairs;
    for (const NamedSetting &setting : named.settings) {
        QString number, unit;
        if (RealStringParser::parseNumberAndUnits(setting.value, number, unit))
            pairs.push_back({setting.name, {number, unit}});
        else
            pairs.push_back({setting.name, {setting.value.simplified(), QString()}});
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
