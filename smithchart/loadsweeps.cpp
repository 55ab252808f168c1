#include "loadsweeps.h"

#include "levelmatch.h"

#include <memory>

std::vector<LoadSweeps::Sweep>
LoadSweeps::follow(const std::vector<std::vector<std::complex<double>>> &levels)
{
    std::vector<std::unique_ptr<LevelMatch::Level>> found;
    std::vector<const LevelMatch::Level *> places;
    for (const std::vector<std::complex<double>> &points : levels) {
        found.push_back(std::make_unique<LevelMatch::Level>(points));
        places.push_back(found.back().get());
    }
    const double movement = LevelMatch::typicalMovement(places);
    std::vector<Sweep> sweeps;
    std::vector<int> beforeSweeps; // the sweep of each point of the level before
    for (int level = 0; level < int(levels.size()); ++level) {
        std::vector<int> from(levels[level].size(), -1);
        std::vector<bool> lostAfter(from.size(), false);
        if (level > 0) {
            const LevelMatch match(*places[level - 1], *places[level], movement);
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
        beforeSweeps = std::move(afterSweeps);
    }
    return sweeps;
}
