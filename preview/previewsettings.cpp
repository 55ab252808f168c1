#include "previewsettings.h"

#include "dblpcstate.h"
#include "enumerations.h"
#include "parameternames.h"
#include "parametertexts.h"

using namespace LoadPullStateUtils;
namespace P = ParameterNames;

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

QString first(const ParameterMap &stored, const QString &name)
{
    return unquote(stored.value(name).value(0));
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

PreviewSettings PreviewSettings::fromParameters(const ParameterMap &stored)
{
    PreviewSettings settings;
    for (const QString &file : stored.value(P::FileName))
        settings.files << unquote(file);
    settings.frequencyName = first(stored, P::FreqVarName);
    const QStringList names = stored.value(P::IndepVarName);
    const QStringList values = stored.value(P::IndepVarValue);
    for (int i = 0; i < names.size() && i < values.size(); ++i) {
        IndepVarInfo info;
        readIndependentValue(unquote(values.at(i)), info);
        if (unquote(names.at(i)) != settings.frequencyName)
            settings.chart.held.insert(unquote(names.at(i)), heldOf(info));
    }
    setInterpolation(settings.chart, fromText<InterpolationMethod>(first(stored, P::InterpMode)),
                     fromText<InterpolationDomain>(first(stored, P::InterpDom)),
                     fromText<ExtrapolationMethod>(first(stored, P::ExtrapMode)),
                     readYesNo(first(stored, P::AvoidOutOfRangeData)).value_or(false));
    const QStringList quantities = stored.value(P::PrfmParamName);
    const QStringList outputs = stored.value(P::PrfmParamOutput);
    for (int i = 0; i < quantities.size(); ++i) {
        if (readYesNo(unquote(outputs.value(i))).value_or(true))
            settings.marked << unquote(quantities.at(i));
    }
    return settings;
}
