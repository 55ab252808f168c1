#include "variablesettings.h"

#include "numerictext.h"
#include "units.h"

namespace LoadPullStateUtils {

namespace {

bool sameUnit(const QString &a, const QString &b)
{
    return a == b || (isDbm(a) && isDbm(b));
}

// The setting as the user sees it beside the data's unit: a value in another unit carries
// its own, and an expression shows as written.
QString shownValue(const IndepVarInfo &setting, const QString &dataUnit)
{
    if (!isNumberOrName(setting.value()) || sameUnit(setting.unit(), dataUnit) ||
        setting.unit().isEmpty())
        return setting.value();
    return setting.value() + QLatin1Char(' ') + setting.unit();
}

// A variable no readable file reports keeps its setting, but no range or unit of the data:
// none of the listed files it might come from can tell them.
template<typename Record> Record withoutRange(Record record)
{
    record.setMinValue(QString());
    record.setMaxValue(QString());
    return record;
}

template<typename Record> Record withoutPoints(Record record)
{
    record.setMinNumPoints(0);
    record.setMaxNumPoints(0);
    return withoutRange(record);
}

// The component names its frequency variable, which reads as the value "freq": no value of the
// user's, should the data files sweep another variable as frequency.
bool hasValue(const IndepVarInfo &setting)
{
    return !setting.value().isEmpty() &&
           !(setting.isFrequency() && setting.value() == QLatin1String("freq"));
}

template<typename Record> QMap<QString, Record> byName(const QList<Record> &records)
{
    QMap<QString, Record> map;
    for (const Record &record : records)
        map.insert(record.name(), record);
    return map;
}

IndepVarInfo shownIndependent(IndepVarInfo found, const IndepVarInfo *setting)
{
    if (found.isFrequency())
        return found;
    if (setting && hasValue(*setting))
        found.setValue(shownValue(*setting, found.unit()));
    else
        found.normalizeValue();
    return found;
}

GammaVarInfo shownGamma(GammaVarInfo found, const GammaVarInfo *setting)
{
    if (setting && !setting->value().isEmpty())
        found.setValue(setting->value());
    return found;
}

PerformanceVarInfo shownQuantity(const PerformanceVarBaseInfo &found,
                                 const PerformanceVarInfo *setting)
{
    PerformanceVarInfo shown(found);
    if (setting) {
        shown.setOutput(setting->output());
        shown.setAutoPlot(setting->autoPlot());
    }
    return shown;
}

template<typename Record>
const Record *settingOf(const QMap<QString, Record> &settings, const QString &name)
{
    const auto it = settings.constFind(name);
    return it == settings.cend() ? nullptr : &it.value();
}

} // namespace

VariableSettings::VariableSettings(const VariableDetailsTabState &details,
                                   const PerformanceTabState &performance)
    : m_independent(details.independentVariables().variables())
    , m_gammas(details.gammaVariables().variables())
    , m_performance(performance.variables())
    , m_shownPerformance(performance)
{}

VariableDetailsTabState
VariableSettings::showDetails(const QList<IndepVarInfo> &independentVariables,
                              const QList<GammaVarInfo> &gammaVariables, bool filesUnknown)
{
    IndepVariablesState independent;
    for (const IndepVarInfo &found : independentVariables)
        independent.addVariable(shownIndependent(found, settingOf(m_independent, found.name())),
                                false);
    GammasState gammas;
    for (const GammaVarInfo &found : gammaVariables)
        gammas.addVariable(shownGamma(found, settingOf(m_gammas, found.name())));
    if (filesUnknown) {
        const auto reported = byName(independentVariables);
        for (const IndepVarInfo &setting : qAsConst(m_independent)) {
            if (!reported.contains(setting.name()))
                independent.addVariable(withoutPoints(setting), false);
        }
        const auto reportedGammas = byName(gammaVariables);
        for (const GammaVarInfo &setting : qAsConst(m_gammas)) {
            if (!reportedGammas.contains(setting.name()))
                gammas.addVariable(withoutPoints(setting));
        }
    }
    m_shownDetails.setIndependentVariables(independent);
    m_shownDetails.setGammaVariables(gammas);
    return m_shownDetails;
}

PerformanceTabState
VariableSettings::showPerformance(const QList<PerformanceVarBaseInfo> &performanceVariables,
                                  bool filesUnknown)
{
    QList<PerformanceVarInfo> shown;
    for (const PerformanceVarBaseInfo &found : performanceVariables)
        shown.append(shownQuantity(found, settingOf(m_performance, found.name())));
    if (filesUnknown) {
        const auto reported = byName(performanceVariables);
        for (const PerformanceVarInfo &setting : qAsConst(m_performance)) {
            if (reported.contains(setting.name()))
                continue;
            PerformanceVarInfo held = withoutRange(setting);
            held.setUnit(QString());
            shown.append(held);
        }
    }
    m_shownPerformance.setVariables(shown);
    return m_shownPerformance;
}

// The tables announce every record they are shown: most often nothing changed.
QStringList VariableSettings::takeSettings(const VariableDetailsTabState &tabState)
{
    if (tabState == m_shownDetails)
        return {};
    const QMap<QString, IndepVarInfo> shown = m_shownDetails.independentVariables().variables();
    QStringList changed;
    for (const IndepVarInfo &record : tabState.independentVariables().variables()) {
        const IndepVarInfo *before = settingOf(shown, record.name());
        if (before && before->value() == record.value())
            continue;
        m_independent.insert(record.name(), record);
        changed.append(record.name());
    }
    const QMap<QString, GammaVarInfo> shownGammas = m_shownDetails.gammaVariables().variables();
    for (const GammaVarInfo &record : tabState.gammaVariables().variables()) {
        if (shownGammas.value(record.name()) != record)
            m_gammas.insert(record.name(), record);
    }
    m_shownDetails = tabState;
    return changed;
}

VariableSettings::PerformanceChanges
VariableSettings::takeSettings(const PerformanceTabState &tabState)
{
    if (tabState == m_shownPerformance)
        return {};
    const QMap<QString, PerformanceVarInfo> shown = m_shownPerformance.variables();
    PerformanceChanges changes;
    for (const PerformanceVarInfo &record : tabState.variables()) {
        const PerformanceVarInfo *before = settingOf(shown, record.name());
        const bool output = !before || before->output() != record.output();
        const bool autoPlot = !before || before->autoPlot() != record.autoPlot();
        if (output)
            changes.outputs.append(record.name());
        if (autoPlot)
            changes.autoPlots.append(record.name());
        if (output || autoPlot)
            m_performance.insert(record.name(), record);
    }
    m_shownPerformance = tabState;
    return changes;
}

QMap<QString, ValueNote> VariableSettings::valueNotes() const
{
    QMap<QString, ValueNote> notes;
    for (const IndepVarInfo &shown : m_shownDetails.independentVariables().variables()) {
        const ValueNote note = noteOn(shown);
        if (note != ValueNote::None)
            notes.insert(shown.name(), note);
    }
    return notes;
}

ValueNote VariableSettings::noteOn(const IndepVarInfo &shown) const
{
    const IndepVarInfo *setting = settingOf(m_independent, shown.name());
    if (!setting)
        return ValueNote::None;
    if (setting->isFrequency() && !shown.isFrequency() && !shown.minValue().isEmpty())
        return ValueNote::NotTheFrequency;
    if (shown.isFrequency() || !hasValue(*setting))
        return ValueNote::None;
    if (!isNumberOrName(setting->value()))
        return ValueNote::NotAValue;
    if (!sameUnit(setting->unit(), shown.unit()))
        return setting->unit().isEmpty() ? ValueNote::NoUnit : ValueNote::OtherUnit;
    const auto value = toReal(setting->value());
    const auto min = toReal(shown.minValue());
    const auto max = toReal(shown.maxValue());
    if (value && min && max && (*value < *min || *value > *max))
        return ValueNote::OutsideRange;
    return ValueNote::None;
}

} // namespace LoadPullStateUtils
