#include "pickedvalues.h"

#include <optional>
#include <utility>
#include <vector>

namespace {

using Pairs = std::vector<std::pair<QString, ConditionPreview::Held>>;

std::optional<Pairs> pairsOf(const QString &text)
{
    Pairs pairs;
    for (const QString &part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const int equals = int(part.indexOf(QLatin1Char('=')));
        const QString name = part.left(equals).trimmed();
        const QStringList value = part.mid(equals + 1).simplified().split(QLatin1Char(' '));
        if (equals <= 0 || name.isEmpty() || value.value(0).isEmpty() || value.size() > 2)
            return std::nullopt;
        pairs.push_back({name, {value.at(0), value.value(1)}});
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
