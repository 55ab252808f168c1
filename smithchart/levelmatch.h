#pragma once

#include "pointgrid.h"

#include <complex>
#include <vector>

// Which load of one drive level each point of the next continues. The level's common drift
// (an offset all its loads share, as an active loop or de-embedding gives) is taken out first:
// of the drifts that the points nearest to each other suggest, the one whose groups match the
// most loads clearly, of as many the smaller. Then a point may continue only a point within the
// gate of the two (see gateOf; and no farther than four times the loads' typical movement, or
// half that gate, whichever is larger: a load that leaps farther has jumped), and the points
// joined by such candidates are matched, group by group, by the assignment of least total
// squared movement, where leaving a point unmatched costs its squared gate. Only clear matches
// are kept: where loads lie closer together than twice the level's typical movement, or another
// assignment costs less more than three times a load's squared movement (or a quarter of its
// squared gate), the group's loads are not followed. Points left unmatched end or start a load;
// but where loads end and start between the same two levels, or a group was unclear, they may
// be loads that jumped: those are not followed, nor the matches within about a spacing of a
// load not followed, whose points it may have taken. Every other load stays matched.
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

    // How far loads typically move from one level to the next, the levels' drifts taken out:
    // the median over the pairs of neighbouring levels with at least 20 points that are each
    // other's nearest, of those points; infinite without such pairs.
    static double typicalMovement(const std::vector<const Level *> &levels);

    // `movement`: typicalMovement() of the levels of the drive sweep.
    LevelMatch(const Level &before, const Level &after, double movement);

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

    // How many loads the groups match clearly.
    static std::vector<double> movements(const Level &before, const Level &after);
    long matchAt(std::complex<double> drift);
    std::vector<Candidate> candidates() const;
    std::vector<Group> groups(const std::vector<Candidate> &candidates) const;
    // True when the group's matches are all clear.
    bool tooClose(double gate) const;
    bool matchAlone(const Candidate &candidate);
    bool match(const Group &group);
    std::vector<int> clearMatches(const Group &group, const std::vector<double> &alone) const;
    static std::vector<double> costsOf(const Group &group, const std::vector<double> &alone,
                                       double barred);
    void loseJumps(bool unclear);
    void unsettleNearLost();

    const Level &m_before;
    const Level &m_after;
    std::complex<double> m_drift;
    const double m_movement;
    double m_levelMovement = 0.0; // between these two levels, the drift taken out
    std::vector<int> m_from;
    std::vector<bool> m_lostBefore;
    std::vector<bool> m_lostAfter;
};
