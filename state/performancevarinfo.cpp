#include "performancevarinfo.h"

namespace LoadPullStateUtils {

PerformanceVarInfo::PerformanceVarInfo(const PerformanceVarBaseInfo &base)
    : PerformanceVarBaseInfo(base)
{}

void PerformanceVarInfo::merge(const PerformanceVarInfo &other, bool uiState)
{
    PerformanceVarBaseInfo::merge(other, uiState);
    m_output = other.m_output;
    m_autoPlot = other.m_autoPlot;
}

bool operator==(const PerformanceVarInfo &a, const PerformanceVarInfo &b)
{
    return static_cast<const PerformanceVarBaseInfo &>(a) ==
               static_cast<const PerformanceVarBaseInfo &>(b) &&
           a.output() == b.output() && a.autoPlot() == b.autoPlot();
}

} // namespace LoadPullStateUtils
