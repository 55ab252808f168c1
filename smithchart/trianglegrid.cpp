#include "trianglegrid.h"

#include <algorithm>
#include <cmath>
#include <numeric>

TriangleGrid::TriangleGrid(const std::vector<QPointF> &points,
                           const std::vector<DelaunayTriangulation::Triangle> &triangles)
{
    if (triangles.empty())
        return;
    double right = points.front().x(), top = points.front().y();
    m_left = right;
    m_bottom = top;
    for (const QPointF &point : points) {
        m_left = std::min(m_left, point.x());
        m_bottom = std::min(m_bottom, point.y());
        right = std::max(right, point.x());
        top = std::max(top, point.y());
    }
    m_side = std::max(1, int(std::sqrt(double(triangles.size()))));
    m_cellSize = std::max(right - m_left, top - m_bottom) / m_side;
    if (!(m_cellSize > 0.0))
        m_cellSize = 1.0;
    // Counted first, then listed: one block for all the cells.
    m_starts.assign(std::size_t(m_side) * m_side + 1, 0);
    forEachCell(points, triangles, [this](std::size_t cell, int) { ++m_starts[cell + 1]; });
    std::partial_sum(m_starts.begin(), m_starts.end(), m_starts.begin());
    m_listed.resize(std::size_t(m_starts.back()));
    std::vector<int> filled(m_starts.begin(), m_starts.end() - 1);
    forEachCell(points, triangles,
                [&](std::size_t cell, int triangle) { m_listed[filled[cell]++] = triangle; });
}

// Each cell that each triangle's bounding box meets, triangle by triangle in ascending order.
template<typename Visit>
void TriangleGrid::forEachCell(const std::vector<QPointF> &points,
                               const std::vector<DelaunayTriangulation::Triangle> &triangles,
                               Visit visit) const
{
    for (std::size_t i = 0; i < triangles.size(); ++i) {
        const DelaunayTriangulation::Triangle &t = triangles[i];
        const QPointF corners[] = {points[t.a], points[t.b], points[t.c]};
        const auto [lowX, highX] = std::minmax({corners[0].x(), corners[1].x(), corners[2].x()});
        const auto [lowY, highY] = std::minmax({corners[0].y(), corners[1].y(), corners[2].y()});
        for (int row = cellOf(lowY, m_bottom); row <= cellOf(highY, m_bottom); ++row) {
            for (int column = cellOf(lowX, m_left); column <= cellOf(highX, m_left); ++column)
                visit(std::size_t(row) * m_side + column, int(i));
        }
    }
}

// Monotone in the coordinate, so that a place in a triangle's bounding box falls in one of the
// cells the triangle is listed in.
int TriangleGrid::cellOf(double coordinate, double low) const
{
    return std::clamp(int((coordinate - low) / m_cellSize), 0, m_side - 1);
}

TriangleGrid::Cell TriangleGrid::candidatesAt(const QPointF &place) const
{
    if (m_side == 0 || !std::isfinite(place.x()) || !std::isfinite(place.y()))
        return {};
    const std::size_t cell =
        std::size_t(cellOf(place.y(), m_bottom)) * m_side + cellOf(place.x(), m_left);
    return {m_listed.data() + m_starts[cell], m_listed.data() + m_starts[cell + 1]};
}
