#include "smithchartrenderer.h"

#include "charttext.h"
#include "contourtracer.h"
#include "labelplacer.h"
#include "pointgrid.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

const QColor GridColour(170, 170, 170);
const QColor LabelGround(255, 255, 255, 190);
constexpr double MarkRadius = 5.5;
constexpr double TitleLines = 1.5;
constexpr double ContourWidth = 1.6;
constexpr int DenseTargetAlpha = 200;
// How many of the longest segments of a contour are tried as the place of its label.
constexpr int LabelTries = 24;
// How far out the reactance labels of the whole chart sit, in radii of the unit circle.
constexpr double GridLabelReach = 1.08;
// The places along a grid line tried for its label.
constexpr int GridLabelTries = 16;
// The measured region's margin, as a part of its size and at the least in gamma; a region
// nearly as large as the whole chart shows the whole chart.
constexpr double DataMargin = 0.1;
constexpr double LeastDataMargin = 0.03;
constexpr double WholeChartFraction = 0.7;

std::complex<double> gammaOf(const QPointF &point)
{
    return {point.x(), point.y()};
}

// The rectangle of a text whose baseline starts at `at`.
QRectF textAt(const QPointF &at, const QString &text, const QFontMetricsF &metrics)
{
    return {at.x(), at.y() - metrics.ascent(), metrics.horizontalAdvance(text), metrics.height()};
}

QRectF textAround(const QPointF &centre, const QString &text, const QFontMetricsF &metrics)
{
    const QSizeF size(metrics.horizontalAdvance(text), metrics.height());
    return {centre - QPointF(size.width() / 2, size.height() / 2), size};
}

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

double lengthOf(const QPolygonF &line)
{
    double length = 0.0;
    for (int i = 1; i < line.size(); ++i)
        length += QLineF(line[i - 1], line[i]).length();
    return length;
}

// The second quantity's dashes are short and flat-ended, so that a gap shows even on the short
// lines of a noisy level (square ends would all but close the gaps).
QPen contourPen(int quantity)
{
    QPen pen(SmithChartRenderer::quantityColour(quantity), ContourWidth);
    if (quantity > 0) {
        pen.setDashPattern({3.0, 2.0});
        pen.setCapStyle(Qt::FlatCap);
    }
    return pen;
}

// The highest value's mark: a disc for the first quantity, a diamond for the second.
void paintMark(QPainter &painter, const QPointF &at, int quantity)
{
    painter.setPen(QPen(Qt::white, 1.0));
    painter.setBrush(SmithChartRenderer::quantityColour(quantity));
    if (quantity == 0) {
        painter.drawEllipse(at, MarkRadius, MarkRadius);
        return;
    }
    const double r = MarkRadius * 1.2;
    const QPointF diamond[] = {at + QPointF(0, -r), at + QPointF(r, 0), at + QPointF(0, r),
                               at + QPointF(-r, 0)};
    painter.drawPolygon(diamond, 4);
}

// Four places beside a mark, then four a little farther out.
std::vector<QRectF> placesBeside(const QRectF &mark, const QSizeF &size)
{
    std::vector<QRectF> places;
    for (double gap : {3.0, 3.0 + size.height()}) {
        places.push_back({mark.bottomRight() + QPointF(gap, 1.0), size});
        places.push_back({mark.bottomLeft() + QPointF(-gap - size.width(), 1.0), size});
        places.push_back({mark.topRight() + QPointF(gap, -1.0 - size.height()), size});
        places.push_back({mark.topLeft() - QPointF(gap + size.width(), 1.0 + size.height()), size});
    }
    return places;
}

} // namespace

SmithChartRenderer::SmithChartRenderer(SmithChartContent content)
    : m_content(std::move(content))
{
    placePoints();
    for (const SmithChartContent::Quantity &quantity : m_content.contoured)
        m_quantities.emplace_back(quantity, meshOf({&quantity.values}),
                                  m_quantities.empty() ? m_content.levels
                                                       : SmithChartContent::Levels());
    if (!m_content.targets.empty()) {
        std::vector<const std::vector<double> *> values;
        for (const SmithChartContent::Target &target : m_content.targets)
            values.push_back(&target.quantity.values);
        m_target.emplace(m_content.targets, meshOf(values));
    }
}

QColor SmithChartRenderer::pointColour()
{
    return {20, 40, 140};
}

QColor SmithChartRenderer::quantityColour(int quantity)
{
    // Red and blue, not red and green, which red-green colour-blind readers cannot tell apart;
    // of lightnesses that stay apart in grey.
    return quantity == 0 ? QColor(200, 30, 0) : QColor(60, 170, 235);
}

QColor SmithChartRenderer::targetColour()
{
    return {250, 190, 0, 90};
}

// Over the smallest dots, of more than 3000 points, which cover much of the plot, the shade is
// nearly opaque: a translucent one would show mostly the dots beneath.
QColor SmithChartRenderer::targetShade() const
{
    QColor shade = targetColour();
    if (pointRadius() < 2.0)
        shade.setAlpha(DenseTargetAlpha);
    return shade;
}

void SmithChartRenderer::placePoints()
{
    double largest = 0.0;
    for (const auto *gammas : {&m_content.gammas, &m_content.uncompressed, &m_content.unfollowed}) {
        for (const std::complex<double> &gamma : *gammas) {
            const double magnitude = std::abs(gamma);
            if (std::isfinite(magnitude) && magnitude <= MaximumExtent)
                largest = std::max(largest, magnitude);
        }
    }
    m_extent = largest > 1.0 ? std::min(largest * 1.05, MaximumExtent) : 1.0;
    for (int i = 0; i < int(m_content.gammas.size()); ++i) {
        const double magnitude = std::abs(m_content.gammas[i]);
        if (std::isfinite(magnitude) && magnitude <= MaximumExtent)
            m_shown.push_back(i);
        else if (std::isfinite(magnitude))
            ++m_beyond;
    }
    for (const auto &[from, to] : {std::pair(&m_content.uncompressed, &m_hollow),
                                   std::pair(&m_content.unfollowed, &m_unfollowed)}) {
        for (const std::complex<double> &gamma : *from) {
            if (std::abs(gamma) <= MaximumExtent)
                to->push_back(gamma);
            else
                ++m_beyond;
        }
    }
}

// The triangles between the points drawn where every one of the values is finite; made once
// for all quantities finite at the same points.
std::shared_ptr<const MeasuredMesh>
SmithChartRenderer::meshOf(const std::vector<const std::vector<double> *> &values)
{
    std::vector<int> used;
    for (int i : m_shown) {
        if (std::all_of(values.begin(), values.end(), [i](const std::vector<double> *v) {
                return i < int(v->size()) && std::isfinite((*v)[i]);
            }))
            used.push_back(i);
    }
    for (const std::shared_ptr<const MeasuredMesh> &mesh : m_meshes) {
        if (mesh->used() == used)
            return mesh;
    }
    m_meshes.push_back(std::make_shared<const MeasuredMesh>(m_content.gammas, std::move(used)));
    return m_meshes.back();
}

SmithMapping::Window SmithChartRenderer::window(View view) const
{
    const SmithMapping::Window whole{0.0, std::max(m_extent, GridLabelReach)};
    if (view == View::Full)
        return whole;
    std::vector<std::complex<double>> places = m_hollow;
    places.insert(places.end(), m_unfollowed.begin(), m_unfollowed.end());
    for (int i : m_shown)
        places.push_back(m_content.gammas[i]);
    if (places.empty())
        return whole;
    const QRectF bounds = PointGrid::boundsOf(places);
    const double side = std::max(bounds.width(), bounds.height());
    const double halfSide = side / 2.0 + std::max(DataMargin * side, LeastDataMargin);
    if (halfSide >= WholeChartFraction * whole.halfSide)
        return whole;
    return {{bounds.center().x(), bounds.center().y()}, halfSide};
}

// The area less the title above and the notes below.
QRectF SmithChartRenderer::plotArea(const QRectF &area, const QFontMetricsF &metrics) const
{
    const double line = metrics.lineSpacing();
    const NoteLayout notes = noteLayout(area, metrics);
    const int rows = std::accumulate(notes.rows.begin(), notes.rows.end(), 0);
    return area.adjusted(2.0, TitleLines * line, -2.0, -(double(rows) + 0.3) * line);
}

// Each note wrapped at its words to the width beside the keys, so that none runs off the
// picture.
SmithChartRenderer::NoteLayout SmithChartRenderer::noteLayout(const QRectF &area,
                                                              const QFontMetricsF &metrics) const
{
    NoteLayout layout;
    layout.notes = notes();
    const double line = metrics.lineSpacing();
    const bool keyed = std::any_of(layout.notes.begin(), layout.notes.end(), [](const Note &note) {
        return note.quantity >= 0 || note.target;
    });
    layout.keyWidth = keyed ? 2.5 * line : 0.0;
    const double width = std::max(line, area.width() - 8.0 - layout.keyWidth);
    for (const Note &note : layout.notes) {
        const QRectF bounds =
            metrics.boundingRect(QRectF(0, 0, width, 1e6), Qt::TextWordWrap, note.text);
        // One line is as high as the font, each more a line's spacing.
        layout.rows.push_back(
            1 + std::max(0, int(std::lround((bounds.height() - metrics.height()) / line))));
    }
    return layout;
}

SmithChartRenderer::Layout SmithChartRenderer::layout(const QRectF &area,
                                                      const QFontMetricsF &metrics,
                                                      const SmithMapping::Window &window) const
{
    Layout layout;
    layout.plot = plotArea(area, metrics);
    layout.mapping = mappingFor(area, metrics, window);
    LabelPlacer placer(layout.plot, dots(layout.mapping), pointRadius() + 1.0);
    placeMaxima(layout, placer, metrics);
    placeContourLabels(layout, placer, metrics);
    const double half = window.halfSide * layout.mapping.unitRadius();
    const QPointF middle = layout.mapping.toChart(window.centre);
    placeGridLabels(layout, placer, metrics,
                    SmithGrid(layout.mapping, layout.mapping.gammaRect(layout.plot), m_extent),
                    QRectF(middle - QPointF(half, half), middle + QPointF(half, half)));
    return layout;
}

// The window fitted to the plot, with room for half of the widest and of the highest reactance
// label beyond the rim of the whole chart.
SmithMapping SmithChartRenderer::mappingFor(const QRectF &area, const QFontMetricsF &metrics,
                                            const SmithMapping::Window &window) const
{
    const double across = metrics.horizontalAdvance(QStringLiteral("-j0.5")) / 2.0 + 2.0;
    const double down = metrics.height() / 2.0 + 2.0;
    return SmithMapping::fitting(plotArea(area, metrics).adjusted(across, down, -across, -down),
                                 window);
}

std::vector<QPointF> SmithChartRenderer::dots(const SmithMapping &mapping) const
{
    std::vector<QPointF> places;
    for (int i : m_shown)
        places.push_back(mapping.toChart(m_content.gammas[i]));
    for (const auto *gammas : {&m_hollow, &m_unfollowed}) {
        for (const std::complex<double> &gamma : *gammas)
            places.push_back(mapping.toChart(gamma));
    }
    return places;
}

// Every mark first, so that no label covers one; each label beside its mark, off the points
// when it can be.
void SmithChartRenderer::placeMaxima(Layout &layout, LabelPlacer &placer,
                                     const QFontMetricsF &metrics) const
{
    const LabelPlacer::Circle rim{layout.mapping.centre(), m_extent * layout.mapping.unitRadius()};
    for (int q = 0; q < int(m_quantities.size()); ++q) {
        if (const std::optional<int> maximum = m_quantities[q].maximum()) {
            const QPointF at = layout.mapping.toChart(m_content.gammas[*maximum]);
            const QPointF corner(MarkRadius * 1.2, MarkRadius * 1.2);
            layout.marks.push_back({QRectF(at - corner, at + corner), QString(), q});
            placer.take(layout.marks.back().rect);
        }
    }
    for (const Label &mark : layout.marks) {
        const QuantityContours &quantity = m_quantities[mark.quantity];
        // The optimum's load as an impedance, as it is set on a tuner.
        const std::complex<double> impedance = SmithMapping::impedanceOf(
            m_content.gammas[*quantity.maximum()], m_content.referenceImpedance);
        const QString text =
            (m_quantities.size() > 1 ? QStringLiteral("max ") + quantity.name() + QLatin1Char(' ')
                                     : QStringLiteral("max ")) +
            ChartText::withUnit(quantity.maximumValue(), quantity.unit()) +
            (std::isfinite(std::abs(impedance))
                 ? QStringLiteral(" at ") + ChartText::complex(impedance, 3) + QStringLiteral(" ") +
                       QChar(0x03A9)
                 : QString());
        const std::vector<QRectF> places =
            placesBeside(mark.rect, QSizeF(metrics.horizontalAdvance(text), metrics.height()));
        std::optional<QRectF> place = placer.place(places, rim);
        if (!place)
            place = placer.place(places, rim, true);
        if (place)
            layout.maxima.push_back({*place, text, mark.quantity});
    }
}

// Each beside or on one of the contour's longest segments, at its middle or a third of the way
// along; over points only where there are too many to keep clear of.
void SmithChartRenderer::placeContourLabels(Layout &layout, LabelPlacer &placer,
                                            const QFontMetricsF &metrics) const
{
    const LabelPlacer::Circle rim{layout.mapping.centre(), m_extent * layout.mapping.unitRadius()};
    const bool crowded = pointRadius() < 3.0;
    for (int q = 0; q < int(m_quantities.size()); ++q) {
        for (const QuantityContours::Contour &contour : m_quantities[q].contours()) {
            std::vector<const QLineF *> longest;
            for (const QLineF &segment : contour.segments)
                longest.push_back(&segment);
            const auto tried = longest.begin() + std::min<int>(LabelTries, int(longest.size()));
            std::partial_sort(
                longest.begin(), tried, longest.end(),
                [](const QLineF *p, const QLineF *q) { return p->length() > q->length(); });
            const QString text = ChartText::number(contour.level);
            std::vector<QRectF> places;
            for (auto segment = longest.begin(); segment != tried; ++segment) {
                for (double along : {0.5, 1.0 / 3.0, 2.0 / 3.0}) {
                    const QPointF at = layout.mapping.toChart(gammaOf((*segment)->pointAt(along)));
                    places.push_back(textAt(at + QPointF(3.0, -3.0), text, metrics));
                    places.push_back(textAround(at, text, metrics));
                }
            }
            std::optional<QRectF> place = placer.place(places, rim);
            if (!place && crowded)
                place = placer.place(places, rim, true);
            if (place)
                layout.contours.push_back({*place, text, q});
        }
    }
}

// On the whole chart, resistances first beside the real axis and reactances just outside the
// rim; elsewhere, and where those places are taken, on the line, nearest to where it meets the
// real axis or the rim. Only about the window: a plot wider than it is high shows more of the
// grid at its sides, where the labels of lines crowding towards the open would be clutter.
void SmithChartRenderer::placeGridLabels(Layout &layout, LabelPlacer &placer,
                                         const QFontMetricsF &metrics, const SmithGrid &grid,
                                         const QRectF &window) const
{
    const SmithMapping &mapping = layout.mapping;
    for (const SmithGrid::Line &line : grid.lines()) {
        const QString text = line.label();
        const std::complex<double> anchor =
            SmithMapping::reflectionOf(line.reactance ? std::complex<double>(0.0, line.value)
                                                      : std::complex<double>(line.value, 0.0),
                                       1.0);
        std::vector<std::pair<double, QRectF>> places;
        for (const SmithMapping::Arc &part : line.parts) {
            for (int k = 0; k < GridLabelTries; ++k) {
                const double degrees = part.start + part.sweep * (k + 0.5) / GridLabelTries;
                const std::complex<double> at =
                    part.circle.centre + std::polar(part.circle.radius, qDegreesToRadians(degrees));
                places.emplace_back(std::abs(at - anchor),
                                    textAround(mapping.toChart(at), text, metrics));
            }
        }
        if (grid.showsWhole())
            places.emplace_back(
                -1.0, line.reactance
                          ? textAround(mapping.toChart(anchor * GridLabelReach), text, metrics)
                          : textAt(mapping.toChart(anchor) + QPointF(2.0, -3.0), text, metrics));
        std::sort(places.begin(), places.end(),
                  [](const auto &p, const auto &q) { return p.first < q.first; });
        std::vector<QRectF> rects;
        for (const auto &place : places) {
            if (window.contains(place.second.center()))
                rects.push_back(place.second);
        }
        if (const std::optional<QRectF> rect = placer.place(rects))
            layout.grid.push_back({*rect, text});
    }
}

void SmithChartRenderer::paint(QPainter &painter, const QRectF &area) const
{
    paint(painter, area, window(View::Data));
}

void SmithChartRenderer::paint(QPainter &painter, const QRectF &area,
                               const SmithMapping::Window &window) const
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
    const Layout layout = this->layout(area, QFontMetricsF(painter.font()), window);
    const SmithMapping &mapping = layout.mapping;
    // Only a chart zoomed further than its points reaches past the plot: a vector drawing,
    // which may ignore clipping, never is.
    painter.setClipRect(layout.plot);
    paintGrid(painter, mapping, SmithGrid(mapping, mapping.gammaRect(layout.plot), m_extent));
    if (m_content.admittanceGrid)
        paintAdmittanceGrid(painter, layout);
    // The shade and the contours over the dots, so that many dots do not hide them.
    paintPoints(painter, mapping);
    paintTarget(painter, mapping);
    paintContours(painter, mapping);
    paintLabels(painter, layout);
    painter.setClipping(false);
    paintTexts(painter, area);
    painter.restore();
}

// The admittance grid is the impedance grid turned half round about the chart's centre (Y of
// -Γ is Z of Γ, normalised): the impedance grid of the window turned so, painted turned back,
// dotted.
void SmithChartRenderer::paintAdmittanceGrid(QPainter &painter, const Layout &layout) const
{
    const SmithMapping &mapping = layout.mapping;
    const QRectF window = mapping.gammaRect(layout.plot);
    const QRectF turned(-window.right(), -window.bottom(), window.width(), window.height());
    painter.save();
    painter.translate(mapping.centre());
    painter.rotate(180.0);
    painter.translate(-mapping.centre());
    paintGrid(painter, mapping, SmithGrid(mapping, turned, m_extent), Qt::DotLine);
    painter.restore();
}

void SmithChartRenderer::paintGrid(QPainter &painter, const SmithMapping &mapping,
                                   const SmithGrid &grid, Qt::PenStyle style) const
{
    const auto pathOf = [&mapping](const std::vector<SmithMapping::Arc> &arcs) {
        QPainterPath path;
        for (const SmithMapping::Arc &arc : arcs) {
            const QRectF bounds = mapping.boundsOf(arc.circle);
            path.arcMoveTo(bounds, arc.start);
            path.arcTo(bounds, arc.start, arc.sweep);
        }
        return path;
    };
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(GridColour, 1.0, style));
    for (const SmithGrid::Line &line : grid.lines())
        painter.drawPath(pathOf(line.parts));
    for (const QLineF &axis : grid.axis())
        painter.drawLine(mapping.toChart(gammaOf(axis.p1())), mapping.toChart(gammaOf(axis.p2())));
    painter.setPen(QPen(Qt::black, 1.5));
    painter.drawPath(pathOf(grid.rim()));
    painter.setPen(QPen(GridColour, 1.0, Qt::DashLine));
    painter.drawPath(pathOf(grid.widenedRim()));
}

// One path, filled at once, so that neighbouring parts show no seams; an outline of few edges,
// which fills many times faster than every triangle.
void SmithChartRenderer::paintTarget(QPainter &painter, const SmithMapping &mapping) const
{
    if (!m_target)
        return;
    QPainterPath region;
    region.setFillRule(Qt::OddEvenFill);
    for (const QPolygonF &polygon : m_target->outline()) {
        QPolygonF onChart;
        for (const QPointF &corner : polygon)
            onChart << mapping.toChart(gammaOf(corner));
        region.addPolygon(onChart);
        region.closeSubpath();
    }
    painter.fillPath(region, targetShade());
}
double SmithChartRenderer::pointRadius() const
{
    const std::size_t count = m_shown.size() + m_hollow.size() + m_unfollowed.size();
    if (count <= 300)
        return 3.0;
    return count <= 3000 ? 2.0 : 1.2;
}

// A raster picture takes one dot drawn beforehand at each place, several times faster than
// drawing each dot; a vector drawing keeps true circles. Loads not compressed are rings, loads
// not followed crosses.
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
    for (const std::complex<double> &gamma : m_unfollowed) {
        const QPointF at = mapping.toChart(gamma);
        painter.drawLine(at + QPointF(-radius, -radius), at + QPointF(radius, radius));
        painter.drawLine(at + QPointF(-radius, radius), at + QPointF(radius, -radius));
    }
}

// Solid lines segment by segment; dashed ones joined into lines first, so that their dashes run
// on across the segments rather than start again at each. A noisy level breaks into many short
// lines, each shorter than a dash: the pattern runs on from one to the next, so that they show
// dashed, not as solid bits.
void SmithChartRenderer::paintContours(QPainter &painter, const SmithMapping &mapping) const
{
    const auto onChart = [&mapping](const QPointF &point) {
        return mapping.toChart(gammaOf(point));
    };
    painter.setBrush(Qt::NoBrush);
    for (int q = 0; q < int(m_quantities.size()); ++q) {
        const QPen pen = contourPen(q);
        painter.setPen(pen);
        for (const QuantityContours::Contour &contour : m_quantities[q].contours()) {
            if (pen.style() == Qt::SolidLine) {
                std::vector<QLineF> lines;
                for (const QLineF &segment : contour.segments)
                    lines.emplace_back(onChart(segment.p1()), onChart(segment.p2()));
                painter.drawLines(lines.data(), int(lines.size()));
                continue;
            }
            QPen dashed = pen;
            for (const QPolygonF &line : ContourTracer::joined(contour.segments)) {
                QPolygonF mapped;
                for (const QPointF &point : line)
                    mapped << onChart(point);
                painter.setPen(dashed);
                painter.drawPolyline(mapped);
                dashed.setDashOffset(dashed.dashOffset() + lengthOf(mapped) / pen.widthF());
            }
        }
    }
}

// On a pale ground, so that the lines beneath leave them legible.
void SmithChartRenderer::paintLabels(QPainter &painter, const Layout &layout) const
{
    for (const std::vector<Label> *labels : {&layout.grid, &layout.contours, &layout.maxima}) {
        for (const Label &label : *labels) {
            painter.fillRect(label.rect, LabelGround);
            painter.setPen(label.quantity < 0 ? QColor(Qt::darkGray)
                                              : quantityColour(label.quantity));
            painter.drawText(label.rect, Qt::AlignCenter, label.text);
        }
    }
    for (const Label &mark : layout.marks)
        paintMark(painter, mark.rect.center(), mark.quantity);
}

QString SmithChartRenderer::contouredNote() const
{
    // A load not followed may reach it: only with none such can no load.
    if (m_content.compression && m_shown.empty())
        return m_unfollowed.empty()
                   ? tr("No load reaches %1 dB compression").arg(*m_content.compression)
                   : tr("No load followed to %1 dB compression").arg(*m_content.compression);
    return m_content.compression ? tr("Loads at compression only") : tr("Measured points only");
}

QString SmithChartRenderer::targetNote() const
{
    QStringList bounds;
    for (const SmithChartContent::Target &target : m_content.targets)
        bounds << target.quantity.name +
                      (target.bound.atLeast ? QStringLiteral(" >= ") : QStringLiteral(" <= ")) +
                      ChartText::withUnit(target.bound.value, target.quantity.unit, 6);
    const QString target = bounds.join(QStringLiteral(", "));
    const int met = int(m_target->met().size());
    if (!m_target->empty())
        return tr("Target %1: met in the shaded region, at %2 of %3 points")
            .arg(target)
            .arg(met)
            .arg(m_shown.size());
    if (met > 0)
        return tr("Target %1: met at %2 of %3 points, but in no region of any size")
            .arg(target)
            .arg(met)
            .arg(m_shown.size());
    return tr("Target %1: met nowhere in the measured region").arg(target);
}

std::vector<SmithChartRenderer::Note> SmithChartRenderer::notes() const
{
    std::vector<Note> notes;
    if (m_quantities.empty() || (m_content.compression && m_shown.empty()))
        notes.push_back({contouredNote()});
    else
        for (int q = 0; q < int(m_quantities.size()); ++q)
            notes.push_back({m_quantities[q].note(m_content.gammas), q});
    if (m_target)
        notes.push_back({targetNote(), -1, true});
    notes.push_back({pointNote()});
    if (!m_content.remark.isEmpty())
        notes.push_back({m_content.remark});
    return notes;
}

QString SmithChartRenderer::noteText() const
{
    QStringList lines;
    for (const Note &note : notes())
        lines << note.text;
    return lines.join(QLatin1Char('\n'));
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
    if (!m_unfollowed.empty())
        note += (m_unfollowed.size() == 1
                     ? tr("; 1 load could not be followed across drive levels (x)")
                     : tr("; %1 loads could not be followed across drive levels (x)")
                           .arg(m_unfollowed.size()));
    if (m_content.duplicates > 0)
        note += (m_content.duplicates == 1
                     ? tr("; 1 row repeats a load measured before: its first row is kept")
                     : tr("; %1 rows repeat loads measured before: the first row of each is kept")
                           .arg(m_content.duplicates));
    if (m_beyond > 0)
        note += tr("; %1 beyond |gamma| = %2 not shown").arg(m_beyond).arg(MaximumExtent);
    return note;
}

QString SmithChartRenderer::readout(std::complex<double> gamma) const
{
    const QString ohm(QChar(0x03A9));
    const std::complex<double> impedance =
        SmithMapping::impedanceOf(gamma, m_content.referenceImpedance);
    QStringList parts;
    parts << QString(QChar(0x0393)) + QStringLiteral(" = ") + ChartText::complex(gamma) +
                 QStringLiteral(" (") + ChartText::number(std::abs(gamma)) + QStringLiteral(" ") +
                 QChar(0x2220) + QStringLiteral(" ") +
                 ChartText::number(qRadiansToDegrees(std::arg(gamma))) + QChar(0x00B0) +
                 QLatin1Char(')');
    parts << QStringLiteral("Z = ") + (std::isfinite(std::abs(impedance))
                                           ? ChartText::complex(impedance) + QLatin1Char(' ') + ohm
                                           : QString(QChar(0x221E)));
    for (const QuantityContours &quantity : m_quantities) {
        const std::optional<double> value = quantity.valueAt(gamma);
        parts << (value ? quantity.name() + QStringLiteral(" = ") +
                              ChartText::withUnit(*value, quantity.unit())
                        : tr("%1: outside the measured region").arg(quantity.name()));
    }
    if (m_target) {
        const std::optional<bool> holds = m_target->holdsAt(gamma);
        parts << (!holds   ? tr("target: outside the measured region")
                  : *holds ? tr("in the target region")
                           : tr("outside the target region"));
    }
    return parts.join(QStringLiteral("; "));
}

QString SmithChartRenderer::tr(const char *text)
{
    return QCoreApplication::translate("SmithChartRenderer", text);
}

// The title in bold, as high as a bold line and free to reach below it: a rectangle that
// clipped it would cut off the underscores of names such as gamma_ld1. The notes below, each
// after its key.
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
    const NoteLayout notes = noteLayout(area, QFontMetricsF(painter.font()));
    const double keyWidth = notes.keyWidth;
    double top = area.bottom() -
                 (double(std::accumulate(notes.rows.begin(), notes.rows.end(), 0)) + 0.3) * line;
    for (std::size_t i = 0; i < notes.notes.size(); ++i) {
        const QRectF text(area.left() + 4.0 + keyWidth, top,
                          std::max(line, area.width() - 8.0 - keyWidth), notes.rows[i] * line);
        paintKey(painter, notes.notes[i],
                 QRectF(area.left() + 4.0, top, keyWidth - 0.5 * line, line));
        painter.setPen(Qt::black);
        painter.drawText(text, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                         notes.notes[i].text);
        top += notes.rows[i] * line;
    }
}

void SmithChartRenderer::paintKey(QPainter &painter, const Note &note, const QRectF &key) const
{
    if (note.quantity >= 0) {
        painter.setPen(contourPen(note.quantity));
        painter.drawLine(QPointF(key.left(), key.center().y()),
                         QPointF(key.right(), key.center().y()));
        if (m_quantities[note.quantity].maximum())
            paintMark(painter, key.center(), note.quantity);
    } else if (note.target) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(targetShade());
        painter.drawRect(key.adjusted(0.0, 2.0, 0.0, -2.0));
    }
}
