#pragma once

#include "pointgrid.h"

#include <complex>
#include <vector>

// Which load of one drive level each point of the next continues. The level's common drift
// (an offset all its loads share, as an active loop or de-embedding gives) is taken out first;
// then each point may continue only a point within its gate (half the distance from either of
// the two to its nearest neighbour at its own level), and the points are matched in groups of
// such candidates by the assignment of least total squared movement. Loads closer together
// than four times the level's typical movement cannot be told apart, and are not followed. A
// match is kept only when it is clear: where another assignment costs less than a quarter of the
// smaller squared gate more, or where a group leaves a point unmatched (a load that ends or starts
// may be one of its loads, moved farther), the group's loads are not followed; and where, besides,
// loads without any candidate both end and start between the two levels, they may be loads that
// jumped: those are not followed either, nor the matches near any load not followed, whose
// points such a load may have taken. Every other load stays matched.
class LevelMatch
{
public:
    using Points = std::vector<std::complex<double>>;

    // The points of one drive level, found by place, each with its gate.
    struct Level
    {
        explicit Level(const Points &levelPoints);

        const Points &points;
        const PointGrid grid;
        std::vector<double> gates; // infinite for a lone point
    };

    LevelMatch(const Level &before, const Level &after);

    // For each point of `after`, the point of `before` it continues, or -1.
    const std::vector<int> &from() const { return m_from; }
    // The points of `before` that go on to none, but may have gone on to a point of `after`.
    const std::vector<bool> &lostBefore() const { return m_lostBefore; }
    // The points of `after` that continue none, but may continue a point of `before`.
    const std::vector<bool> &lostAfter() const { return m_lostAfter; }
    std::complex<double> drift() const { return m_drift; }

private:
    struct Candidate
    {
        int before = 0;
        int after = 0;
        double cost = 0.0; // the squared movement, drift taken out
    };
    struct Group
    {
        std::vector<int> before;
        std::vector<int> after;
        std::vector<Candidate> candidates;
    };

    std::vector<Candidate> candidates() const;
    std::vector<Group> groups(const std::vector<Candidate> &candidates) const;
    // True when the group's matches are all clear.
    bool match(const Group &group);
    void loseJumps(const std::vector<Candidate> &candidates, bool unclear);
    void unsettleNearLost();

    const Level &m_before;
    const Level &m_after;
    std::complex<double> m_drift;
    double m_movement = 0.0; // typical, the drift taken out
    std::vector<int> m_from;
    std::vector<bool> m_lostBefore;
    std::vector<bool> m_lostAfter;
};
