#pragma once

#include <QMetaType>

namespace LoadPullStateUtils {

// Whether the simulation's frequency sweep follows the range of the data files.
class AnalysisFrequencyRangeSyncState
{
public:
    bool useFrequencyRangeFromDataFiles() const { return m_useFrequencyRangeFromDataFiles; }
    void setUseFrequencyRangeFromDataFiles(bool use) { m_useFrequencyRangeFromDataFiles = use; }

    // Always valid.
    bool isValid(bool uiState) const;

private:
    bool m_useFrequencyRangeFromDataFiles = true;
};

bool operator==(const AnalysisFrequencyRangeSyncState &a, const AnalysisFrequencyRangeSyncState &b);
inline bool operator!=(const AnalysisFrequencyRangeSyncState &a,
                       const AnalysisFrequencyRangeSyncState &b)
{
    return !(a == b);
}

} // namespace LoadPullStateUtils

Q_DECLARE_METATYPE(LoadPullStateUtils::AnalysisFrequencyRangeSyncState)
