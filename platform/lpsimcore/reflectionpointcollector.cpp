#include "reflectionpointcollector.h"

#include "columnlayout.h"
#include "filesummary.h"
#include "nametable.h"

#include <algorithm>

namespace Corvane_LP {

namespace {

double valueOf(const double *row, std::size_t column, bool magnitude)
{
    return magnitude ? componentOf(RangeComponent::Magnitude, row[column], row[column + 1])
                     : row[column];
}

} // namespace

ReflectionPointCollector::ReflectionPointCollector(std::string coefficient)
    : m_coefficient(std::move(coefficient))
    , m_key(1, 0.0)
{}

void ReflectionPointCollector::columnsRead(const ColumnLayout &layout, const NameTable &names,
                                           const std::vector<DataRole> &roles)
{
    m_target = findCoefficient(names, roles);
    if (m_target)
        placeColumns(layout, roles);
}

std::optional<std::size_t>
ReflectionPointCollector::findCoefficient(const NameTable &names,
                                          const std::vector<DataRole> &roles) const
{
    if (!m_coefficient.empty()) {
        const auto position = names.find(m_coefficient);
        if (position && roles[*position].kind == VariableKind::Gamma)
            return position;
        return std::nullopt;
    }
    const auto isGamma = [](const DataRole &role) {
        return role.kind == VariableKind::Gamma;
    };
    auto found = std::find_if(roles.begin(), roles.end(), [&isGamma](const DataRole &role) {
        return isGamma(role) && !role.fixed;
    });
    if (found == roles.end())
        found = std::find_if(roles.begin(), roles.end(), isGamma);
    if (found == roles.end())
        return std::nullopt;
    return static_cast<std::size_t>(found - roles.begin());
}

// Held variables and quantities in declaration order, whatever the order of the columns.
void ReflectionPointCollector::placeColumns(const ColumnLayout &layout,
                                            const std::vector<DataRole> &roles)
{
    std::vector<ColumnLayout::Placement> placements = layout.placements();
    std::sort(placements.begin(), placements.end(),
              [](const ColumnLayout::Placement &a, const ColumnLayout::Placement &b) {
                  return a.variable < b.variable;
              });
    for (const ColumnLayout::Placement &placement : placements) {
        const std::size_t variable = placement.variable;
        const std::size_t first = placement.firstColumn;
        if (variable == *m_target) {
            m_pointColumn = first;
        } else if (roles[variable].kind == VariableKind::Performance) {
            m_quantities.push_back(
                {variable, first, placement.pair ? Part::Magnitude : Part::Whole});
        } else if (placement.pair) {
            m_held.push_back({variable, first, Part::Real});
            m_held.push_back({variable, first, Part::Imaginary});
        } else {
            m_held.push_back({variable, first, Part::Whole});
        }
    }
    m_key.resize(1 + m_held.size());
}

void ReflectionPointCollector::blockOpened(double frequency)
{
    m_key[0] = frequency;
}

void ReflectionPointCollector::rowRead(const double *row)
{
    if (!m_target)
        return;
    for (std::size_t i = 0; i < m_held.size(); ++i)
        m_key[i + 1] = row[m_held[i].first + (m_held[i].part == Part::Imaginary ? 1 : 0)];
    if (!m_group || m_key != m_groupKey) {
        m_group = &m_groups[m_key];
        m_groupKey = m_key;
    }
    // A fixed coefficient has no columns: its one point takes its place when the file is read.
    ReflectionPoints::Point point;
    if (m_pointColumn) {
        point.re = row[*m_pointColumn];
        point.im = row[*m_pointColumn + 1];
    }
    point.values.reserve(m_quantities.size());
    for (const Column &quantity : m_quantities) {
        point.values.push_back(valueOf(row, quantity.first, quantity.part == Part::Magnitude));
        if (quantity.part == Part::Magnitude)
            point.complexValues.emplace_back(row[quantity.first], row[quantity.first + 1]);
    }
    m_group->points.push_back(std::move(point));
}

bool ReflectionPointCollector::finish(const FileSummary &summary, ReflectionPoints &points)
{
    points = ReflectionPoints{};
    for (const VariableSummary &variable : summary.variables) {
        const VariableDeclaration &declaration = variable.declaration;
        if (declaration.kind == VariableKind::Gamma)
            points.coefficients.push_back(declaration.name);
        else if (declaration.kind == VariableKind::Frequency)
            points.frequency = {declaration.name, declaration.unit, false, declaration.unitType};
    }
    if (!m_target)
        return false;
    const VariableDeclaration &target = summary.variables[*m_target].declaration;
    points.coefficient = target.name;
    points.fixed = target.fixed;
    for (const Column &column : m_held)
        points.held.push_back(variableOf(summary, column));
    for (const Column &column : m_quantities)
        points.quantities.push_back(variableOf(summary, column));
    for (auto &[key, group] : m_groups) {
        group.frequency = key[0];
        group.held.assign(key.begin() + 1, key.end());
        keepFirstOfEachPlace(group);
        if (target.fixed) {
            group.points.front().re = target.fixedRe;
            group.points.front().im = target.fixedIm;
        }
        points.groups.push_back(std::move(group));
    }
    m_groups.clear();
    m_group = nullptr;
    return true;
}

ReflectionPoints::Variable ReflectionPointCollector::variableOf(const FileSummary &summary,
                                                                const Column &column) const
{
    const VariableDeclaration &declaration = summary.variables[column.variable].declaration;
    switch (column.part) {
    case Part::Real:
        return {"Re(" + declaration.name + ")", declaration.unit, false, declaration.unitType};
    case Part::Imaginary:
        return {"Im(" + declaration.name + ")", declaration.unit, false, declaration.unitType};
    case Part::Magnitude:
        return {declaration.name, declaration.unit, true, declaration.unitType};
    case Part::Whole:
        break;
    }
    return {declaration.name, declaration.unit, false, declaration.unitType};
}

} // namespace Corvane_LP
