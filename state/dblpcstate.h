#pragma once

#include "componententries.h"
#include "dblpctypestate.h"

#include <QMetaType>

#include <array>

namespace LoadPullStateUtils {

// The whole component: one set of tab records per file type, so that switching the type
// and back restores what the user had set for that type. The getters read and the
// setters write the set of the current file type.
class DBLPCState
{
public:
    // Every set carries the data-file information.
    DBLPCState();
    // The sets carry the data-file information when uiState is true.
    explicit DBLPCState(bool uiState);

    LoadPullFileType fileType() const { return m_fileType; }
    // Stores t; a type other than Maury, Dataset or Focus leaves the current set as it was.
    void setFileType(LoadPullFileType t);

    // The flag of the current set.
    bool uiState() const { return currentTypeState().uiState(); }
    // Sets the flag of every set.
    void setUiState(bool uiState);

    const DBLPCTypeState &currentTypeState() const { return m_typeStates[m_current]; }

    FileTabState fileTabState() const;
    // Its file type goes into the current set as well.
    void setFileTabState(const FileTabState &state);
    VariableDetailsTabState detailsTabState() const;
    void setDetailsTabState(const VariableDetailsTabState &state);
    PerformanceTabState performanceState() const;
    void setPerformanceState(const PerformanceTabState &state);
    InterpolationTabState interpolationTabState() const;
    void setInterpolationTabState(const InterpolationTabState &state);
    AnalysisFrequencyRangeSyncState analysisFrequencyRangeSyncState() const;
    void setAnalysisFrequencyRangeSyncState(const AnalysisFrequencyRangeSyncState &state);
    AnalysisParametersTabState analysisParametersTabState() const;
    void setAnalysisParametersTabState(const AnalysisParametersTabState &state);
    AnalysisOptimizationTabState analysisOptimizationTabState() const;
    void setAnalysisOptimizationTabState(const AnalysisOptimizationTabState &state);
    TermTabState termTabState() const;
    void setTermTabState(const TermTabState &state);

    // The model of the component's entries, from which OK writes the parameters.
    const ComponentEntries &entries() const { return m_entries; }
    ComponentEntries &entries() { return m_entries; }
    void setEntries(const ComponentEntries &entries) { m_entries = entries; }

    friend bool operator==(const DBLPCState &a, const DBLPCState &b);

private:
    DBLPCTypeState &current() { return m_typeStates[m_current]; }

    LoadPullFileType m_fileType = MauryFileType;
    // The Maury, Focus and Dataset sets, in that order.
    std::array<DBLPCTypeState, 3> m_typeStates;
    // An index rather than a reference, so that a copy or an assignment selects a set of
    // its own and never one of the source's.
    std::size_t m_current = 0;
    ComponentEntries m_entries;
};

inline bool operator!=(const DBLPCState &a, const DBLPCState &b)
{
    return !(a == b);
}

} // namespace LoadPullStateUtils

Q_DECLARE_METATYPE(LoadPullStateUtils::DBLPCState)
