#include "metatypes.h"

#include "dblpcstate.h"

#include <QList>
#include <QMetaType>

namespace LoadPullStateUtils {

namespace {

template<typename T> void registerType(const char *shortName)
{
    qRegisterMetaType<T>();
    qRegisterMetaType<T>(shortName);
}

} // namespace

void registerStateMetaTypes()
{
    registerType<LoadPullFileType>("LoadPullFileType");
    registerType<FileTabState>("FileTabState");
    registerType<IndepVarInfo>("IndepVarInfo");
    registerType<GammaVarInfo>("GammaVarInfo");
    registerType<PerformanceVarBaseInfo>("PerformanceVarBaseInfo");
    registerType<PerformanceVarInfo>("PerformanceVarInfo");
    registerType<IndepVariablesState>("IndepVariablesState");
    registerType<GammasState>("GammasState");
    registerType<VariableDetailsTabState>("VariableDetailsTabState");
    registerType<PerformanceTabState>("PerformanceTabState");
    registerType<InterpolationTabState>("InterpolationTabState");
    registerType<AnalysisFrequencyRangeSyncState>("AnalysisFrequencyRangeSyncState");
    registerType<AnalysisParametersTabState>("AnalysisParametersTabState");
    registerType<AnalysisOptimizationTabState>("AnalysisOptimizationTabState");
    registerType<TermTabState>("TermTabState");
    registerType<DBLPCTypeState>("DBLPCTypeState");
    registerType<DBLPCState>("DBLPCState");
    registerType<QList<IndepVarInfo>>("QList<IndepVarInfo>");
    registerType<QList<GammaVarInfo>>("QList<GammaVarInfo>");
    registerType<QList<PerformanceVarBaseInfo>>("QList<PerformanceVarBaseInfo>");
}

} // namespace LoadPullStateUtils
