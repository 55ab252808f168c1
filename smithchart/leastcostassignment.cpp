#include "leastcostassignment.h"

#include <algorithm>
#include <cmath>

LeastCostAssignment::LeastCostAssignment(std::vector<double> costs, int size)
    : m_costs(std::move(costs))
    , m_size(size)
    , m_rowPotentials(size, 0.0)
    , m_columnPotentials(size + 1, 0.0)
    , m_columnOf(size, -1)
    , m_rowOf(size + 1, -1)
{
    // Column `size` stands for the row being placed, the start of its augmenting path.
    const int start = size;
    std::vector<double> least(size + 1);
    std::vector<int> previous(size + 1);
    std::vector<bool> reached(size + 1);
    for (int row = 0; row < size; ++row) {
        m_rowOf[start] = row;
        std::fill(least.begin(), least.end(), INFINITY);
        std::fill(reached.begin(), reached.end(), false);
        int column = start;
        do {
            reached[column] = true;
            const int from = m_rowOf[column];
            double step = INFINITY;
            int next = -1;
            for (int j = 0; j < size; ++j) {
                if (reached[j])
                    continue;
                const double through = reduced(from, j);
                if (through < least[j]) {
                    least[j] = through;
                    previous[j] = column;
                }
                if (least[j] < step) {
                    step = least[j];
                    next = j;
                }
            }
            for (int j = 0; j <= size; ++j) {
                if (reached[j]) {
                    m_rowPotentials[m_rowOf[j]] += step;
                    m_columnPotentials[j] -= step;
                } else {
                    least[j] -= step;
                }
            }
            column = next;
        } while (m_rowOf[column] >= 0);
        while (column != start) {
            const int before = previous[column];
            m_rowOf[column] = m_rowOf[before];
            column = before;
        }
    }
    for (int j = 0; j < size; ++j)
        m_columnOf[m_rowOf[j]] = j;
}

double LeastCostAssignment::reduced(int row, int column) const
{
    return m_costs[std::size_t(row) * std::size_t(m_size) + std::size_t(column)] -
           m_rowPotentials[row] - m_columnPotentials[column];
}

double LeastCostAssignment::cost() const
{
    double total = 0.0;
    for (int row = 0; row < m_size; ++row)
        total += costOf(row);
    return total;
}

double LeastCostAssignment::costOf(int row) const
{
    return m_costs[std::size_t(row) * std::size_t(m_size) + std::size_t(m_columnOf[row])];
}

// Any other assignment differs from the best by cycles of rows passing their columns on; the
// cheapest that moves `row` is the shortest path, in reduced costs (none negative), from `row`
// through other columns and their rows back to its own column.
double LeastCostAssignment::regret(int row) const
{
    const int own = m_columnOf[row];
    std::vector<double> distance(m_size, INFINITY);
    std::vector<bool> done(m_size, false);
    for (int j = 0; j < m_size; ++j) {
        if (j != own)
            distance[j] = std::max(0.0, reduced(row, j));
    }
    for (;;) {
        int nearest = -1;
        for (int j = 0; j < m_size; ++j) {
            if (!done[j] && (nearest < 0 || distance[j] < distance[nearest]))
                nearest = j;
        }
        if (nearest < 0 || nearest == own || std::isinf(distance[nearest]))
            return nearest == own ? distance[own] : INFINITY;
        done[nearest] = true;
        const int passing = m_rowOf[nearest];
        for (int j = 0; j < m_size; ++j) {
            if (!done[j])
                distance[j] =
                    std::min(distance[j], distance[nearest] + std::max(0.0, reduced(passing, j)));
        }
    }
}
