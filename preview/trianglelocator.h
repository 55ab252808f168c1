#pragma once

#include <complex>
#include <vector>

class MeasuredMesh;

// Finds the triangle of a mesh that holds a place by looking only at the triangles whose
// bounding boxes meet the place's cell of a grid, about one triangle to a cell: evaluating a
// condition's surface at the loads of another costs about the same for each load, where the
// mesh's own search looks at every triangle.
class TriangleLocator
{
public:
    explicit TriangleLocator(const MeasuredMesh &mesh);

    // The triangle that holds the place, on its edges included; -1 when none does.
    int triangleAt(std::complex<double> place) const;

private:
    int cellOf(double coordinate, double low) const;

    const MeasuredMesh &m_mesh;
    double m_left = 0.0;
    double m_bottom = 0.0;
    double m_cellSize = 1.0;
    int m_side = 0;
    std::vector<std::vector<int>> m_cells;
};
