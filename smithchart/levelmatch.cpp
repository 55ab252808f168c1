#include "levelmatch.h"

#include "disjointsets.h"
#include "leastcostassignment.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <tuple>

namespace {

using Points = LevelMatch::Points;
using Level = LevelMatch::Level;

double median(std::vector<double> values)
{
    const auto middle = values.begin() + long(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

std::complex<double> medianOf(const Points &points)
{
    std::vector<double> re, im;
    re.reserve(points.size());
    im.reserve(points.size());
    for (const std::complex<double> &point : points) {
        re.push_back(point.real());
        im.push_back(point.imag());
    }
    return {median(std::move(re)), median(std::move(im))};
}

// The movements between the points that are each other's nearest at the other level, the drift
// taken out in finding them: loads starting or stopping at one of the levels have none such.
Points mutualMoves(const Level &before, const Level &after, std::complex<double> drift)
{
    Points moves;
    moves.reserve(after.points.size());
    for (int j = 0; j < int(after.points.size()); ++j) {
        const int i = before.grid.nearest(after.points[j] - drift).index;
        if (after.grid.nearest(before.points[i] + drift).index == j)
            moves.push_back(after.points[j] - before.points[i]);
    }
    return moves;
}

// The median mutual movement, again until it settles: a few rounds, as the nearest points stop
// changing.
std::complex<double> settled(const Level &before, const Level &after, std::complex<double> drift)
{
    for (int round = 0; round < 3; ++round) {
        const Points moves = mutualMoves(before, after, drift);
        if (moves.empty())
            break;
        const std::complex<double> next = medianOf(moves);
        if (next == drift)
            break;
        drift = next;
    }
    return drift;
}

// The drifts that may be the level's: settled from no drift, and from the difference of the
// levels' medians, which is right even where the drift exceeds half the spacing (so that the
// nearest points are the wrong ones).
std::vector<std::complex<double>> driftsBetween(const Level &before, const Level &after)
{
    return {settled(before, after, {}),
            settled(before, after, medianOf(after.points) - medianOf(before.points))};
}

// How far each of the points nearest to each other moved, the drift taken out.
std::vector<double> distancesMoved(const Level &before, const Level &after,
                                   std::complex<double> drift)
{
    std::vector<double> distances;
    distances.reserve(after.points.size());
    for (const std::complex<double> &move : mutualMoves(before, after, drift))
        distances.push_back(std::abs(move - drift));
    return distances;
}

// How far the loads typically moved between the two levels: the median distance.
double levelMovement(const Level &before, const Level &after, std::complex<double> drift)
{
    std::vector<double> distances = distancesMoved(before, after, drift);
    return distances.empty() ? 0.0 : median(std::move(distances));
}

// A pair's gate: the larger of the two, so that noise bringing a load nearer to one
// neighbour does not cut it off, but at most twice the smaller, so that a lone load beside
// a dense cluster does not draw the whole cluster into one group. A point alone at its level
// (of infinite gate) has no spacing of its own: the other's gate is taken.
double gateOf(double before, double after)
{
    const double smaller = std::min(before, after), larger = std::max(before, after);
    return std::isinf(larger) ? smaller : std::min(larger, 2.0 * smaller);
}

} // namespace

LevelMatch::Level::Level(const Points &levelPoints)
    : points(levelPoints)
    , grid(levelPoints)
    , gates(levelPoints.size(), INFINITY)
{
    for (std::size_t i = 0; i < points.size(); ++i) {
        const PointGrid::Nearest nearest = grid.nearest(points[i], int(i));
        if (nearest.index >= 0)
            gates[i] = 0.5 * nearest.distance;
    }
}

std::vector<double> LevelMatch::movements(const Level &before, const Level &after)
{
    if (before.points.empty() || after.points.empty())
        return {};
    std::vector<double> distances = distancesMoved(before, after, settled(before, after, {}));
    // The drift of a few loads takes up much of their movement: they tell too little.
    return distances.size() < 20 ? std::vector<double>() : distances;
}

double LevelMatch::typicalMovement(const std::vector<const Level *> &levels)
{
    std::vector<double> distances;
    for (std::size_t level = 1; level < levels.size(); ++level) {
        const std::vector<double> more = movements(*levels[level - 1], *levels[level]);
        distances.insert(distances.end(), more.begin(), more.end());
    }
    return distances.empty() ? INFINITY : median(std::move(distances));
}

LevelMatch::LevelMatch(const Level &before, const Level &after, double movement)
    : m_before(before)
    , m_after(after)
    , m_movement(movement)
    , m_from(after.points.size(), -1)
    , m_lostBefore(before.points.size(), false)
    , m_lostAfter(after.points.size(), false)
{
    if (before.points.empty() || after.points.empty())
        return;
    // Of the drifts tried, the one whose groups match the most loads clearly (before loads that
    // may have jumped unsettle any); of as many, the smaller.
    std::vector<std::complex<double>> drifts = driftsBetween(before, after);
    std::sort(drifts.begin(), drifts.end(), [](std::complex<double> a, std::complex<double> b) {
        return std::abs(a) < std::abs(b);
    });
    drifts.erase(std::unique(drifts.begin(), drifts.end()), drifts.end());
    std::complex<double> best;
    long most = -1;
    for (const std::complex<double> drift : drifts) {
        const long followed = matchAt(drift);
        if (followed > most) {
            most = followed;
            best = drift;
        }
    }
    if (best != m_drift)
        matchAt(best);
}

long LevelMatch::matchAt(std::complex<double> drift)
{
    m_drift = drift;
    m_levelMovement = levelMovement(m_before, m_after, drift);
    std::fill(m_from.begin(), m_from.end(), -1);
    std::fill(m_lostBefore.begin(), m_lostBefore.end(), false);
    std::fill(m_lostAfter.begin(), m_lostAfter.end(), false);
    bool unclear = false;
    for (const Group &group : groups(candidates()))
        unclear = !match(group) || unclear;
    const long matched = std::count_if(m_from.begin(), m_from.end(), [](int i) { return i >= 0; });
    loseJumps(unclear);
    return matched;
}

std::vector<LevelMatch::Candidate> LevelMatch::candidates() const
{
    std::vector<Candidate> found;
    const auto consider = [&](int i, int j) {
        const double cost = std::norm(m_after.points[j] - m_drift - m_before.points[i]);
        const double spaced = gateOf(m_before.gates[i], m_after.gates[j]);
        // A movement far beyond the typical one is a load that jumped, not one that moved: no
        // more than four times it, unless that is below half the spacing's gate (loads that
        // hardly move).
        const double gate = std::min(spaced, std::max(4.0 * m_movement, 0.5 * spaced));
        if (cost < gate * gate)
            found.push_back({i, j, cost});
    };
    for (int j = 0; j < int(m_after.points.size()); ++j) {
        for (int i : m_before.grid.near(m_after.points[j] - m_drift, m_after.gates[j]))
            consider(i, j);
    }
    for (int i = 0; i < int(m_before.points.size()); ++i) {
        for (int j : m_after.grid.near(m_before.points[i] + m_drift, m_before.gates[i]))
            consider(i, j);
    }
    const auto key = [](const Candidate &c) {
        return std::tie(c.before, c.after);
    };
    std::sort(found.begin(), found.end(),
              [&](const Candidate &a, const Candidate &b) { return key(a) < key(b); });
    found.erase(
        std::unique(found.begin(), found.end(),
                    [&](const Candidate &a, const Candidate &b) { return key(a) == key(b); }),
        found.end());
    return found;
}

// The points joined by candidates, directly or through others; points without candidates
// belong to none.
std::vector<LevelMatch::Group> LevelMatch::groups(const std::vector<Candidate> &candidates) const
{
    const int beforeCount = int(m_before.points.size());
    const int count = beforeCount + int(m_after.points.size());
    DisjointSets joined(count);
    for (const Candidate &c : candidates)
        joined.join(c.before, beforeCount + c.after);
    std::vector<int> groupOf(std::size_t(count), -1);
    std::vector<Group> found;
    for (const Candidate &c : candidates) {
        int &group = groupOf[joined.root(c.before)];
        if (group < 0) {
            group = int(found.size());
            found.emplace_back();
        }
        found[group].candidates.push_back(c);
    }
    for (Group &group : found) {
        for (const Candidate &c : group.candidates) {
            group.before.push_back(c.before);
            group.after.push_back(c.after);
        }
        for (std::vector<int> *points : {&group.before, &group.after}) {
            std::sort(points->begin(), points->end());
            points->erase(std::unique(points->begin(), points->end()), points->end());
        }
    }
    return found;
}

bool LevelMatch::tooClose(double gate) const
{
    return gate < m_levelMovement;
}

// A group of one candidate: its points match, unless their loads lie too close to others.
bool LevelMatch::matchAlone(const Candidate &candidate)
{
    const bool clear =
        !tooClose(m_before.gates[candidate.before]) && !tooClose(m_after.gates[candidate.after]);
    if (clear)
        m_from[candidate.after] = candidate.before;
    m_lostBefore[candidate.before] = !clear;
    m_lostAfter[candidate.after] = !clear;
    return clear;
}

// The group's assignment of least cost, each point free to stay unmatched at the cost of its
// squared gate: rows are the points before and a stand-in for each point after that stays
// unmatched, columns the points after and a stand-in for each point before.
bool LevelMatch::match(const Group &group)
{
    if (group.candidates.size() == 1)
        return matchAlone(group.candidates.front());
    std::vector<double> alone;
    for (int i : group.before)
        alone.push_back(m_before.gates[i] * m_before.gates[i]);
    for (int j : group.after)
        alone.push_back(m_after.gates[j] * m_after.gates[j]);
    const std::vector<int> from = clearMatches(group, alone);
    const bool clear = !from.empty();
    for (std::size_t j = 0; j < from.size(); ++j)
        m_from[group.after[j]] = from[j];
    for (int i : group.before)
        m_lostBefore[i] = !clear;
    for (int j : group.after)
        m_lostAfter[j] = !clear;
    return clear;
}

// For each point after of the group, the point before it continues or -1; nothing when a match
// is unclear. Another assignment is as likely where it costs little more than a load's own
// movement: within three times its square, or a quarter of its squared gate.
std::vector<int> LevelMatch::clearMatches(const Group &group,
                                          const std::vector<double> &alone) const
{
    const int beforeCount = int(group.before.size()), afterCount = int(group.after.size());
    // Dearer than leaving every point unmatched, so never taken.
    const double barred = 1.0 + 2.0 * std::accumulate(alone.begin(), alone.end(), 0.0);
    if (!std::isfinite(barred) || std::any_of(alone.begin(), alone.end(), [&](double squared) {
            return tooClose(std::sqrt(squared));
        }))
        return {};
    const LeastCostAssignment assignment(costsOf(group, alone, barred), beforeCount + afterCount);
    std::vector<int> from(afterCount, -1);
    for (int row = 0; row < beforeCount; ++row) {
        const int column = assignment.columnOf(row);
        if (column >= afterCount)
            continue;
        const double margin = std::max(3.0 * assignment.costOf(row),
                                       0.25 * std::min(alone[row], alone[beforeCount + column]));
        if (assignment.regret(row) < margin)
            return {};
        from[column] = group.before[row];
    }
    return from;
}

std::vector<double> LevelMatch::costsOf(const Group &group, const std::vector<double> &alone,
                                        double barred)
{
    const int beforeCount = int(group.before.size()), afterCount = int(group.after.size());
    const int size = beforeCount + afterCount;
    std::vector<double> costs(std::size_t(size) * std::size_t(size), 0.0);
    for (int row = 0; row < size; ++row) {
        for (int column = 0; column < size; ++column) {
            if (row < beforeCount)
                costs[row * size + column] = column < afterCount ? barred : alone[row];
            else if (column < afterCount)
                costs[row * size + column] = alone[beforeCount + column];
        }
    }
    const auto local = [](const std::vector<int> &points, int point) {
        return int(std::lower_bound(points.begin(), points.end(), point) - points.begin());
    };
    for (const Candidate &c : group.candidates)
        costs[local(group.before, c.before) * size + local(group.after, c.after)] = c.cost;
    return costs;
}

// Loads left unmatched that end, where others left unmatched start or a group was unclear, may
// be loads that jumped; and loads that start there, may be such loads landed.
void LevelMatch::loseJumps(bool unclear)
{
    std::vector<bool> endsAlone(m_lostBefore.size(), true), startsAlone(m_lostAfter.size());
    for (std::size_t j = 0; j < startsAlone.size(); ++j) {
        startsAlone[j] = m_from[j] < 0 && !m_lostAfter[j];
        if (m_from[j] >= 0)
            endsAlone[m_from[j]] = false;
    }
    for (std::size_t i = 0; i < endsAlone.size(); ++i)
        endsAlone[i] = endsAlone[i] && !m_lostBefore[i];
    const auto any = [](const std::vector<bool> &flags) {
        return std::find(flags.begin(), flags.end(), true) != flags.end();
    };
    const bool ending = unclear || any(endsAlone), starting = unclear || any(startsAlone);
    if (!ending || !starting)
        return;
    for (std::size_t i = 0; i < endsAlone.size(); ++i)
        m_lostBefore[i] = m_lostBefore[i] || endsAlone[i];
    for (std::size_t j = 0; j < startsAlone.size(); ++j)
        m_lostAfter[j] = m_lostAfter[j] || startsAlone[j];
    unsettleNearLost();
}

// A load lost may have gone on to (or come from) the point of a match near it, whose own load
// then went elsewhere: matches within two gates (about a spacing) of a lost point, the smaller
// gate of the two so that a load lost out in the open reaches no matches far off, are undone.
// Once only: the matches undone here undo no others.
void LevelMatch::unsettleNearLost()
{
    std::vector<int> to(m_before.points.size(), -1);
    for (std::size_t j = 0; j < m_from.size(); ++j) {
        if (m_from[j] >= 0)
            to[m_from[j]] = int(j);
    }
    std::vector<std::pair<int, int>> undone;
    const auto undoNear = [&](std::complex<double> beforePlace, double gate) {
        const auto within = [&](int i, int j) {
            const double reach = 2.0 * std::min(gate, gateOf(m_before.gates[i], m_after.gates[j]));
            return std::abs(m_before.points[i] - beforePlace) < reach ||
                   std::abs(m_after.points[j] - m_drift - beforePlace) < reach;
        };
        for (int i : m_before.grid.near(beforePlace, 2.0 * gate)) {
            if (to[i] >= 0 && within(i, to[i]))
                undone.emplace_back(i, to[i]);
        }
        for (int j : m_after.grid.near(beforePlace + m_drift, 2.0 * gate)) {
            if (m_from[j] >= 0 && within(m_from[j], j))
                undone.emplace_back(m_from[j], j);
        }
    };
    for (std::size_t i = 0; i < m_lostBefore.size(); ++i) {
        if (m_lostBefore[i])
            undoNear(m_before.points[i], m_before.gates[i]);
    }
    for (std::size_t j = 0; j < m_lostAfter.size(); ++j) {
        if (m_lostAfter[j])
            undoNear(m_after.points[j] - m_drift, m_after.gates[j]);
    }
    for (const auto &[i, j] : undone) {
        m_from[j] = -1;
        m_lostBefore[i] = true;
        m_lostAfter[j] = true;
    }
}
