#include "smithchartdata.h"

#include "namedsettings.h"

#include "charttext.h"
#include "gaincompression.h"
#include "loadsweeps.h"
#include "placeclusters.h"
#include "pointgrid.h"
#include "unitscale.h"

#include <QFile>

#include <algorithm>
#include <cmath>
#include <map>
#include <numeric>
#include <tuple>

namespace {

using Corvane_LP::ReflectionPoints;
using Group = ReflectionPoints::Group;

// The library names the lack of a unit "None"; a chart writes nothing for it.
QString valueText(double value, const std::string &unit)
{
    return ChartText::withUnit(value, ChartText::unitFromLibrary(unit), 6);
}

SmithChartContent::Setting settingOf(const ReflectionPoints::Variable &variable, double value)
{
    return {ChartText::fromLibrary(variable.name), value,
            ChartText::unitFromLibrary(variable.unit)};
}

// At most `most` of the values, evenly spread, the first and the last among them.
template<typename T> std::vector<T> spread(std::vector<T> values, std::size_t most)
{
    if (values.size() <= most)
        return values;
    std::vector<T> kept;
    for (std::size_t i = 0; i < most; ++i)
        kept.push_back(std::move(values[i * (values.size() - 1) / (most - 1)]));
    return kept;
}

template<typename T> void sortUnique(std::vector<T> &values)
{
    std::sort(values.begin(), values.end());
    values.erase(std::unique(values.begin(), values.end()), values.end());
}

std::vector<double> picked(const std::vector<double> &values, const std::vector<std::size_t> &at)
{
    std::vector<double> kept;
    for (std::size_t i : at)
        kept.push_back(values[i]);
    return kept;
}

// The drive level: the first swept variable of unit type Power.
std::optional<std::size_t> driveOf(const ReflectionPoints &points,
                                   const std::vector<std::size_t> &swept)
{
    for (std::size_t i = 0; i < swept.size(); ++i) {
        if (points.held[swept[i]].unitType == "Power")
            return i;
    }
    return std::nullopt;
}

// The gain: the first real quantity in dB with "gain" in its name, in any case.
std::optional<std::size_t> gainOf(const ReflectionPoints &points)
{
    for (std::size_t i = 0; i < points.quantities.size(); ++i) {
        const ReflectionPoints::Variable &quantity = points.quantities[i];
        if (!quantity.complex && quantity.unit == "dB" &&
            ChartText::fromLibrary(quantity.name)
                .contains(QLatin1String("gain"), Qt::CaseInsensitive))
            return i;
    }
    return std::nullopt;
}

// A load's rows along its drive sweep, level by level: its places and the quantities there.
struct LoadRows
{
    const std::vector<const Group *> &levels;
    const LoadSweeps::Sweep &sweep;
    const std::vector<std::vector<int>> &points; // each level's followed points in its group

    const ReflectionPoints::Point &at(std::size_t step) const
    {
        const int level = sweep.firstLevel + int(step);
        return levels[level]->points[points[level][sweep.points[step]]];
    }

    std::vector<double> valuesOf(std::size_t quantity) const
    {
        std::vector<double> values;
        for (std::size_t step = 0; step < sweep.points.size(); ++step)
            values.push_back(at(step).values[quantity]);
        return values;
    }

    std::complex<double> place(std::size_t step) const { return {at(step).re, at(step).im}; }

    // The value of a held variable, such as the drive level, at each step.
    std::vector<double> heldOf(std::size_t held) const
    {
        std::vector<double> values;
        for (std::size_t step = 0; step < sweep.points.size(); ++step)
            values.push_back(levels[sweep.firstLevel + int(step)]->held[held]);
        return values;
    }
};

std::vector<SmithChartContent::Quantity *> quantitiesOf(SmithChartContent &content)
{
    std::vector<SmithChartContent::Quantity *> quantities;
    for (SmithChartContent::Quantity &quantity : content.contoured)
        quantities.push_back(&quantity);
    for (SmithChartContent::Target &target : content.targets)
        quantities.push_back(&target.quantity);
    return quantities;
}

// The typical distance from one of the places to its nearest neighbour among them; 0 for
// fewer than two.
double typicalSpacing(std::vector<std::pair<double, double>> places)
{
    sortUnique(places);
    if (places.size() < 2)
        return 0.0;
    std::vector<std::complex<double>> points;
    for (const auto &[re, im] : places)
        points.emplace_back(re, im);
    const PointGrid grid(points);
    std::vector<double> distances;
    for (std::size_t i = 0; i < points.size(); ++i)
        distances.push_back(grid.nearest(points[i], int(i)).distance);
    std::nth_element(distances.begin(), distances.begin() + long(distances.size() / 2),
                     distances.end());
    return distances[distances.size() / 2];
}

// The position of the value nearest to `wanted`; of two as near, the first.
template<typename T, typename Distance>
std::size_t nearestOf(const std::vector<T> &values, Distance distance)
{
    std::size_t best = 0;
    for (std::size_t i = 1; i < values.size(); ++i) {
        if (distance(values[i]) < distance(values[best]))
            best = i;
    }
    return best;
}

} // namespace

bool SmithChartData::load(const QString &path, const QString &coefficient, QString *error)
{
    std::string errorText;
    m_path = path;
    m_frequencies.clear();
    m_conditions.clear();
    m_others.clear();
    m_measuredCount = 0;
    m_allMeasuredCount = 0;
    if (!Corvane_LP::readReflectionPoints(QFile::encodeName(path).toStdString(),
                                          coefficient.toLatin1().toStdString(), m_points,
                                          errorText)) {
        *error = QString::fromLocal8Bit(errorText.data(), int(errorText.size()));
        return false;
    }
    // The groups come ordered by frequency, then by the held values.
    for (const Group &group : m_points.groups) {
        if (m_frequencies.empty() || m_frequencies.back() != group.frequency)
            m_frequencies.push_back(group.frequency);
    }
    sortHeld();
    groupOtherPlaces();
    m_drive = driveOf(m_points, m_swept);
    m_gain = gainOf(m_points);
    offerConditions();
    findGainResolution();
    return true;
}

// The other reflection coefficients' parts apart from the other swept variables: a drive
// level's list would otherwise hold every place of every other coefficient.
void SmithChartData::sortHeld()
{
    m_swept.clear();
    m_parts.clear();
    for (std::size_t i = 0; i < m_points.held.size(); ++i) {
        if (coefficientOf(m_points.held[i].name, m_points.coefficients))
            m_parts.push_back(i);
        else
            m_swept.push_back(i);
    }
}

// Each other coefficient's places, drifting or noisy, as the places they were meant to be
// (PlaceClusters): each group's place is its cluster's mean, and groups that so stand at one
// place merge.
void SmithChartData::groupOtherPlaces()
{
    const double spacing = typicalSpacing(largestCondition());
    for (std::size_t k = 0; k + 1 < m_parts.size(); k += 2) {
        const std::size_t re = m_parts[k], im = m_parts[k + 1];
        std::vector<std::pair<double, double>> places;
        for (const Group &group : m_points.groups)
            places.emplace_back(group.held[re], group.held[im]);
        sortUnique(places);
        std::vector<std::complex<double>> finite;
        for (const auto &[x, y] : places)
            finite.emplace_back(x, y);
        const std::vector<int> clusters = PlaceClusters::of(finite, spacing);
        std::vector<std::complex<double>> sums(places.size());
        std::vector<int> counts(places.size(), 0);
        for (std::size_t i = 0; i < places.size(); ++i) {
            sums[clusters[i]] += finite[i];
            ++counts[clusters[i]];
        }
        for (Group &group : m_points.groups) {
            const std::size_t i = std::lower_bound(places.begin(), places.end(),
                                                   std::pair(group.held[re], group.held[im])) -
                                  places.begin();
            const std::complex<double> meant = sums[clusters[i]] / double(counts[clusters[i]]);
            group.held[re] = meant.real();
            group.held[im] = meant.imag();
        }
    }
    mergeEqualGroups();
}

// The finite points at the frequency and the values of the other swept variables that hold
// the most, whatever the other coefficients' places: each row of a harmonic measured with noise
// is a group of its own.
std::vector<std::pair<double, double>> SmithChartData::largestCondition() const
{
    std::map<std::pair<double, std::vector<double>>, std::vector<std::pair<double, double>>> sets;
    for (const Group &group : m_points.groups) {
        auto &places = sets[{group.frequency, picked(group.held, m_swept)}];
        for (const ReflectionPoints::Point &point : group.points) {
            if (std::isfinite(point.re) && std::isfinite(point.im))
                places.emplace_back(point.re, point.im);
        }
    }
    std::vector<std::pair<double, double>> largest;
    for (auto &[condition, places] : sets) {
        if (places.size() > largest.size())
            largest = std::move(places);
    }
    return largest;
}

void SmithChartData::mergeEqualGroups()
{
    std::vector<Group> &groups = m_points.groups;
    const auto key = [](const Group &group) {
        return std::tie(group.frequency, group.held);
    };
    std::stable_sort(groups.begin(), groups.end(),
                     [&](const Group &a, const Group &b) { return key(a) < key(b); });
    std::vector<Group> merged;
    for (Group &group : groups) {
        if (!merged.empty() && key(merged.back()) == key(group)) {
            merged.back().points.insert(merged.back().points.end(),
                                        std::make_move_iterator(group.points.begin()),
                                        std::make_move_iterator(group.points.end()));
            merged.back().repeated += group.repeated;
        } else {
            merged.push_back(std::move(group));
        }
    }
    // Groups that now stand at one place may hold a load each: it is measured more than once.
    for (Group &group : merged)
        Corvane_LP::keepFirstOfEachPlace(group);
    groups = std::move(merged);
}

// The measured conditions, then, with a drive level, the compressions at each setting of the
// other swept variables.
void SmithChartData::offerConditions()
{
    std::vector<std::vector<double>> swept, others;
    for (const Group &group : m_points.groups) {
        swept.push_back(picked(group.held, m_swept));
        if (!m_parts.empty())
            others.push_back(picked(group.held, m_parts));
    }
    sortUnique(swept);
    sortUnique(others);
    m_allMeasuredCount = int(swept.size());
    std::vector<std::vector<double>> beyondDrive;
    if (m_drive) {
        beyondDrive = swept;
        for (std::vector<double> &values : beyondDrive)
            values[*m_drive] = 0.0;
        sortUnique(beyondDrive);
    }
    for (std::vector<double> &values : spread(std::move(swept), MostConditions))
        m_conditions.push_back({std::move(values), std::nullopt});
    m_measuredCount = int(m_conditions.size());
    const std::size_t compressions = std::size(Compressions);
    for (const std::vector<double> &values :
         spread(std::move(beyondDrive), MostConditions / compressions)) {
        for (double decibels : Compressions)
            m_conditions.push_back({values, decibels});
    }
    // Without other coefficients, one setting of none.
    m_others = m_parts.empty() ? std::vector<std::vector<double>>(1)
                               : spread(std::move(others), MostConditions);
}

void SmithChartData::findGainResolution()
{
    m_gainResolution = 0.0;
    if (!m_gain)
        return;
    std::vector<double> gains;
    double largest = 0.0;
    for (const Group &group : m_points.groups) {
        for (const ReflectionPoints::Point &point : group.points) {
            if (std::isfinite(point.values[*m_gain])) {
                gains.push_back(point.values[*m_gain]);
                largest = std::max(largest, std::abs(gains.back()));
            }
        }
    }
    if (gains.empty())
        return;
    // Never finer than the doubles about the largest gain, which would not change by it.
    m_gainResolution =
        std::max(std::nextafter(largest, INFINITY) - largest, ChartText::resolutionOf(gains));
}

QStringList SmithChartData::coefficients() const
{
    QStringList names;
    for (const std::string &name : m_points.coefficients)
        names << ChartText::fromLibrary(name);
    return names;
}

QString SmithChartData::coefficient() const
{
    return ChartText::fromLibrary(m_points.coefficient);
}

QStringList SmithChartData::frequencies() const
{
    QStringList texts;
    for (double frequency : m_frequencies)
        texts << (m_points.frequency.name.empty() ? tr("(no frequency variable)")
                                                  : valueText(frequency, m_points.frequency.unit));
    return texts;
}

QStringList SmithChartData::conditions() const
{
    QStringList texts;
    for (const Condition &condition : m_conditions)
        texts << conditionText(condition);
    return texts;
}

QString SmithChartData::conditionNote() const
{
    if (m_allMeasuredCount <= m_measuredCount)
        return {};
    return tr("%1 of %2, evenly spread").arg(m_measuredCount).arg(m_allMeasuredCount);
}

QStringList SmithChartData::otherCoefficients() const
{
    QStringList texts;
    for (int i = 0; !m_parts.empty() && i < int(m_others.size()); ++i)
        texts << othersText(i);
    return texts;
}

// The parts come in pairs, Re(name) then Im(name).
QString SmithChartData::othersText(int others) const
{
    QStringList parts;
    for (std::size_t i = 0; i + 1 < m_parts.size(); i += 2) {
        const std::string &part = m_points.held[m_parts[i]].name;
        parts << ChartText::fromLibrary(part.substr(3, part.size() - 4)) + QStringLiteral(" = ") +
                     ChartText::complex({m_others[others][i], m_others[others][i + 1]}, 6);
    }
    return parts.join(QStringLiteral(", "));
}

// The swept values but, at compression, the drive level's.
QStringList SmithChartData::heldParts(const Condition &condition) const
{
    QStringList parts;
    for (std::size_t i = 0; i < m_swept.size(); ++i) {
        const ReflectionPoints::Variable &variable = m_points.held[m_swept[i]];
        if (!condition.compression || i != m_drive)
            parts << ChartText::fromLibrary(variable.name) + QStringLiteral(" = ") +
                         valueText(condition.swept[i], variable.unit);
    }
    return parts;
}

QString SmithChartData::conditionText(const Condition &condition) const
{
    QStringList parts = heldParts(condition);
    if (condition.compression)
        parts << tr("at %1 dB compression").arg(ChartText::number(*condition.compression, 6));
    return parts.isEmpty() ? tr("(no other swept variable)") : parts.join(QStringLiteral(", "));
}

QStringList SmithChartData::quantities() const
{
    return quantityNames(m_points);
}

QStringList SmithChartData::quantityNames(const ReflectionPoints &points)
{
    QStringList names;
    for (const ReflectionPoints::Variable &quantity : points.quantities)
        names << (quantity.complex
                      ? QLatin1Char('|') + ChartText::fromLibrary(quantity.name) + QLatin1Char('|')
                      : ChartText::fromLibrary(quantity.name));
    return names;
}

std::optional<std::string>
SmithChartData::coefficientOf(const std::string &held, const std::vector<std::string> &coefficients)
{
    if (held.size() < 5 || (held.compare(0, 3, "Re(") != 0 && held.compare(0, 3, "Im(") != 0) ||
        held.back() != ')')
        return std::nullopt;
    const std::string name = held.substr(3, held.size() - 4);
    if (std::find(coefficients.begin(), coefficients.end(), name) == coefficients.end())
        return std::nullopt;
    return name;
}

int SmithChartData::indexOf(const QStringList &quantities, const QString &name)
{
    const int index = int(quantities.indexOf(name));
    return index >= 0 ? index : int(quantities.indexOf(QLatin1Char('|') + name + QLatin1Char('|')));
}

std::vector<double> SmithChartData::heldOf(const Condition &condition, int others) const
{
    std::vector<double> held(m_points.held.size());
    for (std::size_t i = 0; i < m_swept.size(); ++i)
        held[m_swept[i]] = condition.swept[i];
    for (std::size_t i = 0; i < m_parts.size(); ++i)
        held[m_parts[i]] = m_others[others][i];
    return held;
}

bool SmithChartData::sameButDrive(const std::vector<double> &held,
                                  const std::vector<double> &other) const
{
    for (std::size_t i = 0; i < held.size(); ++i) {
        if (i != m_swept[*m_drive] && held[i] != other[i])
            return false;
    }
    return true;
}

bool SmithChartData::offered(const Choice &choice, int conditions) const
{
    const auto within = [](int position, std::size_t count) {
        return position >= 0 && position < int(count);
    };
    return within(choice.frequency, m_frequencies.size()) &&
           within(choice.condition, std::size_t(conditions)) &&
           within(choice.others, m_others.size());
}

SmithChartContent SmithChartData::nothingToShow()
{
    SmithChartContent content;
    content.message = tr("No points to show.");
    return content;
}

bool SmithChartData::choose(const QString &at, Choice &choice, QString *remark,
                            QString *error) const
{
    Narrowing narrowing{choice, std::vector<int>(std::size_t(std::max(m_measuredCount, 0))),
                        std::vector<int>(m_others.size())};
    std::iota(narrowing.conditions.begin(), narrowing.conditions.end(), 0);
    std::iota(narrowing.others.begin(), narrowing.others.end(), 0);
    bool allExact = true;
    const NamedSettings named = NamedSettings::read(at);
    if (!named.unreadable.isEmpty()) {
        *error = tr("'%1' names no value: NAME=VALUE").arg(named.unreadable);
        return false;
    }
    for (const NamedSetting &setting : named.settings) {
        bool exact = true;
        if (!measuresAny(error) ||
            !chooseNamed(setting.name, setting.value, narrowing, &exact, error))
            return false;
        allExact = allExact && exact;
    }
    if (!narrowing.conditions.empty())
        choice.condition = narrowing.conditions.back();
    if (!narrowing.others.empty())
        choice.others = narrowing.others.front();
    *remark =
        allExact ? QString() : tr("Not measured at %1: the nearest measured is charted").arg(at);
    return true;
}

bool SmithChartData::chooseNamed(const QString &name, const QString &value, Narrowing &narrowing,
                                 bool *exact, QString *error) const
{
    if (!m_points.frequency.name.empty() && name == ChartText::fromLibrary(m_points.frequency.name))
        return chooseFrequency(value, narrowing.choice, exact, error);
    for (std::size_t i = 0; i < m_swept.size(); ++i) {
        if (name == ChartText::fromLibrary(m_points.held[m_swept[i]].name))
            return chooseSwept(i, value, narrowing.conditions, exact, error);
    }
    for (std::size_t k = 0; k + 1 < m_parts.size(); k += 2) {
        const std::string &part = m_points.held[m_parts[k]].name;
        if (name == ChartText::fromLibrary(part.substr(3, part.size() - 4)))
            return chooseOther(k, value, narrowing.others, exact, error);
    }
    *error = tr("the file varies nothing named '%1'").arg(name);
    return false;
}

// A file that holds no rows offers nothing to choose from.
bool SmithChartData::measuresAny(QString *error) const
{
    if (m_frequencies.empty() || m_measuredCount == 0) {
        *error = tr("%1 holds no measured points").arg(m_path);
        return false;
    }
    return true;
}

bool SmithChartData::chooseFrequency(const QString &value, Choice &choice, bool *exact,
                                     QString *error) const
{
    const auto number = ChartText::quantityFrom(value);
    const QString fileUnit = ChartText::unitFromLibrary(m_points.frequency.unit);
    const auto scale = number && !number->second.isEmpty() ? unitScale(number->second, fileUnit)
                                                           : std::optional<double>(1.0);
    if (!number || !scale || !fileUnit.endsWith(QLatin1String("Hz"))) {
        *error = tr("'%1' is no frequency").arg(value.trimmed());
        return false;
    }
    const double wanted = number->first * *scale;
    choice.frequency =
        int(nearestOf(m_frequencies, [&](double f) { return std::abs(f - wanted); }));
    *exact = m_frequencies[choice.frequency] == wanted;
    return true;
}

bool SmithChartData::chooseSwept(std::size_t swept, const QString &value,
                                 std::vector<int> &conditions, bool *exact, QString *error) const
{
    const ReflectionPoints::Variable &variable = m_points.held[m_swept[swept]];
    const auto number = ChartText::quantityFrom(value);
    if (!number || (!number->second.isEmpty() &&
                    number->second != ChartText::unitFromLibrary(variable.unit))) {
        *error = tr("'%1' is no value of %2 in %3")
                     .arg(value.trimmed(), ChartText::fromLibrary(variable.name),
                          ChartText::unitFromLibrary(variable.unit));
        return false;
    }
    const auto valueOf = [&](int condition) {
        return m_conditions[condition].swept[swept];
    };
    const double nearest = valueOf(conditions[nearestOf(
        conditions, [&](int c) { return std::abs(valueOf(c) - number->first); })]);
    *exact = nearest == number->first;
    conditions.erase(std::remove_if(conditions.begin(), conditions.end(),
                                    [&](int c) { return valueOf(c) != nearest; }),
                     conditions.end());
    return true;
}

bool SmithChartData::chooseOther(std::size_t part, const QString &value, std::vector<int> &others,
                                 bool *exact, QString *error) const
{
    const std::optional<std::complex<double>> wanted = ChartText::complexFrom(value);
    if (!wanted) {
        *error = tr("'%1' is no reflection coefficient such as -0.9+j0.05").arg(value.trimmed());
        return false;
    }
    const auto placeOf = [&](int other) {
        return std::complex<double>(m_others[other][part], m_others[other][part + 1]);
    };
    const std::complex<double> nearest =
        placeOf(others[nearestOf(others, [&](int o) { return std::abs(placeOf(o) - *wanted); })]);
    *exact = nearest == *wanted;
    others.erase(
        std::remove_if(others.begin(), others.end(), [&](int o) { return placeOf(o) != nearest; }),
        others.end());
    return true;
}

SmithChartContent SmithChartData::content(const Choice &choice) const
{
    if (!offered(choice, int(m_conditions.size())))
        return nothingToShow();
    const Condition &chosen = m_conditions[choice.condition];
    return chosen.compression ? atCompression(choice, chosen) : measured(choice, chosen);
}

SmithChartContent SmithChartData::compressed(const Choice &choice, double decibels) const
{
    if (!offered(choice, m_measuredCount))
        return nothingToShow();
    return atCompression(choice, {m_conditions[choice.condition].swept, decibels});
}

// What the chart shows, without its points.
SmithChartContent SmithChartData::framed(const Choice &choice, const Condition &condition) const
{
    SmithChartContent content;
    content.coefficient = coefficient();
    QStringList where = heldParts(condition);
    if (!m_points.frequency.name.empty()) {
        content.frequency = settingOf(m_points.frequency, m_frequencies[choice.frequency]);
        where.prepend(ChartText::fromLibrary(m_points.frequency.name) + QStringLiteral(" = ") +
                      frequencies().at(choice.frequency));
    }
    if (!m_parts.empty())
        where << othersText(choice.others);
    const std::vector<double> held = heldOf(condition, choice.others);
    for (std::size_t i = 0; i < held.size(); ++i) {
        if (!condition.compression || i != m_swept[*m_drive])
            content.held.push_back(settingOf(m_points.held[i], held[i]));
    }
    if (condition.compression) {
        content.compression = condition.compression;
        where << tr("%1 dB compression").arg(ChartText::number(*condition.compression, 6));
    }
    content.condition = where.join(QStringLiteral(", "));
    content.title = where.isEmpty()
                        ? coefficient()
                        : coefficient() + QStringLiteral(" at ") + where.join(QStringLiteral(", "));
    content.fixed = m_points.fixed;
    const QStringList names = quantities();
    const auto quantity = [&](int index) {
        return SmithChartContent::Quantity{
            names.at(index), ChartText::unitFromLibrary(m_points.quantities[index].unit), {}};
    };
    for (int index : contouredOf(choice))
        content.contoured.push_back(quantity(index));
    for (const TargetBound &bound : choice.targets)
        content.targets.push_back({quantity(bound.quantity), bound});
    return content;
}

// The quantities chosen to contour that the file holds, each once.
std::vector<int> SmithChartData::contouredOf(const Choice &choice) const
{
    std::vector<int> contoured;
    for (int index : choice.contoured) {
        if (index >= 0 && index < int(m_points.quantities.size()) &&
            int(contoured.size()) < MostContoured &&
            std::find(contoured.begin(), contoured.end(), index) == contoured.end())
            contoured.push_back(index);
    }
    return contoured;
}

// The positions in the points' values of the content's quantities, contoured then bounded.
std::vector<int> SmithChartData::columnsOf(const Choice &choice) const
{
    std::vector<int> columns = contouredOf(choice);
    for (const TargetBound &bound : choice.targets)
        columns.push_back(bound.quantity);
    return columns;
}

SmithChartContent SmithChartData::measured(const Choice &choice, const Condition &condition) const
{
    SmithChartContent content = framed(choice, condition);
    const std::vector<double> held = heldOf(condition, choice.others);
    const double frequency = m_frequencies[choice.frequency];
    const auto group =
        std::find_if(m_points.groups.begin(), m_points.groups.end(),
                     [&](const Group &g) { return g.frequency == frequency && g.held == held; });
    if (group == m_points.groups.end()) {
        content.message = tr("Nothing was measured at %1.").arg(content.title);
        return content;
    }
    const std::vector<int> columns = columnsOf(choice);
    const std::vector<SmithChartContent::Quantity *> quantities = quantitiesOf(content);
    content.duplicates = group->repeated;
    content.gammas.reserve(group->points.size());
    for (const ReflectionPoints::Point &point : group->points) {
        content.gammas.emplace_back(point.re, point.im);
        for (std::size_t k = 0; k < columns.size(); ++k)
            quantities[k]->values.push_back(point.values[columns[k]]);
    }
    return content;
}

// The groups of a load's drive sweep: at the chosen frequency and places of the other
// coefficients, and the condition's other swept values, in rising drive level.
std::vector<const Group *> SmithChartData::driveSweep(const Choice &choice,
                                                      const Condition &condition) const
{
    const std::vector<double> held = heldOf(condition, choice.others);
    std::vector<const Group *> levels;
    for (const Group &group : m_points.groups) {
        if (group.frequency == m_frequencies[choice.frequency] && sameButDrive(group.held, held))
            levels.push_back(&group);
    }
    const std::size_t drive = m_swept[*m_drive];
    std::sort(levels.begin(), levels.end(),
              [drive](const Group *a, const Group *b) { return a->held[drive] < b->held[drive]; });
    return levels;
}

// Each load is followed across the drive levels (LoadSweeps) to its compression, where its
// place and the quantities are interpolated. Loads whose gain never falls as far, and loads
// that could not be followed, are kept apart.
SmithChartContent SmithChartData::atCompression(const Choice &choice,
                                                const Condition &condition) const
{
    SmithChartContent content = framed(choice, condition);
    if (!m_drive) {
        content.message = tr("%1 sweeps no drive level: contours at compression need a swept "
                             "variable of unit type Power, such as Pin_avail in dBm.")
                              .arg(m_path);
        return content;
    }
    if (!m_gain) {
        content.message = tr("%1 holds no gain: contours at compression need a performance "
                             "quantity in dB with \"gain\" in its name, such as Gain.")
                              .arg(m_path);
        return content;
    }
    const ReflectionPoints::Variable &drive = m_points.held[m_swept[*m_drive]];
    content.drive = {
        ChartText::fromLibrary(drive.name), ChartText::unitFromLibrary(drive.unit), {}};
    const std::vector<const Group *> levels = driveSweep(choice, condition);
    if (levels.empty()) {
        content.message = tr("Nothing was measured at %1.").arg(content.title);
        return content;
    }
    // Each level's finite places, and where they are in its group.
    std::vector<std::vector<std::complex<double>>> places(levels.size());
    std::vector<std::vector<int>> points(levels.size());
    for (std::size_t level = 0; level < levels.size(); ++level) {
        const std::vector<ReflectionPoints::Point> &measured = levels[level]->points;
        for (std::size_t i = 0; i < measured.size(); ++i) {
            const std::complex<double> place(measured[i].re, measured[i].im);
            if (std::isfinite(place.real()) && std::isfinite(place.imag())) {
                places[level].push_back(place);
                points[level].push_back(int(i));
            }
        }
    }
    for (const Group *level : levels)
        content.duplicates += level->repeated;
    const std::vector<int> columns = columnsOf(choice);
    const std::vector<SmithChartContent::Quantity *> quantities = quantitiesOf(content);
    for (const LoadSweeps::Sweep &sweep : LoadSweeps::follow(places)) {
        // A sweep that may continue another's was counted with that one.
        if (sweep.lostAtStart)
            continue;
        const LoadRows along{levels, sweep, points};
        const std::optional<GainCompression::Crossing> crossing =
            GainCompression::of(along.valuesOf(*m_gain), *condition.compression);
        if (!crossing) {
            (sweep.lostAtEnd ? content.unfollowed : content.uncompressed)
                .push_back(along.place(sweep.points.size() - 1));
            continue;
        }
        const std::complex<double> before = along.place(crossing->index - 1);
        content.gammas.push_back(before +
                                 crossing->fraction * (along.place(crossing->index) - before));
        for (std::size_t k = 0; k < columns.size(); ++k)
            quantities[k]->values.push_back(
                GainCompression::valueAt(along.valuesOf(columns[k]), *crossing));
        content.drive.values.push_back(
            GainCompression::valueAt(along.heldOf(m_swept[*m_drive]), *crossing));
    }
    return content;
}
