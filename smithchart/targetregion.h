#pragma once

#include "measuredmesh.h"
#include "smithchartcontent.h"

#include <QPolygonF>

#include <complex>
#include <memory>
#include <optional>
#include <vector>

// Where every bound of a target holds, with each quantity taken as linear inside the triangles
// between the points where all of them are finite: the triangles where every bound holds at
// every corner whole, and of the others the convex part where each bound holds, cut out edge by
// edge along the line where its quantity meets its value.
class TargetRegion
{
public:
    // `mesh`: the triangles between the points where every bounded quantity is finite.
    TargetRegion(const std::vector<SmithChartContent::Target> &targets,
                 std::shared_ptr<const MeasuredMesh> mesh);

    // Convex polygons, counter-clockwise, of positive area, in the plane of the reflection
    // coefficient; together, the region.
    std::vector<QPolygonF> polygons() const;
    // The same region in as few polygons as its edge allows, to be filled at once with the
    // odd-even rule: the outline of the whole triangles, holes and all, and the cut parts.
    std::vector<QPolygonF> outline() const;
    double area() const { return m_area; }
    bool empty() const { return m_whole.empty() && m_parts.empty(); }
    // The points where every bound holds, as positions in the content's gammas.
    const std::vector<int> &met() const { return m_met; }
    const MeasuredMesh &mesh() const { return *m_mesh; }
    // Whether every bound holds at gamma; nothing outside the triangles.
    std::optional<bool> holdsAt(std::complex<double> gamma) const;

private:
    struct Corner;
    double marginAt(std::size_t bound, int point) const;
    bool holdsAtEveryCorner(const DelaunayTriangulation::Triangle &triangle) const;
    bool failsAtEveryCorner(const DelaunayTriangulation::Triangle &triangle) const;
    QPolygonF cornersOf(const DelaunayTriangulation::Triangle &triangle) const;
    void cut(const DelaunayTriangulation::Triangle &triangle);

    std::vector<TargetBound> m_bounds;
    std::shared_ptr<const MeasuredMesh> m_mesh;
    std::vector<std::vector<double>> m_values; // for each bound, at the mesh's points
    std::vector<int> m_whole;                  // the triangles inside, whole
    std::vector<QPolygonF> m_parts;            // the parts cut out of the others
    double m_area = 0.0;
    std::vector<int> m_met;
};
