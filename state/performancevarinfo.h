#pragma once

#include "performancevarbaseinfo.h"

namespace LoadPullStateUtils {

// A performance quantity with the user's choices: is it output, is it plotted.
class PerformanceVarInfo final : public PerformanceVarBaseInfo
{
public:
    PerformanceVarInfo() = default;
    explicit PerformanceVarInfo(const PerformanceVarBaseInfo &base);

    bool output() const { return m_output; }
    void setOutput(bool output) { m_output = output; }
    bool autoPlot() const { return m_autoPlot; }
    void setAutoPlot(bool autoPlot) { m_autoPlot = autoPlot; }

    // A base record updates the data-file part only.
    using PerformanceVarBaseInfo::merge;
    // The data-file part as for a base record; the user's choices are always taken.
    void merge(const PerformanceVarInfo &other, bool uiState);

private:
    bool m_output = true;
    bool m_autoPlot = false;
};

bool operator==(const PerformanceVarInfo &a, const PerformanceVarInfo &b);
inline bool operator!=(const PerformanceVarInfo &a, const PerformanceVarInfo &b)
{
    return !(a == b);
}

} // namespace LoadPullStateUtils

Q_DECLARE_METATYPE(LoadPullStateUtils::PerformanceVarInfo)
