#include "variablesettings.h"

#include "elidedtext.h"
#include "entryrules.h"
#include "numerictext.h"

#include <QCoreApplication>

namespace LoadPullStateUtils {

namespace {

const QString FrequencyValue = QStringLiteral("freq");

QString tr(const char *text)
{
    return QCoreApplication::translate("VariableSettings", text);
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
           !(setting.isFrequency() && setting.value() == FrequencyValue);
}

template<typename Record> QMap<QString, Record> byName(const QList<Record> &records)
{
    QMap<QString, Record> map;
    for (const Record &record : records)
        map.insert(record.name(), record);
    return map;
}

template<typename Record>
const Record *settingOf(const QMap<QString, Record> &settings, const QString &name)
{
    const auto it = settings.constFind(name);
    return it == settings.cend() ? nullptr : &it.value();
}

IndepVarInfo shownIndependent(IndepVarInfo found, const IndepVarInfo *setting)
{
    if (found.isFrequency())
        return found;
    if (setting && hasValue(*setting))
        found.setValue(VariableSettings::shownValue(*setting, found.unit()));
    else
        found.normalizeValue();
    return found;
}

// A held variable has the unit type the data last declared in the session, else the
// component's. The frequency variable the component names is swept all the same, unless the
// component gives it a value of its own: then its row and value are what the component holds.
IndepVarInfo heldIndependent(IndepVarInfo setting, const IndepVarInfo *declared)
{
    if (declared)
        setting.setUnitType(declared->unitType());
    if (setting.isFrequency() && hasValue(setting))
        setting.setIsFrequency(false);
    if (setting.isFrequency())
        setting.setValue(FrequencyValue);
    return withoutPoints(setting);
}

GammaVarInfo heldGamma(GammaVarInfo setting, const GammaVarInfo *declared)
{
    if (declared) {
        setting.setType(declared->type());
        setting.setDomain(declared->domain());
        setting.setHarmIndex(declared->harmIndex());
    }
    return withoutPoints(setting);
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

PerformanceVarInfo heldQuantity(const PerformanceVarInfo &setting,
                                const PerformanceVarBaseInfo *declared)
{
    PerformanceVarInfo held = withoutRange(setting);
    held.setUnit(QString());
    if (declared)
        held.setIsComplex(declared->isComplex());
    return held;
}

// Files that sweep the frequency under different names have one frequency variable in the
// component: the one it names, if a file sweeps that, else the first the files report.
QString frequencyOf(const QList<IndepVarInfo> &independentVariables,
                    const QMap<QString, IndepVarInfo> &settings)
{
    QString first;
    for (const IndepVarInfo &found : independentVariables) {
        if (!found.isFrequency())
            continue;
        const IndepVarInfo *setting = settingOf(settings, found.name());
        if (setting && setting->isFrequency())
            return found.name();
        if (first.isEmpty())
            first = found.name();
    }
    return first;
}

// The variables the files report, each with its setting, the frequency among them; the other
// variables the files sweep as the frequency go to `otherFrequencies`.
IndepVariablesState shownReported(const QList<IndepVarInfo> &independentVariables,
                                  const QMap<QString, IndepVarInfo> &settings,
                                  QStringList &otherFrequencies)
{
    const QString frequency = frequencyOf(independentVariables, settings);
    IndepVariablesState independent;
    for (const IndepVarInfo &found : independentVariables) {
        if (found.isFrequency() && found.name() != frequency)
            otherFrequencies.append(found.name());
        else
            independent.addVariable(shownIndependent(found, settingOf(settings, found.name())),
                                    false);
    }
    return independent;
}

GammasState shownReported(const QList<GammaVarInfo> &gammaVariables,
                          const QMap<QString, GammaVarInfo> &settings)
{
    GammasState gammas;
    for (const GammaVarInfo &found : gammaVariables)
        gammas.addVariable(shownGamma(found, settingOf(settings, found.name())));
    return gammas;
}

QList<PerformanceVarInfo> shownReported(const QList<PerformanceVarBaseInfo> &performanceVariables,
                                        const QMap<QString, PerformanceVarInfo> &settings)
{
    QList<PerformanceVarInfo> shown;
    for (const PerformanceVarBaseInfo &found : performanceVariables)
        shown.append(shownQuantity(found, settingOf(settings, found.name())));
    return shown;
}

template<typename Record>
void remember(QMap<QString, Record> &declared, const QMap<QString, Record> &reported)
{
    for (auto it = reported.cbegin(); it != reported.cend(); ++it)
        declared.insert(it.key(), it.value());
}

} // namespace

VariableSettings::VariableSettings(const VariableDetailsTabState &details,
                                   const PerformanceTabState &performance)
    : m_independent(details.independentVariables().variables())
    , m_gammas(details.gammaVariables().variables())
    , m_performance(performance.variables())
    , m_shownDetails(details)
    , m_shownPerformance(performance)
{}

QString VariableSettings::shownValue(const IndepVarInfo &setting, const QString &dataUnit)
{
    if (!isNumberOrName(setting.value()) || setting.unit().isEmpty() ||
        isSameUnit(setting.unit(), dataUnit))
        return setting.value();
    return setting.value() + QLatin1Char(' ') + setting.unit();
}

VariableDetailsTabState
VariableSettings::showDetails(const QList<IndepVarInfo> &independentVariables,
                              const QList<GammaVarInfo> &gammaVariables, bool holding)
{
    m_reportedIndependent = byName(independentVariables);
    m_reportedGammas = byName(gammaVariables);
    remember(m_declaredIndependent, m_reportedIndependent);
    remember(m_declaredGammas, m_reportedGammas);
    m_otherFrequencies.clear();
    IndepVariablesState independent =
        shownReported(independentVariables, m_independent, m_otherFrequencies);
    const bool reportsFrequency = !frequencyOf(independentVariables, m_independent).isEmpty();
    GammasState gammas = shownReported(gammaVariables, m_gammas);
    if (holding) {
        // The files that can be read tell which variable is the frequency, if they have one.
        for (const IndepVarInfo &setting : qAsConst(m_independent)) {
            if (m_reportedIndependent.contains(setting.name()))
                continue;
            const IndepVarInfo held =
                heldIndependent(setting, settingOf(m_declaredIndependent, setting.name()));
            if (!(reportsFrequency && held.isFrequency()))
                independent.addVariable(held, false);
        }
        for (const GammaVarInfo &setting : qAsConst(m_gammas)) {
            if (!m_reportedGammas.contains(setting.name()))
                gammas.addVariable(heldGamma(setting, settingOf(m_declaredGammas, setting.name())));
        }
    }
    m_shownDetails.setIndependentVariables(independent);
    m_shownDetails.setGammaVariables(gammas);
    return m_shownDetails;
}

PerformanceTabState
VariableSettings::showPerformance(const QList<PerformanceVarBaseInfo> &performanceVariables,
                                  bool holding)
{
    m_reportedQuantities = byName(performanceVariables);
    remember(m_declaredQuantities, m_reportedQuantities);
    QList<PerformanceVarInfo> shown = shownReported(performanceVariables, m_performance);
    if (holding) {
        for (const PerformanceVarInfo &setting : qAsConst(m_performance)) {
            if (!m_reportedQuantities.contains(setting.name()))
                shown.append(
                    heldQuantity(setting, settingOf(m_declaredQuantities, setting.name())));
        }
    }
    m_shownPerformance.setVariables(shown);
    return m_shownPerformance;
}

// The tables announce every record they are shown: most often nothing changed.
void VariableSettings::takeSettings(const VariableDetailsTabState &tabState)
{
    if (tabState == m_shownDetails)
        return;
    const QMap<QString, IndepVarInfo> shown = m_shownDetails.independentVariables().variables();
    for (const IndepVarInfo &record : tabState.independentVariables().variables()) {
        const IndepVarInfo *before = settingOf(shown, record.name());
        if (!before || before->value() != record.value())
            m_independent.insert(record.name(), record);
    }
    const QMap<QString, GammaVarInfo> shownGammas = m_shownDetails.gammaVariables().variables();
    for (const GammaVarInfo &record : tabState.gammaVariables().variables()) {
        if (shownGammas.value(record.name()) != record)
            m_gammas.insert(record.name(), record);
    }
    m_shownDetails = tabState;
}

void VariableSettings::takeSettings(const PerformanceTabState &tabState)
{
    if (tabState == m_shownPerformance)
        return;
    const QMap<QString, PerformanceVarInfo> shown = m_shownPerformance.variables();
    for (const PerformanceVarInfo &record : tabState.variables()) {
        const PerformanceVarInfo *before = settingOf(shown, record.name());
        if (!before || before->output() != record.output() ||
            before->autoPlot() != record.autoPlot())
            m_performance.insert(record.name(), record);
    }
    m_shownPerformance = tabState;
}

const IndepVarInfo *VariableSettings::independentSetting(const QString &name) const
{
    const IndepVarInfo *setting = settingOf(m_independent, name);
    return setting && hasValue(*setting) ? setting : nullptr;
}

IndepVariablesState VariableSettings::shownFound(const QList<IndepVarInfo> &found,
                                                 const IndepVariablesState &settings)
{
    QStringList otherFrequencies;
    return shownReported(found, settings.variables(), otherFrequencies);
}

GammasState VariableSettings::shownFound(const QList<GammaVarInfo> &found,
                                         const GammasState &settings)
{
    return shownReported(found, settings.variables());
}

PerformanceTabState VariableSettings::shownFound(const QList<PerformanceVarBaseInfo> &found,
                                                 PerformanceTabState settings)
{
    settings.setVariables(shownReported(found, settings.variables()));
    return settings;
}

ValueNote VariableSettings::valueNote(const IndepVarInfo &shown) const
{
    return valueNote(shown, independentSetting(shown.name()));
}

ValueNote VariableSettings::valueNote(const IndepVarInfo &shown, const IndepVarInfo *setting)
{
    if (!setting || !hasValue(*setting) || shown.isFrequency() ||
        shown.value() != shownValue(*setting, shown.unit()))
        return ValueNote::None;
    if (!isNumberOrName(setting->value()))
        return ValueNote::NotAValue;
    if (!isSameUnit(setting->unit(), shown.unit()))
        return setting->unit().isEmpty() ? ValueNote::NoUnit : ValueNote::OtherUnit;
    const auto value = toReal(setting->value());
    const auto min = toReal(shown.minValue());
    const auto max = toReal(shown.maxValue());
    if (value && min && max && (*value < *min || *value > *max))
        return ValueNote::OutsideRange;
    return ValueNote::None;
}

QString VariableSettings::valueNoteText(const IndepVarInfo &shown) const
{
    return valueNoteText(shown, independentSetting(shown.name()));
}

QString VariableSettings::valueNoteText(const IndepVarInfo &shown, const IndepVarInfo *setting)
{
    const ValueNote note = valueNote(shown, setting);
    const QString value = quotedText(shown.value());
    switch (note) {
    case ValueNote::OutsideRange:
        return tr("%1: %2 lies outside the data's range, %3 to %4; it is kept as set.")
            .arg(shown.name(), value, shown.minValue().trimmed(), shown.maxValue().trimmed());
    case ValueNote::OtherUnit:
        return tr("%1: %2 is not in the data's unit, %3; it is kept as written.")
            .arg(shown.name(), value, shown.unit());
    case ValueNote::NoUnit:
        return tr("%1: %2 has no unit, where the data's unit is %3; it is kept as written, and "
                  "the simulator reads it without a unit.")
            .arg(shown.name(), value, shown.unit());
    case ValueNote::NotAValue:
        return tr("%1: %2 is not a number or a variable name the editor can check; it is kept as "
                  "written.")
            .arg(shown.name(), value);
    case ValueNote::None:
        break;
    }
    return QString();
}

bool operator==(const VariableSettings &a, const VariableSettings &b)
{
    return a.m_independent == b.m_independent && a.m_gammas == b.m_gammas &&
           a.m_performance == b.m_performance &&
           a.m_reportedIndependent == b.m_reportedIndependent &&
           a.m_reportedGammas == b.m_reportedGammas &&
           a.m_reportedQuantities == b.m_reportedQuantities &&
           a.m_declaredIndependent == b.m_declaredIndependent &&
           a.m_declaredGammas == b.m_declaredGammas &&
           a.m_declaredQuantities == b.m_declaredQuantities &&
           a.m_shownDetails == b.m_shownDetails && a.m_shownPerformance == b.m_shownPerformance;
}

} // namespace LoadPullStateUtils
