#pragma once

#include "performancetabstate.h"
#include "variabledetailstabstate.h"

#include <QMap>
#include <QStringList>

namespace LoadPullStateUtils {

// Why a value shows as it does rather than as a number or name in the data's unit and range.
enum class ValueNote {
    None,
    OutsideRange,    // a number outside the data's range
    OtherUnit,       // a value in another unit than the data's
    NoUnit,          // a bare number or name where the data have a unit
    NotAValue,       // an expression, or a text the editor cannot read
    NotTheFrequency, // the component names it as its frequency; the data files sweep another
};

// Which variables the editor shows, and with which settings: one rule for every path that
// changes the listed files (opening, adding, removing, a file lost or found again).
//
// The variables are those the readable listed files report, each with the user's setting
// where there is one: the component's, or one the user made in this session, kept even while
// no file reports the variable, so that a file added back brings it back. A variable without
// a setting takes the data's default, the lowest value. While a listed file cannot be read,
// every variable with a setting stays as well, because that file may hold it. A value stays
// as it was set, in its own unit, whatever range the files give; valueNotes() says where it
// does not fit them.
class VariableSettings
{
public:
    VariableSettings() = default;
    // The settings the component came with.
    VariableSettings(const VariableDetailsTabState &details,
                     const PerformanceTabState &performance);

    // The records to show for the variables the readable listed files report; `filesUnknown`
    // when a listed file cannot be read. What is shown is remembered, so that the user's
    // changes can be told from it.
    VariableDetailsTabState showDetails(const QList<IndepVarInfo> &independentVariables,
                                        const QList<GammaVarInfo> &gammaVariables,
                                        bool filesUnknown);
    PerformanceTabState showPerformance(const QList<PerformanceVarBaseInfo> &performanceVariables,
                                        bool filesUnknown);

    // Takes the settings the user changed in a tab's records since they were shown; gives the
    // names of the variables whose value changed.
    QStringList takeSettings(const VariableDetailsTabState &tabState);
    // The same for the quantities: the names whose output choice, and whose plot choice,
    // changed.
    struct PerformanceChanges
    {
        QStringList outputs;
        QStringList autoPlots;
    };
    PerformanceChanges takeSettings(const PerformanceTabState &tabState);

    // The notes on the independent variables shown last, by name; variables that need none
    // are left out.
    QMap<QString, ValueNote> valueNotes() const;

private:
    ValueNote noteOn(const IndepVarInfo &shown) const;

    QMap<QString, IndepVarInfo> m_independent;
    QMap<QString, GammaVarInfo> m_gammas;
    QMap<QString, PerformanceVarInfo> m_performance;
    VariableDetailsTabState m_shownDetails;
    PerformanceTabState m_shownPerformance;
};

} // namespace LoadPullStateUtils
