#include "contourtracer.h"

#include <map>

namespace {

// Worked out from the edge's lower-numbered corner, so that the two triangles of an edge give
// the same point to the last bit, and their segments join.
QPointF crossing(const std::vector<QPointF> &points, const std::vector<double> &values, int p,
                 int q, double level)
{
    if (p > q)
        std::swap(p, q);
    const double t = (level - values[p]) / (values[q] - values[p]);
    return points[p] + t * (points[q] - points[p]);
}

} // namespace

std::vector<QLineF>
ContourTracer::segments(const std::vector<QPointF> &points, const std::vector<double> &values,
                        const std::vector<DelaunayTriangulation::Triangle> &triangles, double level)
{
    std::vector<QLineF> result;
    for (const DelaunayTriangulation::Triangle &triangle : triangles) {
        const int corners[] = {triangle.a, triangle.b, triangle.c};
        const int above = int(values[triangle.a] >= level) + int(values[triangle.b] >= level) +
                          int(values[triangle.c] >= level);
        if (above == 0 || above == 3)
            continue;
        // The corner alone on its side of the level; the segment crosses its two edges.
        const bool loneAbove = above == 1;
        int lone = 0;
        while ((values[corners[lone]] >= level) != loneAbove)
            ++lone;
        const int p = corners[lone];
        const int q = corners[(lone + 1) % 3];
        const int r = corners[(lone + 2) % 3];
        const QLineF segment(crossing(points, values, p, q, level),
                             crossing(points, values, p, r, level));
        // A level at a lone highest corner touches the triangle there and nowhere else.
        if (segment.p1() != segment.p2())
            result.push_back(segment);
    }
    return result;
}

std::vector<QPolygonF> ContourTracer::joined(const std::vector<QLineF> &segments)
{
    // Each end of a segment, by place; two segments meet where their ends are equal.
    std::multimap<std::pair<double, double>, int> ends;
    for (int i = 0; i < int(segments.size()); ++i) {
        ends.insert({{segments[i].x1(), segments[i].y1()}, 2 * i});
        ends.insert({{segments[i].x2(), segments[i].y2()}, 2 * i + 1});
    }
    const auto endPoint = [&segments](int end) {
        return end % 2 ? segments[end / 2].p2() : segments[end / 2].p1();
    };
    std::vector<bool> used(segments.size(), false);
    // The segment that goes on from an end, not yet used.
    const auto next = [&](const QPointF &at) {
        const auto [first, last] = ends.equal_range({at.x(), at.y()});
        for (auto end = first; end != last; ++end) {
            if (!used[end->second / 2])
                return end->second;
        }
        return -1;
    };
    std::vector<QPolygonF> lines;
    // Open lines from their ends (met by one segment) first, then closed ones from anywhere.
    for (int pass = 0; pass < 2; ++pass) {
        for (int start = 0; start < int(2 * segments.size()); ++start) {
            if (used[start / 2] ||
                (pass == 0 && ends.count({endPoint(start).x(), endPoint(start).y()}) != 1))
                continue;
            QPolygonF line;
            line << endPoint(start);
            for (int end = start; end >= 0; end = next(line.back())) {
                used[end / 2] = true;
                line << endPoint(end ^ 1);
            }
            lines.push_back(line);
        }
    }
    return lines;
}
