#include "measuredmesh.h"

#include "charttext.h"
#include "exactpredicates.h"

#include <QLineF>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

double cross(const QPointF &o, const QPointF &u, const QPointF &v)
{
    return (u.x() - o.x()) * (v.y() - o.y()) - (u.y() - o.y()) * (v.x() - o.x());
}

// The value at p of the function linear on the triangle a, b, c (counter-clockwise, p inside
// or on it) with the values given at its corners. A triangle too flat for its area to show in
// double arithmetic is taken along its longest edge.
double interpolated(const QPointF &a, const QPointF &b, const QPointF &c, const QPointF &p,
                    double atA, double atB, double atC)
{
    const double area = cross(a, b, c);
    if (area > 0.0)
        return (cross(b, c, p) * atA + cross(c, a, p) * atB + cross(a, b, p) * atC) / area;
    const std::pair<QPointF, double> ends[] = {{a, atA}, {b, atB}, {c, atC}};
    int longest = 0;
    for (int i = 1; i < 3; ++i) {
        if (QLineF(ends[i].first, ends[(i + 1) % 3].first).length() >
            QLineF(ends[longest].first, ends[(longest + 1) % 3].first).length())
            longest = i;
    }
    const auto &[from, atFrom] = ends[longest];
    const auto &[to, atTo] = ends[(longest + 1) % 3];
    const QPointF along = to - from;
    const double t = std::clamp(
        QPointF::dotProduct(p - from, along) / QPointF::dotProduct(along, along), 0.0, 1.0);
    return atFrom + t * (atTo - atFrom);
}

QPointF planePoint(std::complex<double> gamma)
{
    return {gamma.real(), gamma.imag()};
}

// The step in which the coordinates are written (ChartText::resolutionOf).
double writtenResolution(const std::vector<QPointF> &points)
{
    std::vector<double> coordinates;
    for (const QPointF &p : points) {
        coordinates.push_back(p.x());
        coordinates.push_back(p.y());
    }
    return ChartText::resolutionOf(coordinates);
}

// The convex hull, counter-clockwise (Andrew's monotone chain).
std::vector<QPointF> hullOf(std::vector<QPointF> points)
{
    std::sort(points.begin(), points.end(), [](const QPointF &a, const QPointF &b) {
        return std::pair(a.x(), a.y()) < std::pair(b.x(), b.y());
    });
    std::vector<QPointF> hull(2 * points.size());
    std::size_t count = 0;
    for (int pass = 0; pass < 2; ++pass) {
        const std::size_t start = count;
        for (const QPointF &p : points) {
            while (count >= start + 2 && cross(hull[count - 2], hull[count - 1], p) <= 0)
                --count;
            hull[count++] = p;
        }
        --count;
        std::reverse(points.begin(), points.end());
    }
    hull.resize(count);
    return hull;
}

// The least width of a strip that holds the points: the least, over the hull's edges, of the
// farthest hull point from the edge's line.
double widthOf(const std::vector<QPointF> &points)
{
    const std::vector<QPointF> hull = hullOf(points);
    double least = INFINITY;
    for (std::size_t i = 0; i < hull.size(); ++i) {
        const QPointF &a = hull[i], &b = hull[(i + 1) % hull.size()];
        const double length = QLineF(a, b).length();
        if (length == 0.0)
            continue;
        double farthest = 0.0;
        for (const QPointF &p : hull)
            farthest = std::max(farthest, std::abs(cross(a, b, p)) / length);
        least = std::min(least, farthest);
    }
    return hull.size() < 3 ? 0.0 : least;
}

// Points within their written resolution of one line lie on it, as far as the data say.
bool onOneLine(const std::vector<QPointF> &points)
{
    return points.size() >= 3 && widthOf(points) <= 2.0 * writtenResolution(points);
}

} // namespace

MeasuredMesh::MeasuredMesh(const std::vector<std::complex<double>> &gammas, std::vector<int> used)
    : m_used(std::move(used))
{
    m_plane.reserve(m_used.size());
    for (int i : m_used)
        m_plane.push_back(planePoint(gammas[i]));
    if (!onOneLine(m_plane))
        m_triangles = DelaunayTriangulation::of(m_plane);
    m_grid = TriangleGrid(m_plane, m_triangles);
}

int MeasuredMesh::triangleAt(std::complex<double> gamma) const
{
    const QPointF p = planePoint(gamma);
    for (int i : m_grid.candidatesAt(p)) {
        const DelaunayTriangulation::Triangle &t = m_triangles[i];
        if (ExactPredicates::orientation(m_plane[t.a], m_plane[t.b], p) >= 0 &&
            ExactPredicates::orientation(m_plane[t.b], m_plane[t.c], p) >= 0 &&
            ExactPredicates::orientation(m_plane[t.c], m_plane[t.a], p) >= 0)
            return i;
    }
    return -1;
}

double MeasuredMesh::valueIn(int triangle, std::complex<double> gamma,
                             const std::vector<double> &values) const
{
    const DelaunayTriangulation::Triangle &t = m_triangles[triangle];
    return interpolated(m_plane[t.a], m_plane[t.b], m_plane[t.c], planePoint(gamma), values[t.a],
                        values[t.b], values[t.c]);
}

std::optional<double> MeasuredMesh::valueAt(std::complex<double> gamma,
                                            const std::vector<double> &values) const
{
    const int triangle = triangleAt(gamma);
    if (triangle < 0)
        return std::nullopt;
    return valueIn(triangle, gamma, values);
}
