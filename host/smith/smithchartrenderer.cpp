#include "smithchartrenderer.h"

#include "contourlevels.h"
#include "contourtracer.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {

const QColor GridColour(170, 170, 170);
constexpr double PointRadius = 3.0;
constexpr double MaximumRadius = 5.5;
constexpr double TitleLines = 2.6;
constexpr double NoteLines = 2.4;

QPointF planePoint(std::complex<double> gamma)
{
    return {gamma.real(), gamma.imag()};
}

std::complex<double> gammaOf(const QPointF &point)
{
    return {point.x(), point.y()};
}

QString number(double value)
{
    return QString::number(value, 'g', 4);
}

QString withUnit(double value, const QString &unit)
{
    return unit.isEmpty() ? number(value) : number(value) + QLatin1Char(' ') + unit;
}

// From blue at the lowest level to red at the highest.
QColor levelColour(double fraction)
{
    return QColor::fromHsvF((1.0 - fraction) * 0.66, 0.85, 0.75);
}

QString gridText(double value)
{
    return QString::number(value);
}

// The margin round the chart that the reactance labels outside the unit circle need.
double labelMargin(const QFontMetricsF &metrics)
{
    return metrics.horizontalAdvance(QStringLiteral("-j0.5")) + 4.0;
}

} // namespace

SmithChartRenderer::SmithChartRenderer(SmithChartContent content)
    : m_content(std::move(content))
{
    placePoints();
    traceContours();
}

QColor SmithChartRenderer::pointColour()
{
    return {20, 40, 140};
}

QColor SmithChartRenderer::maximumColour()
{
    return {210, 0, 0};
}

void SmithChartRenderer::placePoints()
{
    double largest = 0.0;
    for (const std::complex<double> &gamma : m_content.gammas) {
        const double magnitude = std::abs(gamma);
        if (std::isfinite(magnitude) && magnitude <= MaximumExtent)
            largest = std::max(largest, magnitude);
    }
    m_extent = largest > 1.0 ? std::min(largest * 1.05, MaximumExtent) : 1.0;
    for (int i = 0; i < int(m_content.gammas.size()); ++i) {
        const double magnitude = std::abs(m_content.gammas[i]);
        if (!std::isfinite(magnitude))
            continue;
        if (magnitude > MaximumExtent) {
            ++m_beyond;
            continue;
        }
        m_shown.push_back(i);
        if (i < int(m_content.values.size()) && std::isfinite(m_content.values[i]))
            m_valued.push_back(i);
    }
}

void SmithChartRenderer::traceContours()
{
    if (m_valued.empty())
        return;
    std::vector<QPointF> points;
    std::vector<double> values;
    for (int i : m_valued) {
        points.push_back(planePoint(m_content.gammas[i]));
        values.push_back(m_content.values[i]);
    }
    const auto [lowest, highest] = std::minmax_element(values.begin(), values.end());
    m_maximum = m_valued[highest - values.begin()];
    const auto triangles = DelaunayTriangulation::of(points);
    if (triangles.empty())
        return;
    m_step = ContourLevels::stepFor(m_content.unit, *lowest, *highest);
    for (double level : ContourLevels::between(m_content.unit, *lowest, *highest)) {
        std::vector<QLineF> segments = ContourTracer::segments(points, values, triangles, level);
        if (!segments.empty())
            m_contours.push_back({level, std::move(segments)});
    }
}

SmithMapping SmithChartRenderer::mappingFor(const QRectF &area, const QFontMetricsF &metrics) const
{
    const double line = metrics.lineSpacing();
    const double margin = labelMargin(metrics);
    const QRectF chart =
        area.adjusted(margin, TitleLines * line + margin, -margin, -NoteLines * line - margin);
    return SmithMapping::fitting(chart, m_extent);
}

void SmithChartRenderer::paint(QPainter &painter, const QRectF &area) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(area, Qt::white);
    if (!m_content.message.isEmpty()) {
        painter.setPen(Qt::black);
        painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, m_content.message);
        painter.restore();
        return;
    }
    const SmithMapping mapping = mappingFor(area, QFontMetricsF(painter.font()));
    paintGrid(painter, mapping);
    paintGridLabels(painter, mapping);
    paintContours(painter, mapping);
    paintPoints(painter, mapping);
    paintTexts(painter, area);
    painter.restore();
}

void SmithChartRenderer::paintGrid(QPainter &painter, const SmithMapping &mapping) const
{
    const SmithMapping::Circle unit{0.0, 1.0};
    QPainterPath inside;
    inside.addEllipse(mapping.boundsOf(unit));
    painter.save();
    painter.setClipPath(inside);
    painter.setPen(QPen(GridColour, 1.0));
    painter.setBrush(Qt::NoBrush);
    for (double value : GridValues) {
        painter.drawEllipse(mapping.boundsOf(SmithMapping::resistanceCircle(value)));
        painter.drawEllipse(mapping.boundsOf(SmithMapping::reactanceCircle(value)));
        painter.drawEllipse(mapping.boundsOf(SmithMapping::reactanceCircle(-value)));
    }
    painter.drawLine(mapping.toChart(-1.0), mapping.toChart(1.0));
    painter.restore();
    painter.setPen(QPen(Qt::black, 1.5));
    painter.drawEllipse(mapping.boundsOf(unit));
    if (m_extent > 1.0) {
        painter.setPen(QPen(GridColour, 1.0, Qt::DashLine));
        painter.drawEllipse(mapping.boundsOf(SmithMapping::Circle{0.0, m_extent}));
    }
}

// Resistances on the real axis, reactances just outside the unit circle.
void SmithChartRenderer::paintGridLabels(QPainter &painter, const SmithMapping &mapping) const
{
    const QFontMetricsF metrics(painter.font());
    painter.setPen(Qt::darkGray);
    for (double value : GridValues) {
        const QPointF onAxis = mapping.toChart(SmithMapping::reflectionOf(value, 1.0));
        painter.drawText(onAxis + QPointF(2.0, -3.0), gridText(value));
        for (double sign : {1.0, -1.0}) {
            const std::complex<double> gamma = SmithMapping::reflectionOf({0.0, sign * value}, 1.0);
            const QString text =
                (sign < 0 ? QStringLiteral("-j") : QStringLiteral("j")) + gridText(value);
            const QPointF outside = mapping.toChart(gamma * 1.08);
            const QSizeF size(metrics.horizontalAdvance(text), metrics.height());
            painter.drawText(QRectF(outside - QPointF(size.width() / 2, size.height() / 2), size),
                             Qt::AlignCenter, text);
        }
    }
}

void SmithChartRenderer::paintContours(QPainter &painter, const SmithMapping &mapping) const
{
    if (m_contours.empty())
        return;
    QPainterPath region;
    region.addEllipse(mapping.boundsOf(SmithMapping::Circle{0.0, m_extent}));
    painter.save();
    painter.setClipPath(region);
    const double first = m_contours.front().level;
    const double span = m_contours.back().level - first;
    for (const Contour &contour : m_contours) {
        const QColor colour = levelColour(span > 0 ? (contour.level - first) / span : 1.0);
        painter.setPen(QPen(colour, 1.6));
        const QLineF *longest = &contour.segments.front();
        for (const QLineF &segment : contour.segments) {
            painter.drawLine(mapping.toChart(gammaOf(segment.p1())),
                             mapping.toChart(gammaOf(segment.p2())));
            if (segment.length() > longest->length())
                longest = &segment;
        }
        painter.drawText(mapping.toChart(gammaOf(longest->center())) + QPointF(3.0, -3.0),
                         number(contour.level));
    }
    painter.restore();
}

void SmithChartRenderer::paintPoints(QPainter &painter, const SmithMapping &mapping) const
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(pointColour());
    for (int i : m_shown)
        painter.drawEllipse(mapping.toChart(m_content.gammas[i]), PointRadius, PointRadius);
    if (!m_maximum)
        return;
    const QPointF at = mapping.toChart(m_content.gammas[*m_maximum]);
    painter.setBrush(maximumColour());
    painter.drawEllipse(at, MaximumRadius, MaximumRadius);
    painter.setPen(maximumColour());
    painter.drawText(at + QPointF(MaximumRadius + 3.0, MaximumRadius + 12.0),
                     QStringLiteral("max ") +
                         withUnit(m_content.values[*m_maximum], m_content.unit));
}

QString SmithChartRenderer::contourNote() const
{
    if (m_content.quantity.isEmpty())
        return tr("Measured points only");
    if (!m_maximum)
        return tr("No finite values of %1 to contour").arg(m_content.quantity);
    const std::complex<double> at = m_content.gammas[*m_maximum];
    const QString maximum =
        tr("highest %1 at %2 %3 j%4")
            .arg(withUnit(m_content.values[*m_maximum], m_content.unit), number(at.real()),
                 at.imag() < 0 ? QStringLiteral("-") : QStringLiteral("+"),
                 number(std::abs(at.imag())));
    if (m_contours.empty())
        return tr("%1: too few points off one line for contours; %2")
            .arg(m_content.quantity, maximum);
    return tr("%1 contours every %2; %3")
        .arg(m_content.quantity, withUnit(m_step, m_content.unit), maximum);
}

QString SmithChartRenderer::pointNote() const
{
    const int shown = int(m_shown.size());
    QString note = shown == 1 ? tr("1 measured point") : tr("%1 measured points").arg(shown);
    if (m_beyond > 0)
        note += tr("; %1 beyond |gamma| = %2 not shown").arg(m_beyond).arg(MaximumExtent);
    return note;
}

QString SmithChartRenderer::tr(const char *text)
{
    return QCoreApplication::translate("SmithChartRenderer", text);
}

void SmithChartRenderer::paintTexts(QPainter &painter, const QRectF &area) const
{
    const double line = QFontMetricsF(painter.font()).lineSpacing();
    painter.setPen(Qt::black);
    QFont bold = painter.font();
    bold.setBold(true);
    painter.save();
    painter.setFont(bold);
    painter.drawText(
        QRectF(area.left() + 4.0, area.top() + 0.3 * line, area.width() - 8.0, 2.0 * line),
        Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, m_content.title);
    painter.restore();
    const QRectF notes(area.left() + 4.0, area.bottom() - NoteLines * line, area.width() - 8.0,
                       2.0 * line);
    painter.drawText(notes, Qt::AlignLeft | Qt::AlignTop,
                     contourNote() + QLatin1Char('\n') + pointNote());
}
