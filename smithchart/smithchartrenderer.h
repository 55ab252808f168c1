#pragma once

#include "measuredmesh.h"
#include "quantitycontours.h"
#include "smithchartcontent.h"
#include "smithgrid.h"
#include "smithmapping.h"
#include "targetregion.h"

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

class LabelPlacer;
class QFontMetricsF;
class QPainter;

// Draws a Smith chart with QPainter: the grid, the points, the contours of up to two
// quantities, each in its own colour and line style with its highest value marked, and the
// target region shaded; a title above and notes below, with a key beside each. What it draws is
// worked out once, on construction; painting fits it to any area and window of the plane.
//
// Points beyond the unit circle (active load pull) widen the chart up to |gamma| =
// MaximumExtent; points farther out are left out and counted in a note. Points or values that
// are not finite are left out. At gain compression, the loads whose gain never compresses as
// far are drawn hollow, and those that could not be followed across the drive levels as
// crosses; both are counted in the note. Labels go where they cover no other label, no mark and
// no point, inside the chart; a contour with no such place goes unlabelled.
class SmithChartRenderer
{
public:
    static constexpr double MaximumExtent = 2.0;

    // The measured region with a margin about it, or the whole chart.
    enum class View { Data, Full };

    struct Label
    {
        QRectF rect;
        QString text;
        int quantity = -1; // in that quantity's colour; the grid's in grey
    };

    // Where things go when the chart is painted into an area, in its pixels.
    struct Layout
    {
        SmithMapping mapping{QPointF(), 1.0};
        QRectF plot; // the area less the title and the notes: the chart is cut to it
        std::vector<Label> grid;
        std::vector<Label> marks;    // the highest values' marks (with no text)
        std::vector<Label> maxima;   // their labels, where there is room for one
        std::vector<Label> contours; // at most one for each contour of each quantity
    };

    // A line of the notes below the chart, with the key drawn before it.
    struct Note
    {
        QString text;
        int quantity = -1;   // the line style and mark of this quantity
        bool target = false; // the target region's shade
    };

    explicit SmithChartRenderer(SmithChartContent content = {});

    static QColor pointColour();
    // The colour of a contoured quantity's lines, labels and mark, by its position.
    static QColor quantityColour(int quantity);
    static QColor targetColour();

    SmithMapping::Window window(View view) const;
    Layout layout(const QRectF &area, const QFontMetricsF &metrics,
                  const SmithMapping::Window &window) const;
    SmithMapping mappingFor(const QRectF &area, const QFontMetricsF &metrics,
                            const SmithMapping::Window &window) const;
    void paint(QPainter &painter, const QRectF &area, const SmithMapping::Window &window) const;
    void paint(QPainter &painter, const QRectF &area) const;

    // The lines below the chart: what each quantity's contours show, the target, the points.
    std::vector<Note> notes() const;
    QString noteText() const; // the notes' texts, a line each
    QString pointNote() const;
    // Smaller where there are many, so that the dots leave the contours between them visible.
    double pointRadius() const;
    // Gamma, the impedance there, each contoured quantity there and whether the target holds,
    // for a read-out.
    QString readout(std::complex<double> gamma) const;

    const SmithChartContent &content() const { return m_content; }
    double extent() const { return m_extent; }
    // The gammas drawn, as positions in the content's.
    const std::vector<int> &shown() const { return m_shown; }
    const std::vector<QuantityContours> &quantities() const { return m_quantities; }
    const std::optional<TargetRegion> &target() const { return m_target; }

private:
    QColor targetShade() const; // the target's shade as drawn, over these points
    void placePoints();
    std::shared_ptr<const MeasuredMesh>
    meshOf(const std::vector<const std::vector<double> *> &values);
    QRectF plotArea(const QRectF &area, const QFontMetricsF &metrics) const;
    struct NoteLayout
    {
        std::vector<Note> notes;
        std::vector<int> rows; // the lines each note takes
        double keyWidth = 0.0;
    };
    NoteLayout noteLayout(const QRectF &area, const QFontMetricsF &metrics) const;
    std::vector<QPointF> dots(const SmithMapping &mapping) const;
    void placeMaxima(Layout &layout, LabelPlacer &placer, const QFontMetricsF &metrics) const;
    void placeContourLabels(Layout &layout, LabelPlacer &placer,
                            const QFontMetricsF &metrics) const;
    void placeGridLabels(Layout &layout, LabelPlacer &placer, const QFontMetricsF &metrics,
                         const SmithGrid &grid, const QRectF &window) const;
    QString contouredNote() const;
    QString targetNote() const;
    static QString tr(const char *text);
    void paintGrid(QPainter &painter, const SmithMapping &mapping, const SmithGrid &grid,
                   Qt::PenStyle style = Qt::SolidLine) const;
    void paintAdmittanceGrid(QPainter &painter, const Layout &layout) const;
    void paintTarget(QPainter &painter, const SmithMapping &mapping) const;
    void paintPoints(QPainter &painter, const SmithMapping &mapping) const;
    void paintContours(QPainter &painter, const SmithMapping &mapping) const;
    void paintLabels(QPainter &painter, const Layout &layout) const;
    void paintTexts(QPainter &painter, const QRectF &area) const;
    void paintKey(QPainter &painter, const Note &note, const QRectF &key) const;

    SmithChartContent m_content;
    double m_extent = 1.0;
    std::vector<int> m_shown;                       // the gammas drawn
    std::vector<std::complex<double>> m_hollow;     // the uncompressed loads drawn
    std::vector<std::complex<double>> m_unfollowed; // the loads not followed, drawn
    int m_beyond = 0;                               // places too far out to draw
    std::vector<std::shared_ptr<const MeasuredMesh>> m_meshes;
    std::vector<QuantityContours> m_quantities;
    std::optional<TargetRegion> m_target;
};
