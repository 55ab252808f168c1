#include "delaunaytriangulation.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

namespace {

// Points closer than this, relative to the extent of the set, are one point; three points
// whose triangle is flatter than this lie on one line.
constexpr double Tolerance = 1e-12;
// The corners of the enclosing triangle, relative to the extent of the set. Far enough that no
// circumcircle through a corner reaches into the set's hull except where the hull is flat.
constexpr double FarAway = 1e3;

struct Working
{
    int a;
    int b;
    int c;
    QPointF centre; // of the circumcircle
    double radiusSquared;
};

double cross(const QPointF &o, const QPointF &p, const QPointF &q)
{
    return (p.x() - o.x()) * (q.y() - o.y()) - (p.y() - o.y()) * (q.x() - o.x());
}

double distanceSquared(const QPointF &p, const QPointF &q)
{
    const QPointF d = p - q;
    return d.x() * d.x() + d.y() * d.y();
}

// Counter-clockwise, with its circumcircle.
Working triangle(const std::vector<QPointF> &points, int a, int b, int c)
{
    if (cross(points[a], points[b], points[c]) < 0)
        std::swap(b, c);
    const QPointF &p = points[a];
    const QPointF q = points[b] - p;
    const QPointF r = points[c] - p;
    const double d = 2.0 * (q.x() * r.y() - q.y() * r.x());
    const double qq = q.x() * q.x() + q.y() * q.y();
    const double rr = r.x() * r.x() + r.y() * r.y();
    const QPointF centre(p.x() + (r.y() * qq - q.y() * rr) / d,
                         p.y() + (q.x() * rr - r.x() * qq) / d);
    return {a, b, c, centre, distanceSquared(centre, p)};
}

// The finite, distinct points, moved and scaled into the unit square about the origin, with
// their indices among the given points.
std::vector<std::pair<QPointF, int>> normalised(const std::vector<QPointF> &points)
{
    std::vector<std::pair<QPointF, int>> kept;
    for (int i = 0; i < int(points.size()); ++i) {
        if (std::isfinite(points[i].x()) && std::isfinite(points[i].y()))
            kept.emplace_back(points[i], i);
    }
    if (kept.empty())
        return kept;
    double left = kept.front().first.x(), right = left;
    double bottom = kept.front().first.y(), top = bottom;
    for (const auto &point : kept) {
        left = std::min(left, point.first.x());
        right = std::max(right, point.first.x());
        bottom = std::min(bottom, point.first.y());
        top = std::max(top, point.first.y());
    }
    const double extent = std::max(right - left, top - bottom);
    if (!(extent > 0.0) || !std::isfinite(extent))
        return {};
    const QPointF middle((left + right) / 2.0, (bottom + top) / 2.0);
    for (auto &point : kept)
        point.first = (point.first - middle) / extent;
    std::stable_sort(kept.begin(), kept.end(), [](const auto &p, const auto &q) {
        return std::make_pair(p.first.x(), p.first.y()) < std::make_pair(q.first.x(), q.first.y());
    });
    // Sorted, a repeated point follows the first of its place, whose index is the lowest.
    std::vector<std::pair<QPointF, int>> distinct;
    for (const auto &point : kept) {
        if (distinct.empty() ||
            distanceSquared(distinct.back().first, point.first) > Tolerance * Tolerance)
            distinct.push_back(point);
    }
    return distinct;
}

bool onOneLine(const std::vector<QPointF> &points)
{
    for (std::size_t i = 2; i < points.size(); ++i) {
        if (std::abs(cross(points[0], points[1], points[i])) > Tolerance)
            return false;
    }
    return true;
}

void insert(std::vector<Working> &triangles, const std::vector<QPointF> &points, int point)
{
    const QPointF &p = points[point];
    std::map<std::pair<int, int>, int> edges; // of the removed triangles, by their ends
    std::vector<Working> kept;
    for (const Working &t : triangles) {
        // A point on the circle keeps the triangle: of two equal choices, the one in place.
        if (distanceSquared(p, t.centre) < t.radiusSquared * (1.0 - Tolerance)) {
            for (const auto &[from, to] : {std::pair{t.a, t.b}, {t.b, t.c}, {t.c, t.a}})
                ++edges[std::minmax(from, to)];
        } else {
            kept.push_back(t);
        }
    }
    for (const auto &[edge, count] : edges) {
        if (count == 1)
            kept.push_back(triangle(points, edge.first, edge.second, point));
    }
    triangles = std::move(kept);
}

} // namespace

std::vector<DelaunayTriangulation::Triangle>
DelaunayTriangulation::of(const std::vector<QPointF> &points)
{
    const std::vector<std::pair<QPointF, int>> kept = normalised(points);
    std::vector<QPointF> plane;
    for (const auto &point : kept)
        plane.push_back(point.first);
    if (plane.size() < 3 || onOneLine(plane))
        return {};
    const int count = int(plane.size());
    plane.insert(plane.end(),
                 {QPointF(-FarAway, -FarAway), QPointF(FarAway, -FarAway), QPointF(0.0, FarAway)});
    std::vector<Working> working = {triangle(plane, count, count + 1, count + 2)};
    for (int point = 0; point < count; ++point)
        insert(working, plane, point);

    std::vector<Triangle> result;
    for (const Working &t : working) {
        if (t.a < count && t.b < count && t.c < count)
            result.push_back({kept[t.a].second, kept[t.b].second, kept[t.c].second});
    }
    return result;
}
