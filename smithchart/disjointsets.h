#pragma once

#include <vector>

// Items joined into sets, each set named by one of its items (union-find with path halving):
// places joined along a tree, loads joined by their candidate matches.
class DisjointSets
{
public:
    explicit DisjointSets(int count);

    // The item that names the set the item is in.
    int root(int item);
    // Joins the sets of the two items; false when they were one already.
    bool join(int a, int b);

private:
    std::vector<int> m_parents;
};
