#pragma once

#include "delaunaytriangulation.h"

#include <QLineF>
#include <QPointF>
#include <QPolygonF>

#include <vector>

// Where a function known at the corners of triangles takes a given value, with the function
// taken as linear inside each triangle: one segment per triangle that the level crosses.
class ContourTracer
{
public:
    // A corner whose value equals the level counts as above it, so that a level through a
    // corner gives one segment, not two of no length; a level that only touches a triangle at
    // a corner gives none.
    static std::vector<QLineF>
    segments(const std::vector<QPointF> &points, const std::vector<double> &values,
             const std::vector<DelaunayTriangulation::Triangle> &triangles, double level);
    // The segments of one level joined where they meet, into as few lines as they make.
    static std::vector<QPolygonF> joined(const std::vector<QLineF> &segments);
};
