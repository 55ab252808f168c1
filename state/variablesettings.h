#pragma once

#include "performancetabstate.h"
#include "variabledetailstabstate.h"

#include <QMap>
#include <QStringList>

namespace LoadPullStateUtils {

// Why a value shows as it does rather than as a number or name in the data's unit and range.
enum class ValueNote {
    None,
    OutsideRange, // a number outside the data's range
    OtherUnit,    // a value in another unit than the data's
    NoUnit,       // a bare number or name where the data have a unit
    NotAValue,    // an expression, or a text the editor cannot read
};

// Which variables the editor shows, and with which settings: one rule for every path that
// changes the listed files (opening, adding, removing, a file lost or found again).
//
// The variables are those the readable listed files report, each with the user's setting
// where there is one: the component's, or one the user made in this session, kept even while
// no file reports the variable, so that a file added back brings it back. A variable without
// a setting takes the data's default, the lowest value. What the files declare of a variable
// they report (its unit type, gamma type, domain, harmonic, complexity, which one is the
// frequency) is the data's. While no file is listed or a listed file cannot be read, every
// variable with a setting is held as well, as set, because that file may hold it, declared as
// the data last declared it in the session, or else as the component declares it. A value
// stays as it was set, in its own unit, whatever range the files give; valueNotes() says
// where it does not fit them.
class VariableSettings
{
public:
    VariableSettings() = default;
    // The settings the component came with.
    VariableSettings(const VariableDetailsTabState &details,
                     const PerformanceTabState &performance);

    // The records to show for the variables the readable listed files report; `holding` while
    // no file is listed or a listed file cannot be read. What is shown is remembered, so that
    // the user's changes can be told from it.
    VariableDetailsTabState showDetails(const QList<IndepVarInfo> &independentVariables,
                                        const QList<GammaVarInfo> &gammaVariables, bool holding);
    PerformanceTabState showPerformance(const QList<PerformanceVarBaseInfo> &performanceVariables,
                                        bool holding);

    // Takes the settings the user changed in a tab's records since they were shown.
    void takeSettings(const VariableDetailsTabState &tabState);
    void takeSettings(const PerformanceTabState &tabState);

    // The records the readable files reported last, by name: a variable shown that they do not
    // report is held.
    const QMap<QString, IndepVarInfo> &reportedIndependent() const { return m_reportedIndependent; }
    const QMap<QString, GammaVarInfo> &reportedGammas() const { return m_reportedGammas; }
    const QMap<QString, PerformanceVarBaseInfo> &reportedQuantities() const
    {
        return m_reportedQuantities;
    }
    // Whether a readable file declared the quantity at some time in the session: a held
    // quantity declares what the data said, else what the component stores.
    bool declaredByData(const QString &quantity) const
    {
        return m_declaredQuantities.contains(quantity);
    }
    // Variables the files sweep as the frequency beside the one shown as the frequency.
    const QStringList &otherFrequencies() const { return m_otherFrequencies; }
    // The setting a variable's value shows, if it has one.
    const IndepVarInfo *independentSetting(const QString &name) const;
    // The names of every variable with a setting, of each kind.
    QStringList independentNames() const { return m_independent.keys(); }
    QStringList gammaNames() const { return m_gammas.keys(); }
    QStringList quantityNames() const { return m_performance.keys(); }

    // How a setting shows beside the data's unit: a value in another unit carries its own,
    // and an expression shows as written.
    static QString shownValue(const IndepVarInfo &setting, const QString &dataUnit);
    // Why the value shown of an independent variable shows as it does; None when it fits.
    ValueNote valueNote(const IndepVarInfo &shown) const;
    // What the note on such a value says; empty when it fits.
    QString valueNoteText(const IndepVarInfo &shown) const;

    // The same rules for records found and settings given, with nothing held and nothing
    // remembered: what a table shows for the variables found while it keeps its own records.
    static IndepVariablesState shownFound(const QList<IndepVarInfo> &found,
                                          const IndepVariablesState &settings);
    static GammasState shownFound(const QList<GammaVarInfo> &found, const GammasState &settings);
    static PerformanceTabState shownFound(const QList<PerformanceVarBaseInfo> &found,
                                          PerformanceTabState settings);
    // The setting is the one of the value's name, if it has one.
    static ValueNote valueNote(const IndepVarInfo &shown, const IndepVarInfo *setting);
    static QString valueNoteText(const IndepVarInfo &shown, const IndepVarInfo *setting);

    friend bool operator==(const VariableSettings &a, const VariableSettings &b);

private:
    QMap<QString, IndepVarInfo> m_independent;
    QMap<QString, GammaVarInfo> m_gammas;
    QMap<QString, PerformanceVarInfo> m_performance;
    QMap<QString, IndepVarInfo> m_reportedIndependent;
    QMap<QString, GammaVarInfo> m_reportedGammas;
    QMap<QString, PerformanceVarBaseInfo> m_reportedQuantities;
    // What readable files declared of each variable the last time they reported it, this
    // session: held rows keep it.
    QMap<QString, IndepVarInfo> m_declaredIndependent;
    QMap<QString, GammaVarInfo> m_declaredGammas;
    QMap<QString, PerformanceVarBaseInfo> m_declaredQuantities;
    QStringList m_otherFrequencies;
    VariableDetailsTabState m_shownDetails;
    PerformanceTabState m_shownPerformance;
};

} // namespace LoadPullStateUtils
