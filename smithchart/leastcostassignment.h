#pragma once

#include <vector>

// The assignment of the rows of a square matrix of costs to its columns, one each, of least
// total cost: the Hungarian method with potentials, one row at a time by shortest augmenting
// paths (as Jonker and Volgenant run it), in O(n³). The potentials it ends with also give, for
// each row, how much more the best assignment that moves the row to another column costs.
class LeastCostAssignment
{
public:
    // `costs`: size × size, row by row, all finite.
    LeastCostAssignment(std::vector<double> costs, int size);

    int columnOf(int row) const { return m_columnOf[row]; }
    double cost() const;
    // The cost of `row` at its column.
    double costOf(int row) const;
    // The least extra cost, over the best, of an assignment that gives `row` another column:
    // infinite for a matrix of one row.
    double regret(int row) const;

private:
    double reduced(int row, int column) const;

    std::vector<double> m_costs;
    int m_size = 0;
    std::vector<double> m_rowPotentials;
    std::vector<double> m_columnPotentials;
    std::vector<int> m_columnOf;
    std::vector<int> m_rowOf;
};
