#pragma once

#include "smithchartcontent.h"
#include "smithmapping.h"

#include <QColor>
#include <QLineF>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <optional>
#include <vector>

class QFontMetricsF;
class QPainter;

// Draws a Smith chart with QPainter: the unit circle, circles of constant resistance and arcs
// of constant reactance at the grid values, labelled; the measured points; contours of the
// chosen quantity over the triangles between the points; the highest value, marked. What it
// draws is worked out once, on construction; painting only maps it into the area given.
//
// Points beyond the unit circle (active load pull) widen the chart up to |gamma| =
// MaximumExtent; points farther out are left out and counted in a note. Points or values that
// are not finite are left out; one point, or points on one line, give no contours, and neither
// does a quantity of one value everywhere. Labels are placed where they cover no other label
// and stay inside the picture; a contour with no such place goes unlabelled.
class SmithChartRenderer
{
public:
    static constexpr double MaximumExtent = 2.0;
    static constexpr double GridValues[] = {0.2, 0.5, 1.0, 2.0, 5.0};

    struct Contour
    {
        double level = 0.0;
        std::vector<QLineF> segments; // in the plane of the reflection coefficient
    };

    // Why the chart shows the contours it does.
    enum class Contouring { PointsOnly, NoFiniteValues, Constant, SpanTooWide, OnOneLine, Drawn };

    struct Label
    {
        QRectF rect;
        QString text;
    };

    explicit SmithChartRenderer(SmithChartContent content = {});

    // The colours of the measured points' dots and of the highest value's.
    static QColor pointColour();
    static QColor maximumColour();

    // Where the chart lies when painted into `area` with a font of these metrics.
    SmithMapping mappingFor(const QRectF &area, const QFontMetricsF &metrics) const;
    void paint(QPainter &painter, const QRectF &area) const;

    // Where the labels go when painted into `area` with a font of these metrics: the grid's,
    // the highest value's (none when there is no highest), the contours' (at most one each).
    std::vector<Label> gridLabels(const QRectF &area, const QFontMetricsF &metrics) const;
    std::optional<Label> maximumLabel(const QRectF &area, const QFontMetricsF &metrics) const;
    std::vector<Label> contourLabels(const QRectF &area, const QFontMetricsF &metrics) const;
    // The two lines below the chart: what the contours show, and how many points.
    QString contourNote() const;
    QString pointNote() const;
    // Smaller where there are many, so that the dots leave the contours between them visible.
    double pointRadius() const;

    const SmithChartContent &content() const { return m_content; }
    double extent() const { return m_extent; }
    const std::vector<Contour> &contours() const { return m_contours; }
    // The point of the highest value, as an index into the content's gammas.
    std::optional<int> maximum() const { return m_maximum; }
    Contouring contouring() const { return m_contouring; }

private:
    void placePoints();
    void traceContours();
    void traceLevels(const std::vector<QPointF> &points, const std::vector<double> &values,
                     double lowest, double highest);
    QString maximumText() const;
    static QString tr(const char *text);
    void paintGrid(QPainter &painter, const SmithMapping &mapping) const;
    void paintContours(QPainter &painter, const SmithMapping &mapping) const;
    void paintPoints(QPainter &painter, const SmithMapping &mapping) const;
    void paintMaximum(QPainter &painter, const QRectF &area) const;
    void paintTexts(QPainter &painter, const QRectF &area) const;

    SmithChartContent m_content;
    double m_extent = 1.0;
    std::vector<int> m_shown;  // the gammas drawn
    std::vector<int> m_valued; // the gammas drawn whose value is finite
    int m_beyond = 0;          // gammas too far out to draw
    std::vector<Contour> m_contours;
    double m_step = 0.0;
    std::optional<int> m_maximum;
    Contouring m_contouring = Contouring::PointsOnly;
};
