#include "targetregion.h"

#include "contourtracer.h"

#include <QLineF>

#include <algorithm>
#include <tuple>

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
    for (int point = 0; point < int(m_mesh->used().size()); ++point) {
        bool holds = true;
        for (std::size_t k = 0; k < m_bounds.size(); ++k)
            holds = holds && marginAt(k, point) >= 0.0;
        if (holds)
            m_met.push_back(m_mesh->used()[point]);
    }
    const std::vector<DelaunayTriangulation::Triangle> &triangles = m_mesh->triangles();
    for (int i = 0; i < int(triangles.size()); ++i) {
        if (holdsAtEveryCorner(triangles[i])) {
            m_whole.push_back(i);
            m_area += areaOf(cornersOf(triangles[i]));
        } else if (!failsAtEveryCorner(triangles[i])) {
            cut(triangles[i]);
        }
    }
}

double TargetRegion::marginAt(std::size_t bound, int point) const
{
    const TargetBound &b = m_bounds[bound];
    return b.atLeast ? m_values[bound][point] - b.value : b.value - m_values[bound][point];
}

bool TargetRegion::holdsAtEveryCorner(const DelaunayTriangulation::Triangle &triangle) const
{
    for (std::size_t k = 0; k < m_bounds.size(); ++k) {
        for (int i : {triangle.a, triangle.b, triangle.c}) {
            if (!(marginAt(k, i) >= 0.0))
                return false;
        }
    }
    return true;
}

// Some bound fails at every corner: the triangle holds nothing of the region.
bool TargetRegion::failsAtEveryCorner(const DelaunayTriangulation::Triangle &triangle) const
{
    for (std::size_t k = 0; k < m_bounds.size(); ++k) {
        if (marginAt(k, triangle.a) < 0.0 && marginAt(k, triangle.b) < 0.0 &&
            marginAt(k, triangle.c) < 0.0)
            return true;
    }
    return false;
}

QPolygonF TargetRegion::cornersOf(const DelaunayTriangulation::Triangle &triangle) const
{
    const std::vector<QPointF> &plane = m_mesh->plane();
    QPolygonF corners;
    corners << plane[triangle.a] << plane[triangle.b] << plane[triangle.c];
    return corners;
}

// The triangle cut down bound by bound, each cut keeping the part where the margin is not
// negative (Sutherland and Hodgman's clipping against one line).
void TargetRegion::cut(const DelaunayTriangulation::Triangle &triangle)
{
    std::vector<Corner> polygon;
    for (int i : {triangle.a, triangle.b, triangle.c}) {
        Corner corner{m_mesh->plane()[i], {}};
        for (std::size_t k = 0; k < m_bounds.size(); ++k)
            corner.margins.push_back(marginAt(k, i));
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
    QPolygonF part;
    for (const Corner &corner : polygon)
        part << corner.place;
    const double area = areaOf(part);
    if (part.size() >= 3 && area > 0.0) {
        m_parts.push_back(part);
        m_area += area;
    }
}

std::vector<QPolygonF> TargetRegion::polygons() const
{
    std::vector<QPolygonF> polygons;
    for (int i : m_whole)
        polygons.push_back(cornersOf(m_mesh->triangles()[i]));
    polygons.insert(polygons.end(), m_parts.begin(), m_parts.end());
    return polygons;
}

// The edges of the whole triangles that no other of them shares, joined into lines.
std::vector<QPolygonF> TargetRegion::outline() const
{
    std::vector<std::tuple<int, int, int>> edges; // lower corner, higher corner, from
    for (int i : m_whole) {
        const DelaunayTriangulation::Triangle &t = m_mesh->triangles()[i];
        for (const auto &[from, to] :
             {std::pair(t.a, t.b), std::pair(t.b, t.c), std::pair(t.c, t.a)})
            edges.emplace_back(std::min(from, to), std::max(from, to), from);
    }
    std::sort(edges.begin(), edges.end());
    std::vector<QLineF> single;
    const std::vector<QPointF> &plane = m_mesh->plane();
    for (std::size_t i = 0; i < edges.size(); ++i) {
        const auto &[low, high, from] = edges[i];
        if (i + 1 < edges.size() && std::get<0>(edges[i + 1]) == low &&
            std::get<1>(edges[i + 1]) == high) {
            ++i;
            continue;
        }
        const int to = from == low ? high : low;
        single.emplace_back(plane[from], plane[to]);
    }
    std::vector<QPolygonF> outline = ContourTracer::joined(single);
    outline.insert(outline.end(), m_parts.begin(), m_parts.end());
    return outline;
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
