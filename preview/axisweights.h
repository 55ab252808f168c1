#pragma once

#include <vector>

// The weights that interpolating along one held variable gives each measured value of it: the
// value at x is the weighted sum of the values at the nodes. Linear, natural cubic spline and
// cubic interpolation are all linear in the values, so each is a set of weights, and weights of
// several variables multiply. Beyond the nodes each method extrapolates as its end piece runs
// on.
class AxisWeights
{
public:
    enum class Method { Linear, CubicSpline, Cubic };

    // `nodes`: at least two, ascending, distinct. One weight for each node.
    static std::vector<double> of(Method method, const std::vector<double> &nodes, double x);
    static std::vector<double> linear(const std::vector<double> &nodes, double x);
    // The natural cubic spline through the nodes (no curvature at the ends).
    static std::vector<double> cubicSpline(const std::vector<double> &nodes, double x);
    // The polynomial through the four nodes nearest about x (all of them where fewer).
    static std::vector<double> cubic(const std::vector<double> &nodes, double x);

private:
    static int segmentOf(const std::vector<double> &nodes, double x);
};
