#include "parametermapping.h"

#include "dblpcstate.h"
#include "elidedtext.h"
#include "enumerations.h"
#include "numerictext.h"
#include "parameternames.h"
#include "plainmessagebox.h"
#include "realstringparser.h"
#include "storedparameters.h"
#include "units.h"

#include <QApplication>
#include <QRegularExpression>

namespace LoadPullStateUtils {

namespace P = ParameterNames;

namespace {

const QString DbmUnit = QStringLiteral("dBm");
const QString NoUnit = QStringLiteral("None");
const QChar Blank(QLatin1Char(' '));

ParameterMap unquoted(const ParameterMap &stored)
{
    ParameterMap map;
    for (auto it = stored.cbegin(); it != stored.cend(); ++it) {
        QStringList texts;
        for (const QString &text : it.value())
            texts.append(unquote(text));
        map.insert(it.key(), texts);
    }
    return map;
}

QString firstText(const ParameterMap &map, const QString &name)
{
    return map.value(name).value(0);
}

// --- Reading ---------------------------------------------------------------------------

void warnMalformedDbm(const QString &variableName)
{
    PlainMessageBox::show(
        QMessageBox::Warning, QApplication::activeWindow(), QStringLiteral("DataBasedLoadPull"),
        elidedText(variableName) + QStringLiteral("  value format is incorrect "));
}

// A unit follows its value after a blank; a text that goes on with an operator is an
// expression ("Pavs - 3", "2 * Vbias"), not a value and its unit.
bool startsLikeUnit(const QString &text)
{
    static const QString operators = QStringLiteral("+-*/^()=,<>!&|");
    return !text.isEmpty() && !operators.contains(text.front());
}

// "value unit" as the editor writes it: a number or a design variable name, a blank, and
// the unit as the data files give it, which may hold blanks, digits and punctuation
// ("25 deg C", "3 V/m"). A bare number or name has no unit. Anything else is kept whole.
void readValueAndUnit(const QString &text, IndepVarInfo &info)
{
    const QString trimmed = text.trimmed();
    const int blank = trimmed.indexOf(Blank);
    const QString value = blank < 0 ? trimmed : trimmed.left(blank);
    const QString unit = blank < 0 ? QString() : trimmed.mid(blank + 1).trimmed();
    const bool isValue = isNumberOrName(value);
    if (isValue && (unit.isEmpty() || startsLikeUnit(unit))) {
        info.setValue(value);
        info.setUnit(unit);
    } else {
        info.setValue(trimmed);
    }
}

// Reads one "IndepVarValue" text into value and unit as the component wrote it. A text the
// editor cannot take apart is kept whole as the value, so that it shows as it is; false for
// the malformed dBm form, which the user is warned of as well.
bool readIndepValue(const QString &text, IndepVarInfo &info)
{
    QString number, units;
    RealStringParser::parseNumberAndUnits(text, number, units);
    if (!number.isEmpty()) {
        info.setValue(number);
        info.setUnit(units);
        return true;
    }
    static const QRegularExpression dbmForm(QStringLiteral("^dbmtow ?\\((.*)\\)$"));
    const QRegularExpressionMatch dbm = dbmForm.match(text.simplified());
    if (dbm.hasMatch()) {
        const QString inner = dbm.captured(1).simplified();
        const bool readable = isNumberOrName(inner);
        info.setValue(readable ? inner : text.trimmed());
        info.setUnit(readable ? DbmUnit : QString());
        return readable;
    }
    readValueAndUnit(text, info);
    return true;
}

// Every variable the lists name is kept, even where an entry is missing or cannot be read:
// the data files supply what is missing, and the user is told of a value that cannot be read.
IndepVariablesState readIndependentVariables(const ParameterMap &map)
{
    const QStringList names = map.value(P::IndepVarName);
    const QStringList values = map.value(P::IndepVarValue);
    const QStringList unitTypes = map.value(P::IndepVarUnitType);
    QList<IndepVarInfo> records;
    for (int i = 0; i < names.size(); ++i) {
        IndepVarInfo info;
        info.setName(names.at(i));
        if (i < values.size() && !readIndepValue(values.at(i), info))
            warnMalformedDbm(info.name());
        if (i < unitTypes.size())
            info.setUnitType(unitTypes.at(i));
        records.append(info);
    }
    IndepVariablesState variables;
    variables.setVariables(records, false);
    variables.setFrequencyVariable(firstText(map, P::FreqVarName));
    return variables;
}

GammasState readGammas(const ParameterMap &map)
{
    const QStringList names = map.value(P::GammaName);
    const QStringList types = map.value(P::GammaType);
    const QStringList harmIndices = map.value(P::GammaHarmIndex);
    const QStringList domains = map.value(P::GammaDomain);
    const QStringList values = map.value(P::GammaValue);
    QList<GammaVarInfo> records;
    for (int i = 0; i < names.size(); ++i) {
        GammaVarInfo info;
        info.setName(names.at(i));
        if (i < types.size())
            info.setType(types.at(i));
        if (i < harmIndices.size())
            info.setHarmIndex(harmIndices.at(i));
        if (i < domains.size())
            info.setDomain(domains.at(i));
        if (i < values.size())
            info.setValue(values.at(i));
        records.append(info);
    }
    GammasState gammas;
    gammas.setVariables(records);
    return gammas;
}

// Whether a quantity is complex is read as well, though the data files tell and override
// it: a quantity of a data file that cannot be read keeps it so.
PerformanceTabState readPerformance(const ParameterMap &map, PerformanceTabState performance)
{
    const QStringList names = map.value(P::PrfmParamName);
    const QStringList outputs = map.value(P::PrfmParamOutput);
    const QStringList autoPlots = map.value(P::PrfmParamAutoPlot);
    const QStringList types = map.value(P::PrfmParamType);
    QList<PerformanceVarInfo> records;
    for (int i = 0; i < names.size(); ++i) {
        PerformanceVarInfo info;
        info.setName(names.at(i));
        if (i < outputs.size())
            info.setOutput(fromYesNoText(outputs.at(i)));
        if (i < autoPlots.size())
            info.setAutoPlot(fromYesNoText(autoPlots.at(i)));
        if (i < types.size())
            info.setIsComplex(types.at(i) == valueTypeText(true));
        records.append(info);
    }
    performance.setVariables(records);
    return performance;
}

// "Z" is the impedance, then a blank and a resistance unit unless the unit is "None".
// Only a known unit is split off, so impedance expressions with blanks stay whole.
void readImpedance(const QString &text, TermTabState &term)
{
    const QString trimmed = text.trimmed();
    const int lastBlank = trimmed.lastIndexOf(Blank);
    const QString lastWord = trimmed.mid(lastBlank + 1);
    if (lastBlank >= 0 && resistanceUnits().contains(lastWord)) {
        term.setReferenceImpedance(trimmed.left(lastBlank).trimmed());
        term.setUnit(lastWord);
    } else {
        term.setReferenceImpedance(trimmed);
        term.setUnit(NoUnit);
    }
}

InterpolationTabState readInterpolation(const ParameterMap &map)
{
    InterpolationTabState interpolation;
    interpolation.setInterpolationMethod(
        fromText<InterpolationMethod>(firstText(map, P::InterpMode)));
    interpolation.setInterpolationDomain(
        fromText<InterpolationDomain>(firstText(map, P::InterpDom)));
    interpolation.setExtrapolationMethod(
        fromText<ExtrapolationMethod>(firstText(map, P::ExtrapMode)));
    return interpolation;
}

AnalysisParametersTabState readAnalysisParameters(const ParameterMap &map,
                                                  AnalysisParametersTabState parameters)
{
    parameters.setCalcGamma(fromYesNoText(firstText(map, P::CalcGamma)));
    parameters.setCalcAdmittance(fromYesNoText(firstText(map, P::CalcAdmittance)));
    parameters.setCalcImpedance(fromYesNoText(firstText(map, P::CalcImpedance)));
    parameters.setAllowNonlinearDevices(fromYesNoText(firstText(map, P::AllowNonlinearDevices)));
    parameters.setStatusLevel(firstText(map, P::StatusLevel));
    return parameters;
}

// --- Writing ---------------------------------------------------------------------------

// A value that is no number or name was read whole, its unit text within it: written as it
// was read, it reads back the same. An empty text is written as a blank, which reads back
// empty, because the host's lists drop empty texts and would move the values after it.
QString indepValueText(const IndepVarInfo &info)
{
    if (!isNumberOrName(info.value()))
        return info.value().isEmpty() ? QString(Blank) : info.value();
    if (isDbm(info.unit()))
        return QStringLiteral("dbmtow( ") + info.value() + QStringLiteral(" ) ");
    const QString unit = info.unit() == NoUnit ? QString() : info.unit();
    return info.value() + Blank + unit;
}

QString impedanceText(const TermTabState &term)
{
    if (term.unit().isEmpty() || term.unit() == NoUnit)
        return term.referenceImpedance();
    return term.referenceImpedance() + Blank + term.unit();
}

void writeIndependentVariables(const IndepVariablesState &variables, ParameterMap &map)
{
    const QString frequencyName = variables.frequency().name();
    QStringList names, values, unitTypes;
    for (const IndepVarInfo &info : variables.allVariables()) {
        if (!frequencyName.isEmpty() && info.name() == frequencyName)
            continue;
        names.append(info.name());
        values.append(indepValueText(info));
        unitTypes.append(info.unitType());
    }
    map.insert(P::FreqVarName, {frequencyName});
    map.insert(P::IndepVarName, names);
    map.insert(P::IndepVarValue, values);
    map.insert(P::IndepVarUnitType, unitTypes);
}

void writeGammas(const GammasState &gammas, ParameterMap &map)
{
    QStringList names, types, domains, values, harmIndices;
    for (const GammaVarInfo &info : gammas.allVariables()) {
        names.append(info.name());
        types.append(info.type());
        domains.append(info.domain());
        values.append(info.value());
        harmIndices.append(info.harmIndex());
    }
    map.insert(P::GammaName, names);
    map.insert(P::GammaType, types);
    map.insert(P::GammaDomain, domains);
    map.insert(P::GammaValue, values);
    map.insert(P::GammaHarmIndex, harmIndices);
}

void writePerformance(const PerformanceTabState &performance, ParameterMap &map)
{
    QStringList names, outputs, autoPlots, types;
    for (const PerformanceVarInfo &info : performance.allVariables()) {
        names.append(info.name());
        outputs.append(yesNoText(info.output()));
        autoPlots.append(yesNoText(info.autoPlot()));
        types.append(valueTypeText(info.isComplex()));
    }
    map.insert(P::PrfmParamName, names);
    map.insert(P::PrfmParamOutput, outputs);
    map.insert(P::PrfmParamAutoPlot, autoPlots);
    map.insert(P::PrfmParamType, types);
}

} // namespace

bool parametersToState(TvlValue *list, DBLPCState &state)
{
    ParameterMap map;
    return list && readParameterList(list, map) && fromParameterMap(map, state);
}

TvlValue *stateToParameters(const DBLPCState &state)
{
    return writeParameterList(state.storedParameters().written(toParameterMap(state)));
}

bool fromParameterMap(const ParameterMap &stored, DBLPCState &state)
{
    const ParameterMap map = unquoted(stored);
    const bool uiState = state.uiState();
    FileTabState file = state.fileTabState();
    VariableDetailsTabState details = state.detailsTabState();
    PerformanceTabState performance = state.performanceState();
    AnalysisFrequencyRangeSyncState sync = state.analysisFrequencyRangeSyncState();
    AnalysisParametersTabState parameters = state.analysisParametersTabState();
    AnalysisOptimizationTabState optimization = state.analysisOptimizationTabState();
    TermTabState term = state.termTabState();

    // The editor works on the Maury settings whatever type the component names; the stored
    // type is written back as it is.
    const QString fileTypeText = firstText(map, P::FileType);
    if (!fileTypeText.isEmpty())
        fileTypeFromParameter(fileTypeText);
    QStringList fileNames = map.value(P::FileName);
    fileNames.removeAll(QString());
    file.setFileNames(fileNames);

    // Each variable record is kept, whatever the others hold: the data files supply what one
    // lacks. Without files they are the settings that files added later take.
    details.setIndependentVariables(readIndependentVariables(map));
    details.setGammaVariables(readGammas(map));
    performance = readPerformance(map, performance);

    const InterpolationTabState interpolation = readInterpolation(map);
    term.setTermNumber(firstText(map, P::NUM));
    readImpedance(firstText(map, P::Z), term);
    sync.setUseFrequencyRangeFromDataFiles(
        fromYesNoText(firstText(map, P::UseFrequencyRangeFromDataFiles)));
    parameters = readAnalysisParameters(map, parameters);
    optimization.setAvoidOutOfRangeData(fromYesNoText(firstText(map, P::AvoidOutOfRangeData)));
    optimization.setWeight(firstText(map, P::Weight));

    if (file.isValid(uiState))
        state.setFileTabState(file);
    state.setDetailsTabState(details);
    state.setPerformanceState(performance);
    if (interpolation.isValid(uiState))
        state.setInterpolationTabState(interpolation);
    if (sync.isValid(uiState))
        state.setAnalysisFrequencyRangeSyncState(sync);
    if (parameters.isValid(uiState))
        state.setAnalysisParametersTabState(parameters);
    if (optimization.isValid(uiState))
        state.setAnalysisOptimizationTabState(optimization);
    if (term.isValid(uiState))
        state.setTermTabState(term);
    state.setStoredParameters(StoredParameters(stored));
    return true;
}

ParameterMap toParameterMap(const DBLPCState &state)
{
    const FileTabState file = state.fileTabState();
    const VariableDetailsTabState details = state.detailsTabState();
    const InterpolationTabState interpolation = state.interpolationTabState();
    const AnalysisParametersTabState parameters = state.analysisParametersTabState();
    const AnalysisOptimizationTabState optimization = state.analysisOptimizationTabState();
    const TermTabState term = state.termTabState();

    ParameterMap map;
    map.insert(P::FileType, {toText(file.fileType())});
    map.insert(P::FileName, file.fileNames());
    writeIndependentVariables(details.independentVariables(), map);
    writeGammas(details.gammaVariables(), map);
    writePerformance(state.performanceState(), map);
    map.insert(P::InterpMode, {toText(InterpolationMethod(interpolation.interpolationMethod()))});
    map.insert(P::InterpDom, {toText(InterpolationDomain(interpolation.interpolationDomain()))});
    map.insert(P::ExtrapMode, {toText(ExtrapolationMethod(interpolation.extrapolationMethod()))});
    map.insert(P::NUM, {term.termNumber()});
    map.insert(P::Z, {impedanceText(term)});
    map.insert(
        P::UseFrequencyRangeFromDataFiles,
        {yesNoText(state.analysisFrequencyRangeSyncState().useFrequencyRangeFromDataFiles())});
    map.insert(P::CalcGamma, {yesNoText(parameters.calcGamma())});
    map.insert(P::CalcAdmittance, {yesNoText(parameters.calcAdmittance())});
    map.insert(P::CalcImpedance, {yesNoText(parameters.calcImpedance())});
    map.insert(P::StatusLevel, {parameters.statusLevel()});
    map.insert(P::AllowNonlinearDevices, {yesNoText(parameters.allowNonlinearDevices())});
    map.insert(P::AvoidOutOfRangeData, {yesNoText(optimization.avoidOutOfRangeData())});
    map.insert(P::Weight, {optimization.weight()});
    return map;
}

} // namespace LoadPullStateUtils
