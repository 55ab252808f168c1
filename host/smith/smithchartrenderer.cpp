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
constexpr double MaximumRadius = 5.5;
constexpr double TitleLines = 1.5;
constexpr double NoteLines = 2.3;
// How many of the longest segments of a contour are tried as the place of its label.
constexpr int LabelTries = 24;

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

// A step of a level in dBm or dBW is a ratio: dB.
QString stepUnit(const QString &unit)
{
    return unit.startsWith(QLatin1String("dB")) ? QStringLiteral("dB") : unit;
}

// The rectangle of a text whose baseline starts at `at`.
QRectF textAt(const QPointF &at, const QString &text, const QFontMetricsF &metrics)
{
    return {at.x(), at.y() - metrics.ascent(), metrics.horizontalAdvance(text), metrics.height()};
}

bool fits(const QRectF &rect, const QRectF &area, const std::vector<QRectF> &taken)
{
    return area.contains(rect) && std::none_of(taken.begin(), taken.end(),
                                               [&](const QRectF &t) { return t.intersects(rect); });
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
    if (m_content.quantity.isEmpty())
        return;
    m_contouring = Contouring::NoFiniteValues;
    if (m_valued.empty())
        return;
    std::vector<QPointF> points;
    std::vector<double> values;
    for (int i : m_valued) {
        points.push_back(planePoint(m_content.gammas[i]));
        values.push_back(m_content.values[i]);
    }
    const auto [lowest, highest] = std::minmax_element(values.begin(), values.end());
    m_contouring = Contouring::Constant;
    if (*lowest == *highest)
        return;
    m_maximum = m_valued[highest - values.begin()];
    traceLevels(points, values, *lowest, *highest);
}

void SmithChartRenderer::traceLevels(const std::vector<QPointF> &points,
                                     const std::vector<double> &values, double lowest,
                                     double highest)
{
    m_contouring = Contouring::SpanTooWide;
    if (!std::isfinite(highest - lowest))
        return;
    m_contouring = Contouring::OnOneLine;
    const auto triangles = DelaunayTriangulation::of(points);
    if (triangles.empty())
        return;
    m_contouring = Contouring::Drawn;
    m_step = ContourLevels::stepFor(m_content.unit, lowest, highest);
    for (double level : ContourLevels::between(m_content.unit, lowest, highest)) {
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
    const QFontMetricsF metrics(painter.font());
    const SmithMapping mapping = mappingFor(area, metrics);
    paintGrid(painter, mapping);
    painter.setPen(Qt::darkGray);
    for (const Label &label : gridLabels(area, metrics))
        painter.drawText(label.rect, Qt::AlignCenter, label.text);
    // The contours over the dots, so that many dots do not hide them.
    paintPoints(painter, mapping);
    paintContours(painter, mapping);
    for (const Label &label : contourLabels(area, metrics)) {
        painter.setPen(Qt::black);
        painter.drawText(label.rect, Qt::AlignCenter, label.text);
    }
    paintMaximum(painter, area);
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
std::vector<SmithChartRenderer::Label>
SmithChartRenderer::gridLabels(const QRectF &area, const QFontMetricsF &metrics) const
{
    const SmithMapping mapping = mappingFor(area, metrics);
    std::vector<Label> labels;
    for (double value : GridValues) {
        const QPointF onAxis = mapping.toChart(SmithMapping::reflectionOf(value, 1.0));
        labels.push_back(
            {textAt(onAxis + QPointF(2.0, -3.0), gridText(value), metrics), gridText(value)});
        for (double sign : {1.0, -1.0}) {
            const std::complex<double> gamma = SmithMapping::reflectionOf({0.0, sign * value}, 1.0);
            const QString text =
                (sign < 0 ? QStringLiteral("-j") : QStringLiteral("j")) + gridText(value);
            const QPointF outside = mapping.toChart(gamma * 1.08);
            const QSizeF size(metrics.horizontalAdvance(text), metrics.height());
            labels.push_back(
                {QRectF(outside - QPointF(size.width() / 2, size.height() / 2), size), text});
        }
    }
    return labels;
}

// Beside the marked point, to its right unless that leaves the picture.
std::optional<SmithChartRenderer::Label>
SmithChartRenderer::maximumLabel(const QRectF &area, const QFontMetricsF &metrics) const
{
    if (!m_maximum)
        return std::nullopt;
    const QPointF at = mappingFor(area, metrics).toChart(m_content.gammas[*m_maximum]);
    const QString text =
        QStringLiteral("max ") + withUnit(m_content.values[*m_maximum], m_content.unit);
    QRectF rect = textAt(at + QPointF(MaximumRadius + 3.0, MaximumRadius + 12.0), text, metrics);
    if (rect.right() > area.right())
        rect.moveRight(at.x() - MaximumRadius - 3.0);
    rect.moveLeft(std::max(rect.left(), area.left()));
    rect.moveBottom(std::min(rect.bottom(), area.bottom()));
    return Label{rect, text};
}

// Each at the middle of one of the contour's longest segments, the first that covers no label
// placed before it and lies inside the chart's region.
std::vector<SmithChartRenderer::Label>
SmithChartRenderer::contourLabels(const QRectF &area, const QFontMetricsF &metrics) const
{
    const SmithMapping mapping = mappingFor(area, metrics);
    std::vector<QRectF> taken;
    for (const Label &label : gridLabels(area, metrics))
        taken.push_back(label.rect);
    if (const auto maximum = maximumLabel(area, metrics))
        taken.push_back(maximum->rect);
    const QRectF region = mapping.boundsOf(SmithMapping::Circle{0.0, m_extent}).intersected(area);
    std::vector<Label> labels;
    for (const Contour &contour : m_contours) {
        std::vector<const QLineF *> longest;
        for (const QLineF &segment : contour.segments)
            longest.push_back(&segment);
        const auto tried = longest.begin() + std::min<int>(LabelTries, int(longest.size()));
        std::partial_sort(
            longest.begin(), tried, longest.end(),
            [](const QLineF *p, const QLineF *q) { return p->length() > q->length(); });
        const QString text = number(contour.level);
        for (auto segment = longest.begin(); segment != tried; ++segment) {
            const QPointF at = mapping.toChart(gammaOf((*segment)->center()));
            const QRectF rect = textAt(at + QPointF(3.0, -3.0), text, metrics);
            if (fits(rect, region, taken)) {
                taken.push_back(rect);
                labels.push_back({rect, text});
                break;
            }
        }
    }
    return labels;
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
        painter.setPen(QPen(levelColour(span > 0 ? (contour.level - first) / span : 1.0), 1.6));
        for (const QLineF &segment : contour.segments)
            painter.drawLine(mapping.toChart(gammaOf(segment.p1())),
                             mapping.toChart(gammaOf(segment.p2())));
    }
    painter.restore();
}

double SmithChartRenderer::pointRadius() const
{
    if (m_shown.size() <= 300)
        return 3.0;
    return m_shown.size() <= 3000 ? 2.0 : 1.2;
}

void SmithChartRenderer::paintPoints(QPainter &painter, const SmithMapping &mapping) const
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(pointColour());
    const double radius = pointRadius();
    for (int i : m_shown)
        painter.drawEllipse(mapping.toChart(m_content.gammas[i]), radius, radius);
}

void SmithChartRenderer::paintMaximum(QPainter &painter, const QRectF &area) const
{
    const auto label = maximumLabel(area, QFontMetricsF(painter.font()));
    if (!label)
        return;
    const SmithMapping mapping = mappingFor(area, QFontMetricsF(painter.font()));
    painter.setPen(Qt::NoPen);
    painter.setBrush(maximumColour());
    painter.drawEllipse(mapping.toChart(m_content.gammas[*m_maximum]), MaximumRadius,
                        MaximumRadius);
    painter.setPen(maximumColour());
    painter.drawText(label->rect, Qt::AlignCenter, label->text);
}

QString SmithChartRenderer::maximumText() const
{
    const std::complex<double> at = m_content.gammas[*m_maximum];
    return tr("highest %1 at %2 %3 j%4")
        .arg(withUnit(m_content.values[*m_maximum], m_content.unit), number(at.real()),
             at.imag() < 0 ? QStringLiteral("-") : QStringLiteral("+"),
             number(std::abs(at.imag())));
}

QString SmithChartRenderer::contourNote() const
{
    const QString &quantity = m_content.quantity;
    switch (m_contouring) {
    case Contouring::PointsOnly:
        return tr("Measured points only");
    case Contouring::NoFiniteValues:
        return tr("No finite values of %1 to contour").arg(quantity);
    case Contouring::Constant:
        return tr("%1 is %2 at every point: no contours")
            .arg(quantity, withUnit(m_content.values[m_valued.front()], m_content.unit));
    case Contouring::SpanTooWide:
        return tr("%1 spans too wide a range for contours; %2").arg(quantity, maximumText());
    case Contouring::OnOneLine:
        return tr("%1: too few points off one line for contours; %2").arg(quantity, maximumText());
    case Contouring::Drawn:
        break;
    }
    return tr("%1 contours every %2; %3")
        .arg(quantity, withUnit(m_step, stepUnit(m_content.unit)), maximumText());
}

QString SmithChartRenderer::pointNote() const
{
    const int shown = int(m_shown.size());
    QString note = m_content.fixed ? tr("A fixed value, not measured")
                   : shown == 1    ? tr("1 measured point")
                                   : tr("%1 measured points").arg(shown);
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
    const QRectF title(area.left() + 4.0, area.top() + 0.3 * line, area.width() - 8.0, line);
    painter.drawText(
        title, Qt::AlignHCenter | Qt::AlignTop,
        QFontMetricsF(bold).elidedText(m_content.title, Qt::ElideMiddle, title.width()));
    painter.restore();
    const QRectF notes(area.left() + 4.0, area.bottom() - NoteLines * line, area.width() - 8.0,
                       2.0 * line);
    painter.drawText(notes, Qt::AlignLeft | Qt::AlignTop,
                     contourNote() + QLatin1Char('\n') + pointNote());
}
