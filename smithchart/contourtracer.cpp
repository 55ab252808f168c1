#include "contourtracer.h"

#include <algorithm>
#include <numeric>
#include <tuple>

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

// Each end of a segment is paired with another end at the same place (by sorting the ends by
// place; where more than two meet, two by two), and the lines follow the pairs: open ones from
// an end with no partner first, then closed ones from anywhere.
std::vector<QPolygonF> ContourTracer::joined(const std::vector<QLineF> &segments)
{
    const auto endPoint = [&segments](int end) {
        return end % 2 ? segments[end / 2].p2() : segments[end / 2].p1();
    };
    std::vector<int> ends(2 * segments.size());
    std::iota(ends.begin(), ends.end(), 0);
    std::sort(ends.begin(), ends.end(), [&](int a, int b) {
        const QPointF p = endPoint(a), q = endPoint(b);
        return std::make_tuple(p.x(), p.y(), a) < std::make_tuple(q.x(), q.y(), b);
    });
    std::vector<int> partner(ends.size(), -1);
    for (std::size_t i = 0; i + 1 < ends.size(); ++i) {
        const QPointF p = endPoint(ends[i]), q = endPoint(ends[i + 1]);
        if (p.x() == q.x() && p.y() == q.y()) {
            partner[ends[i]] = ends[i + 1];
            partner[ends[i + 1]] = ends[i];
            ++i;
        }
    }
    std::vector<bool> used(segments.size(), false);
    std::vector<QPolygonF> lines;
    for (const bool open : {true, false}) {
        for (int start = 0; start < int(ends.size()); ++start) {
            if (used[start / 2] || (open && partner[start] >= 0))
                continue;
            QPolygonF line;
            line << endPoint(start);
            for (int end = start; end >= 0 && !used[end / 2]; end = partner[end ^ 1]) {
                used[end / 2] = true;
                line << endPoint(end ^ 1);
            }
            lines.push_back(line);
        }
    }
    return lines;
}
