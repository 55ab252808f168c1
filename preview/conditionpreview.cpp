#include "conditionpreview.h"

#include "charttext.h"
#include "conditionsurface.h"
#include "numerictext.h"
#include "smithchartdata.h"
#include "unitscale.h"

#include <QFile>

#include <algorithm>
#include <cmath>
#include <memory>
#include <unordered_set>

namespace {

using Corvane_LP::ReflectionPoints;
using Gamma = std::complex<double>;

bool isPart(const std::string &held, const std::vector<std::string> &coefficients)
{
    return bool(SmithChartData::coefficientOf(held, coefficients));
}

QString methodName(AxisWeights::Method method)
{
    switch (method) {
    case AxisWeights::Method::CubicSpline:
        return QStringLiteral("cubic spline");
    case AxisWeights::Method::Cubic:
        return QStringLiteral("cubic");
    case AxisWeights::Method::Linear:
        break;
    }
    return QStringLiteral("linear");
}

// The surfaces' readings of the quantities at `columns`: a value each, or where `byParts`, a
// complex quantity's real and imaginary parts.
std::vector<ConditionSurface::Reading>
readingsOf(const std::vector<ReflectionPoints::Variable> &quantities,
           const std::vector<int> &columns, const std::vector<bool> &byParts)
{
    std::vector<ConditionSurface::Reading> readings;
    for (std::size_t k = 0; k < columns.size(); ++k) {
        const int column = columns[k];
        if (!byParts[k]) {
            readings.push_back(
                [column](const ReflectionPoints::Point &point) { return point.values[column]; });
            continue;
        }
        const auto part = std::size_t(
            std::count_if(quantities.begin(), quantities.begin() + column,
                          [](const ReflectionPoints::Variable &q) { return q.complex; }));
        readings.push_back([part](const ReflectionPoints::Point &point) {
            return point.complexValues[part].real();
        });
        readings.push_back([part](const ReflectionPoints::Point &point) {
            return point.complexValues[part].imag();
        });
    }
    return readings;
}

// Each quantity's charted value from the readings' weighted sums: of a complex quantity read by
// its parts, the magnitude of theirs.
void appendCharted(const std::vector<double> &sums, const std::vector<bool> &byParts,
                   SmithChartContent &content)
{
    for (std::size_t k = 0, r = 0; k < byParts.size(); r += byParts[k] ? 2 : 1, ++k)
        content.contoured[k].values.push_back(byParts[k] ? std::hypot(sums[r], sums[r + 1])
                                                         : sums[r]);
}

} // namespace

// One variable along which the conditions are weighed: the frequency or a swept variable.
struct ConditionPreview::Axis
{
    ReflectionPoints::Variable variable;
    int position = -1; // in the groups' held values; -1 for the frequency
    double target = 0.0;

    double of(const Group &group) const
    {
        return position < 0 ? group.frequency : group.held[position];
    }
};

bool ConditionPreview::load(const QString &path, QString *error)
{
    std::string errorText;
    m_path = path;
    if (!Corvane_LP::readReflectionPoints(QFile::encodeName(path).toStdString(), std::string(),
                                          m_points, errorText)) {
        *error = QString::fromLocal8Bit(errorText.data(), int(errorText.size()));
        return false;
    }
    return true;
}

std::vector<double> ConditionPreview::frequencies() const
{
    std::vector<double> values;
    for (const Group &group : m_points.groups)
        values.push_back(group.frequency);
    std::sort(values.begin(), values.end());
    values.erase(std::unique(values.begin(), values.end()), values.end());
    return values;
}

QString ConditionPreview::frequencyUnit() const
{
    return ChartText::unitFromLibrary(m_points.frequency.unit);
}

bool ConditionPreview::holdsFrequency(double frequency) const
{
    const std::vector<double> measured = frequencies();
    return !measured.empty() && frequency >= measured.front() && frequency <= measured.back();
}

QStringList ConditionPreview::quantities() const
{
    return SmithChartData::quantityNames(m_points);
}

QStringList ConditionPreview::sweptNames() const
{
    QStringList names;
    if (!m_points.frequency.name.empty())
        names << ChartText::fromLibrary(m_points.frequency.name);
    for (const ReflectionPoints::Variable &variable : m_points.held) {
        if (!isPart(variable.name, m_points.coefficients))
            names << ChartText::fromLibrary(variable.name);
    }
    return names;
}

QStringList ConditionPreview::inFileOrder(const QStringList &names) const
{
    const QStringList all = quantities();
    QStringList ordered;
    for (const QString &name : names) {
        const int index = SmithChartData::indexOf(all, name);
        if (index >= 0 && !ordered.contains(all.at(index)))
            ordered << all.at(index);
    }
    std::sort(ordered.begin(), ordered.end(), [&all](const QString &a, const QString &b) {
        return all.indexOf(a) < all.indexOf(b);
    });
    return ordered;
}

std::optional<double> ConditionPreview::frequencyOf(const QString &typed) const
{
    const auto quantity = ChartText::quantityFrom(typed);
    if (!quantity)
        return std::nullopt;
    const auto &[value, unit] = *quantity;
    const std::optional<double> scale = unit.isEmpty() ? 1.0 : unitScale(unit, frequencyUnit());
    return scale ? std::optional<double>(value * *scale) : std::nullopt;
}

QString ConditionPreview::valueText(const Axis &axis, double value) const
{
    return ChartText::withUnit(value, ChartText::unitFromLibrary(axis.variable.unit), 6);
}

// The other measured coefficients stand at their first measured places: the editor holds no
// value for them.
std::vector<const ConditionPreview::Group *>
ConditionPreview::groupsAtFirstPlaces(QStringList *notes) const
{
    std::vector<std::size_t> parts;
    for (std::size_t i = 0; i < m_points.held.size(); ++i) {
        if (isPart(m_points.held[i].name, m_points.coefficients))
            parts.push_back(i);
    }
    std::vector<std::vector<double>> places;
    for (const Group &group : m_points.groups) {
        std::vector<double> place;
        for (std::size_t i : parts)
            place.push_back(group.held[i]);
        places.push_back(place);
    }
    const std::vector<double> first = *std::min_element(places.begin(), places.end());
    std::vector<const Group *> groups;
    for (std::size_t g = 0; g < m_points.groups.size(); ++g) {
        if (places[g] == first)
            groups.push_back(&m_points.groups[g]);
    }
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        const std::string &name = m_points.held[parts[i]].name;
        *notes << tr("%1 at its first measured place, %2")
                      .arg(ChartText::fromLibrary(name.substr(3, name.size() - 4)),
                           ChartText::complex({first[i], first[i + 1]}, 6));
    }
    return groups;
}

std::optional<ConditionPreview::Axis> ConditionPreview::heldAxis(std::size_t variable,
                                                                 const Settings &settings,
                                                                 QStringList *notes,
                                                                 QString *why) const
{
    Axis axis{m_points.held[variable], int(variable), 0.0};
    const QString name = ChartText::fromLibrary(axis.variable.name);
    const QString dataUnit = ChartText::unitFromLibrary(axis.variable.unit);
    if (!settings.held.contains(name)) {
        double lowest = INFINITY;
        for (const Group &group : m_points.groups)
            lowest = std::min(lowest, group.held[variable]);
        axis.target = lowest;
        *notes << tr("%1 holds no value in the editor: the lowest measured, %2")
                      .arg(name, valueText(axis, lowest));
        return axis;
    }
    const Held held = settings.held.value(name);
    const std::optional<double> value = LoadPullStateUtils::toReal(held.text);
    if (!value) {
        *why = (LoadPullStateUtils::isNumberOrName(held.text)
                    ? tr("%1 is held as the variable '%2'")
                    : tr("%1 is held as the expression '%2'"))
                   .arg(name, held.text) +
               tr(": the data cannot tell its value; pick a value for the preview.");
        return std::nullopt;
    }
    const QString unit = held.unit == QLatin1String("None") ? QString() : held.unit;
    const std::optional<double> scale =
        unit.isEmpty() ? std::optional<double>(1.0) : unitScale(unit, dataUnit);
    if (!scale) {
        *why = tr("%1 is held in %2, the data give it in %3: the preview reads values in the "
                  "data's unit.")
                   .arg(name, unit, dataUnit.isEmpty() ? tr("no unit") : dataUnit);
        return std::nullopt;
    }
    axis.target = *value * *scale;
    return axis;
}

// The frequency first, then the other swept variables in the file's order.
std::optional<std::vector<ConditionPreview::Axis>>
ConditionPreview::axesOf(const Settings &settings, double frequency, QStringList *notes,
                         QString *why) const
{
    std::vector<Axis> axes;
    if (!m_points.frequency.name.empty())
        axes.push_back({m_points.frequency, -1, frequency});
    for (std::size_t i = 0; i < m_points.held.size(); ++i) {
        if (isPart(m_points.held[i].name, m_points.coefficients))
            continue;
        std::optional<Axis> axis = heldAxis(i, settings, notes, why);
        if (!axis)
            return std::nullopt;
        axes.push_back(*axis);
    }
    return axes;
}

std::optional<std::vector<double>>
ConditionPreview::weightsAlong(const Axis &axis, const std::vector<double> &nodes,
                               const Settings &settings, QStringList *notes, QString *why) const
{
    const QString name = ChartText::fromLibrary(axis.variable.name);
    const double x = axis.target;
    const auto exact = std::find(nodes.begin(), nodes.end(), x);
    if (exact != nodes.end()) {
        *notes << tr("%1 = %2, measured").arg(name, valueText(axis, x));
        return edgeWeights(nodes, std::size_t(exact - nodes.begin()));
    }
    if (nodes.size() == 1) {
        *why = tr("%1 was measured at %2 only: the data cannot tell %1 = %3.")
                   .arg(name, valueText(axis, nodes.front()), valueText(axis, x));
        return std::nullopt;
    }
    const bool outside = x < nodes.front() || x > nodes.back();
    const QString range = tr("measured from %1 to %2")
                              .arg(valueText(axis, nodes.front()), valueText(axis, nodes.back()));
    if (outside && axis.position < 0) {
        *why = tr("%1 %2: no data at %3.").arg(m_path, range, valueText(axis, x));
        return std::nullopt;
    }
    if (!outside || !(settings.avoidOutOfRange || settings.constantExtrapolation))
        return methodWeights(axis, nodes, settings.method, outside ? range : QString(), notes);
    const std::size_t edge = x < nodes.front() ? 0 : nodes.size() - 1;
    *notes << (settings.avoidOutOfRange
                   ? tr("%1 = %2 lies outside the data (%3): with AvoidOutOfRangeData the "
                        "simulation keeps to the data's range; charted at %4")
                   : tr("%1 = %2 lies outside the data (%3): constant extrapolation charts the "
                        "edge, %4"))
                  .arg(name, valueText(axis, x), range, valueText(axis, nodes[edge]));
    return edgeWeights(nodes, edge);
}

std::vector<double> ConditionPreview::edgeWeights(const std::vector<double> &nodes,
                                                  std::size_t node)
{
    std::vector<double> weights(nodes.size(), 0.0);
    weights[node] = 1.0;
    return weights;
}

// By the method between the nodes, or beyond them (`range` then says what was measured).
std::vector<double> ConditionPreview::methodWeights(const Axis &axis,
                                                    const std::vector<double> &nodes,
                                                    AxisWeights::Method method,
                                                    const QString &range, QStringList *notes) const
{
    QString fallback;
    if (method != AxisWeights::Method::Linear && nodes.size() < 3) {
        fallback = tr(" (%1 needs three conditions; two were measured)").arg(methodName(method));
        method = AxisWeights::Method::Linear;
    }
    const double x = axis.target;
    const std::vector<double> weights = AxisWeights::of(method, nodes, x);
    QStringList used;
    for (std::size_t j = 0; j < nodes.size(); ++j) {
        if (weights[j] != 0.0)
            used << tr("%1 (weight %2)")
                        .arg(valueText(axis, nodes[j]), ChartText::number(weights[j]));
    }
    const QString name = ChartText::fromLibrary(axis.variable.name);
    const auto above = std::upper_bound(nodes.begin(), nodes.end(), x);
    *notes << (!range.isEmpty()
                   ? tr("%1 = %2 lies outside the data (%3): extrapolated %4%5 from %6")
                         .arg(name, valueText(axis, x), range, methodName(method), fallback,
                              used.join(QStringLiteral(", ")))
                   : tr("%1 = %2 lies between %3 and %4: %5%6 from %7")
                         .arg(name, valueText(axis, x), valueText(axis, *(above - 1)),
                              valueText(axis, *above), methodName(method), fallback,
                              used.join(QStringLiteral(", "))));
    return weights;
}

bool ConditionPreview::weigh(const std::vector<const Group *> &groups,
                             const std::vector<Axis> &axes, std::size_t axis, const Term &term,
                             const Settings &settings, std::vector<Term> &weighted,
                             QStringList *notes, QString *why) const
{
    if (axis == axes.size()) {
        for (const Group *group : groups)
            weighted.push_back({group, term.weight, term.bracketing});
        return true;
    }
    std::vector<double> nodes;
    for (const Group *group : groups)
        nodes.push_back(axes[axis].of(*group));
    std::sort(nodes.begin(), nodes.end());
    nodes.erase(std::unique(nodes.begin(), nodes.end()), nodes.end());
    const std::optional<std::vector<double>> weights =
        weightsAlong(axes[axis], nodes, settings, notes, why);
    if (!weights)
        return false;
    const bool alone = std::count(weights->begin(), weights->end(), 0.0) + 1 == long(nodes.size());
    const auto above = std::upper_bound(nodes.begin(), nodes.end(), axes[axis].target);
    const std::size_t below = std::size_t(
        std::clamp(int(above - nodes.begin()) - 1, 0, std::max(0, int(nodes.size()) - 2)));
    for (std::size_t j = 0; j < nodes.size(); ++j) {
        if ((*weights)[j] == 0.0)
            continue;
        std::vector<const Group *> slice;
        for (const Group *group : groups) {
            if (axes[axis].of(*group) == nodes[j])
                slice.push_back(group);
        }
        const bool bracketing = term.bracketing && (alone || j == below || j == below + 1);
        if (!weigh(slice, axes, axis + 1, {nullptr, term.weight * (*weights)[j], bracketing},
                   settings, weighted, notes, why))
            return false;
    }
    return true;
}

std::vector<int> ConditionPreview::columnsOf(const Settings &settings, QStringList *notes) const
{
    const QStringList names = quantities();
    std::vector<int> columns;
    for (const QString &name : settings.contoured) {
        const int index = SmithChartData::indexOf(names, name);
        if (index < 0 || int(columns.size()) == 2 ||
            std::find(columns.begin(), columns.end(), index) != columns.end())
            continue;
        columns.push_back(index);
        if (m_points.quantities[index].complex)
            *notes << (settings.polar
                           ? tr("%1 is interpolated in the polar domain: its magnitude is "
                                "charted, which its phase does not change")
                           : tr("%1 is interpolated in the rectangular domain: its real and "
                                "imaginary parts, and the magnitude of the result is charted"))
                          .arg(names.at(index));
    }
    return columns;
}

std::vector<bool> ConditionPreview::byParts(const std::vector<int> &columns, bool polar) const
{
    std::vector<bool> parts;
    for (int column : columns)
        parts.push_back(!polar && m_points.quantities[column].complex);
    return parts;
}

// The loads of the bracketing conditions, where every condition weighed in covers, each with
// the weighted sum of the conditions' values there; of a complex quantity interpolated by its
// parts, the magnitude of the sum.
void ConditionPreview::evaluate(const std::vector<Term> &weighted, const std::vector<int> &columns,
                                bool polar, SmithChartContent &content) const
{
    const std::vector<bool> parts = byParts(columns, polar);
    const std::vector<ConditionSurface::Reading> readings =
        readingsOf(m_points.quantities, columns, parts);
    std::vector<std::unique_ptr<ConditionSurface>> surfaces;
    for (const Term &term : weighted)
        surfaces.push_back(std::make_unique<ConditionSurface>(*term.group, readings));
    std::unordered_set<Gamma, ConditionSurface::PlaceHash> seen;
    for (std::size_t source = 0; source < surfaces.size(); ++source) {
        if (!weighted[source].bracketing)
            continue;
        for (const Gamma &place : surfaces[source]->places()) {
            if (!seen.insert(place).second)
                continue;
            std::vector<double> sum(readings.size(), 0.0);
            bool covered = true;
            for (std::size_t s = 0; s < surfaces.size() && covered; ++s) {
                const std::optional<std::vector<double>> values = surfaces[s]->valuesAt(place);
                covered = bool(values);
                for (std::size_t r = 0; covered && r < readings.size(); ++r)
                    sum[r] += weighted[s].weight * (*values)[r];
            }
            if (!covered)
                continue;
            content.gammas.push_back(place);
            appendCharted(sum, parts, content);
        }
    }
}

// What was charted: the values, the conditions weighed in, the title.
void ConditionPreview::describe(const std::vector<Axis> &axes, const std::vector<Term> &weighted,
                                Chart &chart) const
{
    SmithChartContent &content = chart.content;
    QStringList where;
    for (const Axis &axis : axes) {
        const SmithChartContent::Setting setting{ChartText::fromLibrary(axis.variable.name),
                                                 axis.target,
                                                 ChartText::unitFromLibrary(axis.variable.unit)};
        if (axis.position < 0)
            content.frequency = setting;
        else
            content.held.push_back(setting);
        chart.at.push_back(setting);
        where << setting.name + QStringLiteral(" = ") + valueText(axis, axis.target);
    }
    for (const Term &term : weighted) {
        Weighted measured{{}, term.weight, term.bracketing};
        for (const Axis &axis : axes)
            measured.at.push_back({ChartText::fromLibrary(axis.variable.name), axis.of(*term.group),
                                   ChartText::unitFromLibrary(axis.variable.unit)});
        chart.between.push_back(measured);
    }
    content.title = content.coefficient + QStringLiteral(" at ") +
                    where.join(QStringLiteral(", ")) + tr(" (preview)");
}

ConditionPreview::Chart ConditionPreview::chart(const Settings &settings,
                                                std::optional<double> frequency) const
{
    Chart chart;
    SmithChartContent &content = chart.content;
    content.coefficient = ChartText::fromLibrary(m_points.coefficient);
    content.fixed = m_points.fixed;
    if (m_points.groups.empty()) {
        content.message = tr("%1 holds no measured points.").arg(m_path);
        return chart;
    }
    chart.condition << tr("The editor's own estimate of the data at the held settings, not the "
                          "simulator's.");
    const std::vector<int> columns = columnsOf(settings, &chart.condition);
    const std::vector<const Group *> groups = groupsAtFirstPlaces(&chart.condition);
    QString why;
    const std::optional<std::vector<Axis>> axes =
        axesOf(settings, frequency.value_or(frequencies().front()), &chart.condition, &why);
    std::vector<Term> weighted;
    if (!axes || !weigh(groups, *axes, 0, {nullptr, 1.0, true}, settings, weighted,
                        &chart.condition, &why)) {
        content.message = why;
        return chart;
    }
    chart.condition.removeDuplicates();
    describe(*axes, weighted, chart);
    const QStringList names = quantities();
    for (int column : columns)
        content.contoured.push_back(
            {names.at(column), ChartText::unitFromLibrary(m_points.quantities[column].unit), {}});
    evaluate(weighted, columns, settings.polar, content);
    if (content.gammas.empty())
        content.message = tr("The measured conditions between which the held settings lie cover "
                             "no common region.");
    return chart;
}
