#include "variabletracker.h"

#include "variablesummary.h"

#include <algorithm>
#include <limits>

namespace Corvane_LP {

namespace {

constexpr double notASample = std::numeric_limits<double>::quiet_NaN();

} // namespace

VariableTracker::VariableTracker(const DataRole &role, std::size_t firstColumn)
    : m_column(firstColumn)
    , m_component(role.component)
    , m_pair(role.columns == 2)
    , m_countsDistinct(role.kind != VariableKind::Performance)
    , m_lastFirst(notASample)
    , m_lastSecond(notASample)
    , m_lowest(std::numeric_limits<double>::infinity())
    , m_highest(-std::numeric_limits<double>::infinity())
{}

void VariableTracker::endBlock(long long blockRows)
{
    const long long points = m_countsDistinct ? m_distinct.count() : blockRows;
    m_minPoints = m_blocks == 0 ? points : std::min(m_minPoints, points);
    m_maxPoints = std::max(m_maxPoints, points);
    ++m_blocks;
    m_distinct.clear();
    m_lastFirst = notASample;
    m_lastSecond = notASample;
}

void VariableTracker::storeIn(VariableSummary &summary) const
{
    summary.lowest = m_lowest;
    summary.highest = m_highest;
    summary.minPoints = m_minPoints;
    summary.maxPoints = m_maxPoints;
}

} // namespace Corvane_LP
