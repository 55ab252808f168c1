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
    // The triangles listed in one cell, in ascending order.
    struct Cell
    {
        const int *first = nullptr;
        const int *last = nullptr;
        const int *begin() const { return first; }
        const int *end() const { return last; }
    };

    TriangleGrid() = default;
    TriangleGrid(const std::vector<QPointF> &points,
                 const std::vector<DelaunayTriangulation::Triangle> &triangles);

    // The triangles that may hold the place; none for a place that is not finite.
    Cell candidatesAt(const QPointF &place) const;

private:
    int cellOf(double coordinate, double low) const;
    template<typename Visit>
    void forEachCell(const std::vector<QPointF> &points,
                     const std::vector<DelaunayTriangulation::Triangle> &triangles,
                     Visit visit) const;

    double m_left = 0.0;
    double m_bottom = 0.0;
    double m_cellSize = 1.0;
    int m_side = 0;
    // The triangles of cell k are m_listed[m_starts[k]] up to m_listed[m_starts[k + 1]].
    std::vector<int> m_starts;
    std::vector<int> m_listed;
};
