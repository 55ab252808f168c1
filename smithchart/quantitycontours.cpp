#include "quantitycontours.h"

#include "charttext.h"
#include "contourlevels.h"
#include "contourtracer.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("QuantityContours", text);
}

// A step of a level in dBm or dBW is a ratio: dB.
QString stepUnit(const QString &unit)
{
    return unit.startsWith(QLatin1String("dB")) ? QStringLiteral("dB") : unit;
}

} // namespace

QuantityContours::QuantityContours(const SmithChartContent::Quantity &quantity,
                                   std::shared_ptr<const MeasuredMesh> mesh,
                                   const SmithChartContent::Levels &levels)
    : m_name(quantity.name)
    , m_unit(quantity.unit)
    , m_mesh(std::move(mesh))
{
    for (int i : m_mesh->used())
        m_values.push_back(quantity.values[i]);
    if (m_values.empty())
        return;
    const auto [lowest, highest] = std::minmax_element(m_values.begin(), m_values.end());
    m_contouring = Contouring::Constant;
    if (*lowest == *highest)
        return;
    m_maximum = m_mesh->used()[highest - m_values.begin()];
    m_maximumValue = *highest;
    traceLevels(levels, *lowest, *highest);
}

void QuantityContours::traceLevels(const SmithChartContent::Levels &levels, double lowest,
                                   double highest)
{
    m_contouring = Contouring::SpanTooWide;
    if (!std::isfinite(highest - lowest))
        return;
    m_contouring = Contouring::OnOneLine;
    if (m_mesh->triangles().empty())
        return;
    m_contouring = Contouring::Drawn;
    m_step = levels.step > 0.0 ? levels.step
                               : ContourLevels::stepFor(m_unit, lowest, highest,
                                                        ChartText::resolutionOf(m_values));
    m_levelsNamed = !levels.named.empty();
    m_levels = m_levelsNamed ? levels.named : ContourLevels::multiplesOf(m_step, lowest, highest);
    for (double level : m_levels) {
        std::vector<QLineF> segments =
            ContourTracer::segments(m_mesh->plane(), m_values, m_mesh->triangles(), level);
        if (!segments.empty())
            m_contours.push_back({level, std::move(segments)});
    }
}

std::optional<double> QuantityContours::valueAt(std::complex<double> gamma) const
{
    return m_mesh->valueAt(gamma, m_values);
}

QString QuantityContours::note(const std::vector<std::complex<double>> &gammas) const
{
    const QString highest = m_maximum ? tr("highest %1 at %2")
                                            .arg(ChartText::withUnit(m_maximumValue, m_unit),
                                                 ChartText::complex(gammas[*m_maximum]))
                                      : QString();
    switch (m_contouring) {
    case Contouring::NoFiniteValues:
        return tr("No finite values of %1 to contour").arg(m_name);
    case Contouring::Constant:
        return tr("%1 is %2 at every point: no contours")
            .arg(m_name, ChartText::withUnit(m_values.front(), m_unit));
    case Contouring::SpanTooWide:
        return tr("%1 spans too wide a range for contours; %2").arg(m_name, highest);
    case Contouring::OnOneLine:
        return tr("%1: too few points off one line for contours; %2").arg(m_name, highest);
    case Contouring::Drawn:
        break;
    }
    if (m_levelsNamed) {
        QStringList levels;
        for (double level : m_levels)
            levels << ChartText::number(level, 6);
        const QString list = levels.join(QStringLiteral(", "));
        return tr("%1 contours at %2; %3")
            .arg(m_name, m_unit.isEmpty() ? list : list + QLatin1Char(' ') + m_unit, highest);
    }
    return tr("%1 contours every %2; %3")
        .arg(m_name, ChartText::withUnit(m_step, stepUnit(m_unit)), highest);
}
