#include "smithchartrenderer.h"

#include "contourlevels.h"
#include "contourtracer.h"
#include "exactpredicates.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

#include <algorithm>
#include <cmath>

namespace {

const QColor GridColour(170, 170, 170);
const QColor LabelGround(255, 255, 255, 190);
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

// re + jim, or re - jim.
QString complexText(std::complex<double> value)
{
    return number(value.real()) +
           (value.imag() < 0 ? QStringLiteral(" - j") : QStringLiteral(" + j")) +
           number(std::abs(value.imag()));
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

bool clearOf(const QRectF &rect, const std::vector<QRectF> &taken)
{
    return std::none_of(taken.begin(), taken.end(),
                        [&](const QRectF &t) { return t.intersects(rect); });
}

// Whether the rectangle lies inside the circle, every corner of it.
bool inside(const QRectF &rect, const QPointF &centre, double radius)
{
    const QPointF corners[] = {rect.topLeft(), rect.topRight(), rect.bottomLeft(),
                               rect.bottomRight()};
    return std::all_of(std::begin(corners), std::end(corners), [&](const QPointF &corner) {
        const QPointF d = corner - centre;
        return QPointF::dotProduct(d, d) <= radius * radius;
    });
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

// How far out the reactance labels sit, in radii of the unit circle.
constexpr double GridLabelReach = 1.08;

// A dot drawn once into a small picture, at the resolution of the device it goes to.
QImage dotImage(const QColor &colour, double radius, double pixelRatio)
{
    const int side = int(std::ceil(2.0 * (radius + 1.0) * pixelRatio));
    QImage dot(side, side, QImage::Format_ARGB32_Premultiplied);
    dot.setDevicePixelRatio(pixelRatio);
    dot.fill(Qt::transparent);
    QPainter painter(&dot);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    const double middle = side / pixelRatio / 2.0;
    painter.drawEllipse(QPointF(middle, middle), radius, radius);
    return dot;
}

// The value at p of the function linear on the triangle a, b, c (counter-clockwise, p inside
// or on it) with the values given at its corners. A triangle too flat for its area to show in
// double arithmetic is taken along its longest edge.
double interpolated(const QPointF &a, const QPointF &b, const QPointF &c, const QPointF &p,
                    double atA, double atB, double atC)
{
    const auto cross = [](const QPointF &o, const QPointF &u, const QPointF &v) {
        return (u.x() - o.x()) * (v.y() - o.y()) - (u.y() - o.y()) * (v.x() - o.x());
    };
    const double area = cross(a, b, c);
    if (area > 0.0)
        return (cross(b, c, p) * atA + cross(c, a, p) * atB + cross(a, b, p) * atC) / area;
    const std::pair<QPointF, double> ends[] = {{a, atA}, {b, atB}, {c, atC}};
    int longest = 0;
    for (int i = 1; i < 3; ++i) {
        if (QLineF(ends[i].first, ends[(i + 1) % 3].first).length() >
            QLineF(ends[longest].first, ends[(longest + 1) % 3].first).length())
            longest = i;
    }
    const auto &[from, atFrom] = ends[longest];
    const auto &[to, atTo] = ends[(longest + 1) % 3];
    const QPointF along = to - from;
    const double t = std::clamp(
        QPointF::dotProduct(p - from, along) / QPointF::dotProduct(along, along), 0.0, 1.0);
    return atFrom + t * (atTo - atFrom);
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
    for (const auto *gammas : {&m_content.gammas, &m_content.uncompressed}) {
        for (const std::complex<double> &gamma : *gammas) {
            const double magnitude = std::abs(gamma);
            if (std::isfinite(magnitude) && magnitude <= MaximumExtent)
                largest = std::max(largest, magnitude);
        }
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
    for (const std::complex<double> &gamma : m_content.uncompressed) {
        if (std::abs(gamma) <= MaximumExtent)
            m_hollow.push_back(gamma);
        else
            ++m_beyond;
    }
}

void SmithChartRenderer::traceContours()
{
    if (m_content.quantity.isEmpty())
        return;
    m_contouring = Contouring::NoFiniteValues;
    if (m_valued.empty())
        return;
    for (int i : m_valued) {
        m_plane.push_back(planePoint(m_content.gammas[i]));
        m_planeValues.push_back(m_content.values[i]);
    }
    // Triangulated even when nothing is contoured, for the value at any place between them.
    m_triangles = DelaunayTriangulation::of(m_plane);
    const auto [lowest, highest] = std::minmax_element(m_planeValues.begin(), m_planeValues.end());
    m_contouring = Contouring::Constant;
    if (*lowest == *highest)
        return;
    m_maximum = m_valued[highest - m_planeValues.begin()];
    traceLevels(*lowest, *highest);
}

void SmithChartRenderer::traceLevels(double lowest, double highest)
{
    m_contouring = Contouring::SpanTooWide;
    if (!std::isfinite(highest - lowest))
        return;
    m_contouring = Contouring::OnOneLine;
    if (m_triangles.empty())
        return;
    m_contouring = Contouring::Drawn;
    m_step = ContourLevels::stepFor(m_content.unit, lowest, highest);
    m_levels = ContourLevels::between(m_content.unit, lowest, highest);
    for (double level : m_levels) {
        std::vector<QLineF> segments =
            ContourTracer::segments(m_plane, m_planeValues, m_triangles, level);
        if (!segments.empty())
            m_contours.push_back({level, std::move(segments)});
    }
}

SmithMapping SmithChartRenderer::mappingFor(const QRectF &area, const QFontMetricsF &metrics) const
{
    // Room for half of the widest and of the highest reactance label beyond its place.
    const double line = metrics.lineSpacing();
    const double across = metrics.horizontalAdvance(QStringLiteral("-j0.5")) / 2.0 + 2.0;
    const double down = metrics.height() / 2.0 + 2.0;
    const QRectF chart =
        area.adjusted(across, TitleLines * line + down, -across, -NoteLines * line - down);
    return SmithMapping::fitting(chart, std::max(m_extent, GridLabelReach));
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
    painter.setPen(Qt::black);
    for (const Label &label : contourLabels(area, metrics))
        paintLabel(painter, label);
    paintMaximum(painter, area);
    paintTexts(painter, area);
    painter.restore();
}

// No clipping: the resistance circles lie inside the unit circle, and of the reactance circles
// only their arcs inside it are drawn, so that vector drawings, which may not clip, show the
// same chart.
void SmithChartRenderer::paintGrid(QPainter &painter, const SmithMapping &mapping) const
{
    painter.setPen(QPen(GridColour, 1.0));
    painter.setBrush(Qt::NoBrush);
    QPainterPath arcs;
    for (double value : GridValues) {
        painter.drawEllipse(mapping.boundsOf(SmithMapping::resistanceCircle(value)));
        for (double sign : {1.0, -1.0}) {
            const SmithMapping::Arc arc = SmithMapping::reactanceArc(sign * value);
            const QRectF bounds = mapping.boundsOf(arc.circle);
            arcs.arcMoveTo(bounds, arc.start);
            arcs.arcTo(bounds, arc.start, arc.sweep);
        }
    }
    painter.drawPath(arcs);
    painter.drawLine(mapping.toChart(-1.0), mapping.toChart(1.0));
    painter.setPen(QPen(Qt::black, 1.5));
    painter.drawEllipse(mapping.boundsOf(SmithMapping::Circle{0.0, 1.0}));
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
            const QPointF outside = mapping.toChart(gamma * GridLabelReach);
            const QSizeF size(metrics.horizontalAdvance(text), metrics.height());
            labels.push_back(
                {QRectF(outside - QPointF(size.width() / 2, size.height() / 2), size), text});
        }
    }
    return labels;
}

std::optional<QRectF> SmithChartRenderer::maximumMark(const QRectF &area,
                                                      const QFontMetricsF &metrics) const
{
    if (!m_maximum)
        return std::nullopt;
    const QPointF at = mappingFor(area, metrics).toChart(m_content.gammas[*m_maximum]);
    return QRectF(at - QPointF(MaximumRadius, MaximumRadius),
                  QSizeF(2 * MaximumRadius, 2 * MaximumRadius));
}

// Beside the marked point: below and to its right, or the first of its other corners where the
// label covers no grid label and stays inside the picture.
std::optional<SmithChartRenderer::Label>
SmithChartRenderer::maximumLabel(const QRectF &area, const QFontMetricsF &metrics) const
{
    const std::optional<QRectF> mark = maximumMark(area, metrics);
    if (!mark)
        return std::nullopt;
    const QString text =
        QStringLiteral("max ") + withUnit(m_content.values[*m_maximum], m_content.unit);
    const QSizeF size(metrics.horizontalAdvance(text), metrics.height());
    const QPointF gap(3.0, 1.0);
    const QRectF places[] = {
        QRectF(mark->bottomRight() + gap, size),
        QRectF(mark->bottomLeft() + QPointF(-gap.x() - size.width(), gap.y()), size),
        QRectF(mark->topRight() + QPointF(gap.x(), -gap.y() - size.height()), size),
        QRectF(mark->topLeft() - gap - QPointF(size.width(), size.height()), size)};
    std::vector<QRectF> grid;
    for (const Label &label : gridLabels(area, metrics))
        grid.push_back(label.rect);
    for (const QRectF &place : places) {
        if (area.contains(place) && clearOf(place, grid))
            return Label{place, text};
    }
    for (const QRectF &place : places) {
        if (area.contains(place))
            return Label{place, text};
    }
    return Label{places[0], text};
}

// Each at the middle of one of the contour's longest segments, the first that covers no label
// placed before it nor the highest value's mark, and lies inside the chart's circle.
std::vector<SmithChartRenderer::Label>
SmithChartRenderer::contourLabels(const QRectF &area, const QFontMetricsF &metrics) const
{
    const SmithMapping mapping = mappingFor(area, metrics);
    std::vector<QRectF> taken;
    for (const Label &label : gridLabels(area, metrics))
        taken.push_back(label.rect);
    if (const auto maximum = maximumLabel(area, metrics))
        taken.push_back(maximum->rect);
    if (const auto mark = maximumMark(area, metrics))
        taken.push_back(*mark);
    const double radius = m_extent * mapping.unitRadius();
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
            if (area.contains(rect) && inside(rect, mapping.centre(), radius) &&
                clearOf(rect, taken)) {
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
    const double first = m_contours.front().level;
    const double span = m_contours.back().level - first;
    for (const Contour &contour : m_contours) {
        painter.setPen(QPen(levelColour(span > 0 ? (contour.level - first) / span : 1.0), 1.6));
        for (const QLineF &segment : contour.segments)
            painter.drawLine(mapping.toChart(gammaOf(segment.p1())),
                             mapping.toChart(gammaOf(segment.p2())));
    }
}

double SmithChartRenderer::pointRadius() const
{
    const std::size_t count = m_shown.size() + m_hollow.size();
    if (count <= 300)
        return 3.0;
    return count <= 3000 ? 2.0 : 1.2;
}

// A raster picture takes one dot drawn beforehand at each place, several times faster than
// drawing each dot; a vector drawing keeps true circles.
void SmithChartRenderer::paintPoints(QPainter &painter, const SmithMapping &mapping) const
{
    const double radius = pointRadius();
    if (painter.paintEngine()->type() == QPaintEngine::Raster) {
        const QImage dot = dotImage(pointColour(), radius, painter.device()->devicePixelRatioF());
        const QPointF middle(dot.width() / dot.devicePixelRatio() / 2.0,
                             dot.height() / dot.devicePixelRatio() / 2.0);
        for (int i : m_shown)
            painter.drawImage(mapping.toChart(m_content.gammas[i]) - middle, dot);
    } else {
        painter.setPen(Qt::NoPen);
        painter.setBrush(pointColour());
        for (int i : m_shown)
            painter.drawEllipse(mapping.toChart(m_content.gammas[i]), radius, radius);
    }
    painter.setPen(QPen(pointColour(), 1.5));
    painter.setBrush(Qt::NoBrush);
    for (const std::complex<double> &gamma : m_hollow)
        painter.drawEllipse(mapping.toChart(gamma), radius, radius);
}

void SmithChartRenderer::paintMaximum(QPainter &painter, const QRectF &area) const
{
    const QFontMetricsF metrics(painter.font());
    const std::optional<QRectF> mark = maximumMark(area, metrics);
    if (!mark)
        return;
    painter.setPen(Qt::NoPen);
    painter.setBrush(maximumColour());
    painter.drawEllipse(*mark);
    painter.setPen(maximumColour());
    paintLabel(painter, *maximumLabel(area, metrics));
}

// On a pale ground, so that the lines and dots beneath leave it legible.
void SmithChartRenderer::paintLabel(QPainter &painter, const Label &label)
{
    painter.fillRect(label.rect, LabelGround);
    painter.drawText(label.rect, Qt::AlignCenter, label.text);
}

QString SmithChartRenderer::maximumText() const
{
    return tr("highest %1 at %2")
        .arg(withUnit(m_content.values[*m_maximum], m_content.unit),
             complexText(m_content.gammas[*m_maximum]));
}

QString SmithChartRenderer::contourNote() const
{
    const QString &quantity = m_content.quantity;
    switch (m_contouring) {
    case Contouring::PointsOnly:
        return m_content.compression ? tr("Loads at compression only") : tr("Measured points only");
    case Contouring::NoFiniteValues:
        if (m_content.compression && m_shown.empty())
            return tr("No load reaches %1 dB compression").arg(*m_content.compression);
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
    QString note;
    if (m_content.fixed)
        note = tr("A fixed value, not measured");
    else if (m_content.compression)
        note = shown == 1
                   ? tr("1 load at %1 dB compression").arg(*m_content.compression)
                   : tr("%1 loads at %2 dB compression").arg(shown).arg(*m_content.compression);
    else
        note = shown == 1 ? tr("1 measured point") : tr("%1 measured points").arg(shown);
    if (!m_hollow.empty())
        note += (m_hollow.size() == 1 ? tr("; 1 never reaches it (hollow)")
                                      : tr("; %1 never reach it (hollow)").arg(m_hollow.size()));
    if (m_beyond > 0)
        note += tr("; %1 beyond |gamma| = %2 not shown").arg(m_beyond).arg(MaximumExtent);
    return note;
}

std::optional<double> SmithChartRenderer::valueAt(std::complex<double> gamma) const
{
    const QPointF p = planePoint(gamma);
    for (const DelaunayTriangulation::Triangle &t : m_triangles) {
        const QPointF &a = m_plane[t.a], &b = m_plane[t.b], &c = m_plane[t.c];
        if (ExactPredicates::orientation(a, b, p) >= 0 &&
            ExactPredicates::orientation(b, c, p) >= 0 &&
            ExactPredicates::orientation(c, a, p) >= 0)
            return interpolated(a, b, c, p, m_planeValues[t.a], m_planeValues[t.b],
                                m_planeValues[t.c]);
    }
    return std::nullopt;
}

QString SmithChartRenderer::readout(std::complex<double> gamma) const
{
    const QString ohm(QChar(0x03A9));
    const std::complex<double> impedance = SmithMapping::impedanceOf(gamma, ReferenceImpedance);
    QStringList parts;
    parts << QString(QChar(0x0393)) + QStringLiteral(" = ") + complexText(gamma) +
                 QStringLiteral(" (") + number(std::abs(gamma)) + QStringLiteral(" ") +
                 QChar(0x2220) + QStringLiteral(" ") + number(qRadiansToDegrees(std::arg(gamma))) +
                 QChar(0x00B0) + QLatin1Char(')');
    parts << QStringLiteral("Z = ") + (std::isfinite(std::abs(impedance))
                                           ? complexText(impedance) + QLatin1Char(' ') + ohm
                                           : QString(QChar(0x221E)));
    if (!m_content.quantity.isEmpty()) {
        const std::optional<double> value = valueAt(gamma);
        parts << (value ? m_content.quantity + QStringLiteral(" = ") +
                              withUnit(*value, m_content.unit)
                        : tr("%1: outside the measured region").arg(m_content.quantity));
    }
    return parts.join(QStringLiteral("; "));
}

QString SmithChartRenderer::tr(const char *text)
{
    return QCoreApplication::translate("SmithChartRenderer", text);
}

// The title in bold, as high as a bold line and free to reach below it: a rectangle that
// clipped it would cut off the underscores of names such as gamma_ld1.
void SmithChartRenderer::paintTexts(QPainter &painter, const QRectF &area) const
{
    const double line = QFontMetricsF(painter.font()).lineSpacing();
    painter.setPen(Qt::black);
    QFont bold = painter.font();
    bold.setBold(true);
    const QFontMetricsF boldMetrics(bold);
    painter.save();
    painter.setFont(bold);
    const QRectF title(area.left() + 4.0, area.top() + 0.3 * line, area.width() - 8.0,
                       boldMetrics.lineSpacing());
    painter.drawText(title, Qt::AlignHCenter | Qt::AlignTop | Qt::TextDontClip,
                     boldMetrics.elidedText(m_content.title, Qt::ElideMiddle, title.width()));
    painter.restore();
    const QRectF notes(area.left() + 4.0, area.bottom() - NoteLines * line, area.width() - 8.0,
                       2.0 * line);
    painter.drawText(notes, Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
                     contourNote() + QLatin1Char('\n') + pointNote());
}
