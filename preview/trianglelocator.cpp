#include "trianglelocator.h"

#include "exactpredicates.h"
#include "measuredmesh.h"

#include <algorithm>
#include <cmath>

TriangleLocator::TriangleLocator(const MeasuredMesh &mesh)
    : m_mesh(mesh)
{
    const std::vector<QPointF> &plane = mesh.plane();
    if (mesh.triangles().empty())
        return;
    double right = plane.front().x(), top = plane.front().y();
    m_left = right;
    m_bottom = top;
    for (const QPointF &point : plane) {
        m_left = std::min(m_left, point.x());
        m_bottom = std::min(m_bottom, point.y());
        right = std::max(right, point.x());
        top = std::max(top, point.y());
    }
    m_side = std::max(1, int(std::sqrt(double(mesh.triangles().size()))));
    m_cellSize = std::max(right - m_left, top - m_bottom) / m_side;
    if (!(m_cellSize > 0.0))
        m_cellSize = 1.0;
    m_cells.resize(std::size_t(m_side) * m_side);
    for (std::size_t i = 0; i < mesh.triangles().size(); ++i) {
        const DelaunayTriangulation::Triangle &t = mesh.triangles()[i];
        const QPointF corners[] = {plane[t.a], plane[t.b], plane[t.c]};
        const auto [lowX, highX] = std::minmax({corners[0].x(), corners[1].x(), corners[2].x()});
        const auto [lowY, highY] = std::minmax({corners[0].y(), corners[1].y(), corners[2].y()});
        for (int row = cellOf(lowY, m_bottom); row <= cellOf(highY, m_bottom); ++row) {
            for (int column = cellOf(lowX, m_left); column <= cellOf(highX, m_left); ++column)
                m_cells[std::size_t(row) * m_side + column].push_back(int(i));
        }
    }
}

int TriangleLocator::cellOf(double coordinate, double low) const
{
    return std::clamp(int((coordinate - low) / m_cellSize), 0, m_side - 1);
}

int TriangleLocator::triangleAt(std::complex<double> place) const
{
    if (m_cells.empty() || !std::isfinite(place.real()) || !std::isfinite(place.imag()))
        return -1;
    const QPointF p(place.real(), place.imag());
    const std::vector<QPointF> &plane = m_mesh.plane();
    const std::vector<int> &cell =
        m_cells[std::size_t(cellOf(p.y(), m_bottom)) * m_side + cellOf(p.x(), m_left)];
    for (int i : cell) {
        const DelaunayTriangulation::Triangle &t = m_mesh.triangles()[i];
        if (ExactPredicates::orientation(plane[t.a], plane[t.b], p) >= 0 &&
            ExactPredicates::orientation(plane[t.b], plane[t.c], p) >= 0 &&
            ExactPredicates::orientation(plane[t.c], plane[t.a], p) >= 0)
            return i;
    }
    return -1;
}
