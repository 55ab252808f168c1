#include "delaunaytriangulation.h"

#include "exactpredicates.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <tuple>
#include <utility>

namespace {

// The corner at infinity that closes the triangulation round its hull.
constexpr int Infinite = -1;

// A triangle of the mesh: counter-clockwise, or a hull edge and the corner at infinity, last,
// whose outside is to the left of the edge. Every cell has three neighbours.
struct Cell
{
    int corners[3];
    int across[3]; // the neighbour across the edge opposite each corner
};

// An edge of the cavity's boundary, from and to corners of the cell outside it.
struct Edge
{
    int from;
    int to;
    int outside;
};

struct Mesh
{
    std::vector<QPointF> points;
    std::vector<Cell> cells;
    std::vector<int> stamps;  // per cell: the insertion whose cavity holds it
    std::vector<int> startOf; // per corner (infinity last): the new cell whose edge starts there
    std::vector<int> endOf;
    int last = 0; // the cell made last: where the walk to the next point starts
    // Kept from one insertion to the next, so that inserting a point allocates nothing.
    std::vector<int> cavity;
    std::vector<Edge> boundary;
    std::vector<int> made;
};

// Whether p lies on the open segment from a to b, given that it lies on its line: then its
// coordinates lie strictly between theirs along an axis on which a and b differ.
bool between(const QPointF &a, const QPointF &b, const QPointF &p)
{
    if (a.x() != b.x())
        return std::min(a.x(), b.x()) < p.x() && p.x() < std::max(a.x(), b.x());
    return std::min(a.y(), b.y()) < p.y() && p.y() < std::max(a.y(), b.y());
}

// Whether p lies strictly inside the cell's circumcircle; for a cell with the corner at
// infinity, in the open half-plane beyond its edge or on the open edge itself.
bool conflicts(const Mesh &mesh, const Cell &cell, const QPointF &p)
{
    const QPointF &a = mesh.points[cell.corners[0]];
    const QPointF &b = mesh.points[cell.corners[1]];
    if (cell.corners[2] != Infinite)
        return ExactPredicates::inCircle(a, b, mesh.points[cell.corners[2]], p) > 0;
    const int side = ExactPredicates::orientation(a, b, p);
    return side > 0 || (side == 0 && between(a, b, p));
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
            if (ExactPredicates::orientation(mesh.points[cell.corners[(i + 1) % 3]],
                                             mesh.points[cell.corners[(i + 2) % 3]], p) < 0)
                next = cell.across[i];
        }
        if (next < 0)
            return at;
        at = next;
    }
    // Triangles that share one circumcircle may still lead a walk round in a circle; a search
    // of every cell cannot fail.
    for (int i = 0; i < int(mesh.cells.size()); ++i) {
        if (conflicts(mesh, mesh.cells[i], p))
            return i;
    }
    return mesh.last;
}

// The cells whose circumcircles hold the point, found from one of them through neighbours.
void findCavity(Mesh &mesh, int point, int stamp)
{
    std::vector<int> &cavity = mesh.cavity;
    cavity.assign(1, locate(mesh, mesh.points[point]));
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
}

int slotOf(int corner, const Mesh &mesh)
{
    return corner == Infinite ? int(mesh.points.size()) : corner;
}

// Replaces the cavity by a fan of cells from its boundary to the point, in the cavity's slots.
void insert(Mesh &mesh, int point, int stamp)
{
    findCavity(mesh, point, stamp);
    mesh.boundary.clear();
    for (int index : mesh.cavity) {
        const Cell &cell = mesh.cells[index];
        for (int i = 0; i < 3; ++i) {
            if (mesh.stamps[cell.across[i]] != stamp)
                mesh.boundary.push_back(
                    {cell.corners[(i + 1) % 3], cell.corners[(i + 2) % 3], cell.across[i]});
        }
    }
    mesh.made.clear();
    for (std::size_t j = 0; j < mesh.boundary.size(); ++j) {
        const Edge &edge = mesh.boundary[j];
        const int slot = j < mesh.cavity.size() ? mesh.cavity[j] : int(mesh.cells.size());
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
        mesh.made.push_back(slot);
    }
    for (std::size_t j = 0; j < mesh.boundary.size(); ++j) {
        Cell &cell = mesh.cells[mesh.made[j]];
        setAcross(cell, mesh.boundary[j].from, mesh.startOf[slotOf(mesh.boundary[j].to, mesh)]);
        setAcross(cell, mesh.boundary[j].to, mesh.endOf[slotOf(mesh.boundary[j].from, mesh)]);
    }
    mesh.last = mesh.made.front();
}

// The position along a Hilbert curve through the unit square: points close along it are close
// in the plane.
std::uint64_t hilbertIndex(double x, double y)
{
    constexpr std::uint32_t Side = 1u << 16;
    const auto cell = [](double v) {
        return std::uint32_t(std::clamp(v * Side, 0.0, Side - 1.0));
    };
    std::uint32_t cx = cell(x), cy = cell(y);
    std::uint64_t index = 0;
    for (std::uint32_t s = Side / 2; s > 0; s /= 2) {
        const std::uint32_t rx = (cx & s) ? 1 : 0;
        const std::uint32_t ry = (cy & s) ? 1 : 0;
        index += std::uint64_t(s) * s * ((3 * rx) ^ ry);
        if (ry == 0) {
            if (rx == 1) {
                cx = Side - 1 - cx;
                cy = Side - 1 - cy;
            }
            std::swap(cx, cy);
        }
    }
    return index;
}

struct Kept
{
    QPointF point;
    int index; // among the given points
};

bool samePlace(const QPointF &p, const QPointF &q)
{
    // QPointF's own == takes points an ulp apart as one.
    return p.x() == q.x() && p.y() == q.y();
}

// The finite points in the order of a Hilbert curve through their bounding square, each place
// once (the first point given there).
std::vector<Kept> insertionOrder(const std::vector<QPointF> &points)
{
    std::vector<int> finite;
    for (int i = 0; i < int(points.size()); ++i) {
        if (std::isfinite(points[i].x()) && std::isfinite(points[i].y()))
            finite.push_back(i);
    }
    if (finite.empty())
        return {};
    double left = points[finite.front()].x(), right = left;
    double bottom = points[finite.front()].y(), top = bottom;
    for (int i : finite) {
        left = std::min(left, points[i].x());
        right = std::max(right, points[i].x());
        bottom = std::min(bottom, points[i].y());
        top = std::max(top, points[i].y());
    }
    // Halved, so that the extent of points near the largest doubles stays finite.
    const double halfExtent = std::max(right / 2 - left / 2, top / 2 - bottom / 2);
    std::vector<std::pair<std::uint64_t, int>> keyed;
    keyed.reserve(finite.size());
    for (int i : finite)
        keyed.emplace_back(halfExtent > 0.0
                               ? hilbertIndex((points[i].x() / 2 - left / 2) / halfExtent,
                                              (points[i].y() / 2 - bottom / 2) / halfExtent)
                               : 0,
                           i);
    std::sort(keyed.begin(), keyed.end());
    // Points at one place share a key: sorted by place among those of a key, a repeated point
    // follows the first given there.
    const auto byPlace = [&points](const auto &a, const auto &b) {
        const QPointF &p = points[a.second], &q = points[b.second];
        return std::make_tuple(p.x(), p.y(), a.second) < std::make_tuple(q.x(), q.y(), b.second);
    };
    std::vector<Kept> kept;
    kept.reserve(keyed.size());
    for (auto first = keyed.begin(); first != keyed.end();) {
        const auto last = std::find_if(first, keyed.end(),
                                       [&](const auto &k) { return k.first != first->first; });
        std::sort(first, last, byPlace);
        for (auto k = first; k != last; ++k) {
            if (k == first || !samePlace(points[k->second], kept.back().point))
                kept.push_back({points[k->second], k->second});
        }
        first = last;
    }
    return kept;
}

// The first point after the first two off their line; none when all lie on it.
int firstOffTheLine(const std::vector<QPointF> &points)
{
    for (std::size_t i = 2; i < points.size(); ++i) {
        if (ExactPredicates::orientation(points[0], points[1], points[i]) != 0)
            return int(i);
    }
    return -1;
}

// Two cells on either side of the first two points' edge, each the other's neighbour thrice.
Mesh startingMesh(std::vector<QPointF> points)
{
    Mesh mesh;
    const int count = int(points.size());
    mesh.points = std::move(points);
    mesh.cells = {{{0, 1, Infinite}, {1, 1, 1}}, {{1, 0, Infinite}, {0, 0, 0}}};
    mesh.cells.reserve(2 * count + 2);
    mesh.stamps.reserve(2 * count + 2);
    mesh.stamps.assign(2, 0);
    mesh.startOf.assign(count + 1, 0);
    mesh.endOf.assign(count + 1, 0);
    return mesh;
}

} // namespace

std::vector<DelaunayTriangulation::Triangle>
DelaunayTriangulation::of(const std::vector<QPointF> &points)
{
    std::vector<Kept> kept = insertionOrder(points);
    std::vector<QPointF> plane;
    plane.reserve(kept.size());
    for (const Kept &point : kept)
        plane.push_back(point.point);
    if (plane.size() < 3)
        return {};
    const int third = firstOffTheLine(plane);
    if (third < 0)
        return {};
    // The third point inserted must leave the line of the first two.
    std::rotate(plane.begin() + 2, plane.begin() + third, plane.begin() + third + 1);
    std::rotate(kept.begin() + 2, kept.begin() + third, kept.begin() + third + 1);
    Mesh mesh = startingMesh(std::move(plane));
    for (int i = 2; i < int(kept.size()); ++i)
        insert(mesh, i, i);

    std::vector<Triangle> result;
    result.reserve(2 * kept.size());
    for (const Cell &cell : mesh.cells) {
        if (cell.corners[2] != Infinite)
            result.push_back({kept[cell.corners[0]].index, kept[cell.corners[1]].index,
                              kept[cell.corners[2]].index});
    }
    return result;
}
