#include "delaunaytriangulation.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

namespace {

// Points closer than this, relative to the extent of the set, are one point; a point closer
// than this to a line through two others lies on it.
constexpr double Tolerance = 1e-12;
// The corner at infinity that closes the triangulation round its hull.
constexpr int Infinite = -1;

// A triangle of the mesh: counter-clockwise, or a hull edge and the corner at infinity, last,
// whose outside is to the left of the edge. Every cell has three neighbours.
struct Cell
{
    int corners[3];
    int across[3]; // the neighbour across the edge opposite each corner
};

struct Mesh
{
    std::vector<QPointF> points;
    std::vector<Cell> cells;
    std::vector<int> stamps;  // per cell: the insertion whose cavity holds it
    std::vector<int> startOf; // per corner (infinity last): the new cell whose edge starts there
    std::vector<int> endOf;
    int last = 0; // the cell made last: where the walk to the next point starts
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

// Whether p lies to the right of the line from a to b, and not on it.
bool rightOf(const QPointF &a, const QPointF &b, const QPointF &p)
{
    return cross(a, b, p) < -Tolerance * std::sqrt(distanceSquared(a, b));
}

// Whether p lies on the open segment from a to b, given that it lies on its line.
bool between(const QPointF &a, const QPointF &b, const QPointF &p)
{
    return QPointF::dotProduct(p - a, b - a) > 0.0 && QPointF::dotProduct(p - b, a - b) > 0.0;
}

// Whether p lies strictly inside the circumcircle of a, b, c (counter-clockwise). Taken
// relative to p, the rounding stays small beside the answer even for circles far larger than
// the points, as the flat triangles along a thin hull have.
bool inCircle(const QPointF &a, const QPointF &b, const QPointF &c, const QPointF &p)
{
    const QPointF u = a - p, v = b - p, w = c - p;
    return QPointF::dotProduct(u, u) * (v.x() * w.y() - w.x() * v.y()) +
               QPointF::dotProduct(v, v) * (w.x() * u.y() - u.x() * w.y()) +
               QPointF::dotProduct(w, w) * (u.x() * v.y() - v.x() * u.y()) >
           0.0;
}

// Whether p lies inside the cell's circumcircle; for a cell with the corner at infinity, the
// open half-plane beyond its edge and the open edge itself.
bool conflicts(const Mesh &mesh, const Cell &cell, const QPointF &p)
{
    const int *corners = cell.corners;
    if (corners[2] != Infinite)
        return inCircle(mesh.points[corners[0]], mesh.points[corners[1]], mesh.points[corners[2]],
                        p);
    const QPointF &a = mesh.points[cell.corners[0]];
    const QPointF &b = mesh.points[cell.corners[1]];
    if (rightOf(b, a, p))
        return true;
    return !rightOf(a, b, p) && between(a, b, p);
}

// The cell of corners u, w, p in this order, turned so that infinity comes last.
Cell cellOf(int u, int w, int p)
{
    Cell cell{{u, w, p}, {-1, -1, -1}};
    while (cell.corners[0] == Infinite || cell.corners[1] == Infinite)
        std::rotate(cell.corners, cell.corners + 1, cell.corners + 3);
    return cell;
}

void setAcross(Cell &cell, int corner, int neighbour)
{
    for (int i = 0; i < 3; ++i) {
        if (cell.corners[i] == corner)
            cell.across[i] = neighbour;
    }
}

// A cell whose circumcircle holds p, found by walking from the last cell made towards p.
int locate(const Mesh &mesh, const QPointF &p)
{
    int at = mesh.last;
    for (int step = 0; step < int(mesh.cells.size()); ++step) {
        const Cell &cell = mesh.cells[at];
        if (cell.corners[2] == Infinite) {
            if (conflicts(mesh, cell, p))
                return at;
            at = cell.across[2];
            continue;
        }
        int next = -1;
        // Starting at another edge each step keeps the walk from circling.
        for (int k = 0; k < 3 && next < 0; ++k) {
            const int i = (step + k) % 3;
            if (rightOf(mesh.points[cell.corners[(i + 1) % 3]],
                        mesh.points[cell.corners[(i + 2) % 3]], p))
                next = cell.across[i];
        }
        if (next < 0)
            return at;
        at = next;
    }
    // Rounding can mislead a walk in the thinnest meshes; a search of every cell cannot fail.
    for (int i = 0; i < int(mesh.cells.size()); ++i) {
        if (conflicts(mesh, mesh.cells[i], p))
            return i;
    }
    return mesh.last;
}

// The cells whose circumcircles hold the point, found from one of them through neighbours.
std::vector<int> cavityOf(Mesh &mesh, int point, int stamp)
{
    std::vector<int> cavity{locate(mesh, mesh.points[point])};
    mesh.stamps[cavity.front()] = stamp;
    for (std::size_t k = 0; k < cavity.size(); ++k) {
        for (int neighbour : mesh.cells[cavity[k]].across) {
            if (mesh.stamps[neighbour] != stamp &&
                conflicts(mesh, mesh.cells[neighbour], mesh.points[point])) {
                mesh.stamps[neighbour] = stamp;
                cavity.push_back(neighbour);
            }
        }
    }
    return cavity;
}

int slotOf(int corner, const Mesh &mesh)
{
    return corner == Infinite ? int(mesh.points.size()) : corner;
}

// Replaces the cavity by a fan of cells from its boundary to the point, in the cavity's slots.
void insert(Mesh &mesh, int point, int stamp)
{
    const std::vector<int> cavity = cavityOf(mesh, point, stamp);
    struct Edge
    {
        int from;
        int to;
        int outside;
    };
    std::vector<Edge> boundary;
    for (int index : cavity) {
        const Cell &cell = mesh.cells[index];
        for (int i = 0; i < 3; ++i) {
            if (mesh.stamps[cell.across[i]] != stamp)
                boundary.push_back(
                    {cell.corners[(i + 1) % 3], cell.corners[(i + 2) % 3], cell.across[i]});
        }
    }
    std::vector<int> made;
    for (std::size_t j = 0; j < boundary.size(); ++j) {
        const Edge &edge = boundary[j];
        const int slot = j < cavity.size() ? cavity[j] : int(mesh.cells.size());
        if (slot == int(mesh.cells.size())) {
            mesh.cells.emplace_back();
            mesh.stamps.push_back(0);
        }
        mesh.cells[slot] = cellOf(edge.from, edge.to, point);
        setAcross(mesh.cells[slot], point, edge.outside);
        Cell &outside = mesh.cells[edge.outside];
        for (int i = 0; i < 3; ++i) {
            if (outside.corners[i] != edge.from && outside.corners[i] != edge.to)
                outside.across[i] = slot;
        }
        mesh.startOf[slotOf(edge.from, mesh)] = slot;
        mesh.endOf[slotOf(edge.to, mesh)] = slot;
        made.push_back(slot);
    }
    for (std::size_t j = 0; j < boundary.size(); ++j) {
        Cell &cell = mesh.cells[made[j]];
        setAcross(cell, boundary[j].from, mesh.startOf[slotOf(boundary[j].to, mesh)]);
        setAcross(cell, boundary[j].to, mesh.endOf[slotOf(boundary[j].from, mesh)]);
    }
    mesh.last = made.front();
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

// The position along a Hilbert curve through the unit square about the origin: points close
// along it are close in the plane.
std::uint64_t hilbertIndex(const QPointF &p)
{
    constexpr std::uint32_t Side = 1u << 16;
    const auto cell = [](double v) {
        return std::uint32_t(std::clamp((v + 0.5) * Side, 0.0, Side - 1.0));
    };
    std::uint32_t x = cell(p.x()), y = cell(p.y());
    std::uint64_t index = 0;
    for (std::uint32_t s = Side / 2; s > 0; s /= 2) {
        const std::uint32_t rx = (x & s) ? 1 : 0;
        const std::uint32_t ry = (y & s) ? 1 : 0;
        index += std::uint64_t(s) * s * ((3 * rx) ^ ry);
        if (ry == 0) {
            if (rx == 1) {
                x = Side - 1 - x;
                y = Side - 1 - y;
            }
            std::swap(x, y);
        }
    }
    return index;
}

std::vector<int> insertionOrder(const std::vector<QPointF> &points)
{
    std::vector<std::pair<std::uint64_t, int>> keyed;
    for (int i = 0; i < int(points.size()); ++i)
        keyed.emplace_back(hilbertIndex(points[i]), i);
    std::sort(keyed.begin(), keyed.end());
    std::vector<int> order;
    for (const auto &entry : keyed)
        order.push_back(entry.second);
    return order;
}

// The first point of the order off the line through its first two; none when all are on it.
int firstOffTheLine(const std::vector<QPointF> &points, const std::vector<int> &order)
{
    const QPointF &a = points[order[0]];
    const QPointF &b = points[order[1]];
    for (std::size_t i = 2; i < order.size(); ++i) {
        const QPointF &p = points[order[i]];
        if (rightOf(a, b, p) || rightOf(b, a, p))
            return int(i);
    }
    return -1;
}

// Two cells on either side of the first two points' edge, each the other's neighbour thrice.
Mesh startingMesh(std::vector<QPointF> points, int a, int b)
{
    Mesh mesh;
    const int count = int(points.size());
    mesh.points = std::move(points);
    mesh.cells = {{{a, b, Infinite}, {1, 1, 1}}, {{b, a, Infinite}, {0, 0, 0}}};
    mesh.stamps.assign(2, 0);
    mesh.startOf.assign(count + 1, 0);
    mesh.endOf.assign(count + 1, 0);
    return mesh;
}

} // namespace

std::vector<DelaunayTriangulation::Triangle>
DelaunayTriangulation::of(const std::vector<QPointF> &points)
{
    const std::vector<std::pair<QPointF, int>> kept = normalised(points);
    std::vector<QPointF> plane;
    for (const auto &point : kept)
        plane.push_back(point.first);
    if (plane.size() < 3)
        return {};
    std::vector<int> order = insertionOrder(plane);
    const int third = firstOffTheLine(plane, order);
    if (third < 0)
        return {};
    std::rotate(order.begin() + 2, order.begin() + third, order.begin() + third + 1);
    Mesh mesh = startingMesh(std::move(plane), order[0], order[1]);
    for (std::size_t i = 2; i < order.size(); ++i)
        insert(mesh, order[i], int(i));

    std::vector<Triangle> result;
    for (const Cell &cell : mesh.cells) {
        if (cell.corners[2] != Infinite)
            result.push_back({kept[cell.corners[0]].second, kept[cell.corners[1]].second,
                              kept[cell.corners[2]].second});
    }
    return result;
}
