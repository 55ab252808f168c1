#pragma once

#include "delaunaytriangulation.h"

#include <QPointF>

#include <vector>

// The triangles of a mesh by the cells of a square grid over its points, about one triangle to
// a cell: a triangle is listed in every cell its bounding box meets, so that the triangles that
// may hold a place are those of the place's cell, and finding the one that does costs about the
// same for every place, however many triangles there are.
class TriangleGrid
{
public:
    TriangleGrid() = default;
    TriangleGrid(const std::vector<QPointF> &points,
                 const std::vector<DelaunayTriangulation::Triangle> &triangles);

    // The triangles that may hold the place, in ascending order; none for a place that is not
    // finite.
    const std::vector<int> &candidatesAt(const QPointF &place) const;

private:
    int cellOf(double coordinate, double low) const;

    double m_left = 0.0;
    double m_bottom = 0.0;
    double m_cellSize = 1.0;
    int m_side = 0;
    std::vector<std::vector<int>> m_cells;
};
