#include "targetregion.h"

#include <algorithm>

// A corner of a polygon with how far each bound's quantity lies inside its bound there (above
// an at-least bound, below an at-most one), which is linear along the polygon's edges too.
struct TargetRegion::Corner
{
    QPointF place;
    std::vector<double> margins;
};

namespace {

double areaOf(const QPolygonF &polygon)
{
    double twice = 0.0;
    for (int i = 0; i < polygon.size(); ++i) {
        const QPointF &p = polygon[i], &q = polygon[(i + 1) % polygon.size()];
        twice += p.x() * q.y() - q.x() * p.y();
    }
    return twice / 2.0;
}

double marginOf(const TargetBound &bound, double value)
{
    return bound.atLeast ? value - bound.value : bound.value - value;
}

} // namespace

TargetRegion::TargetRegion(const std::vector<SmithChartContent::Target> &targets,
                           std::shared_ptr<const MeasuredMesh> mesh)
    : m_mesh(std::move(mesh))
{
    for (const SmithChartContent::Target &target : targets) {
        m_bounds.push_back(target.bound);
        std::vector<double> values;
        for (int i : m_mesh->used())
            values.push_back(target.quantity.values[i]);
        m_values.push_back(std::move(values));
    }
    for (std::size_t point = 0; point < m_mesh->used().size(); ++point) {
        bool holds = true;
        for (std::size_t k = 0; k < m_bounds.size(); ++k)
            holds = holds && m_bounds[k].holdsFor(m_values[k][point]);
        if (holds)
            m_met.push_back(m_mesh->used()[point]);
    }
    for (const DelaunayTriangulation::Triangle &triangle : m_mesh->triangles())
        cut(triangle);
}

// The triangle cut down bound by bound, each cut keeping the part where the margin is not
// negative (Sutherland and Hodgman's clipping against one line).
void TargetRegion::cut(const DelaunayTriangulation::Triangle &triangle)
{
    std::vector<Corner> polygon;
    for (int i : {triangle.a, triangle.b, triangle.c}) {
        Corner corner{m_mesh->plane()[i], {}};
        for (std::size_t k = 0; k < m_bounds.size(); ++k)
            corner.margins.push_back(marginOf(m_bounds[k], m_values[k][i]));
        polygon.push_back(std::move(corner));
    }
    for (std::size_t k = 0; k < m_bounds.size() && !polygon.empty(); ++k) {
        std::vector<Corner> kept;
        for (std::size_t i = 0; i < polygon.size(); ++i) {
            const Corner &p = polygon[i], &q = polygon[(i + 1) % polygon.size()];
            const double atP = p.margins[k], atQ = q.margins[k];
            if (atP >= 0.0)
                kept.push_back(p);
            if ((atP >= 0.0) != (atQ >= 0.0)) {
                const double t = atP / (atP - atQ);
                Corner crossing{p.place + t * (q.place - p.place), {}};
                for (std::size_t j = 0; j < p.margins.size(); ++j)
                    crossing.margins.push_back(p.margins[j] + t * (q.margins[j] - p.margins[j]));
                crossing.margins[k] = 0.0;
                kept.push_back(std::move(crossing));
            }
        }
        polygon = std::move(kept);
    }
    QPolygonF region;
    for (const Corner &corner : polygon)
        region << corner.place;
    const double area = areaOf(region);
    if (region.size() >= 3 && area > 0.0) {
        m_polygons.push_back(region);
        m_area += area;
    }
}

std::optional<bool> TargetRegion::holdsAt(std::complex<double> gamma) const
{
    const int triangle = m_mesh->triangleAt(gamma);
    if (triangle < 0)
        return std::nullopt;
    for (std::size_t k = 0; k < m_bounds.size(); ++k) {
        if (!m_bounds[k].holdsFor(m_mesh->valueIn(triangle, gamma, m_values[k])))
            return false;
    }
    return true;
}
