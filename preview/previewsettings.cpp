#include "previewsettings.h"

#include "dblpcstate.h"
#include "enumerations.h"
#include "parametermapping.h"

using namespace LoadPullStateUtils;

namespace {

AxisWeights::Method methodOf(int method)
{
    switch (method) {
    case CubicSplineInterpolation:
        return AxisWeights::Method::CubicSpline;
    case CubicInterpolation:
        return AxisWeights::Method::Cubic;
    default:
        return AxisWeights::Method::Linear;
    }
}

void setInterpolation(ConditionPreview::Settings &chart, int method, int domain, int extrapolation,
                      bool avoid)
{
    chart.method = methodOf(method);
    chart.polar = domain == PolarDomain;
    chart.constantExtrapolation = extrapolation == ConstantExtrapolation;
    chart.avoidOutOfRange = avoid;
}

ConditionPreview::Held heldOf(const IndepVarInfo &info)
{
    return {info.value(), info.unit()};
}

} // namespace

PreviewSettings PreviewSettings::fromState(const DBLPCState &state)
{
    PreviewSettings settings;
    settings.files = state.fileTabState().fileNames();
    const IndepVariablesState variables = state.detailsTabState().independentVariables();
    settings.frequencyName = variables.frequency().name();
    for (const IndepVarInfo &info : variables.allVariables()) {
        if (!info.isFrequency())
            settings.chart.held.insert(info.name(), heldOf(info));
    }
    const InterpolationTabState interpolation = state.interpolationTabState();
    setInterpolation(settings.chart, interpolation.interpolationMethod(),
                     interpolation.interpolationDomain(), interpolation.extrapolationMethod(),
                     state.analysisOptimizationTabState().avoidOutOfRangeData());
    for (const PerformanceVarInfo &quantity : state.performanceState().allVariables()) {
        if (quantity.output())
            settings.marked << quantity.name();
    }
    return settings;
}

// The component's texts are read as the editor reads them when it opens.
PreviewSettings PreviewSettings::fromParameters(const ParameterMap &stored)
{
    DBLPCState state(false);
    fromParameterMap(stored, state);
    return fromState(state);
}
