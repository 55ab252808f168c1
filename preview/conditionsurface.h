#pragma once

#include "reflectionpoints.h"

#include <complex>
#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

class MeasuredMesh;

// A measured condition's surface over gamma: its loads triangulated (MeasuredMesh) and each
// quantity linear inside each triangle, as the chart's contours take it; at a load, exactly its
// measured values.
class ConditionSurface
{
public:
    // A place by its exact coordinates, -0 as +0.
    struct PlaceHash
    {
        std::size_t operator()(const std::complex<double> &place) const;
    };

    // What the surface carries of each point: a quantity's value, or a part of a complex one's.
    using Reading = std::function<double(const Corvane_LP::ReflectionPoints::Point &)>;

    ConditionSurface(const Corvane_LP::ReflectionPoints::Group &group,
                     const std::vector<Reading> &readings);
    ~ConditionSurface();

    // The loads with a finite place.
    const std::vector<std::complex<double>> &places() const { return m_places; }
    // Each reading's value at the place; nothing outside the triangles.
    std::optional<std::vector<double>> valuesAt(std::complex<double> place) const;

private:
    std::vector<std::complex<double>> m_places;
    std::unordered_map<std::complex<double>, int, PlaceHash> m_vertices;
    std::vector<std::vector<double>> m_values; // each reading's, at the mesh's points
    std::unique_ptr<MeasuredMesh> m_mesh;
};
