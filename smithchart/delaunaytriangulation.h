#pragma once

#include <QPointF>

#include <vector>

// The Delaunay triangulation of scattered points, by Bowyer and Watson's insertion: each point
// in turn replaces the triangles whose circumcircles hold it by a fan around it. The points are
// inserted along a Hilbert curve and each is found by walking from the last triangle made, so
// that finding it and its cavity costs about the same for every point: tens of thousands of
// points take tens of milliseconds. The hull is closed by triangles with a corner at infinity
// rather than by a large enclosing triangle, so thin point sets keep every hull triangle. Every
// test of a point against a line or a circle is exact (ExactPredicates), so any points give a
// valid Delaunay triangulation of their convex hull, however nearly they lie on lines or
// circles.
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

    // Points that are not finite are left out, and so is every point after the first at
    // exactly the same place. Fewer than three places, or all of them on one line, give no
    // triangles.
    static std::vector<Triangle> of(const std::vector<QPointF> &points);
};
