#include "componententries.h"

#include "dblpctypestate.h"
#include "elidedtext.h"
#include "entryrules.h"
#include "enumerations.h"
#include "parameternames.h"
#include "parametertexts.h"

#include <QCoreApplication>

#include <algorithm>

namespace LoadPullStateUtils {

namespace P = ParameterNames;

// The parameters of one entry per variable, named by the first.
struct ComponentEntries::Group
{
    QString key;
    QStringList lists;
};

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("ComponentEntries", text);
}

// A declaration as the editor reads the component's text.
QString declaredText(const std::optional<QStringList> &stored)
{
    return stored ? unquote(stored->value(0)) : QString();
}

QString declarationNote(const QString &name, const QStringList &stored, const QStringList &data)
{
    return tr("%1: the component says %2; the data files declare %3; OK writes the data's.")
        .arg(name, stored.join(QLatin1String(", ")), data.join(QLatin1String(", ")));
}

QString keptFlagNote(const QString &stored)
{
    return tr("the component stores %1, which is neither yes nor no; it is kept as stored until "
              "the box is clicked.")
        .arg(quotedText(stored));
}

QString joinedNotes(const QString &first, const QString &second)
{
    if (first.isEmpty() || second.isEmpty())
        return first + second;
    return first + QLatin1Char(' ') + second;
}

// A value the component stores as a blank takes the one shown, the data's default, which OK
// writes until the user sets another.
QString blankValueNote(const ComponentEntry &value, const QString &shown)
{
    if (!value.stored || value.touched || !unquote(value.stored->value(0)).trimmed().isEmpty() ||
        shown.isEmpty())
        return QString();
    return tr("%1: the component stores no value; OK writes the one shown, %2.")
        .arg(value.variable, quotedText(shown));
}

// Under a per-variable parameter, the empty variable holds the notes on what no row shows.
ComponentEntry groupNotesEntry(const QString &key, const QString &notes)
{
    ComponentEntry entry;
    entry.parameter = key;
    entry.note = notes;
    return entry;
}

} // namespace

ComponentEntries::ComponentEntries(const ParameterMap &stored,
                                   const VariableDetailsTabState &details,
                                   const PerformanceTabState &performance)
    : ComponentEntries(stored, StoredReading(stored), details, performance)
{}

ComponentEntries::ComponentEntries(const ParameterMap &stored, const StoredReading &reading,
                                   const VariableDetailsTabState &details,
                                   const PerformanceTabState &performance)
    : m_stored(stored)
    , m_reading(reading)
    , m_settings(details, performance)
{
    for (const QString &key : {P::FileName, P::IndepVarName, P::GammaName, P::PrfmParamName}) {
        const QStringList names = unquoted(stored.value(key));
        QHash<QString, int> index;
        for (int i = 0; i < names.size(); ++i)
            index.insert(names.at(i), i);
        m_storedNames.insert(key, names);
        m_storedIndex.insert(key, index);
    }
}

VariableDetailsTabState
ComponentEntries::showDetails(const QList<IndepVarInfo> &independentVariables,
                              const QList<GammaVarInfo> &gammaVariables, const ListedFiles &files)
{
    m_files = files;
    return m_settings.showDetails(independentVariables, gammaVariables, files.holding());
}

PerformanceTabState
ComponentEntries::showPerformance(const QList<PerformanceVarBaseInfo> &quantities,
                                  const ListedFiles &files)
{
    m_files = files;
    return m_settings.showPerformance(quantities, files.holding());
}

void ComponentEntries::takeDetails(const VariableDetailsTabState &shown)
{
    m_settings.takeSettings(shown);
}

void ComponentEntries::takePerformance(const PerformanceTabState &shown)
{
    m_settings.takeSettings(shown);
}

void ComponentEntries::touch(const QString &parameter, const QString &variable)
{
    m_touched[parameter].insert(variable);
}

bool ComponentEntries::isTouched(const QString &parameter, const QString &variable) const
{
    const auto touched = m_touched.constFind(parameter);
    return touched != m_touched.cend() && touched->contains(variable);
}

EntryMap ComponentEntries::entries(const DBLPCTypeState &shown) const
{
    EntryMap map = build(shown);
    annotate(shown, map);
    return map;
}

// Every entry, the notes on the rows aside: what OK writes needs none of them.
EntryMap ComponentEntries::build(const DBLPCTypeState &shown) const
{
    EntryMap map;
    addScalars(shown, map);
    addFiles(shown.fileTabState().fileNames(), map);
    addIndependent(shown.detailsTabState().independentVariables(), map);
    addGammas(shown.detailsTabState().gammaVariables(), map);
    addQuantities(shown.performanceState(), map);
    return map;
}

// The notes on each row (held, declared otherwise, a value that does not fit, a coefficient at
// one value) and on what the component stores that no row shows.
void ComponentEntries::annotate(const DBLPCTypeState &shown, EntryMap &map) const
{
    const IndepVariablesState independent = shown.detailsTabState().independentVariables();
    const QString frequency = independent.frequency().name();
    for (const IndepVarInfo &record : independent.variables()) {
        if (record.name() == frequency)
            continue;
        ComponentEntry &value = map[P::IndepVarValue][record.name()];
        const QString shownValue = QString(record.value() + QLatin1Char(' ') + record.unit());
        value.note = joinedNotes(m_settings.valueNoteText(record),
                                 blankValueNote(value, shownValue.trimmed()));
        noteRow(map, P::IndepVarName, record.name(),
                m_settings.reportedIndependent().contains(record.name()), {P::IndepVarUnitType});
    }
    for (const GammaVarInfo &record : shown.detailsTabState().gammaVariables().variables()) {
        const QString fixed = record.maxNumPoints() == 1
                                  ? tr("%1: the data files hold it at one value, %2.")
                                        .arg(record.name(), record.minValue())
                                  : QString();
        noteRow(
            map, P::GammaName, record.name(), m_settings.reportedGammas().contains(record.name()),
            {P::GammaType, P::GammaDomain, P::GammaHarmIndex},
            joinedNotes(fixed, blankValueNote(map[P::GammaValue][record.name()], record.value())));
    }
    for (const PerformanceVarInfo &record : shown.performanceState().variables())
        noteRow(map, P::PrfmParamName, record.name(),
                m_settings.reportedQuantities().contains(record.name()), {P::PrfmParamType});
    const Group groups[] = {
        {P::IndepVarName, {P::IndepVarValue, P::IndepVarUnitType}},
        {P::GammaName, {P::GammaType, P::GammaDomain, P::GammaValue, P::GammaHarmIndex}},
        {P::PrfmParamName, {P::PrfmParamOutput, P::PrfmParamAutoPlot, P::PrfmParamType}}};
    for (const Group &group : groups) {
        const QString note = groupNote(group, map.value(group.key).keys(),
                                       group.key == P::IndepVarName ? frequency : QString());
        map[group.key].insert(QString(), groupNotesEntry(group.key, note));
    }
}

// A row the files do not report is held; one they report whose stored declarations differ from
// theirs says so; any other carries `otherwise`.
void ComponentEntries::noteRow(EntryMap &map, const QString &key, const QString &name,
                               bool reported, const QStringList &declarations,
                               const QString &otherwise) const
{
    QStringList stored, data;
    for (const QString &declaration : declarations) {
        const ComponentEntry &entry = map[declaration][name];
        if (entry.stored && !entry.storedSaysShown) {
            stored.append(declaredText(entry.stored));
            data.append(entry.shown);
        }
    }
    ComponentEntry &row = map[key][name];
    if (!reported)
        row.note = heldNote(name);
    else
        row.note = stored.isEmpty() ? otherwise : declarationNote(name, stored, data);
}

EntryMap ComponentEntries::singleEntries(const DBLPCTypeState &shown) const
{
    EntryMap map;
    addScalars(shown, map);
    return map;
}

ComponentEntry ComponentEntries::single(const QString &parameter) const
{
    ComponentEntry entry;
    entry.parameter = parameter;
    if (m_stored.contains(parameter))
        entry.stored = m_stored.value(parameter);
    entry.touched = isTouched(parameter, QString());
    return entry;
}

QString ComponentEntries::storedText(const QString &parameter) const
{
    return m_reading.text(parameter);
}

namespace {

template<typename Enumeration>
ComponentEntry choiceEntry(ComponentEntry entry, const QString &stored, int value)
{
    // A kept choice with no text to keep is the first choice.
    entry.kept = entry.stored && value == KeptChoice;
    entry.shown = entry.kept ? stored : toText(Enumeration(value == KeptChoice ? 0 : value));
    entry.storedSaysShown = entry.kept || stored == entry.shown;
    if (entry.kept)
        entry.note = tr("the component's %1 is not one of the choices offered; it is kept as "
                        "stored until another is chosen.")
                         .arg(quotedText(stored));
    return entry;
}

// A flag neither yes nor no, an empty text too, shows as neither, and stays as stored, until
// the user decides.
ComponentEntry flagEntry(ComponentEntry entry, const QString &stored, std::optional<bool> reading,
                         bool value)
{
    entry.kept = entry.stored && !reading && !entry.touched && !value;
    entry.shown = entry.kept ? stored : yesNoText(value);
    entry.storedSaysShown = entry.kept || reading == value;
    if (entry.kept)
        entry.note = keptFlagNote(stored);
    return entry;
}

// A single parameter's texts beyond its first, which no control shows: kept while the entry
// goes back as stored.
QString extraTextsNote(const ComponentEntry &entry)
{
    if (!entry.stored || entry.stored->size() < 2)
        return QString();
    QStringList extra;
    for (int i = 1; i < entry.stored->size(); ++i)
        extra.append(QLatin1Char('"') + unquote(entry.stored->at(i)) + QLatin1Char('"'));
    const QString texts = elidedText(extra.join(QLatin1String(", ")));
    if (entry.written() == *entry.stored)
        return tr("Also stored: %1; OK keeps them until this is changed.").arg(texts);
    return tr("Also stored: %1; OK leaves them out.").arg(texts);
}

// The editor works on the Maury settings whatever type the component names.
QString fileTypeNote(const ComponentEntry &entry)
{
    if (!entry.stored || declaredText(entry.stored) == QLatin1String("Maury"))
        return QString();
    return tr("The component's file type, %1, is not offered here: its settings show as Maury "
              "settings, and the type is kept as it is.")
        .arg(quotedText(declaredText(entry.stored)));
}

} // namespace

// A field shows the text as it stands, even one it would not take as typed. The note is worked
// out once for each value: a value may be long.
ComponentEntry ComponentEntries::fieldEntry(const QString &parameter, const QString &value,
                                            QString (*refusal)(const QString &)) const
{
    ComponentEntry entry = single(parameter);
    entry.shown = value;
    entry.storedSaysShown = entry.stored && storedText(parameter) == value;
    FieldNote &cached = m_fieldNotes[parameter];
    if (!cached.value || *cached.value != value) {
        // A text too long to show is not worth checking, and may take long to check.
        const QString reason =
            value.size() > MaxShownTextLength ? tr("it is too long to show") : refusal(value);
        cached.value = value;
        cached.note = reason.isEmpty()
                          ? QString()
                          : tr("%1 is kept as it stands, though it would not be taken as typed: "
                               "%2.")
                                .arg(quotedText(value), reason);
    }
    entry.note = cached.note;
    return entry;
}

void ComponentEntries::addScalars(const DBLPCTypeState &shown, EntryMap &map) const
{
    const auto add = [&map](ComponentEntry entry) {
        entry.note = joinedNotes(entry.note, extraTextsNote(entry));
        map[entry.parameter].insert(QString(), entry);
    };
    const InterpolationTabState interpolation = shown.interpolationTabState();
    add(choiceEntry<InterpolationMethod>(single(P::InterpMode), storedText(P::InterpMode),
                                         interpolation.interpolationMethod()));
    add(choiceEntry<InterpolationDomain>(single(P::InterpDom), storedText(P::InterpDom),
                                         interpolation.interpolationDomain()));
    add(choiceEntry<ExtrapolationMethod>(single(P::ExtrapMode), storedText(P::ExtrapMode),
                                         interpolation.extrapolationMethod()));

    const AnalysisParametersTabState parameters = shown.analysisParametersTabState();
    const AnalysisOptimizationTabState optimization = shown.analysisOptimizationTabState();
    const QList<std::pair<QString, bool>> flags = {
        {P::UseFrequencyRangeFromDataFiles,
         shown.analysisFrequencyRangeSyncState().useFrequencyRangeFromDataFiles()},
        {P::CalcGamma, parameters.calcGamma()},
        {P::CalcAdmittance, parameters.calcAdmittance()},
        {P::CalcImpedance, parameters.calcImpedance()},
        {P::AllowNonlinearDevices, parameters.allowNonlinearDevices()},
        {P::AvoidOutOfRangeData, optimization.avoidOutOfRangeData()},
    };
    for (const auto &[parameter, value] : flags)
        add(flagEntry(single(parameter), storedText(parameter), m_reading.flag(parameter), value));

    const TermTabState term = shown.termTabState();
    add(fieldEntry(P::NUM, term.termNumber(), termNumberRefusal));
    add(fieldEntry(P::StatusLevel, parameters.statusLevel(), statusLevelRefusal));
    add(fieldEntry(P::Weight, optimization.weight(), weightRefusal));

    ComponentEntry impedance =
        fieldEntry(P::Z, term.referenceImpedance(), referenceImpedanceRefusal);
    impedance.shown = impedanceText(term);
    const TermTabState read = m_reading.term(TermTabState());
    impedance.storedSaysShown = impedance.stored &&
                                read.referenceImpedance() == term.referenceImpedance() &&
                                isSameUnit(read.unit(), term.unit());
    add(impedance);

    // The editor works on the Maury settings whatever type the component names, and writes
    // the stored type back until the host chooses one.
    ComponentEntry fileType = single(P::FileType);
    fileType.storedSaysShown = fileType.stored && !fileType.touched;
    fileType.shown = fileType.storedSaysShown ? storedText(P::FileType)
                                              : toText(shown.fileTabState().fileType());
    fileType.note = fileTypeNote(fileType);
    add(fileType);
    add(frequencyEntry(shown.detailsTabState().independentVariables()));
}

// A file keeps the name the component gave it; a file added in the editor is written as given.
void ComponentEntries::addFiles(const QStringList &fileNames, EntryMap &map) const
{
    const QStringList stored = m_stored.value(P::FileName);
    const QStringList &storedNames = m_storedNames[P::FileName];
    for (const QString &name : fileNames) {
        ComponentEntry entry;
        entry.parameter = P::FileName;
        entry.variable = name;
        entry.shown = name;
        const int index = int(storedNames.indexOf(name));
        if (index >= 0)
            entry.stored = QStringList{stored.at(index)};
        entry.storedSaysShown = true;
        map[P::FileName].insert(name, entry);
    }
}

// The entry of `variable` in the per-variable parameter `parameter`, keyed by the names of
// `key`: where a name comes more than once, the last is the one the editor reads.
ComponentEntry ComponentEntries::variableEntry(const QString &parameter, const QString &key,
                                               const QString &variable) const
{
    ComponentEntry entry;
    entry.parameter = parameter;
    entry.variable = variable;
    const int index = storedIndex(key, variable);
    const QStringList stored = m_stored.value(parameter);
    if (index >= 0 && index < stored.size())
        entry.stored = QStringList{stored.at(index)};
    entry.touched = isTouched(parameter, variable);
    return entry;
}

// Where `variable` comes last among the names of the per-variable parameter `key`; -1 where
// the component does not name it.
int ComponentEntries::storedIndex(const QString &key, const QString &variable) const
{
    const auto names = m_storedIndex.constFind(key);
    return names == m_storedIndex.cend() ? -1 : names->value(variable, -1);
}

// The frequency variable is the one the files sweep; the component's name for it holds only
// while no file that can be read sweeps one.
ComponentEntry ComponentEntries::frequencyEntry(const IndepVariablesState &variables) const
{
    ComponentEntry entry = single(P::FreqVarName);
    const QString frequency = variables.frequency().name();
    const QString stored = storedText(P::FreqVarName);
    entry.shown = frequency;
    entry.storedSaysShown = entry.stored && stored == frequency;
    if (!m_settings.otherFrequencies().isEmpty())
        entry.note = tr("The data files sweep the frequency as %1 and as %2; OK writes %1 as the "
                        "frequency variable and leaves %2 out.")
                         .arg(frequency, m_settings.otherFrequencies().join(QLatin1String(", ")));
    if (stored.isEmpty() || stored == frequency)
        return entry;
    if (frequency.isEmpty() && m_files.holding()) {
        entry.shown = stored;
        entry.storedSaysShown = true;
        entry.note = tr("The component names %1 as the frequency variable; no listed data file "
                        "that can be read tells which variable is swept as the frequency, so OK "
                        "keeps it as the component names it.")
                         .arg(elidedText(stored));
        return entry;
    }
    if (!frequency.isEmpty())
        entry.note = tr("The component names %1 as the frequency variable, but the data files "
                        "sweep %2; OK writes %2.")
                         .arg(quotedText(stored), frequency);
    else if (entry.note.isEmpty())
        entry.note = tr("The component names %1 as the frequency variable, but none of the "
                        "listed data files sweeps it; OK leaves it out.")
                         .arg(quotedText(stored));
    return entry;
}

QString ComponentEntries::heldNote(const QString &name) const
{
    if (m_files.count == 0)
        return tr("%1: no data file is listed; it is kept as the component sets it.").arg(name);
    return tr("%1: no listed data file that can be read reports it; it is kept as set, because "
              "%2 cannot be read.")
        .arg(name, m_files.unreadable.join(QLatin1String(", ")));
}

void ComponentEntries::addIndependent(const IndepVariablesState &variables, EntryMap &map) const
{
    const QString frequency = variables.frequency().name();
    for (const IndepVarInfo &record : variables.variables()) {
        if (record.name() == frequency)
            continue;
        const QString name = record.name();
        ComponentEntry nameEntry = variableEntry(P::IndepVarName, P::IndepVarName, name);
        nameEntry.shown = name;
        nameEntry.storedSaysShown = true;

        ComponentEntry value = variableEntry(P::IndepVarValue, P::IndepVarName, name);
        const IndepVarInfo *setting = m_settings.independentSetting(name);
        const bool showsSetting =
            setting && VariableSettings::shownValue(*setting, record.unit()) == record.value();
        value.shown = independentValueText(showsSetting ? *setting : record);
        if (value.stored)
            value.storedSaysShown =
                independentValueText(m_reading.valueAt(storedIndex(P::IndepVarName, name))) ==
                value.shown;

        ComponentEntry unitType = variableEntry(P::IndepVarUnitType, P::IndepVarName, name);
        unitType.shown = record.unitType();
        unitType.storedSaysShown =
            unitType.stored && declaredText(unitType.stored) == unitType.shown;
        map[P::IndepVarName].insert(name, nameEntry);
        map[P::IndepVarValue].insert(name, value);
        map[P::IndepVarUnitType].insert(name, unitType);
    }
}

void ComponentEntries::addGammas(const GammasState &gammas, EntryMap &map) const
{
    const QStringList declarations = {P::GammaType, P::GammaDomain, P::GammaHarmIndex};
    for (const GammaVarInfo &record : gammas.variables()) {
        const QString name = record.name();
        const QStringList values = {record.type(), record.domain(), record.harmIndex()};
        for (int i = 0; i < declarations.size(); ++i) {
            ComponentEntry entry = variableEntry(declarations.at(i), P::GammaName, name);
            entry.shown = values.at(i);
            entry.storedSaysShown = entry.stored && declaredText(entry.stored) == entry.shown;
            map[entry.parameter].insert(name, entry);
        }
        ComponentEntry value = variableEntry(P::GammaValue, P::GammaName, name);
        value.shown = record.value();
        value.storedSaysShown = value.stored && unquote(value.stored->value(0)) == value.shown;
        map[P::GammaValue].insert(name, value);

        ComponentEntry nameEntry = variableEntry(P::GammaName, P::GammaName, name);
        nameEntry.shown = name;
        nameEntry.storedSaysShown = true;
        map[P::GammaName].insert(name, nameEntry);
    }
}

void ComponentEntries::addQuantities(const PerformanceTabState &performance, EntryMap &map) const
{
    for (const PerformanceVarInfo &record : performance.variables()) {
        const QString name = record.name();
        const auto flag = [&](const QString &parameter, bool value) {
            ComponentEntry entry = variableEntry(parameter, P::PrfmParamName, name);
            const QString stored = entry.stored ? unquote(entry.stored->value(0)) : QString();
            const auto reading = m_reading.flagAt(parameter, storedIndex(P::PrfmParamName, name));
            map[parameter].insert(name, flagEntry(entry, stored, reading, value));
        };
        flag(P::PrfmParamOutput, record.output());
        flag(P::PrfmParamAutoPlot, record.autoPlot());

        // A held quantity no data declared in the session shows its type as stored.
        ComponentEntry type = variableEntry(P::PrfmParamType, P::PrfmParamName, name);
        const bool asStored = type.stored && !m_settings.reportedQuantities().contains(name) &&
                              !m_settings.declaredByData(name);
        type.shown = asStored ? declaredText(type.stored) : valueTypeText(record.isComplex());
        type.storedSaysShown =
            asStored || (type.stored && m_reading.typeAt(storedIndex(P::PrfmParamName, name)) ==
                                            std::optional<bool>(record.isComplex()));
        map[P::PrfmParamType].insert(name, type);

        ComponentEntry nameEntry = variableEntry(P::PrfmParamName, P::PrfmParamName, name);
        nameEntry.shown = name;
        nameEntry.storedSaysShown = true;
        map[P::PrfmParamName].insert(name, nameEntry);
    }
}

// What the component stores in a group that no row shows, and why OK leaves it out: variables
// no listed file reports, names given twice, entries beyond the names. Each kind is one line,
// so that a long list of names stays one note.
QString ComponentEntries::groupNote(const Group &group, const QStringList &shown,
                                    const QString &frequency) const
{
    const QStringList names = m_storedNames.value(group.key);
    const QHash<QString, int> lastIndex = m_storedIndex.value(group.key);
    const QSet<QString> shownNames(shown.cbegin(), shown.cend());
    QStringList twice, leftOut;
    QSet<QString> seen;
    for (int i = 0; i < names.size(); ++i) {
        const QString &name = names.at(i);
        const bool seenBefore = seen.contains(name);
        seen.insert(name);
        if (name.isEmpty() || lastIndex.value(name) != i)
            continue;
        if (seenBefore)
            twice.append(name);
        if (!shownNames.contains(name) && name != frequency)
            leftOut.append(name);
    }
    QStringList lines;
    const QString comma = QStringLiteral(", ");
    if (leftOut.size() == 1)
        lines.append(tr("%1: in the component, but in none of the listed data files: OK leaves it "
                        "out.")
                         .arg(leftOut.first()));
    else if (!leftOut.isEmpty())
        lines.append(tr("%1: in the component, but in none of the listed data files: OK leaves "
                        "them out.")
                         .arg(leftOut.join(comma)));
    if (!frequency.isEmpty() && lastIndex.contains(frequency) &&
        m_settings.reportedIndependent().contains(frequency))
        lines.append(tr("%1: the data files sweep it as the frequency; OK writes it as the "
                        "frequency variable, not among the others.")
                         .arg(frequency));
    if (!twice.isEmpty())
        lines.append(tr("%1: named more than once in the component; the editor shows, and OK "
                        "writes, the last.")
                         .arg(twice.join(comma)));
    for (const QString &list : group.lists) {
        const int extra = int(m_stored.value(list).size() - names.size());
        if (extra > 0)
            lines.append(tr("%1: %2 beyond the variables the component names; OK leaves them out.")
                             .arg(list, extra == 1 ? tr("1 entry") : tr("%1 entries").arg(extra)));
    }
    return lines.join(QLatin1Char('\n'));
}

// Variables the component names keep their places; variables new to it follow, in name order.
QStringList ComponentEntries::layout(const QString &key, const QStringList &names) const
{
    const QHash<QString, int> lastIndex = m_storedIndex.value(key);
    QList<std::pair<int, QString>> stored;
    QStringList added;
    for (const QString &name : names) {
        const int index = lastIndex.value(name, -1);
        if (index >= 0)
            stored.append({index, name});
        else
            added.append(name);
    }
    std::sort(stored.begin(), stored.end());
    QStringList ordered;
    for (const auto &[index, name] : stored)
        ordered.append(name);
    return ordered + added;
}

ParameterMap ComponentEntries::written(const DBLPCTypeState &shown) const
{
    static const Group groups[] = {
        {P::IndepVarName, {P::IndepVarName, P::IndepVarValue, P::IndepVarUnitType}},
        {P::GammaName,
         {P::GammaName, P::GammaType, P::GammaDomain, P::GammaValue, P::GammaHarmIndex}},
        {P::PrfmParamName,
         {P::PrfmParamName, P::PrfmParamOutput, P::PrfmParamAutoPlot, P::PrfmParamType}},
    };
    const EntryMap all = build(shown);
    ParameterMap map;
    QStringList perVariable = {P::FileName};
    for (const Group &group : groups)
        perVariable += group.lists;
    for (auto it = all.cbegin(); it != all.cend(); ++it) {
        if (!perVariable.contains(it.key()))
            map.insert(it.key(), it->value(QString()).written());
    }
    for (const Group &group : groups) {
        QStringList names = all.value(group.key).keys();
        names.removeAll(QString());
        names.sort();
        const QStringList ordered = layout(group.key, names);
        for (const QString &list : group.lists) {
            QStringList texts;
            for (const QString &name : ordered)
                texts.append(all.value(list).value(name).written().value(0));
            map.insert(list, texts);
        }
    }
    // An empty name names no file.
    QStringList files;
    for (const QString &name : shown.fileTabState().fileNames())
        if (!name.isEmpty())
            files.append(all.value(P::FileName).value(name).written().value(0));
    map.insert(P::FileName, files);
    return map;
}

bool operator==(const ComponentEntries &a, const ComponentEntries &b)
{
    return a.m_stored == b.m_stored && a.m_touched == b.m_touched &&
           a.m_files.count == b.m_files.count && a.m_files.unreadable == b.m_files.unreadable &&
           a.m_settings == b.m_settings;
}

} // namespace LoadPullStateUtils
