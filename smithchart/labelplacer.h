#pragma once

#include <QPointF>
#include <QRectF>

#include <optional>
#include <vector>

// Where labels may go on a chart: inside its bounds (and, when given, inside a circle), clear of
// labels and marks placed before, and off the points' dots, which a label's pale ground would
// hide. The dots are kept in cells of a few pixels, so that a chart of many points is asked
// about as fast as one of few.
class LabelPlacer
{
public:
    struct Circle
    {
        QPointF centre;
        double radius = 0.0;
    };

    LabelPlacer(const QRectF &bounds, const std::vector<QPointF> &dots, double dotRadius);

    void take(const QRectF &rect) { m_taken.push_back(rect); }
    // Whether a label may go there: inside the bounds and the circle, clear of what is taken
    // and, unless it may go over them, of the dots.
    bool free(const QRectF &rect, const std::optional<Circle> &within = std::nullopt,
              bool overDots = false) const;
    // The first free place of those given, taken; or none.
    std::optional<QRectF> place(const std::vector<QRectF> &candidates,
                                const std::optional<Circle> &within = std::nullopt,
                                bool overDots = false);

private:
    static constexpr double CellSize = 4.0;

    int cellIndex(double offset, int count) const;
    bool coversDots(const QRectF &rect) const;

    QRectF m_bounds;
    int m_columns = 0;
    int m_rows = 0;
    std::vector<bool> m_dotted;
    std::vector<QRectF> m_taken;
};
