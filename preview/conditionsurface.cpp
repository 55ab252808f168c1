#include "conditionsurface.h"

#include "measuredmesh.h"

#include <cmath>
#include <functional>

std::size_t ConditionSurface::PlaceHash::operator()(const std::complex<double> &place) const
{
    return std::hash<double>()(place.real() + 0.0) * 31 + std::hash<double>()(place.imag() + 0.0);
}

ConditionSurface::ConditionSurface(const Corvane_LP::ReflectionPoints::Group &group,
                                   const std::vector<Reading> &readings)
    : m_values(readings.size())
{
    std::vector<int> used;
    for (const Corvane_LP::ReflectionPoints::Point &point : group.points) {
        if (!std::isfinite(point.re) || !std::isfinite(point.im))
            continue;
        m_vertices.emplace(std::complex<double>(point.re, point.im), int(used.size()));
        used.push_back(int(m_places.size()));
        m_places.emplace_back(point.re, point.im);
        for (std::size_t k = 0; k < readings.size(); ++k)
            m_values[k].push_back(readings[k](point));
    }
    m_mesh = std::make_unique<MeasuredMesh>(m_places, used);
}

ConditionSurface::~ConditionSurface() = default;

std::optional<std::vector<double>> ConditionSurface::valuesAt(std::complex<double> place) const
{
    std::vector<double> values(m_values.size());
    const auto vertex = m_vertices.find(place);
    if (vertex != m_vertices.end()) {
        for (std::size_t k = 0; k < values.size(); ++k)
            values[k] = m_values[k][vertex->second];
        return values;
    }
    const int triangle = m_mesh->triangleAt(place);
    if (triangle < 0)
        return std::nullopt;
    for (std::size_t k = 0; k < values.size(); ++k)
        values[k] = m_mesh->valueIn(triangle, place, m_values[k]);
    return values;
}
