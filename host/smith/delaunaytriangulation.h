#pragma once

#include <QPointF>

#include <vector>

// The Delaunay triangulation of scattered points, by Bowyer and Watson's insertion: each point
// in turn replaces the triangles whose circumcircles hold it by a fan around it. The charts
// triangulate a few hundred measured points, for which its quadratic worst case costs nothing.
class DelaunayTriangulation
{
public:
    // Indices into the points, counter-clockwise in a plane whose y axis points up.
    struct Triangle
    {
        int a = 0;
        int b = 0;
        int c = 0;
    };

    // Points that are not finite are left out, and so is every point after the first at the
    // same place. Fewer than three points, or all of them on one line, give no triangles.
    static std::vector<Triangle> of(const std::vector<QPointF> &points);
};
