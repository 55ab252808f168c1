#pragma once

#include "delaunaytriangulation.h"
#include "trianglegrid.h"

#include <QPointF>

#include <complex>
#include <optional>
#include <vector>

// The triangles between some of a chart's points (those whose values are finite), over which
// a quantity known at the points is taken as linear inside each triangle, as contours and the
// read-out take it.
class MeasuredMesh
{
public:
    // `used`: positions in `gammas`, each finite.
    MeasuredMesh(const std::vector<std::complex<double>> &gammas, std::vector<int> used);

    // The points' positions in the gammas, and the points in the plane of the reflection
    // coefficient; the triangles index both.
    const std::vector<int> &used() const { return m_used; }
    const std::vector<QPointF> &plane() const { return m_plane; }
    const std::vector<DelaunayTriangulation::Triangle> &triangles() const { return m_triangles; }

    // The value at gamma of the function linear in each triangle with `values` (one for each
    // used point) at the corners; nothing outside the triangles.
    std::optional<double> valueAt(std::complex<double> gamma,
                                  const std::vector<double> &values) const;
    // The triangle that holds gamma, on its edges included; -1 when none does.
    int triangleAt(std::complex<double> gamma) const;
    double valueIn(int triangle, std::complex<double> gamma,
                   const std::vector<double> &values) const;

private:
    std::vector<int> m_used;
    std::vector<QPointF> m_plane;
    std::vector<DelaunayTriangulation::Triangle> m_triangles;
    TriangleGrid m_grid;
};
