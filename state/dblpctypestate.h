#pragma once

#include "analysisfrequencyrangesyncstate.h"
#include "analysisoptimizationtabstate.h"
#include "analysisparameterstabstate.h"
#include "enumerations.h"
#include "filetabstate.h"
#include "interpolationtabstate.h"
#include "performancetabstate.h"
#include "termtabstate.h"
#include "variabledetailstabstate.h"

#include <QMetaType>

namespace LoadPullStateUtils {

// One complete set of the eight tab records, kept per file type.
class DBLPCTypeState
{
public:
    // The file tab's record starts with fileType.
    explicit DBLPCTypeState(LoadPullFileType fileType = NoFileType, bool uiState = true);

    // True when the set carries the data-file information (ranges, points, units), which
    // makes validation strict.
    bool uiState() const { return m_uiState; }
    void setUiState(bool uiState) { m_uiState = uiState; }

    FileTabState fileTabState() const { return m_fileTabState; }
    void setFileTabState(const FileTabState &state) { m_fileTabState = state; }
    VariableDetailsTabState detailsTabState() const { return m_detailsTabState; }
    void setDetailsTabState(const VariableDetailsTabState &state) { m_detailsTabState = state; }
    PerformanceTabState performanceState() const { return m_performanceState; }
    void setPerformanceState(const PerformanceTabState &state) { m_performanceState = state; }
    InterpolationTabState interpolationTabState() const { return m_interpolationTabState; }
    void setInterpolationTabState(const InterpolationTabState &state)
    {
        m_interpolationTabState = state;
    }
    AnalysisFrequencyRangeSyncState analysisFrequencyRangeSyncState() const
    {
        return m_analysisFrequencyRangeSyncState;
    }
    void setAnalysisFrequencyRangeSyncState(const AnalysisFrequencyRangeSyncState &state)
    {
        m_analysisFrequencyRangeSyncState = state;
    }
    AnalysisParametersTabState analysisParametersTabState() const
    {
        return m_analysisParametersTabState;
    }
    void setAnalysisParametersTabState(const AnalysisParametersTabState &state)
    {
        m_analysisParametersTabState = state;
    }
    AnalysisOptimizationTabState analysisOptimizationTabState() const
    {
        return m_analysisOptimizationTabState;
    }
    void setAnalysisOptimizationTabState(const AnalysisOptimizationTabState &state)
    {
        m_analysisOptimizationTabState = state;
    }
    TermTabState termTabState() const { return m_termTabState; }
    void setTermTabState(const TermTabState &state) { m_termTabState = state; }

private:
    bool m_uiState = true;
    FileTabState m_fileTabState;
    VariableDetailsTabState m_detailsTabState;
    PerformanceTabState m_performanceState;
    InterpolationTabState m_interpolationTabState;
    AnalysisFrequencyRangeSyncState m_analysisFrequencyRangeSyncState;
    AnalysisParametersTabState m_analysisParametersTabState;
    AnalysisOptimizationTabState m_analysisOptimizationTabState;
    TermTabState m_termTabState;
};

bool operator==(const DBLPCTypeState &a, const DBLPCTypeState &b);
inline bool operator!=(const DBLPCTypeState &a, const DBLPCTypeState &b)
{
    return !(a == b);
}

} // namespace LoadPullStateUtils

Q_DECLARE_METATYPE(LoadPullStateUtils::DBLPCTypeState)
