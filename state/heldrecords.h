#pragma once

#include "performancetabstate.h"
#include "variabledetailstabstate.h"

namespace LoadPullStateUtils {

// The component's records of variables that no readable data file reports, while files the
// data library cannot read are listed: no report can tell what those files hold, so their
// variables keep the records the component gave them, and any edit the user makes.
class HeldRecords
{
public:
    bool isEmpty() const;
    void clear();

    // Holds the records of `given` whose names `shown` lacks.
    void holdAbsent(const VariableDetailsTabState &shown, const VariableDetailsTabState &given);
    void holdAbsent(const PerformanceTabState &shown, const PerformanceTabState &given);
    // Takes the held records as `shown` has them now, edited or not.
    void update(const VariableDetailsTabState &shown);
    void update(const PerformanceTabState &shown);
    // `shown` with every held record it lacks.
    VariableDetailsTabState addedTo(VariableDetailsTabState shown) const;
    PerformanceTabState addedTo(PerformanceTabState shown) const;

private:
    VariableDetailsTabState m_details;
    PerformanceTabState m_performance;
};

} // namespace LoadPullStateUtils
