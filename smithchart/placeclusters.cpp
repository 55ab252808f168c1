#include "placeclusters.h"

#include "delaunaytriangulation.h"
#include "disjointsets.h"

#include <algorithm>
#include <cmath>
#include <numeric>

// The Delaunay triangulation holds a minimum spanning tree (Kruskal's, over its edges); places on
// one line, which it does not triangulate, are joined in their order along it.
std::vector<PlaceClusters::Edge>
PlaceClusters::spanningTree(const std::vector<std::complex<double>> &places)
{
    std::vector<QPointF> points;
    for (const std::complex<double> &place : places)
        points.emplace_back(place.real(), place.imag());
    std::vector<Edge> edges;
    const auto join = [&](int a, int b) {
        edges.push_back({std::abs(places[a] - places[b]), a, b});
    };
    for (const DelaunayTriangulation::Triangle &t : DelaunayTriangulation::of(points)) {
        join(t.a, t.b);
        join(t.b, t.c);
        join(t.c, t.a);
    }
    if (edges.empty()) {
        std::vector<int> order(places.size());
        std::iota(order.begin(), order.end(), 0);
        std::sort(order.begin(), order.end(), [&](int a, int b) {
            return std::pair(places[a].real(), places[a].imag()) <
                   std::pair(places[b].real(), places[b].imag());
        });
        for (std::size_t k = 1; k < order.size(); ++k)
            join(order[k - 1], order[k]);
    }
    std::sort(edges.begin(), edges.end(),
              [](const Edge &a, const Edge &b) { return a.length < b.length; });
    DisjointSets joined(int(places.size()));
    std::vector<Edge> tree;
    for (const Edge &edge : edges) {
        if (joined.join(edge.from, edge.to))
            tree.push_back(edge);
    }
    return tree;
}

// The tree's edges come sorted by length. A jump counts only above the median edge: most edges
// join places meant as one, and the shortest of them, between places that happen to be near,
// may jump among themselves.
double PlaceClusters::toleranceOf(const std::vector<Edge> &tree, double spacing)
{
    if (tree.empty())
        return 0.0;
    double jump = 0.0, tolerance = 0.0;
    for (std::size_t k = std::max<std::size_t>(1, tree.size() / 2); k < tree.size(); ++k) {
        const double ratio = tree[k].length / tree[k - 1].length;
        if (ratio >= 10.0 && ratio > jump) {
            jump = ratio;
            tolerance = std::sqrt(tree[k].length * tree[k - 1].length);
        }
    }
    if (jump > 0.0)
        return tolerance;
    return tree.back().length < 0.5 * spacing ? INFINITY : 0.0;
}

std::vector<int> PlaceClusters::of(const std::vector<std::complex<double>> &places, double spacing)
{
    const std::vector<Edge> tree = spanningTree(places);
    const double tolerance = toleranceOf(tree, spacing);
    DisjointSets joined(int(places.size()));
    for (const Edge &edge : tree) {
        if (edge.length < tolerance)
            joined.join(edge.from, edge.to);
    }
    std::vector<int> clusters(places.size(), -1), numbers(places.size(), -1);
    int count = 0;
    for (std::size_t i = 0; i < places.size(); ++i) {
        int &number = numbers[joined.root(int(i))];
        if (number < 0)
            number = count++;
        clusters[i] = number;
    }
    return clusters;
}
