#include "loadsweeps.h"

#include "pointgrid.h"

#include <algorithm>
#include <limits>
#include <memory>

namespace {

using Points = std::vector<std::complex<double>>;
using Sweep = LoadSweeps::Sweep;

// The points of one drive level, found by place, each with how far its nearest neighbour at
// the level lies.
struct Level
{
    explicit Level(const Points &levelPoints)
        : points(levelPoints)
        , grid(levelPoints)
        , spacing(levelPoints.size(), std::numeric_limits<double>::infinity())
    {
        for (std::size_t i = 0; i < points.size(); ++i) {
            const PointGrid::Nearest nearest = grid.nearest(points[i], int(i));
            if (nearest.index >= 0)
                spacing[i] = nearest.distance;
        }
    }

    const Points &points;
    const PointGrid grid;
    std::vector<double> spacing;
};

// For each point of `after`, the point of `before` it continues, or -1.
std::vector<int> continued(const Level &before, const Level &after)
{
    std::vector<int> from(after.points.size(), -1);
    for (std::size_t i = 0; i < after.points.size(); ++i) {
        const PointGrid::Nearest nearest = before.grid.nearest(after.points[i]);
        if (nearest.index >= 0 &&
            nearest.distance < 0.5 * std::min(before.spacing[nearest.index], after.spacing[i]))
            from[i] = nearest.index;
    }
    return from;
}

std::vector<bool> endings(const Level &before, const std::vector<int> &from)
{
    std::vector<bool> ends(before.points.size(), true);
    for (int i : from) {
        if (i >= 0)
            ends[i] = false;
    }
    return ends;
}

// Where some points of the level before go on to none and some of this level continue none,
// the matches within twice their spacing of them are undone too; true when there are such
// points.
bool unsettle(const Level &before, const Level &after, std::vector<int> &from)
{
    const std::vector<bool> ends = endings(before, from);
    std::vector<std::complex<double>> places;
    std::vector<double> reaches;
    for (std::size_t i = 0; i < ends.size(); ++i) {
        if (ends[i]) {
            places.push_back(before.points[i]);
            reaches.push_back(2.0 * before.spacing[i]);
        }
    }
    const std::size_t ending = places.size();
    for (std::size_t i = 0; i < from.size(); ++i) {
        if (from[i] < 0) {
            places.push_back(after.points[i]);
            reaches.push_back(2.0 * after.spacing[i]);
        }
    }
    if (ending == 0 || ending == places.size())
        return false;
    std::vector<int> to(before.points.size(), -1);
    for (std::size_t i = 0; i < from.size(); ++i) {
        if (from[i] >= 0)
            to[from[i]] = int(i);
    }
    for (std::size_t k = 0; k < places.size(); ++k) {
        for (int i : before.grid.near(places[k], reaches[k])) {
            if (to[i] >= 0)
                from[to[i]] = -1;
        }
        for (int i : after.grid.near(places[k], reaches[k]))
            from[i] = -1;
    }
    return true;
}

} // namespace

std::vector<Sweep> LoadSweeps::follow(const std::vector<Points> &levels)
{
    std::vector<Sweep> sweeps;
    std::unique_ptr<Level> before;
    std::vector<int> beforeSweeps; // the sweep of each point of the level before
    for (int level = 0; level < int(levels.size()); ++level) {
        auto after = std::make_unique<Level>(levels[level]);
        std::vector<int> from(levels[level].size(), -1);
        bool lost = false;
        if (before) {
            from = continued(*before, *after);
            lost = unsettle(*before, *after, from);
            const std::vector<bool> ends = endings(*before, from);
            for (std::size_t i = 0; i < ends.size(); ++i)
                sweeps[beforeSweeps[i]].lostAtEnd = ends[i] && lost;
        }
        std::vector<int> afterSweeps(from.size());
        for (std::size_t i = 0; i < from.size(); ++i) {
            if (from[i] >= 0) {
                afterSweeps[i] = beforeSweeps[from[i]];
                sweeps[afterSweeps[i]].points.push_back(int(i));
            } else {
                afterSweeps[i] = int(sweeps.size());
                sweeps.push_back({level, {int(i)}, lost, false});
            }
        }
        before = std::move(after);
        beforeSweeps = std::move(afterSweeps);
    }
    return sweeps;
}
