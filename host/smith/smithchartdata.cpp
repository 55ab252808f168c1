#include "smithchartdata.h"

#include <QFile>

#include <algorithm>

namespace {

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

} // namespace

bool SmithChartData::load(const QString &path, const QString &coefficient, QString *error)
{
    std::string errorText;
    m_frequencies.clear();
    m_conditions.clear();
    m_conditionCount = 0;
    if (!Corvane_LP::readReflectionPoints(QFile::encodeName(path).toStdString(),
                                          coefficient.toLatin1().toStdString(), m_points,
                                          errorText)) {
        *error = QString::fromLocal8Bit(errorText.data(), int(errorText.size()));
        return false;
    }
    // The groups come ordered by frequency, then by the held values.
    std::vector<std::vector<double>> conditions;
    for (const Corvane_LP::ReflectionPoints::Group &group : m_points.groups) {
        if (m_frequencies.empty() || m_frequencies.back() != group.frequency)
            m_frequencies.push_back(group.frequency);
        conditions.push_back(group.held);
    }
    std::sort(conditions.begin(), conditions.end());
    conditions.erase(std::unique(conditions.begin(), conditions.end()), conditions.end());
    m_conditionCount = int(conditions.size());
    m_conditions = spread(std::move(conditions), MostConditions);
    return true;
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
    for (const std::vector<double> &held : m_conditions)
        texts << conditionText(held);
    return texts;
}

QString SmithChartData::conditionNote() const
{
    if (m_conditionCount <= int(m_conditions.size()))
        return {};
    return tr("%1 of %2, evenly spread").arg(m_conditions.size()).arg(m_conditionCount);
}

QStringList SmithChartData::heldParts(const std::vector<double> &held) const
{
    QStringList parts;
    for (std::size_t i = 0; i < held.size(); ++i)
        parts << text(m_points.held[i].name) + QStringLiteral(" = ") +
                     valueText(held[i], m_points.held[i].unit);
    return parts;
}

QString SmithChartData::conditionText(const std::vector<double> &held) const
{
    const QStringList parts = heldParts(held);
    return parts.isEmpty() ? tr("(no other swept variable)") : parts.join(QStringLiteral(", "));
}

QStringList SmithChartData::quantities() const
{
    QStringList names;
    for (const Corvane_LP::ReflectionPoints::Variable &quantity : m_points.quantities)
        names << (quantity.complex ? QLatin1Char('|') + text(quantity.name) + QLatin1Char('|')
                                   : text(quantity.name));
    return names;
}

SmithChartContent SmithChartData::content(int frequency, int condition, int quantity) const
{
    SmithChartContent content;
    if (frequency < 0 || frequency >= int(m_frequencies.size()) || condition < 0 ||
        condition >= int(m_conditions.size())) {
        content.message = tr("No points to show.");
        return content;
    }
    const auto group = std::find_if(m_points.groups.begin(), m_points.groups.end(),
                                    [&](const Corvane_LP::ReflectionPoints::Group &g) {
                                        return g.frequency == m_frequencies[frequency] &&
                                               g.held == m_conditions[condition];
                                    });
    QStringList where = heldParts(m_conditions[condition]);
    if (!m_points.frequency.name.empty())
        where.prepend(text(m_points.frequency.name) + QStringLiteral(" = ") +
                      frequencies().at(frequency));
    content.title = where.isEmpty()
                        ? coefficient()
                        : coefficient() + QStringLiteral(" at ") + where.join(QStringLiteral(", "));
    if (group == m_points.groups.end()) {
        content.message = tr("Nothing was measured at %1.").arg(content.title);
        return content;
    }
    content.fixed = m_points.fixed;
    const bool contoured = quantity >= 0 && quantity < int(m_points.quantities.size());
    if (contoured) {
        content.quantity = quantities().at(quantity);
        content.unit = unitText(m_points.quantities[quantity].unit);
    }
    for (const Corvane_LP::ReflectionPoints::Point &point : group->points) {
        content.gammas.emplace_back(point.re, point.im);
        if (contoured)
            content.values.push_back(point.values[quantity]);
    }
    return content;
}
