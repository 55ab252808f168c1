#include "contourtracer.h"

namespace {

QPointF crossing(const QPointF &p, double atP, const QPointF &q, double atQ, double level)
{
    const double t = (level - atP) / (atQ - atP);
    return p + t * (q - p);
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
        const QLineF segment(crossing(points[p], values[p], points[q], values[q], level),
                             crossing(points[p], values[p], points[r], values[r], level));
        // A level at a lone highest corner touches the triangle there and nowhere else.
        if (segment.p1() != segment.p2())
            result.push_back(segment);
    }
    return result;
}
