#include "axisweights.h"

#include <algorithm>

namespace {

// The second derivatives at the nodes of the natural spline through `values` (Thomas's
// algorithm on the tridiagonal system; the ends' are zero).
std::vector<double> curvatures(const std::vector<double> &nodes, const std::vector<double> &values)
{
    const std::size_t n = nodes.size();
    std::vector<double> second(n, 0.0), diagonal(n, 1.0), right(n, 0.0);
    for (std::size_t i = 1; i + 1 < n; ++i) {
        const double before = nodes[i] - nodes[i - 1], after = nodes[i + 1] - nodes[i];
        const double lower = before / 6.0;
        diagonal[i] = (before + after) / 3.0;
        right[i] = (values[i + 1] - values[i]) / after - (values[i] - values[i - 1]) / before;
        if (i > 1) {
            const double factor = lower / diagonal[i - 1];
            diagonal[i] -= factor * (nodes[i] - nodes[i - 1]) / 6.0;
            right[i] -= factor * right[i - 1];
        }
    }
    for (std::size_t i = n - 2; i >= 1; --i) {
        const double upper = (nodes[i + 1] - nodes[i]) / 6.0;
        second[i] = (right[i] - (i + 2 < n ? upper * second[i + 1] : 0.0)) / diagonal[i];
    }
    return second;
}

} // namespace

int AxisWeights::segmentOf(const std::vector<double> &nodes, double x)
{
    const auto above = std::upper_bound(nodes.begin(), nodes.end(), x);
    return std::clamp(int(above - nodes.begin()) - 1, 0, int(nodes.size()) - 2);
}

std::vector<double> AxisWeights::of(Method method, const std::vector<double> &nodes, double x)
{
    switch (method) {
    case Method::CubicSpline:
        return cubicSpline(nodes, x);
    case Method::Cubic:
        return cubic(nodes, x);
    case Method::Linear:
        break;
    }
    return linear(nodes, x);
}

std::vector<double> AxisWeights::linear(const std::vector<double> &nodes, double x)
{
    std::vector<double> weights(nodes.size(), 0.0);
    const int k = segmentOf(nodes, x);
    const double fraction = (x - nodes[k]) / (nodes[k + 1] - nodes[k]);
    weights[k] = 1.0 - fraction;
    weights[k + 1] = fraction;
    return weights;
}

// The spline is linear in the values: each node's weight is the spline through a value of one
// there and zero elsewhere.
std::vector<double> AxisWeights::cubicSpline(const std::vector<double> &nodes, double x)
{
    if (nodes.size() < 3)
        return linear(nodes, x);
    const int k = segmentOf(nodes, x);
    const double h = nodes[k + 1] - nodes[k];
    const double a = (nodes[k + 1] - x) / h, b = (x - nodes[k]) / h;
    std::vector<double> weights(nodes.size(), 0.0);
    for (std::size_t j = 0; j < nodes.size(); ++j) {
        std::vector<double> unit(nodes.size(), 0.0);
        unit[j] = 1.0;
        const std::vector<double> second = curvatures(nodes, unit);
        weights[j] = a * unit[k] + b * unit[k + 1] +
                     ((a * a * a - a) * second[k] + (b * b * b - b) * second[k + 1]) * h * h / 6.0;
    }
    return weights;
}

std::vector<double> AxisWeights::cubic(const std::vector<double> &nodes, double x)
{
    const int count = int(nodes.size());
    const int used = std::min(4, count);
    const int first = std::clamp(segmentOf(nodes, x) - 1, 0, count - used);
    std::vector<double> weights(nodes.size(), 0.0);
    for (int j = first; j < first + used; ++j) {
        double lagrange = 1.0;
        for (int m = first; m < first + used; ++m) {
            if (m != j)
                lagrange *= (x - nodes[m]) / (nodes[j] - nodes[m]);
        }
        weights[j] = lagrange;
    }
    return weights;
}
