#include "heldrecords.h"

namespace LoadPullStateUtils {

namespace {

void add(IndepVariablesState &records, const IndepVarInfo &info)
{
    records.addVariable(info, false);
}

void add(GammasState &records, const GammaVarInfo &info)
{
    records.addVariable(info);
}

void add(PerformanceTabState &records, const PerformanceVarInfo &info)
{
    records.addVariable(info);
}

// The records of `from` whose names `names` holds (or lacks, when `present` is false).
template<typename Records>
Records recordsOf(const Records &from, const Records &names, bool present)
{
    Records selected;
    for (const auto &info : from.allVariables()) {
        if (names.variables().contains(info.name()) == present)
            add(selected, info);
    }
    return selected;
}

template<typename Records> Records withRecordsOf(Records shown, const Records &extra)
{
    for (const auto &info : recordsOf(extra, shown, false).allVariables())
        add(shown, info);
    return shown;
}

} // namespace

bool HeldRecords::isEmpty() const
{
    return m_details.independentVariables().count() == 0 &&
           m_details.gammaVariables().count() == 0 && m_performance.count() == 0;
}

void HeldRecords::clear()
{
    *this = HeldRecords();
}

void HeldRecords::hold(const VariableDetailsTabState &given)
{
    m_details = given;
}

void HeldRecords::hold(const PerformanceTabState &given)
{
    m_performance = given;
}

void HeldRecords::update(const VariableDetailsTabState &shown)
{
    m_details.setIndependentVariables(withRecordsOf(
        recordsOf(shown.independentVariables(), m_details.independentVariables(), true),
        m_details.independentVariables()));
    m_details.setGammaVariables(
        withRecordsOf(recordsOf(shown.gammaVariables(), m_details.gammaVariables(), true),
                      m_details.gammaVariables()));
}

void HeldRecords::update(const PerformanceTabState &shown)
{
    m_performance = withRecordsOf(recordsOf(shown, m_performance, true), m_performance);
}

VariableDetailsTabState HeldRecords::addedTo(VariableDetailsTabState shown) const
{
    shown.setIndependentVariables(
        withRecordsOf(shown.independentVariables(), m_details.independentVariables()));
    shown.setGammaVariables(withRecordsOf(shown.gammaVariables(), m_details.gammaVariables()));
    return shown;
}

PerformanceTabState HeldRecords::addedTo(PerformanceTabState shown) const
{
    return withRecordsOf(shown, m_performance);
}

} // namespace LoadPullStateUtils
