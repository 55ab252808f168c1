#include "disjointsets.h"

#include <numeric>

DisjointSets::DisjointSets(int count)
    : m_parents(std::size_t(count))
{
    std::iota(m_parents.begin(), m_parents.end(), 0);
}

int DisjointSets::root(int item)
{
    while (m_parents[item] != item)
        item = m_parents[item] = m_parents[m_parents[item]];
    return item;
}

bool DisjointSets::join(int a, int b)
{
    const int rootA = root(a), rootB = root(b);
    if (rootA == rootB)
        return false;
    m_parents[rootA] = rootB;
    return true;
}
