#pragma once

#include <complex>
#include <vector>

// The places at which a measured reflection coefficient other than the charted one stood (a
// harmonic or source Γ), grouped into the places the measurement meant, though the measured
// values drift or carry noise. The places are joined along their minimum spanning tree; the
// tolerance comes from the tree's edges, sorted: where, above the median edge, they jump
// tenfold or more (noise or drift within each meant place, the places far apart), edges below
// the jump join; without such a jump, all places are one when every edge is shorter than half
// the charted points' spacing (one place, drifting), and none join otherwise (exact data, each
// place meant as written).
class PlaceClusters
{
public:
    // `places`: distinct and finite. `spacing`: the charted points' typical distance to their
    // nearest neighbour, or 0 when unknown. The cluster of each place, numbered from 0.
    static std::vector<int> of(const std::vector<std::complex<double>> &places, double spacing);

private:
    struct Edge
    {
        double length = 0.0;
        int from = 0;
        int to = 0;
    };

    static std::vector<Edge> spanningTree(const std::vector<std::complex<double>> &places);
    static double toleranceOf(const std::vector<Edge> &tree, double spacing);
};
