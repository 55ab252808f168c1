#pragma once

#include "distinctcounter.h"
#include "variabledeclaration.h"

#include <algorithm>
#include <cstddef>

namespace Corvane_LP {

struct VariableSummary;

// Follows one variable through the data rows: its range, and its point count per sweep block
// (distinct values, or for a performance quantity the rows).
class VariableTracker
{
public:
    // The variable's values are row[firstColumn], and row[firstColumn + 1] for a Re/Im pair.
    VariableTracker(const DataRole &role, std::size_t firstColumn);

    void addRow(const double *row)
    {
        const double first = row[m_column];
        const double second = m_pair ? row[m_column + 1] : 0.0;
        // Swept variables mostly repeat the row before, which changes nothing.
        if (first == m_lastFirst && second == m_lastSecond)
            return;
        m_lastFirst = first;
        m_lastSecond = second;
        const double value = m_pair ? componentOf(m_component, first, second) : first;
        m_lowest = std::min(m_lowest, value);
        m_highest = std::max(m_highest, value);
        if (m_countsDistinct)
            m_distinct.add(first, second);
    }
    void endBlock(long long blockRows);
    void storeIn(VariableSummary &summary) const;

private:
    std::size_t m_column;
    RangeComponent m_component;
    bool m_pair;
    bool m_countsDistinct;
    double m_lastFirst;
    double m_lastSecond;
    double m_lowest;
    double m_highest;
    DistinctCounter m_distinct;
    long long m_blocks = 0;
    long long m_minPoints = 0;
    long long m_maxPoints = 0;
};

} // namespace Corvane_LP
