#include "smithchartdata.h"

#include "gaincompression.h"

#include <QFile>

#include <algorithm>

namespace {

using Corvane_LP::ReflectionPoints;

QString text(const std::string &libraryText)
{
    return QString::fromLatin1(libraryText.data(), int(libraryText.size()));
}

// The library names the lack of a unit "None"; a chart writes nothing for it.
QString unitText(const std::string &unit)
{
    return unit == "None" ? QString() : text(unit);
}

QString valueText(double value, const std::string &unit)
{
    const QString number = QString::number(value, 'g', 6);
    const QString unitPart = unitText(unit);
    return unitPart.isEmpty() ? number : number + QLatin1Char(' ') + unitPart;
}

QString decibelText(double decibels)
{
    return QString::number(decibels, 'g', 6);
}

SmithChartContent::Setting settingOf(const ReflectionPoints::Variable &variable, double value)
{
    return {text(variable.name), value, unitText(variable.unit)};
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

// The drive level: the first held variable of unit type Power (a reflection coefficient's
// parts have none).
std::optional<std::size_t> driveOf(const ReflectionPoints &points)
{
    for (std::size_t i = 0; i < points.held.size(); ++i) {
        if (points.held[i].unitType == "Power")
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
            text(quantity.name).contains(QLatin1String("gain"), Qt::CaseInsensitive))
            return i;
    }
    return std::nullopt;
}

// One load at one drive level.
struct Sample
{
    double re;
    double im;
    double drive;
    const ReflectionPoints::Point *point;
};

} // namespace

bool SmithChartData::load(const QString &path, const QString &coefficient, QString *error)
{
    std::string errorText;
    m_path = path;
    m_frequencies.clear();
    m_conditions.clear();
    m_measuredCount = 0;
    m_allMeasuredCount = 0;
    if (!Corvane_LP::readReflectionPoints(QFile::encodeName(path).toStdString(),
                                          coefficient.toLatin1().toStdString(), m_points,
                                          errorText)) {
        *error = QString::fromLocal8Bit(errorText.data(), int(errorText.size()));
        return false;
    }
    m_drive = driveOf(m_points);
    m_gain = gainOf(m_points);
    // The groups come ordered by frequency, then by the held values.
    std::vector<std::vector<double>> held;
    for (const ReflectionPoints::Group &group : m_points.groups) {
        if (m_frequencies.empty() || m_frequencies.back() != group.frequency)
            m_frequencies.push_back(group.frequency);
        held.push_back(group.held);
    }
    sortUnique(held);
    offerConditions(std::move(held));
    return true;
}

// The measured conditions, then, with a drive level, the compressions at each setting of the
// other held variables.
void SmithChartData::offerConditions(std::vector<std::vector<double>> held)
{
    m_allMeasuredCount = int(held.size());
    std::vector<std::vector<double>> others;
    if (m_drive) {
        others = held;
        for (std::vector<double> &values : others)
            values[*m_drive] = 0.0;
        sortUnique(others);
    }
    for (std::vector<double> &values : spread(std::move(held), MostConditions))
        m_conditions.push_back({std::move(values), std::nullopt});
    m_measuredCount = int(m_conditions.size());
    const std::size_t compressions = std::size(Compressions);
    for (const std::vector<double> &values :
         spread(std::move(others), MostConditions / compressions)) {
        for (double decibels : Compressions)
            m_conditions.push_back({values, decibels});
    }
}

QStringList SmithChartData::coefficients() const
{
    QStringList names;
    for (const std::string &name : m_points.coefficients)
        names << text(name);
    return names;
}

QString SmithChartData::coefficient() const
{
    return text(m_points.coefficient);
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

// The held values but, at compression, the drive level's.
QStringList SmithChartData::heldParts(const Condition &condition) const
{
    QStringList parts;
    for (std::size_t i = 0; i < condition.held.size(); ++i) {
        if (!condition.compression || i != m_drive)
            parts << text(m_points.held[i].name) + QStringLiteral(" = ") +
                         valueText(condition.held[i], m_points.held[i].unit);
    }
    return parts;
}

QString SmithChartData::conditionText(const Condition &condition) const
{
    QStringList parts = heldParts(condition);
    if (condition.compression)
        parts << tr("at %1 dB compression").arg(decibelText(*condition.compression));
    return parts.isEmpty() ? tr("(no other swept variable)") : parts.join(QStringLiteral(", "));
}

QStringList SmithChartData::quantities() const
{
    QStringList names;
    for (const ReflectionPoints::Variable &quantity : m_points.quantities)
        names << (quantity.complex ? QLatin1Char('|') + text(quantity.name) + QLatin1Char('|')
                                   : text(quantity.name));
    return names;
}

bool SmithChartData::sameOtherValues(const std::vector<double> &held,
                                     const std::vector<double> &other) const
{
    for (std::size_t i = 0; i < held.size(); ++i) {
        if (i != m_drive && held[i] != other[i])
            return false;
    }
    return true;
}

bool SmithChartData::offered(int frequency, int condition, int conditions) const
{
    return frequency >= 0 && frequency < int(m_frequencies.size()) && condition >= 0 &&
           condition < conditions;
}

SmithChartContent SmithChartData::nothingToShow()
{
    SmithChartContent content;
    content.message = tr("No points to show.");
    return content;
}

SmithChartContent SmithChartData::content(int frequency, int condition, int quantity) const
{
    if (!offered(frequency, condition, int(m_conditions.size())))
        return nothingToShow();
    const Condition &chosen = m_conditions[condition];
    return chosen.compression ? atCompression(frequency, chosen, quantity)
                              : measured(frequency, chosen, quantity);
}

SmithChartContent SmithChartData::compressed(int frequency, int condition, int quantity,
                                             double decibels) const
{
    if (!offered(frequency, condition, m_measuredCount))
        return nothingToShow();
    return atCompression(frequency, {m_conditions[condition].held, decibels}, quantity);
}

// What the chart shows, without its points.
SmithChartContent SmithChartData::framed(int frequency, const Condition &condition,
                                         int quantity) const
{
    SmithChartContent content;
    content.coefficient = coefficient();
    QStringList where = heldParts(condition);
    if (!m_points.frequency.name.empty()) {
        content.frequency = settingOf(m_points.frequency, m_frequencies[frequency]);
        where.prepend(text(m_points.frequency.name) + QStringLiteral(" = ") +
                      frequencies().at(frequency));
    }
    for (std::size_t i = 0; i < condition.held.size(); ++i) {
        if (!condition.compression || i != m_drive)
            content.held.push_back(settingOf(m_points.held[i], condition.held[i]));
    }
    if (condition.compression) {
        content.compression = condition.compression;
        where << tr("%1 dB compression").arg(decibelText(*condition.compression));
    }
    content.title = where.isEmpty()
                        ? coefficient()
                        : coefficient() + QStringLiteral(" at ") + where.join(QStringLiteral(", "));
    content.fixed = m_points.fixed;
    if (quantity >= 0 && quantity < int(m_points.quantities.size())) {
        content.quantity = quantities().at(quantity);
        content.unit = unitText(m_points.quantities[quantity].unit);
    }
    return content;
}

SmithChartContent SmithChartData::measured(int frequency, const Condition &condition,
                                           int quantity) const
{
    SmithChartContent content = framed(frequency, condition, quantity);
    const auto group = std::find_if(
        m_points.groups.begin(), m_points.groups.end(), [&](const ReflectionPoints::Group &g) {
            return g.frequency == m_frequencies[frequency] && g.held == condition.held;
        });
    if (group == m_points.groups.end()) {
        content.message = tr("Nothing was measured at %1.").arg(content.title);
        return content;
    }
    content.gammas.reserve(group->points.size());
    content.values.reserve(content.quantity.isEmpty() ? 0 : group->points.size());
    for (const ReflectionPoints::Point &point : group->points) {
        content.gammas.emplace_back(point.re, point.im);
        if (!content.quantity.isEmpty())
            content.values.push_back(point.values[quantity]);
    }
    return content;
}

// Each load's drive sweep, at the frequency and the other held values of the condition, is
// followed to its compression; the quantity is interpolated there. Loads whose gain never
// falls as far are kept apart.
SmithChartContent SmithChartData::atCompression(int frequency, const Condition &condition,
                                                int quantity) const
{
    SmithChartContent content = framed(frequency, condition, quantity);
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
    std::vector<Sample> samples;
    for (const ReflectionPoints::Group &group : m_points.groups) {
        if (group.frequency != m_frequencies[frequency] ||
            !sameOtherValues(group.held, condition.held))
            continue;
        for (const ReflectionPoints::Point &point : group.points)
            samples.push_back({point.re, point.im, group.held[*m_drive], &point});
    }
    if (samples.empty()) {
        content.message = tr("Nothing was measured at %1.").arg(content.title);
        return content;
    }
    std::sort(samples.begin(), samples.end(), [](const Sample &a, const Sample &b) {
        return std::tie(a.re, a.im, a.drive) < std::tie(b.re, b.im, b.drive);
    });
    std::vector<double> gains, values;
    for (auto first = samples.begin(); first != samples.end();) {
        const auto last = std::find_if(first, samples.end(), [&](const Sample &s) {
            return s.re != first->re || s.im != first->im;
        });
        gains.clear();
        values.clear();
        for (auto sample = first; sample != last; ++sample) {
            gains.push_back(sample->point->values[*m_gain]);
            if (!content.quantity.isEmpty())
                values.push_back(sample->point->values[quantity]);
        }
        const std::optional<GainCompression::Crossing> crossing =
            GainCompression::of(gains, *condition.compression);
        if (!crossing) {
            content.uncompressed.emplace_back(first->re, first->im);
        } else {
            content.gammas.emplace_back(first->re, first->im);
            if (!content.quantity.isEmpty())
                content.values.push_back(GainCompression::valueAt(values, *crossing));
        }
        first = last;
    }
    return content;
}
