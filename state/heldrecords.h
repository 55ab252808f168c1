#pragma once

#include "performancetabstate.h"
#include "variabledetailstabstate.h"

namespace LoadPullStateUtils {

// The component's records while files the data library cannot read are listed: no report can
// tell what those files hold, so every variable the component named stays, with the record it
// gave and any edit the user makes, whatever readable files come or go. Opening the same list
// of files again gives the same variables.
class HeldRecords
{
public:
    bool isEmpty() const;
    void clear();

    // Holds every record the component gave.
    void hold(const VariableDetailsTabState &given);
    void hold(const PerformanceTabState &given);
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
