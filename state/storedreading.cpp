#include "storedreading.h"

#include "elidedtext.h"
#include "enumerations.h"
#include "parameternames.h"
#include "parametertexts.h"

namespace LoadPullStateUtils {

namespace P = ParameterNames;

namespace {

QList<std::optional<bool>> readings(const QStringList &texts,
                                    std::optional<bool> (*read)(const QString &))
{
    QList<std::optional<bool>> result;
    result.reserve(texts.size());
    for (const QString &text : texts)
        result.append(read(unquote(text)));
    return result;
}

// A choice the editor does not offer, an empty text too, is kept as the component stores it;
// a component without the parameter has the first choice.
template<typename Enumeration> int readChoice(const ParameterMap &stored, const QString &parameter)
{
    const QString text = unquote(stored.value(parameter).value(0));
    if (stored.contains(parameter) && !texts<Enumeration>().contains(text))
        return KeptChoice;
    return fromText<Enumeration>(text);
}

} // namespace

StoredReading::StoredReading(const ParameterMap &stored)
{
    readSingles(stored);
    readIndependent(stored);
    readGammas(stored);
    readQuantities(stored);
}

void StoredReading::readSingles(const ParameterMap &stored)
{
    for (auto it = stored.cbegin(); it != stored.cend(); ++it)
        m_texts.insert(it.key(), unquote(it->value(0)));
    for (const QString &flag : {P::UseFrequencyRangeFromDataFiles, P::CalcGamma, P::CalcAdmittance,
                                P::CalcImpedance, P::AllowNonlinearDevices, P::AvoidOutOfRangeData})
        m_flags.insert(flag, readYesNo(text(flag)));
    m_interpolation.setInterpolationMethod(readChoice<InterpolationMethod>(stored, P::InterpMode));
    m_interpolation.setInterpolationDomain(readChoice<InterpolationDomain>(stored, P::InterpDom));
    m_interpolation.setExtrapolationMethod(readChoice<ExtrapolationMethod>(stored, P::ExtrapMode));
    m_hasTermNumber = stored.contains(P::NUM);
    if (stored.contains(P::Z)) {
        m_impedance.emplace();
        readImpedance(text(P::Z), *m_impedance);
    }
    // The editor works on the Maury settings whatever type the component names.
    if (!text(P::FileType).isEmpty())
        m_warnings.append(unsupportedFileTypeMessage(text(P::FileType)));
    m_warnings.removeAll(QString());
}

std::optional<bool> StoredReading::flag(const QString &parameter) const
{
    return m_flags.value(parameter);
}

// The term number and the impedance are each the component's where it gives one: an empty
// impedance does not cost a term number the component gives.
TermTabState StoredReading::term(TermTabState defaults) const
{
    if (m_hasTermNumber)
        defaults.setTermNumber(text(P::NUM));
    if (m_impedance) {
        defaults.setReferenceImpedance(m_impedance->referenceImpedance());
        defaults.setUnit(m_impedance->unit());
    }
    return defaults;
}

std::optional<bool> StoredReading::flagAt(const QString &parameter, int index) const
{
    return m_listFlags.value(parameter).value(index);
}

// Every variable the lists name is kept, even where an entry is missing or cannot be read:
// the data files supply what is missing, and the user is told of a value that cannot be read.
void StoredReading::readIndependent(const ParameterMap &stored)
{
    const QStringList names = unquoted(stored.value(P::IndepVarName));
    const QStringList values = unquoted(stored.value(P::IndepVarValue));
    const QStringList unitTypes = unquoted(stored.value(P::IndepVarUnitType));
    QList<IndepVarInfo> records;
    for (const QString &value : values) {
        IndepVarInfo read;
        if (!readIndependentValue(value, read) && m_values.size() < names.size())
            m_warnings.append(elidedText(names.at(int(m_values.size()))) +
                              QStringLiteral("  value format is incorrect "));
        m_values.append(read);
    }
    for (int i = 0; i < names.size(); ++i) {
        IndepVarInfo info = m_values.value(i);
        info.setName(names.at(i));
        if (i < unitTypes.size())
            info.setUnitType(unitTypes.at(i));
        records.append(info);
    }
    m_independent.setVariables(records, false);
    m_independent.setFrequencyVariable(text(P::FreqVarName));
}

void StoredReading::readGammas(const ParameterMap &stored)
{
    const QStringList names = unquoted(stored.value(P::GammaName));
    const QStringList types = unquoted(stored.value(P::GammaType));
    const QStringList harmIndices = unquoted(stored.value(P::GammaHarmIndex));
    const QStringList domains = unquoted(stored.value(P::GammaDomain));
    const QStringList values = unquoted(stored.value(P::GammaValue));
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
    m_gammas.setVariables(records);
}

// Whether a quantity is complex is read as well, though the data files tell and override it:
// a quantity no readable file reports keeps it so.
void StoredReading::readQuantities(const ParameterMap &stored)
{
    const QStringList names = unquoted(stored.value(P::PrfmParamName));
    for (const QString &list : {P::PrfmParamOutput, P::PrfmParamAutoPlot})
        m_listFlags.insert(list, readings(stored.value(list), readYesNo));
    m_types = readings(stored.value(P::PrfmParamType), readValueType);
    // An entry the lists lack keeps the record's default.
    const auto has = [](const auto &list, int index) {
        return index < list.size();
    };
    for (int i = 0; i < names.size(); ++i) {
        PerformanceVarInfo info;
        info.setName(names.at(i));
        if (has(m_listFlags.value(P::PrfmParamOutput), i))
            info.setOutput(flagAt(P::PrfmParamOutput, i).value_or(false));
        if (has(m_listFlags.value(P::PrfmParamAutoPlot), i))
            info.setAutoPlot(flagAt(P::PrfmParamAutoPlot, i).value_or(false));
        info.setIsComplex(typeAt(i).value_or(false));
        m_quantities.append(info);
    }
}

} // namespace LoadPullStateUtils
