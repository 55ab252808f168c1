#pragma once

#include "componententry.h"
#include "parameterlist.h"
#include "storedreading.h"
#include "variablesettings.h"

#include <QHash>
#include <QSet>

#include <optional>

namespace LoadPullStateUtils {

class DBLPCTypeState;

// The one model of the component's entries: the texts the host stored, what the listed files
// and the settings make of the variables, which entries the user touched, and from these, for
// every entry of the 28 parameters, what the editor shows, whether the stored text says
// exactly that, and the note to show. The tabs are filled from it, and OK writes what it
// gives and nothing else: every written entry is shown, and every shown entry is written.
class ComponentEntries
{
public:
    // The data files behind the variables shown.
    struct ListedFiles
    {
        int count = 0;
        // Listed files the data library cannot read, by name.
        QStringList unreadable;
        // Variables the readable files do not report are held while a listed file may hold
        // them, or while no file is listed.
        bool holding() const { return count == 0 || !unreadable.isEmpty(); }
    };

    // Nothing stored: every entry is written in the editor's own form.
    ComponentEntries() = default;
    // The texts as the host holds them, their reading, and the variable settings read from
    // them.
    ComponentEntries(const ParameterMap &stored, const StoredReading &reading,
                     const VariableDetailsTabState &details,
                     const PerformanceTabState &performance);
    // The same, read here.
    ComponentEntries(const ParameterMap &stored, const VariableDetailsTabState &details,
                     const PerformanceTabState &performance);

    const ParameterMap &stored() const { return m_stored; }

    // The variables to show for what the readable listed files report.
    VariableDetailsTabState showDetails(const QList<IndepVarInfo> &independentVariables,
                                        const QList<GammaVarInfo> &gammaVariables,
                                        const ListedFiles &files);
    PerformanceTabState showPerformance(const QList<PerformanceVarBaseInfo> &quantities,
                                        const ListedFiles &files);
    // The settings the user changed in the tables become settings that later file changes keep.
    void takeDetails(const VariableDetailsTabState &shown);
    void takePerformance(const PerformanceTabState &shown);
    // The user acted on the control of an entry; a variable's entry names its variable.
    void touch(const QString &parameter, const QString &variable = QString());

    // Every entry, for the records the editor shows. Under a parameter of one entry per
    // variable, the empty variable holds the notes on what the component stores there that no
    // row shows.
    EntryMap entries(const DBLPCTypeState &shown) const;
    // The entries of the single parameters alone.
    EntryMap singleEntries(const DBLPCTypeState &shown) const;
    // The 28 parameters OK writes for the records the editor shows.
    ParameterMap written(const DBLPCTypeState &shown) const;

    friend bool operator==(const ComponentEntries &a, const ComponentEntries &b);

private:
    struct Group;
    ComponentEntry single(const QString &parameter) const;
    ComponentEntry fieldEntry(const QString &parameter, const QString &value,
                              QString (*refusal)(const QString &)) const;
    ComponentEntry variableEntry(const QString &parameter, const QString &key,
                                 const QString &variable) const;
    QString storedText(const QString &parameter) const;
    int storedIndex(const QString &key, const QString &variable) const;
    bool isTouched(const QString &parameter, const QString &variable) const;

    EntryMap build(const DBLPCTypeState &shown) const;
    void annotate(const DBLPCTypeState &shown, EntryMap &map) const;
    void noteRow(EntryMap &map, const QString &key, const QString &name, bool reported,
                 const QStringList &declarations, const QString &otherwise = QString()) const;
    void addScalars(const DBLPCTypeState &shown, EntryMap &map) const;
    void addFiles(const QStringList &fileNames, EntryMap &map) const;
    void addIndependent(const IndepVariablesState &variables, EntryMap &map) const;
    void addGammas(const GammasState &gammas, EntryMap &map) const;
    void addQuantities(const PerformanceTabState &performance, EntryMap &map) const;
    ComponentEntry frequencyEntry(const IndepVariablesState &variables) const;
    QString heldNote(const QString &name) const;
    QString groupNote(const Group &group, const QStringList &shown, const QString &frequency) const;
    QStringList layout(const QString &key, const QStringList &names) const;

    ParameterMap m_stored;
    // What the editor reads of the stored texts, worked out once: what each text says, and
    // the names of each per-variable parameter, unquoted, and where each name comes last.
    StoredReading m_reading;
    QHash<QString, QStringList> m_storedNames;
    QHash<QString, QHash<QString, int>> m_storedIndex;
    VariableSettings m_settings;
    ListedFiles m_files;
    // The note on a field's value, by parameter, for the value it was worked out for.
    struct FieldNote
    {
        std::optional<QString> value;
        QString note;
    };
    mutable QHash<QString, FieldNote> m_fieldNotes;
    // The variables touched, by parameter; a single parameter's under the empty text.
    QHash<QString, QSet<QString>> m_touched;
};

inline bool operator!=(const ComponentEntries &a, const ComponentEntries &b)
{
    return !(a == b);
}

} // namespace LoadPullStateUtils
