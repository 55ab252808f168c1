#pragma once

#include <QPointF>

// The two questions a Delaunay triangulation asks of its points, answered exactly for any
// finite coordinates: no rounding ever turns a point on a line or a circle into one beside it,
// or the other way round. Each is first worked out in double arithmetic with a proven bound on
// its rounding error; only when the answer lies within that bound of zero (points on, or within
// a few ulps of, a line or a circle) is it worked out again in integer arithmetic, exactly.
class ExactPredicates
{
public:
    // 1 when a, b, c turn counter-clockwise (c lies left of the line from a to b, in a plane
    // whose y axis points up), -1 when clockwise, 0 when they lie on one line.
    static int orientation(const QPointF &a, const QPointF &b, const QPointF &c);
    // For a, b, c counter-clockwise: 1 when d lies inside the circle through them, -1 when
    // outside, 0 on it. The sign turns over for a, b, c clockwise.
    static int inCircle(const QPointF &a, const QPointF &b, const QPointF &c, const QPointF &d);
};
