#pragma once

#include "delaunaytriangulation.h"
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
// of constant reactance at the grid values, labelled; the points; contours of the chosen
// quantity over the triangles between the points; the highest value, marked. What it draws is
// worked out once, on construction; painting only maps it into the area given.
//
// Points beyond the unit circle (active load pull) widen the chart up to |gamma| =
// MaximumExtent; points farther out are left out and counted in a note. Points or values that
// are not finite are left out; one point, or points on one line, give no contours, and neither
// does a quantity of one value everywhere. At gain compression, the loads whose gain never
// compresses as far are drawn hollow and counted in the note. Labels are placed where they
// cover no other label and no mark, and stay inside the chart's circle and the picture; a
// contour with no such place goes unlabelled.
class SmithChartRenderer
{
public:
    static constexpr double MaximumExtent = 2.0;
    static constexpr double GridValues[] = {0.2, 0.5, 1.0, 2.0, 5.0};
    // The data files name no reference impedance: impedances are read at 50 Ohm.
    static constexpr double ReferenceImpedance = 50.0;

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

    // The colours of the points' dots and of the highest value's.
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
    // The highest value's red dot.
    std::optional<QRectF> maximumMark(const QRectF &area, const QFontMetricsF &metrics) const;
    // The two lines below the chart: what the contours show, and how many points.
    QString contourNote() const;
    QString pointNote() const;
    // Smaller where there are many, so that the dots leave the contours between them visible.
    double pointRadius() const;

    // The contoured quantity at gamma, linear inside each triangle as the contours take it;
    // nothing outside the triangles.
    std::optional<double> valueAt(std::complex<double> gamma) const;
    // Gamma, the impedance there, and the contoured quantity there, for a read-out.
    QString readout(std::complex<double> gamma) const;

    const SmithChartContent &content() const { return m_content; }
    double extent() const { return m_extent; }
    // The gammas drawn, as indices into the content's, and the triangles between those with a
    // finite value, as indices into valued().
    const std::vector<int> &shown() const { return m_shown; }
    const std::vector<int> &valued() const { return m_valued; }
    const std::vector<DelaunayTriangulation::Triangle> &triangles() const { return m_triangles; }
    // Every level of the quantity's step between its lowest and highest value, and the
    // contours of those that cross a triangle.
    const std::vector<double> &levels() const { return m_levels; }
    const std::vector<Contour> &contours() const { return m_contours; }
    // The point of the highest value, as an index into the content's gammas.
    std::optional<int> maximum() const { return m_maximum; }
    Contouring contouring() const { return m_contouring; }

private:
    void placePoints();
    void traceContours();
    void traceLevels(double lowest, double highest);
    QString maximumText() const;
    static QString tr(const char *text);
    void paintGrid(QPainter &painter, const SmithMapping &mapping) const;
    void paintContours(QPainter &painter, const SmithMapping &mapping) const;
    void paintPoints(QPainter &painter, const SmithMapping &mapping) const;
    void paintMaximum(QPainter &painter, const QRectF &area) const;
    static void paintLabel(QPainter &painter, const Label &label);
    void paintTexts(QPainter &painter, const QRectF &area) const;

    SmithChartContent m_content;
    double m_extent = 1.0;
    std::vector<int> m_shown;                   // the gammas drawn
    std::vector<int> m_valued;                  // the gammas drawn whose value is finite
    std::vector<std::complex<double>> m_hollow; // the uncompressed loads drawn
    int m_beyond = 0;                           // gammas too far out to draw
    std::vector<QPointF> m_plane;               // the valued gammas and their values
    std::vector<double> m_planeValues;
    std::vector<DelaunayTriangulation::Triangle> m_triangles;
    std::vector<double> m_levels;
    std::vector<Contour> m_contours;
    double m_step = 0.0;
    std::optional<int> m_maximum;
    Contouring m_contouring = Contouring::PointsOnly;
};
