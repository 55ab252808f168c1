#include "loadsweeps.h"

#include "levelmatch.h"

#include <memory>

std::vector<LoadSweeps::Sweep>
LoadSweeps::follow(const std::vector<std::vector<std::complex<double>>> &levels)
{
    std::vector<Sweep> sweeps;
    std::unique_ptr<LevelMatch::Level> before;
    std::vector<int> beforeSweeps; // the sweep of each point of the level before
    for (int level = 0; level < int(levels.size()); ++level) {
        auto after = std::make_unique<LevelMatch::Level>(levels[level]);
        std::vector<int> from(levels[level].size(), -1);
        std::vector<bool> lostAfter(from.size(), false);
        if (before) {
            const LevelMatch match(*before, *after);
            from = match.from();
            lostAfter = match.lostAfter();
            for (std::size_t i = 0; i < beforeSweeps.size(); ++i)
                sweeps[beforeSweeps[i]].lostAtEnd = match.lostBefore()[i];
        }
        std::vector<int> afterSweeps(from.size());
        for (std::size_t i = 0; i < from.size(); ++i) {
            if (from[i] >= 0) {
                afterSweeps[i] = beforeSweeps[from[i]];
                sweeps[afterSweeps[i]].points.push_back(int(i));
            } else {
                afterSweeps[i] = int(sweeps.size());
                sweeps.push_back({level, {int(i)}, lostAfter[i], false});
            }
        }
        before = std::move(after);
        beforeSweeps = std::move(afterSweeps);
    }
    return sweeps;
}
